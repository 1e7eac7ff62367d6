/* The disc engine over the burning libraries: drive scan, acquiring a drive or an image file,
   loading the last session's tree, adding a file, and writing the new session. */
#include "disc/disc_burn.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* libisoburn's header uses the types of the other two, so they come first. */
#include <libisofs/libisofs.h>

#include <libburn/libburn.h>

#include <libisoburn/libisoburn.h>

struct kelm_burn {
  struct burn_drive_info* infos;
  struct burn_drive* drive;
  IsoImage* image;
  struct burn_disc* disc;
  struct burn_write_opts* options;
  int writing;
};

static void copy_text(char* target, size_t size, const char* text) {
  if (size == 0) return;
  snprintf(target, size, "%s", text);
}

/* libburn's code for a write refused because a drive operation is still going on. */
#define KELM_BURN_STILL_GOING 0x00020102

/* The worst message the libraries queued, drained; kept for kelm_burn_message when it was
   taken before the caller asked. */
static char pending_message[BURN_MSGS_MESSAGE_LEN];

static int severity_rank(const char* severity) {
  int rank = 0;
  burn_text_to_sev((char*)severity, &rank, 0);
  return rank;
}

/* Drains both queues; returns the code of libburn's worst message (0 when none) and keeps the
   worst text of both in pending_message. */
static int drain_messages(void) {
  char message[BURN_MSGS_MESSAGE_LEN];
  char severity[80];
  int code = 0, os_errno = 0, image = 0, worst = -1, worst_code = 0;
  while (burn_msgs_obtain("SORRY", &code, message, &os_errno, severity) > 0) {
    if (severity_rank(severity) >= worst) {
      worst = severity_rank(severity);
      worst_code = code;
      copy_text(pending_message, sizeof pending_message, message);
    }
  }
  while (iso_obtain_msgs("SORRY", &code, &image, message, severity) > 0) {
    if (severity_rank(severity) > worst) {
      worst = severity_rank(severity);
      copy_text(pending_message, sizeof pending_message, message);
    }
  }
  return worst_code;
}

int kelm_burn_initialise(char* message, size_t size) {
  static int started = 0;
  char reason[1024] = "";
  if (started) return 1;
  if (!isoburn_initialize(reason, 0)) {
    copy_text(message, size, reason);
    return 0;
  }
  /* The libraries print nothing themselves: the program shows their worst message. */
  burn_msgs_set_severities("SORRY", "NEVER", "");
  iso_set_msgs_severities("SORRY", "NEVER", "");
  started = 1;
  return 1;
}

void kelm_burn_versions(char* text, size_t size) {
  int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0, h = 0, i = 0;
  isoburn_version(&a, &b, &c);
  burn_version(&d, &e, &f);
  iso_lib_version(&g, &h, &i);
  snprintf(text, size, "libisoburn %d.%d.%d, libburn %d.%d.%d, libisofs %d.%d.%d", a, b, c, d, e, f,
           g, h, i);
}

int kelm_burn_scan(void (*found)(void* context, const char* address, const char* name),
                   void* context) {
  struct burn_drive_info* infos = NULL;
  unsigned int count = 0;
  int result;
  while ((result = burn_drive_scan(&infos, &count)) == 0) usleep(1000);
  if (result < 0) return -1;
  for (unsigned int n = 0; n < count; ++n) {
    char address[BURN_DRIVE_ADR_LEN] = "";
    char name[64];
    if (burn_drive_d_get_adr(infos[n].drive, address) <= 0) continue;
    snprintf(name, sizeof name, "%s %s", infos[n].vendor, infos[n].product);
    found(context, address, name);
  }
  /* A scan locks every drive it found; other programs get them back at once. */
  if (infos != NULL) burn_drive_info_free(infos);
  return (int)count;
}

struct kelm_burn* kelm_burn_acquire(const char* address) {
  struct kelm_burn* burn = calloc(1, sizeof *burn);
  char adr[BURN_DRIVE_ADR_LEN];
  if (burn == NULL) return NULL;
  copy_text(adr, sizeof adr, address);
  /* bit0: close the tray; bit5, bit6: take no ACLs or extended attributes from our files. */
  if (isoburn_drive_aquire(&burn->infos, adr, 1 | 32 | 64) <= 0) {
    free(burn);
    return NULL;
  }
  burn->drive = burn->infos[0].drive;
  return burn;
}

static void drop_session(struct kelm_burn* burn) {
  if (burn->disc != NULL && !burn->writing) isoburn_cancel_prepared_write(burn->drive, NULL, 0);
  if (burn->disc != NULL) burn_disc_free(burn->disc);
  if (burn->options != NULL) burn_write_opts_free(burn->options);
  burn->disc = NULL;
  burn->options = NULL;
  burn->writing = 0;
}

void kelm_burn_release(struct kelm_burn* burn, int eject) {
  if (burn == NULL) return;
  drop_session(burn);
  if (burn->image != NULL) iso_image_unref(burn->image);
  isoburn_drive_release(burn->drive, eject);
  burn_drive_info_free(burn->infos);
  free(burn);
}

int kelm_burn_medium(struct kelm_burn* burn) {
  switch (isoburn_disc_get_status(burn->drive)) {
    case BURN_DISC_BLANK:
      return KELM_MEDIUM_BLANK;
    case BURN_DISC_APPENDABLE:
      return KELM_MEDIUM_APPENDABLE;
    case BURN_DISC_FULL:
      return KELM_MEDIUM_FULL;
    default:
      return KELM_MEDIUM_NONE;
  }
}

int kelm_burn_max_speed(struct kelm_burn* burn) {
  int speed = burn_drive_get_write_speed(burn->drive);
  return speed > 0 ? speed : 0;
}

