// The frames of the picture commands, formatted with snprintf from their byte layouts.
#include "graphics/picture_frames.h"

#include <cstdio>

namespace kelm {
namespace {

std::string Format(const char* layout, auto... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, layout, args...);
  return n > 0 && static_cast<size_t>(n) < sizeof buffer ? std::string(buffer, n) : std::string();
}

constexpr char kEscChar = 0x1B;
constexpr char kEnqChar = 0x05;
const std::string kEnd = "\x1B\\";

}  // namespace

char SlotDigit(int slot) {
  static const char kDigits[] = "0123456789ABCDEF";
  return kDigits[slot & 15];
}

std::string SlotPartFrame(int slot, int part, std::string_view hex) {
  return Format("%cP255;%c;%c$d", kEscChar, SlotDigit(part), SlotDigit(slot)) + std::string(hex) +
         kEnd + kEnqChar;
}

std::string SlotEraseFrame(int slot) {
  return Format("%cP253;%c;0$d", kEscChar, SlotDigit(slot)) + kEnd;
}

std::string SlotReadFrame(int slot) {
  return Format("%cP252;%c;0;$d", kEscChar, SlotDigit(slot)) + kEnd + kEnqChar;
}

std::string HeaderRowFrame(const HeaderRowFields& f, std::string_view hex) {
  return Format("%cP251;%02d;%c;%02d;%c;%c%s$d", kEscChar, f.row % 100, f.last ? '1' : '0',
                f.width_bytes % 100, f.alignment, f.footer ? '1' : '0',
                f.without_confirmation ? ";170" : "") +
         std::string(hex) + kEnd;
}

std::string FarewellPartFrame(int part, std::string_view hex) {
  return Format("%cP248;%c$d", kEscChar, SlotDigit(part)) + std::string(hex) + kEnd;
}

}  // namespace kelm
