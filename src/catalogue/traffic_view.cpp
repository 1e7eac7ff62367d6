// Decoded traffic rows for the traffic window.
#include "catalogue/traffic_view.h"

#include <cstdio>

#include "link/settings.h"

namespace kelm {

std::string TimeOfDayText(uint32_t time_ms) {
  char text[16];
  const uint32_t s = time_ms / 1000;
  snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", (s / 3600) % 24, (s / 60) % 60, s % 60,
           time_ms % 1000);
  return text;
}

void TrafficView::Append(bool sent, std::string_view bytes, uint32_t time_ms) {
  decoder_.SetLetterCoding(LinkSettings.LetterCoding);
  const Direction direction = sent ? Direction::kToPrinter : Direction::kFromPrinter;
  for (const DecodedItem& item : decoder_.Feed(direction, bytes)) {
    TrafficRow row;
    row.time_ms = time_ms;
    row.sent = sent;
    const std::string rendered = RenderItem(item);
    const size_t end = rendered.find('\n');
    row.summary = rendered.substr(0, end);
    if (end != std::string::npos) row.details = rendered.substr(end + 1);
    row.raw = item.raw;
    row.check_wrong = item.check == CheckState::kWrong || item.check == CheckState::kMissing;
    rows_.push_back(std::move(row));
    ++added_;
    if (rows_.size() > limit_) rows_.pop_front();
  }
}

void TrafficView::Clear() {
  rows_.clear();
  added_ = 0;
  decoder_ = FrameDecoder();
}

std::string TrafficView::Text() const {
  std::string out;
  if (Dropped() > 0) {
    out += "(pominięto " + std::to_string(Dropped()) + " najstarszych pozycji)\n";
  }
  const std::string indent(14, ' ');
  for (const TrafficRow& row : rows_) {
    out += TimeOfDayText(row.time_ms) + "  " + (row.sent ? kSentWord : kReceivedWord) + "  " +
           row.summary + "\n";
    size_t start = 0;
    while (start < row.details.size()) {
      const size_t end = row.details.find('\n', start);
      const size_t stop = end == std::string::npos ? row.details.size() : end;
      out += indent + row.details.substr(start, stop - start) + "\n";
      start = stop + 1;
    }
    out += indent + "hex: " + HexBytes(row.raw) + "\n";
  }
  return out;
}

}  // namespace kelm
