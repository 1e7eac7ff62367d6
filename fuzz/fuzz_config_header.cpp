// The header's two outside inputs, the first byte picking which: an RTF file, and the printer's
// "#u" answer read through a buffer of exactly its size. A file that reads must write a file that
// reads into the same model; a header read back must save to an RTF file that loads unchanged
// (what kelmctl and the dialog do with it); and either must build a frame or be refused.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "config/header.h"
#include "config/header_rtf.h"

namespace {

void MustRoundTrip(const kelm::HeaderModel& model) {
  kelm::HeaderModel again;
  if (!kelm::ReadHeaderRtf(kelm::WriteHeaderRtf(model), &again) || !(again == model)) std::abort();
  kelm::ConfigFrame frame;
  kelm::BuildHeaderFrame(model, 42, 2, 1, 0, &frame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<char> bytes(data + 1, data + size);
  if (data[0] % 2 == 0) {
    kelm::HeaderModel model;
    if (kelm::ReadHeaderRtf(std::string_view(bytes.data(), bytes.size()), &model)) {
      MustRoundTrip(model);
    }
  } else {
    MustRoundTrip(kelm::ParseHeaderAnswer(bytes.data(), bytes.size()));
  }
  return 0;
}
