/* The C side of the disc engine: the only code that sees the burning libraries' headers, which
   do not build as C++. Plain C types only, so the C++ engine can include it. */
#ifndef KELM_DISC_BURN_H
#define KELM_DISC_BURN_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The state of the medium in an acquired drive. */
enum {
  KELM_MEDIUM_NONE = 0,       /* no disc, or one the drive cannot use */
  KELM_MEDIUM_BLANK = 1,      /* ready for a first session */
  KELM_MEDIUM_APPENDABLE = 2, /* holds sessions and takes another */
  KELM_MEDIUM_FULL = 3        /* closed or full: read only */
};

/* One acquired drive and the session being built for it. */
struct kelm_burn;

/* Starts the libraries once per process. Returns 1, or 0 with the reason in `message`. */
int kelm_burn_initialise(char* message, size_t size);
/* The libraries' versions, as one line. */
void kelm_burn_versions(char* text, size_t size);
/* Lists the optical drives of the machine (address and a readable name) and leaves them
   unlocked. Returns the number found, or -1 when the scan failed. */
int kelm_burn_scan(void (*found)(void* context, const char* address, const char* name),
                   void* context);

/* Acquires the drive at `address` ("/dev/sr0", "stdio:/path/image.iso"); NULL when it cannot. */
struct kelm_burn* kelm_burn_acquire(const char* address);
/* Releases the drive (ejecting the disc when asked) and everything built for it. */
void kelm_burn_release(struct kelm_burn* burn, int eject);

int kelm_burn_medium(struct kelm_burn* burn);
/* The drive's highest write speed with this medium, in kB/s (0 when unknown). */
int kelm_burn_max_speed(struct kelm_burn* burn);
/* Loads the tree of the medium's last session (`import` 1) or starts from an empty tree (0).
   Returns 1, or 0 when the medium's session could not be read. */
int kelm_burn_load_tree(struct kelm_burn* burn, int import);
/* Puts the file `source` into the tree's root as `name`, replacing an entry of that name (the
   replaced one stays readable in the earlier session). Returns 1, or 0. */
int kelm_burn_add_file(struct kelm_burn* burn, const char* source, const char* name);

/* Builds the new session and starts writing it in the libraries' own threads. `close_disc` 1
   leaves the medium closed, `speed` 0 lets the drive choose. Returns 1 when writing runs. */
int kelm_burn_start(struct kelm_burn* burn, int close_disc, int speed, const char* volume);
/* While writing: 1 and the progress in per cent; 0 once the drive is idle again. */
int kelm_burn_busy(struct kelm_burn* burn, int* percent);
/* After the drive went idle: completes the session (multi-session emulation on image files and
   overwritable media). Returns 1 when the session was written well. */
int kelm_burn_finish(struct kelm_burn* burn);
/* Asks a running write to stop; a session prepared but not started is given up. */
void kelm_burn_cancel(struct kelm_burn* burn);

/* The most serious message the libraries queued since the last call ("" when none). */
void kelm_burn_message(char* text, size_t size);

#ifdef __cplusplus
}
#endif

#endif