int kelm_burn_load_tree(struct kelm_burn* burn, int import) {
  struct isoburn_read_opts* options = NULL;
  int ok;
  if (isoburn_ropt_new(&options, 0) <= 0) return 0;
  /* Read options must name their extensions: left alone they may treat the medium as blank,
     and the new session would hide every file written before. */
  isoburn_ropt_set_extensions(
      options, isoburn_ropt_noacl | isoburn_ropt_noea | (import ? 0 : isoburn_ropt_pretend_blank));
  isoburn_ropt_set_default_perms(options, 0, 0, 0444);
  if (burn->image != NULL) iso_image_unref(burn->image);
  burn->image = NULL;
  ok = isoburn_read_image(burn->drive, options, &burn->image) > 0;
  isoburn_ropt_destroy(&options, 0);
  return ok;
}

int kelm_burn_add_file(struct kelm_burn* burn, const char* source, const char* name) {
  struct stat info;
  IsoNode* old = NULL;
  IsoDir* root;
  char* path;
  int ok;
  if (burn->image == NULL && !kelm_burn_load_tree(burn, 0)) return 0;
  if (stat(source, &info) != 0 || !S_ISREG(info.st_mode) || access(source, R_OK) != 0) return 0;
  /* The image reads the file while writing, by its absolute path. */
  path = realpath(source, NULL);
  if (path == NULL) return 0;
  root = iso_image_get_root(burn->image);
  ok = iso_dir_get_node(root, name, &old) != 1 || iso_node_remove(old) >= 0;
  if (ok) ok = iso_tree_add_new_node(burn->image, root, name, path, NULL) >= 0;
  free(path);
  return ok;
}

int kelm_burn_start(struct kelm_burn* burn, int close_disc, int speed, const char* volume) {
  struct isoburn_imgen_opts* image_options = NULL;
  char reasons[BURN_REASONS_LEN] = "";
  int ok;
  if (burn->image == NULL && !kelm_burn_load_tree(burn, 0)) return 0;
  drop_session(burn);
  iso_image_set_volume_id(burn->image, volume);
  if (isoburn_igopt_new(&image_options, 0) <= 0) return 0;
  /* Level 3 with Rock Ridge and Joliet: long, mixed-case names readable everywhere. */
  isoburn_igopt_set_level(image_options, 3);
  isoburn_igopt_set_extensions(image_options, isoburn_igopt_rockridge | isoburn_igopt_joliet);
  isoburn_igopt_set_relaxed(image_options, isoburn_igopt_allow_deep_paths);
  isoburn_igopt_set_sort_files(image_options, 1);
  ok = isoburn_prepare_disc(burn->drive, &burn->disc, image_options) > 0;
  isoburn_igopt_destroy(&image_options, 0);
  if (!ok) {
    burn->disc = NULL;
    return 0;
  }
  burn->options = burn_write_opts_new(burn->drive);
  if (burn->options == NULL) {
    drop_session(burn);
    return 0;
  }
  burn_write_opts_set_perform_opc(burn->options, 0);
  burn_write_opts_set_underrun_proof(burn->options, 1);
  burn_drive_set_speed(burn->drive, 0, speed);
  /* Image files and overwritable media keep their sessions by emulation, which the libraries
     do on their own. True multi-session and sequential media are left open or closed by the
     writer, and a job such a medium cannot take is refused here, before anything is written. */
  if (isoburn_needs_emulation(burn->drive) == 0) {
    burn_write_opts_set_multi(burn->options, !close_disc);
    if (burn_write_opts_auto_write_type(burn->options, burn->disc, reasons, 0) == BURN_WRITE_NONE) {
      drop_session(burn);
      return 0;
    }
  }
  burn->writing = 1;
  drain_messages();
  pending_message[0] = '\0';
  for (int attempt = 0; attempt < 50; ++attempt) {
    isoburn_disc_write(burn->options, burn->disc);
    /* The thread of a failed run lingers a moment after its drive went idle, and a new write
       is refused meanwhile, said only in a message (the drive's "wrote well" stays yes). Such a
       write is tried again; whatever else ends a run is told by "wrote well" when it ends. */
    if (burn_drive_get_status(burn->drive, NULL) != BURN_DRIVE_IDLE ||
        drain_messages() != KELM_BURN_STILL_GOING)
      return 1;
    usleep(100000);
  }
  burn->writing = 0;
  drop_session(burn);
  return 0;
}

int kelm_burn_busy(struct kelm_burn* burn, int* percent) {
  struct burn_progress progress;
  memset(&progress, 0, sizeof progress);
  if (burn_drive_get_status(burn->drive, &progress) == BURN_DRIVE_IDLE) return 0;
  if (percent != NULL) {
    *percent = progress.sectors > 0 ? (int)((100LL * progress.sector) / progress.sectors) : 0;
    if (*percent > 100) *percent = 100;
  }
  return 1;
}

int kelm_burn_finish(struct kelm_burn* burn) {
  int ok = burn->writing && isoburn_drive_wrote_well(burn->drive);
  if (ok) ok = isoburn_activate_session(burn->drive) > 0;
  /* A failed run leaves the image thread to be stopped; either way its end is awaited. */
  if (!ok) isoburn_cancel_prepared_write(burn->drive, NULL, 0);
  isoburn_sync_after_write(burn->drive, NULL, 0);
  drop_session(burn);
  return ok;
}

void kelm_burn_cancel(struct kelm_burn* burn) {
  if (burn->writing) {
    burn_drive_cancel(burn->drive);
  } else {
    drop_session(burn);
  }
}

void kelm_burn_message(char* text, size_t size) {
  drain_messages();
  copy_text(text, size, pending_message);
  pending_message[0] = '\0';
}
