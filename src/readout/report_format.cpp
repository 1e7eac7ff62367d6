// Line and number shapes of the periodic report.
#include "readout/report_format.h"

#include <cstdarg>

#include "protocol/win1250.h"

namespace kelm {

void FileSink::Write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

void WriteReportLine(LineSink& sink, std::string_view text) {
  std::string line;
  line.reserve(text.size() + 2);
  line.append(text);
  line.append("\r\n");
  sink.Write(line);
}

std::string Cp(std::string_view utf8) {
  return Utf8ToCp1250(utf8);
}

std::string Format(const char* fmt, ...) {
  char buffer[256];
  va_list args;
  va_start(args, fmt);
  const int n = std::vsnprintf(buffer, sizeof buffer, fmt, args);
  va_end(args);
  if (n < 0) return "";
  if (size_t(n) < sizeof buffer) return std::string(buffer, size_t(n));
  std::string text(size_t(n) + 1, '\0');
  va_start(args, fmt);
  std::vsnprintf(text.data(), text.size(), fmt, args);
  va_end(args);
  text.resize(size_t(n));
  return text;
}

std::string Centred(std::string_view text) {
  if (text.size() > kReportWidth) return std::string(text);
  std::string line(kReportWidth, ' ');
  line.replace((kReportWidth - text.size()) / 2, text.size(), text);
  return line;
}

std::string TwoColumn(std::string_view label, std::string_view value) {
  std::string line(kReportWidth, ' ');
  if (value.size() <= kReportWidth) {
    line.replace(kReportWidth - value.size(), value.size(), value);
  } else {
    line = std::string(value);
  }
  if (label.size() > line.size()) line.resize(label.size(), ' ');
  line.replace(0, label.size(), label);
  return line;
}

std::string Separator() {
  return std::string(kReportWidth, '-');
}

std::string BlockSeparator() {
  return Separator() + "  ";
}

std::string ShortAmount(uint32_t g) {
  return Format("%8lu%c%2.2d", (unsigned long)(g / 100), ',', int(g % 100));
}

std::string CompactAmount(uint32_t g) {
  return Format("%lu%c%2.2d", (unsigned long)(g / 100), ',', int(g % 100));
}

std::string LongAmount(const AmountPair& a) {
  if (a.high == 0) {
    return Format("    %7lu%c%2.2d", (unsigned long)(a.low / 100), ',', int(a.low % 100));
  }
  return Format("%4lu%07lu%c%2.2d", (unsigned long)a.high, (unsigned long)(a.low / 100), ',',
                int(a.low % 100));
}

std::string CompactLongAmount(const AmountPair& a) {
  if (a.high == 0) return CompactAmount(a.low);
  return Format("%lu%07lu%c%2.2d", (unsigned long)a.high, (unsigned long)(a.low / 100), ',',
                int(a.low % 100));
}

std::string DateText(const PackedDate& d) {
  return Format("%02d-%02d-%2d%02d", d.day, d.month, d.century, d.year);
}

std::string TimeText(unsigned hour, unsigned minute) {
  return Format("%2d:%2.2d", hour, minute);
}

std::string RateText(uint16_t r) {
  return Format("%lu%c%2.2d", (unsigned long)(r / 100), ',', r % 100);
}

}  // namespace kelm
