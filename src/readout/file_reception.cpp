// The receiving half of the transfer dialogs' engines.
#include "readout/file_reception.h"

#include <sys/stat.h>

namespace kelm {

bool ConfirmTarget(const std::string& name) {
  struct stat info {};
  if (stat(name.c_str(), &info) != 0) return true;
  return TheOperator().AskYesNo("Plik " + name + " już istnieje.Kontynuować? ");
}

void FileReception::ChooseTarget(const std::string& name) {
  edit2_ = name;
  if (!ConfirmTarget(name)) edit2_.clear();
}

bool FileReception::OpenTarget() {
  label3_visible_ = true;
  target_ = std::fopen(edit2_.c_str(), "wb");
  if (target_ == nullptr) {
    TheOperator().ShowMessage("Nie mogę utworzyć pliku" + edit2_ + ".");
    edit2_.clear();
    return false;
  }
  received_ = 0;
  label3_ = "Odebrano 0 bajtów.";
  return true;
}

bool FileReception::StoreReceived(const char* bytes, size_t n) {
  received_ += n;
  label3_ = "Odebrano " + std::to_string(received_) + " bajtów.";
  if (std::fwrite(bytes, 1, n, target_) == n) return true;
  // A full disc would silently drop what the printer sends: the reception stops and says so.
  TheOperator().ShowMessage("Nie mogę zapisać pliku" + edit2_ + ".");
  return false;
}

void FileReception::CloseTarget() {
  if (target_ != nullptr) std::fclose(target_);
  target_ = nullptr;
  receiving_ = false;
  edit2_.clear();
}

}  // namespace kelm
