// Rendering and parsing of the display text mnemonics.
#include "protocol/display_text.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "protocol/win1250.h"

namespace kelm {
namespace {

struct Mnemonic {
  uint8_t byte;
  const char* text;
};

constexpr Mnemonic kNamed[] = {
    {0x1B, "<ESC>"}, {0x0D, "<CR >"}, {0x0A, "<LF >"}, {0x05, "<ENQ>"}, {0x07, "<BEL>"},
    {0x10, "<DLE>"}, {0x18, "<CAN>"}, {0x0E, "<SO >"}, {0x14, "<DC4>"},
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The byte a collected five-character candidate stands for, or -1 when it is no mnemonic.
int MnemonicByte(std::string_view candidate) {
  if (candidate.size() != 5) return -1;
  for (const Mnemonic& m : kNamed) {
    if (candidate == m.text) return m.byte;
  }
  const int hi = HexValue(candidate[1]);
  const int lo = HexValue(candidate[2]);
  if (candidate[0] == '<' && hi >= 0 && lo >= 0 && candidate[3] == 'H' && candidate[4] == '>') {
    return hi * 16 + lo;
  }
  return -1;
}

void AppendByte(std::string& out, uint8_t b) {
  for (const Mnemonic& m : kNamed) {
    if (m.byte == b) {
      out += m.text;
      return;
    }
  }
  if (b < 0x20 || b > 0x7E) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "<%02XH>", b);
    out += buf;
  } else {
    out += static_cast<char>(b);
  }
}

}  // namespace

std::string FrameToDisplayText(const char* bytes) {
  std::string out;
  for (const char* p = bytes; *p != '\0'; ++p) {
    const auto b = static_cast<uint8_t>(*p);
    if (b == '<') {
      // A "<" whose following bytes would read as a mnemonic is itself written as one, so that
      // the text parses back to the same bytes.
      std::string ahead = "<";
      for (const char* q = p + 1; *q != '\0' && ahead.size() < 5; ++q) {
        AppendByte(ahead, static_cast<uint8_t>(*q));
      }
      if (MnemonicByte(ahead.substr(0, 5)) >= 0) {
        out += "<3CH>";
        continue;
      }
    }
    AppendByte(out, b);
  }
  return out;
}

size_t DisplayTextToFrame(std::string_view text, char* destination, size_t capacity) {
  if (capacity == 0) return 0;
  const std::string bytes = Utf8ToCp1250(text);
  size_t written = 0;
  size_t i = 0;
  while (i < bytes.size() && written + 1 < capacity) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c == '<') {
      std::string candidate;
      size_t j = i;
      while (j < bytes.size() && candidate.size() < 5) {
        const char d = bytes[j++];
        if (d == '\r' || d == '\n') continue;
        candidate += d;
        if (d == '>') break;
      }
      const int value = MnemonicByte(candidate);
      if (value >= 0) {
        destination[written++] = static_cast<char>(value);
        i = j;
        continue;
      }
    }
    destination[written++] = c;
    ++i;
  }
  destination[written] = '\0';
  return written;
}

}  // namespace kelm
