// The disc-writing engine: the operations the disc writing dialog and kelmctl use, and the
// engine over the system's burning libraries that writes ISO 9660 sessions (Rock Ridge and
// Joliet names) to optical drives and to image files.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct kelm_burn;

namespace kelm {

// The engine's error codes, shown to the operator as numbers.
enum DiscError : int {
  kDiscOk = 0,
  kDiscLibrary = 1,      // the burning libraries did not start
  kDiscNoDrive = 2,      // no drive selected, or it could not be acquired
  kDiscNoMedium = 3,     // no disc, or one that takes no further session
  kDiscImport = 4,       // the previous session could not be read
  kDiscAddFile = 5,      // the file could not be put into the session
  kDiscRefused = 6,      // the drive refused the job (medium or mode unsuitable)
  kDiscWriteFailed = 7,  // writing started and failed
  kDiscStopped = 8,      // writing was stopped
  kDiscBusy = 9,         // a write is still running
};

class DiscEngine {
 public:
  // Called once when an asynchronous write has ended, maybe on another thread; `failed` is
  // true when the session was not written.
  using Completion = std::function<void(bool failed)>;

  virtual ~DiscEngine() = default;
  // Starts the libraries and lists the drives again; false when the libraries failed.
  virtual bool Initialise() = 0;
  virtual int DriveCount() const = 0;
  virtual std::string DriveName(int index) const = 0;
  // Later operations act on this drive; false for an index out of range.
  virtual bool SelectDrive(int index) = 0;
  virtual std::string VersionText() const = 0;
  // True when the selected drive holds a disc that takes a new session.
  virtual bool DriveReady() = 0;
  // Forgets the options and the file of an earlier write: a new session image begins.
  virtual void PrepareNewWrite() = 0;
  virtual void SetCloseDisc(bool close) = 0;
  // In kB/s; 0 when the drive does not say.
  virtual int MaxWriteSpeed() = 0;
  // In kB/s; 0 lets the drive choose.
  virtual void SetWriteSpeed(int speed) = 0;
  virtual void SetVolumeLabel(const std::string& label) = 0;
  virtual bool HasPreviousSession() = 0;
  // Takes the files of the disc's last session into the new session; false when it failed.
  virtual bool ImportPreviousSession() = 0;
  // Puts the file `source` into the session's root as `name`; false when it cannot.
  virtual bool AddFile(const std::string& source, const std::string& name) = 0;
  // Starts writing the session; returns 1 when writing has started (`done` then follows once),
  // 0 otherwise (`done` is not called).
  virtual int StartWrite(Completion done) = 0;
  virtual int LastErrorCode() const = 0;
  // Ends a running write; returns when the drive is idle again.
  virtual void Stop() = 0;
  virtual void Eject() = 0;

  // For a console: the libraries' own words on the last error, and the write's progress in
  // per cent while it runs.
  virtual std::string LastErrorText() const = 0;
  virtual int Progress() const = 0;
};

// The engine over the burning libraries. The drives are the machine's optical drives and then
// the addresses listed, comma-separated, in the environment variable KELM_DISC_DRIVES; an
// address "stdio:/path/image.iso" is an image file taken as a drive, sessions and all.
class BurnEngine : public DiscEngine {
 public:
  BurnEngine();
  ~BurnEngine() override;
  BurnEngine(const BurnEngine&) = delete;
  BurnEngine& operator=(const BurnEngine&) = delete;

  bool Initialise() override;
  int DriveCount() const override { return static_cast<int>(drives_.size()); }
  std::string DriveName(int index) const override;
  bool SelectDrive(int index) override;
  std::string VersionText() const override;
  bool DriveReady() override;
  void PrepareNewWrite() override;
  void SetCloseDisc(bool close) override { close_disc_ = close; }
  int MaxWriteSpeed() override;
  void SetWriteSpeed(int speed) override { speed_ = speed; }
  void SetVolumeLabel(const std::string& label) override { label_ = label; }
  bool HasPreviousSession() override;
  bool ImportPreviousSession() override;
  bool AddFile(const std::string& source, const std::string& name) override;
  int StartWrite(Completion done) override;
  int LastErrorCode() const override { return error_; }
  void Stop() override;
  void Eject() override;
  std::string LastErrorText() const override;
  int Progress() const override { return progress_; }

  // Uses `address` as the selected drive, listed or not (kelmctl burn --drive).
  void SelectAddress(const std::string& address);
  // The addresses behind the names, in list order.
  const std::string& DriveAddress(int index) const { return drives_.at(index).address; }

 private:
  struct Drive {
    std::string address, name;
  };
  bool Acquire();
  void Release(bool eject);
  bool Fail(int code);
  void Wait();
  void Join();

  std::vector<Drive> drives_;
  std::string address_;
  kelm_burn* burn_ = nullptr;
  bool close_disc_ = false;
  int speed_ = 0;
  std::string label_;
  std::atomic<int> error_{kDiscOk};
  // Written by the waiting thread at the end of a write, read by the caller's.
  mutable std::mutex text_mutex_;
  std::string error_text_;
  std::atomic<int> progress_{0};
  std::atomic<bool> writing_{false};
  std::atomic<bool> stopping_{false};
  std::thread waiter_;
};

}  // namespace kelm
