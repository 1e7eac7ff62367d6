// The shapes of the periodic report's lines and numbers, and the writing of one line. Texts are
// Windows-1250 bytes, one byte per column, as the printer prints them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "readout/records.h"

namespace kelm {

inline constexpr size_t kReportWidth = 42;

// Where report lines go: the work file during a readout, memory in tests and tools.
class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

class StringSink : public LineSink {
 public:
  void Write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

// Writes to an open file; remembers whether any write failed.
class FileSink : public LineSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Write(std::string_view bytes) override;
  bool failed() const { return failed_; }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

// The text and CR LF.
void WriteReportLine(LineSink& sink, std::string_view text);

// A UTF-8 text of this program as Windows-1250 bytes.
std::string Cp(std::string_view utf8);
// snprintf into a string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// The text at column (42 - length) / 2 on a line of 42 spaces; a longer text stands alone.
std::string Centred(std::string_view text);
// The label from column 0 and the value ending at column 41; the label wins where they meet.
std::string TwoColumn(std::string_view label, std::string_view value);
std::string Separator();
// A separator that ends a block for printing.
std::string BlockSeparator();

std::string ShortAmount(uint32_t grosze);    // "%8lu,%02d"
std::string CompactAmount(uint32_t grosze);  // "%lu,%02d"
std::string LongAmount(const AmountPair& a);
std::string CompactLongAmount(const AmountPair& a);
std::string DateText(const PackedDate& d);  // day-month-century year
std::string TimeText(unsigned hour, unsigned minute);
std::string RateText(uint16_t hundredths);

}  // namespace kelm
