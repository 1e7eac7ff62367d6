// A private X server for tests that must see what a person sees: Xvfb on a free display number,
// optionally a window manager on it, and a watcher that photographs every window of ours from
// the screen itself, on a thread and a connection of its own, so a program that stops painting
// is photographed as it is (black or stale), not as it would paint later.
#pragma once

#include <sys/types.h>

#include <QImage>
#include <QRect>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct xcb_connection_t;

namespace kelm::test {

// Xvfb started with -displayfd, so the server itself picks a display number nobody uses.
class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  // ":N", or "" when the server did not start.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A program run beside the test (the window manager), ended with SIGTERM.
class Companion {
 public:
  Companion(const std::string& program, const std::string& display);
  ~Companion();
  Companion(const Companion&) = delete;
  Companion& operator=(const Companion&) = delete;
  bool running() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

// True once a window manager has announced itself on the display (waits up to `ms`).
bool WaitForWindowManager(const std::string& display, int ms);

struct Shot {
  std::string name;
  QImage image;  // the window's rectangle as the screen shows it
  QRect place;   // where on the screen
  bool taken = false;
  bool vanished = false;  // unmapped before its picture was due
  int painted_ms = -1;    // when the screen first showed more than one colour there
};

class ScreenWatch {
 public:
  // Windows are photographed this long after they appear on the screen.
  static constexpr std::chrono::milliseconds kGrabAfter{400};

  explicit ScreenWatch(const std::string& display);
  ~ScreenWatch();
  ScreenWatch(const ScreenWatch&) = delete;
  ScreenWatch& operator=(const ScreenWatch&) = delete;
  bool connected() const { return connection_ != nullptr; }

  // A window of ours was shown (called from the GUI thread before it may block).
  void Shown(uint32_t window, const std::string& name);
  // True once the picture of the window's latest showing was taken or it vanished before.
  bool Settled(uint32_t window);
  // Every showing so far, in order.
  std::vector<Shot> Shots();

 private:
  struct Watched {
    uint32_t window = 0;
    Shot shot;
    bool seen = false;
    std::chrono::steady_clock::time_point since;
    std::chrono::steady_clock::time_point looked;
  };
  Watched* Latest(uint32_t window);
  void Run();
  void Step();
  QImage Grab(uint32_t window, QRect* place = nullptr);

  xcb_connection_t* connection_ = nullptr;
  uint32_t root_ = 0;
  std::mutex mutex_;
  std::vector<Watched> showings_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// True when every pixel of `image` has one colour (or the image is empty).
bool OneColour(const QImage& image);

}  // namespace kelm::test
