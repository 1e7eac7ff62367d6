// Arbitrary bytes as a fiscal-memory record stream: the decoder and the report text must neither
// crash nor read or write outside their buffers. Byte 0 picks the printer type, byte 1 the
// request; the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readout/periodic_report.h"
#include "readout/report_title.h"

namespace {

// Counts the text instead of keeping it, so long garbage streams stay cheap.
class CountingSink : public kelm::LineSink {
 public:
  void Write(std::string_view bytes) override { size += bytes.size(); }
  size_t size = 0;
};

kelm::ReadoutModel PrinterType(uint8_t pick) {
  // family, bus variant, copy mode, version: the seven layouts and the configured SALVO.
  static const int kTypes[8][4] = {{2, 0, 0, 200}, {2, 1, 0, 200}, {2, 1, 0, 300}, {2, 0, 1, 200},
                                   {2, 0, 2, 100}, {2, 0, 2, 200}, {2, 2, 2, 100}, {1, 0, 0, 100}};
  const int* t = kTypes[pick % 8];
  kelm::ReadoutModel m;
  m.family = t[0];
  m.bus_variant = t[1];
  m.copy_mode = t[2];
  m.version = t[3];
  m.configured_copy_mode = (pick & 8) ? 2 : 0;
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const kelm::ReadoutModel model = PrinterType(data[0]);
  kelm::ReportRequest request;
  request.by_numbers = data[1] & 1;
  request.monthly = data[1] & 2;
  request.full = !(data[1] & 4);
  request.emergency = data[1] & 8;
  kelm::BufferRecordLink link(std::string(reinterpret_cast<const char*>(data + 2), size - 2));
  CountingSink sink;
  const kelm::ReadoutResult result =
      kelm::ReadPeriodicReport(link, model, request, sink, "09-12-2026");
  kelm::ReportNaming naming;
  naming.model = model;
  naming.unique_number = result.unique_number;
  naming.first_number = result.first_number;
  naming.last_number = result.last_number;
  naming.mode = kelm::ReadoutMode(data[1] % 3);
  kelm::MakeReportTitle(naming);
  kelm::MakeReportFileName(naming);
  return 0;
}
