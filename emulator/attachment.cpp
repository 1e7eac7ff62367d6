// The in-process link to the virtual printer.
#include "emulator/attachment.h"

#include <algorithm>
#include <cstring>

namespace kelm::emu {

size_t Attachment::Write(const void* data, size_t size) {
  pending_ += printer_.Handle(std::string_view(static_cast<const char*>(data), size));
  return size;
}

size_t Attachment::Read(void* data, size_t max) {
  size_t n = std::min(max, pending_.size());
  memcpy(data, pending_.data(), n);
  pending_.erase(0, n);
  return n;
}

}  // namespace kelm::emu
