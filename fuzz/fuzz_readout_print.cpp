// Arbitrary bytes as a readout text file being printed: the blocks and the page layout must
// neither crash nor loop, whatever the file holds. Bytes 0 and 1 pick the page and font sizes;
// the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readout/report_print.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  kelm::PrintGeometry g;
  g.char_width = 1 + data[0] % 40;
  g.line_height = 1 + data[1] % 60;
  g.page_width = 50 * (data[0] % 120);
  g.page_height = 40 * (data[1] % 200);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const auto pages = kelm::LayOutReport(kelm::ReadReportBlocks(text), g);
  return pages.empty() ? 1 : 0;
}
