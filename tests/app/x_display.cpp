// The private X server, the window manager beside it, and the screen watcher.
#include "x_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace kelm::test {
namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> Own(T* reply) {
  return Reply<T>(reply, &std::free);
}

void Silence() {
  const int null = open("/dev/null", O_RDWR);
  if (null < 0) return;
  dup2(null, STDIN_FILENO);
  dup2(null, STDOUT_FILENO);
  dup2(null, STDERR_FILENO);
  close(null);
}

pid_t Spawn(std::vector<std::string> argv, int keep_fd = -1) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int saved = keep_fd >= 0 ? dup(keep_fd) : -1;
  Silence();
  if (saved >= 0) dup2(saved, keep_fd);
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

}  // namespace

XvfbServer::XvfbServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                "-nolisten", "tcp"},
               fds[1]);
  close(fds[1]);
  // The server writes its display number once it accepts clients.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  char c;
  while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  Stop(pid_);
}

Companion::Companion(const std::string& program, const std::string& display) {
  setenv("DISPLAY", display.c_str(), 1);
  pid_ = Spawn({program});
}

Companion::~Companion() {
  Stop(pid_);
}

bool WaitForWindowManager(const std::string& display, int ms) {
  xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(c)) {
    xcb_disconnect(c);
    return false;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const char name[] = "_NET_SUPPORTING_WM_CHECK";
  auto atom = Own(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr));
  bool found = false;
  for (int waited = 0; atom && !found && waited < ms; waited += 20) {
    auto prop = Own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    found = prop && xcb_get_property_value_length(prop.get()) > 0;
    if (!found) usleep(20000);
  }
  xcb_disconnect(c);
  return found;
}

ScreenWatch::ScreenWatch(const std::string& display) {
  connection_ = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(connection_)) {
    xcb_disconnect(connection_);
    connection_ = nullptr;
    return;
  }
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  thread_ = std::thread([this] { Run(); });
}

ScreenWatch::~ScreenWatch() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

void ScreenWatch::Shown(uint32_t window, const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  Watched w;
  w.window = window;
  w.shot.name = name;
  showings_.push_back(w);
}

ScreenWatch::Watched* ScreenWatch::Latest(uint32_t window) {
  for (auto it = showings_.rbegin(); it != showings_.rend(); ++it) {
    if (it->window == window) return &*it;
  }
  return nullptr;
}

bool ScreenWatch::Settled(uint32_t window) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Watched* w = Latest(window);
  return w == nullptr || w->shot.taken || w->shot.vanished;
}

std::vector<Shot> ScreenWatch::Shots() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Shot> shots;
  for (const Watched& w : showings_) shots.push_back(w.shot);
  return shots;
}

void ScreenWatch::Run() {
  while (!stop_) {
    Step();
    usleep(5000);
  }
}

void ScreenWatch::Step() {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto now = std::chrono::steady_clock::now();
  for (Watched& w : showings_) {
    if (w.shot.taken || w.shot.vanished) continue;
    // An earlier showing of a window shown again is over.
    if (Latest(w.window) != &w) {
      w.shot.vanished = true;
      continue;
    }
    const uint32_t id = w.window;
    auto attributes = Own(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, id), nullptr));
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    if (!w.seen) {
      if (viewable) {
        w.seen = true;
        w.since = now;
      }
      continue;
    }
    if (viewable && w.shot.painted_ms < 0 && now - w.looked >= std::chrono::milliseconds(20)) {
      w.looked = now;
      if (!OneColour(Grab(id))) {
        w.shot.painted_ms =
            int(std::chrono::duration_cast<std::chrono::milliseconds>(now - w.since).count());
      }
    }
    if (!viewable) {
      w.shot.vanished = true;
    } else if (now - w.since >= kGrabAfter) {
      w.shot.image = Grab(id, &w.shot.place);
      w.shot.taken = true;
    }
  }
}

// The window's rectangle read from the root window: what the screen shows there, whoever drew it.
QImage ScreenWatch::Grab(uint32_t window, QRect* place_out) {
  auto geometry =
      Own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
  auto place = Own(xcb_translate_coordinates_reply(
      connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
  if (!geometry || !place) return {};
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
  const int x = std::max<int>(place->dst_x, 0);
  const int y = std::max<int>(place->dst_y, 0);
  const int w = std::min<int>(place->dst_x + geometry->width, screen->width_in_pixels) - x;
  const int h = std::min<int>(place->dst_y + geometry->height, screen->height_in_pixels) - y;
  if (w <= 0 || h <= 0) return {};
  if (place_out != nullptr) *place_out = QRect(x, y, w, h);
  auto image =
      Own(xcb_get_image_reply(connection_,
                              xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_,
                                            int16_t(x), int16_t(y), uint16_t(w), uint16_t(h), ~0u),
                              nullptr));
  if (!image || xcb_get_image_data_length(image.get()) < w * h * 4) return {};
  // A 24-bit screen keeps 32 bits per pixel, blue first: Qt's RGB32 in memory.
  return QImage(xcb_get_image_data(image.get()), w, h, w * 4, QImage::Format_RGB32).copy();
}

bool OneColour(const QImage& image) {
  if (image.isNull()) return true;
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xffffff) != (first & 0xffffff)) return false;
    }
  }
  return true;
}

}  // namespace kelm::test
