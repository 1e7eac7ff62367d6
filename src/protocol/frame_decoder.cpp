// The frame decoder.
#include "protocol/frame_decoder.h"

namespace kelm {

std::vector<DecodedItem> DecodeBytes(std::string_view bytes, const DecodeOptions& options) {
  DecodedItem item;
  item.direction = options.direction;
  item.raw.assign(bytes);
  return {item};
}

std::vector<DecodedItem> FrameDecoder::Feed(Direction direction, std::string_view bytes) {
  return DecodeBytes(bytes, {direction, letter_coding_});
}

std::vector<DecodedItem> FrameDecoder::Flush() {
  return {};
}

std::string SummarizeItem(const DecodedItem& item) {
  return HexBytes(item.raw);
}
std::string RenderItem(const DecodedItem& item) {
  return SummarizeItem(item) + "\n";
}
std::string RenderItems(const std::vector<DecodedItem>& items) {
  std::string out;
  for (const auto& item : items) out += RenderItem(item);
  return out;
}

std::string HexBytes(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

}  // namespace kelm
