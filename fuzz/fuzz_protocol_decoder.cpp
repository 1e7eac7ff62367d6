// Arbitrary bytes through the decoder, in every direction and whole or cut in two blocks:
// every byte must come back in exactly one item, in order, and the rendering must not fail.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/frame_decoder.h"

namespace {

void Check(const std::vector<kelm::DecodedItem>& items, std::string_view bytes) {
  std::string joined;
  for (const kelm::DecodedItem& item : items) joined += item.raw;
  if (joined != bytes) std::abort();
  if (kelm::RenderItems(items).empty() != items.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const uint8_t coding = size > 0 ? data[0] % 4 : 0;
  for (const kelm::Direction d :
       {kelm::Direction::kUnknown, kelm::Direction::kToPrinter, kelm::Direction::kFromPrinter}) {
    Check(kelm::DecodeBytes(bytes, {d, coding}), bytes);
  }
  // The same bytes as two blocks of one direction: what the decoder holds comes out in Flush.
  kelm::FrameDecoder decoder(coding);
  const size_t cut = size / 2;
  std::vector<kelm::DecodedItem> items =
      decoder.Feed(kelm::Direction::kToPrinter, bytes.substr(0, cut));
  for (auto& item : decoder.Feed(kelm::Direction::kToPrinter, bytes.substr(cut)))
    items.push_back(std::move(item));
  for (auto& item : decoder.Flush()) items.push_back(std::move(item));
  Check(items, bytes);
  return 0;
}
