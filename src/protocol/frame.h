// Command frames and answers: the two process-wide buffers, template formatting, the check slot,
// and the status bits of the ENQ and DLE bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace kelm {

inline constexpr size_t kFrameBufferSize = 5120;

inline constexpr char kEsc = 0x1B;
inline constexpr char kBackslash = 0x5C;
inline constexpr char kEnq = 0x05;
inline constexpr char kDle = 0x10;
inline constexpr char kCan = 0x18;

// The frame a command dialog builds and hands to SendFrame; NUL-terminated.
extern char CommandFrame[kFrameBufferSize];
// The bytes of the last answer, NUL-terminated by the receiver.
extern char AnswerBuffer[kFrameBufferSize];

// Empties both buffers (start of the process, start of every test).
void ResetFrameBuffers();

// Writes the check value into the slot before the closing ESC 5Ch of a frame that starts with
// ESC "P", and a NUL right after the 5Ch. The covered bytes run from the byte after "P" to the
// slot. `capacity` bounds every read and write; nothing is written outside it.
void ApplyChecksum(char* frame, size_t capacity = kFrameBufferSize);

// Tells whether a stored template carries a check slot ("xx", "cc" or "XX" right before the
// final "%c%c").
bool TemplateHasCheckSlot(const char* tmpl);

// Formats a stored template into `dst` (snprintf; "." is the decimal point whatever the locale,
// since the program keeps LC_NUMERIC at "C"). Returns the frame's length, or -1 when it would
// not fit; `dst` is then left empty so that no truncated frame can be sent.
template <class... Args>
int FormatFrame(char* dst, size_t capacity, const char* tmpl, Args... args) {
  const int n = std::snprintf(dst, capacity, tmpl, args...);
  if (n < 0 || static_cast<size_t>(n) >= capacity) {
    if (capacity > 0) dst[0] = '\0';
    return -1;
  }
  return n;
}

// FormatFrame into CommandFrame.
template <class... Args>
int FormatCommand(const char* tmpl, Args... args) {
  return FormatFrame(CommandFrame, kFrameBufferSize, tmpl, args...);
}

// Status bits of the byte answered to ENQ.
inline constexpr uint8_t kEnqLastTransactionOk = 0x01;
inline constexpr uint8_t kEnqInTransaction = 0x02;
inline constexpr uint8_t kEnqLastCommandOk = 0x04;
inline constexpr uint8_t kEnqFiscalMode = 0x08;
// Status bits of the byte answered to DLE.
inline constexpr uint8_t kDleMechanismFault = 0x01;
inline constexpr uint8_t kDlePaperOut = 0x02;
inline constexpr uint8_t kDleOnLine = 0x04;
// A printer's DLE byte has bits 4, 5, 6 set and bits 3, 7 clear.
inline constexpr uint8_t kDleSignatureMask = 0xF8;
inline constexpr uint8_t kDleSignature = 0x70;

struct StatusBitCaption {
  uint8_t bit;
  const char* caption;  // UTF-8, as the status dialog shows it
};
extern const StatusBitCaption kEnqBitCaptions[4];
extern const StatusBitCaption kDleBitCaptions[3];

}  // namespace kelm
