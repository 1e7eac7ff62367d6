// An in-process link to the virtual printer, for tests that do not exercise the OS device path.
//
// Bytes written are handled by the printer at once; its answers wait in a queue until read.
// Use it where a test would otherwise open a pseudo-terminal or a socket only to reach kelmemu:
//
//   kelm::emu::Printer printer;
//   kelm::emu::Attachment link(printer);
//   link.Write("\x05", 1);
//   char status;
//   link.Read(&status, 1);  // 0x64 or similar: the ENQ status byte
#pragma once

#include <cstddef>
#include <string>

#include "emulator/printer.h"

namespace kelm::emu {

class Attachment {
 public:
  explicit Attachment(Printer& printer) : printer_(printer) {}

  // Hands the bytes to the printer; always takes them all.
  size_t Write(const void* data, size_t size);
  // Takes up to `max` answer bytes; 0 when the printer has said nothing more.
  size_t Read(void* data, size_t max);
  size_t Pending() const { return pending_.size(); }
  // Drops answer bytes not read yet.
  void Purge() { pending_.clear(); }

 private:
  Printer& printer_;
  std::string pending_;
};

}  // namespace kelm::emu
