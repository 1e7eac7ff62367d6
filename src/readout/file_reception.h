// What the binary transfer and the raw memory readout share: the "Pobierz do pliku" group, a
// target file chosen with the question before replacing it, the bytes the printer sends stored
// into it with their count shown, and the captions of its button.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "protocol/operator.h"

namespace kelm {

class FileReception : public ModalWait {
 public:
  FileReception() = default;
  FileReception(const FileReception&) = delete;
  FileReception& operator=(const FileReception&) = delete;

  // The file choice ("..." of the group): a file that exists is replaced only on Yes.
  void ChooseTarget(const std::string& name);
  // "&Odbierz" / "&Przerwij Odbieranie".
  virtual void ReceiveClick() = 0;

  bool receiving() const { return receiving_; }
  // True once the port could not be put back: the dialog closes.
  bool close_requested() const { return close_requested_; }
  // What the dialog shows (UTF-8).
  const std::string& edit2() const { return edit2_; }
  const std::string& label3() const { return label3_; }
  bool label3_visible() const { return label3_visible_; }
  const char* ReceiveCaption() const { return receiving_ ? "&Przerwij Odbieranie" : "&Odbierz"; }
  bool receive_enabled() const { return !edit2_.empty(); }
  bool choose_target_enabled() const { return !receiving_; }
  uint64_t bytes_received() const { return received_; }

 protected:
  // Opens the chosen file for a reception ("Nie mogę utworzyć pliku..." and no file chosen when
  // it cannot be created); the count starts at 0.
  bool OpenTarget();
  // Stores what came; false (the message shown) when the file did not take it all, so that
  // nothing is lost silently: the caller ends the reception.
  bool StoreReceived(const char* bytes, size_t n);
  // Closes the file; the reception is over and the file choice cleared.
  void CloseTarget();

  std::string edit2_, label3_;
  bool label3_visible_ = false;
  bool receiving_ = false;
  bool close_requested_ = false;
  uint64_t received_ = 0;

 private:
  std::FILE* target_ = nullptr;
};

// The question before a chosen target file is replaced; true to go on (also when it is new).
bool ConfirmTarget(const std::string& name);

}  // namespace kelm
