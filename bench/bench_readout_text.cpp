// Time and memory of turning a year and more of daily reports (10,000 of the invoice printer's
// layout 290, with their digests) into the periodic report text. Prints what it measured.
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "readout/periodic_report.h"

namespace {

class Record {
 public:
  explicit Record(size_t length) : body_(length, 0) {}
  Record& U8(size_t at, uint8_t v) {
    body_[at] = v;
    return *this;
  }
  Record& U16(size_t at, uint16_t v) { return U8(at, uint8_t(v)).U8(at + 1, uint8_t(v >> 8)); }
  Record& U32(size_t at, uint32_t v) { return U16(at, uint16_t(v)).U16(at + 2, uint16_t(v >> 16)); }
  Record& Text(size_t at, const char* text) {
    for (size_t i = 0; text[i] != 0; ++i) body_[at + i] = uint8_t(text[i]);
    return *this;
  }
  Record& Date(size_t at, int year, int month, int day) {
    return U8(at, 20).U8(at + 1, uint8_t(year)).U8(at + 2, uint8_t(month)).U8(at + 3, uint8_t(day));
  }
  void AppendTo(std::string* stream, int type) {
    unsigned sum = 0xFF;
    for (size_t i = 0; i + 1 < body_.size(); ++i) sum += body_[i];
    body_.back() = uint8_t(0x100 - (sum & 0xFF));
    stream->push_back(char(type));
    stream->append(body_.begin(), body_.end());
  }

 private:
  std::vector<uint8_t> body_;
};

std::string YearsOfReports(int count, uint32_t* due, uint32_t* vat) {
  std::string s;
  Record(458).Text(0, "\x0eSKLEP\x14\nul. Polna 1\n00-001 Warszawa").AppendTo(&s, 0);
  Record(16).Text(0, "ABC 12345678").AppendTo(&s, 1);
  Record(10).U8(1, 1).AppendTo(&s, 2);
  Record(18).Text(0, "525-000-00-00").AppendTo(&s, 3);
  Record(8).Date(0, 26, 12, 9).U8(4, 14).AppendTo(&s, 6);
  Record(34).Text(0, "Kasa 1").AppendTo(&s, 7);
  Record(10).Text(0, "OPF").AppendTo(&s, 8);
  Record(58)
      .U16(2, uint16_t(count))
      .Date(21, 0, 1, 1)
      .Date(28, 27, 12, 31)
      .U32(49, 1)
      .U32(53, uint32_t(count))
      .AppendTo(&s, 10);
  Record(16).Date(2, 0, 1, 1).Text(9, "PLN").U16(13, 1).AppendTo(&s, 12);
  *due = 0;
  *vat = 0;
  uint64_t running_vat = 0, runningDue = 0;
  for (int n = 1; n <= count; ++n) {
    Record r(290);
    const uint32_t sale = 10000 + uint32_t(n % 977) * 13, tax = sale * 23 / 123;
    running_vat += tax;
    runningDue += sale + 500;
    r.U16(1, uint16_t(n)).Date(3, uint8_t(n / 365), uint8_t(1 + n % 12), uint8_t(1 + n % 28));
    r.U8(7, 21).U8(10, 26).U8(11, 1).U8(12, 1).U8(13, 8).U8(14, 0);
    r.U8(15, 26).U8(16, 1).U8(17, 1).U8(18, 20).U8(19, 59).U8(20, 1);
    r.U16(31, uint16_t(n % 300)).U16(37, uint16_t(n % 7)).U32(39, tax).U32(99, sale);
    r.U32(107, 500).U32(155, sale + 500);
    r.U16(159, uint16_t(running_vat / 1000000000)).U32(161, uint32_t(running_vat % 1000000000));
    r.U16(243, uint16_t(running_vat / 1000000000)).U32(245, uint32_t(running_vat % 1000000000));
    r.U16(249, uint16_t(runningDue / 1000000000)).U32(251, uint32_t(runningDue % 1000000000));
    r.U16(275, 0x01).AppendTo(&s, 5);
    if (n == 1) {
      Record(31).U8(1, 1).Date(2, 26, 1, 1).U16(9, 2300).U8(23, 1).U8(25, 2).AppendTo(&s, 4);
    }
    *due += sale + 500;
    *vat += tax;
  }
  Record(58).U16(2, uint16_t(count)).U32(8, *due).U32(16, *vat).AppendTo(&s, 11);
  return s;
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main() {
  const int kReports = 10000;
  uint32_t due, vat;
  const std::string stream = YearsOfReports(kReports, &due, &vat);
  const long before = PeakKiB();

  std::FILE* out = std::tmpfile();
  if (out == nullptr) return 1;
  kelm::FileSink sink(out);
  kelm::ReadoutModel model;
  model.copy_mode = 2;
  model.version = 200;
  model.configured_copy_mode = 2;
  kelm::BufferRecordLink link(stream);
  const auto start = std::chrono::steady_clock::now();
  const kelm::ReadoutResult result = kelm::ReadPeriodicReport(link, model, {}, sink, "09-12-2026");
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long text = std::ftell(out);
  std::fclose(out);

  std::printf("readout text, layout 290: %d daily reports, %zu bytes of records\n", kReports,
              stream.size());
  std::printf("  result %d, %s; %ld bytes of text\n", result.code,
              result.success ? "verified" : "NOT verified", text);
  std::printf("  time %.3f s (%.1f us per report)\n", seconds, seconds * 1e6 / kReports);
  std::printf("  peak memory %ld KiB (%ld KiB before the readout, records included)\n", PeakKiB(),
              before);
  std::printf("  at 115200 bit/s the records alone take %.1f s on the line\n",
              double(stream.size()) * 10 / 115200);
  return result.success ? 0 : 1;
}
