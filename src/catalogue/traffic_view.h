// The traffic window without its widgets: the blocks the transmission log sees, decoded into
// rows as they come, and the text that "Zapisz" writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "protocol/frame_decoder.h"

namespace kelm {

struct TrafficRow {
  uint32_t time_ms = 0;      // local time of day, in milliseconds
  bool sent = false;         // to the printer (true) or from it
  std::string summary;       // the decoder's one-line summary
  std::string details;       // its further lines (fields, notes), each ended by "\n"
  std::string raw;           // the item's bytes exactly
  bool check_wrong = false;  // a check value wrong or missing
};

// "HH:MM:SS.mmm".
std::string TimeOfDayText(uint32_t time_ms);
inline constexpr const char* kSentWord = "wysłane";
inline constexpr const char* kReceivedWord = "odebrane";

class TrafficView {
 public:
  // The window keeps the newest `limit` rows; the log files keep everything.
  explicit TrafficView(size_t limit = 20000) : limit_(limit) {}

  // One block the log appended. A frame cut between blocks becomes a row once it is whole.
  void Append(bool sent, std::string_view bytes, uint32_t time_ms);
  void Clear();

  const std::deque<TrafficRow>& Rows() const { return rows_; }
  // Rows ever added (also those since dropped), so a window knows which are new to it.
  uint64_t Added() const { return added_; }
  uint64_t Dropped() const { return added_ - rows_.size(); }

  // Every row kept: time, direction, summary, the detail lines and the bytes in hex.
  std::string Text() const;

 private:
  size_t limit_;
  FrameDecoder decoder_;
  std::deque<TrafficRow> rows_;
  uint64_t added_ = 0;
};

}  // namespace kelm
