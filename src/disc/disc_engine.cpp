// The disc engine over the burning libraries' C side.
#include "disc/disc_engine.h"

#include <chrono>
#include <cstdlib>

#include "disc/disc_burn.h"

namespace kelm {
namespace {

// The addresses of KELM_DISC_DRIVES, blanks around each removed, empty ones skipped.
std::vector<std::string> ExtraDrives() {
  std::vector<std::string> out;
  const char* list = std::getenv("KELM_DISC_DRIVES");
  if (list == nullptr) return out;
  std::string all = list;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(',', start);
    if (end == std::string::npos) end = all.size();
    std::string item = all.substr(start, end - start);
    const size_t first = item.find_first_not_of(" \t");
    const size_t last = item.find_last_not_of(" \t");
    if (first != std::string::npos) out.push_back(item.substr(first, last - first + 1));
    start = end + 1;
  }
  return out;
}

std::string TakeMessage() {
  char text[1024];
  kelm_burn_message(text, sizeof text);
  return text;
}

}  // namespace

BurnEngine::BurnEngine() = default;

BurnEngine::~BurnEngine() {
  Stop();
  Release(false);
}

bool BurnEngine::Initialise() {
  char reason[1024] = "";
  if (!kelm_burn_initialise(reason, sizeof reason)) {
    std::lock_guard<std::mutex> lock(text_mutex_);
    error_text_ = reason;
    error_ = kDiscLibrary;
    return false;
  }
  if (writing_) return true;
  // The list is read afresh: a drive may have been plugged in since the last showing. The
  // selected drive is let go first, as a scan must not find it locked by ourselves.
  Release(false);
  drives_.clear();
  kelm_burn_scan(
      [](void* context, const char* address, const char* name) {
        auto* drives = static_cast<std::vector<Drive>*>(context);
        drives->push_back({address, std::string(name) + " (" + address + ")"});
      },
      &drives_);
  for (const std::string& address : ExtraDrives()) drives_.push_back({address, address});
  TakeMessage();
  address_ = drives_.empty() ? "" : drives_.front().address;
  return true;
}

std::string BurnEngine::DriveName(int index) const {
  if (index < 0 || index >= DriveCount()) return "";
  return drives_[index].name;
}

bool BurnEngine::SelectDrive(int index) {
  if (index < 0 || index >= DriveCount()) return false;
  SelectAddress(drives_[index].address);
  return true;
}

void BurnEngine::SelectAddress(const std::string& address) {
  if (address == address_ && burn_ != nullptr) return;
  Stop();
  Release(false);
  address_ = address;
}

std::string BurnEngine::VersionText() const {
  char text[256];
  kelm_burn_versions(text, sizeof text);
  return text;
}

bool BurnEngine::Fail(int code) {
  const std::string text = TakeMessage();
  {
    std::lock_guard<std::mutex> lock(text_mutex_);
    if (!text.empty()) error_text_ = text;
  }
  error_ = code;
  return false;
}

std::string BurnEngine::LastErrorText() const {
  std::lock_guard<std::mutex> lock(text_mutex_);
  return error_text_;
}

bool BurnEngine::Acquire() {
  if (burn_ != nullptr) return true;
  if (address_.empty()) return Fail(kDiscNoDrive);
  burn_ = kelm_burn_acquire(address_.c_str());
  if (burn_ == nullptr) return Fail(kDiscNoDrive);
  return true;
}

void BurnEngine::Release(bool eject) {
  Join();
  if (burn_ != nullptr) kelm_burn_release(burn_, eject ? 1 : 0);
  burn_ = nullptr;
}

bool BurnEngine::DriveReady() {
  if (writing_) return Fail(kDiscBusy);
  // A disc may have been changed since the last look: the drive is asked afresh.
  Release(false);
  if (!Acquire()) return false;
  const int medium = kelm_burn_medium(burn_);
  if (medium != KELM_MEDIUM_BLANK && medium != KELM_MEDIUM_APPENDABLE) return Fail(kDiscNoMedium);
  return true;
}

void BurnEngine::PrepareNewWrite() {
  close_disc_ = false;
  speed_ = 0;
  label_.clear();
  error_ = kDiscOk;
  {
    std::lock_guard<std::mutex> lock(text_mutex_);
    error_text_.clear();
  }
  progress_ = 0;
}

int BurnEngine::MaxWriteSpeed() {
  return Acquire() ? kelm_burn_max_speed(burn_) : 0;
}

bool BurnEngine::HasPreviousSession() {
  if (!Acquire()) return false;
  const int medium = kelm_burn_medium(burn_);
  return medium == KELM_MEDIUM_APPENDABLE || medium == KELM_MEDIUM_FULL;
}

bool BurnEngine::ImportPreviousSession() {
  if (!Acquire()) return false;
  if (kelm_burn_load_tree(burn_, 1)) return true;
  return Fail(kDiscImport);
}

bool BurnEngine::AddFile(const std::string& source, const std::string& name) {
  if (!Acquire()) return false;
  if (name.empty() || name.find('/') != std::string::npos) return Fail(kDiscAddFile);
  if (kelm_burn_add_file(burn_, source.c_str(), name.c_str())) return true;
  return Fail(kDiscAddFile);
}

int BurnEngine::StartWrite(Completion done) {
  if (writing_) {
    Fail(kDiscBusy);
    return 0;
  }
  Join();
  if (!Acquire()) return 0;
  stopping_ = false;
  progress_ = 0;
  if (!kelm_burn_start(burn_, close_disc_ ? 1 : 0, speed_, label_.c_str())) {
    Fail(kDiscRefused);
    return 0;
  }
  writing_ = true;
  waiter_ = std::thread([this, done = std::move(done)] {
    Wait();
    const bool ok = kelm_burn_finish(burn_) != 0;
    if (ok) {
      error_ = kDiscOk;
    } else {
      Fail(stopping_ ? kDiscStopped : kDiscWriteFailed);
    }
    progress_ = ok ? 100 : progress_.load();
    writing_ = false;
    if (done) done(!ok);
  });
  return 1;
}

void BurnEngine::Wait() {
  int percent = 0;
  while (kelm_burn_busy(burn_, &percent)) {
    progress_ = percent;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void BurnEngine::Join() {
  if (waiter_.joinable()) waiter_.join();
}

void BurnEngine::Stop() {
  if (burn_ != nullptr && writing_) {
    stopping_ = true;
    kelm_burn_cancel(burn_);
  }
  Join();
}

void BurnEngine::Eject() {
  Stop();
  Release(true);
}

}  // namespace kelm
