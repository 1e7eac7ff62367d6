// The frame decoder: bytes seen on the line (command frames, answer frames, ENQ/DLE and their
// status bytes, in either direction) read back as named commands, parameters and fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/letter_tables.h"

namespace kelm {

// Which way the bytes went. kUnknown lets the decoder tell from the bytes: a frame whose
// designator is "#" and an upper-case letter is an answer, a byte after ENQ or DLE is its status.
enum class Direction : uint8_t { kUnknown, kToPrinter, kFromPrinter };

enum class DecodedKind : uint8_t {
  kCommand,      // ESC P ... ESC 5Ch sent to the printer
  kAnswer,       // ESC P ... ESC 5Ch from the printer
  kStatusQuery,  // a lone ENQ or DLE
  kStatusByte,   // the byte answered to ENQ or DLE
  kControl,      // another lone control byte (CAN, BEL, ...)
  kUnparsed,     // bytes that form nothing above; kept as they came
};

enum class CheckState : uint8_t {
  kNone,     // the command carries no check value
  kRight,    // present and equal to the value of the covered bytes
  kWrong,    // present and different (check_expected holds the right one)
  kMissing,  // the command should carry one and the frame has none
};

struct DecodedField {
  std::string name;        // as the catalogue names it; "parametr N" / "pole N" when unknown
  std::string unit;        // "zł", "%", "s", ... or empty
  std::string value;       // UTF-8; text fields read through the letter coding
  bool parameter = false;  // a number before the designator (true) or a data field (false)
};

struct DecodedItem {
  DecodedKind kind = DecodedKind::kUnparsed;
  Direction direction = Direction::kUnknown;
  size_t offset = 0;       // of the first byte in the bytes handed to the decoder
  std::string raw;         // the item's bytes exactly
  std::string designator;  // "$h", "#v", "#E"; the query byte's name for status items
  std::string name;        // Polish name of the command, answer or status query; empty if unknown
  std::vector<DecodedField> fields;  // parameters, then fields; a status byte: each bit, tak/nie
  CheckState check = CheckState::kNone;
  std::string check_sent;          // the two characters of the slot as they came
  std::string check_expected;      // two upper-case hex digits of the covered bytes
  std::vector<std::string> notes;  // what did not read as the catalogue says (UTF-8)
};

struct DecodeOptions {
  Direction direction = Direction::kUnknown;
  // Coding of the Polish letters in text fields (a LetterCodingIndex; the link's coding).
  uint8_t letter_coding = kMazovia;
};

// Decodes any bytes into items, in order; every byte ends up in exactly one item's `raw`.
// Bounded and total: garbage becomes kUnparsed items, never a failure.
std::vector<DecodedItem> DecodeBytes(std::string_view bytes, const DecodeOptions& options = {});

// Whether one whole frame (ESC P ... ESC 5Ch) reads as `tmpl` (a template of the
// catalogue, by its address), whichever template the decoder would take first for it.
bool FrameReadsAs(std::string_view frame, const char* tmpl);

// A decoder that keeps what it needs between blocks (the last ENQ/DLE sent, a frame cut in
// two by the line), for a log or a trace that sees the traffic in pieces in both directions.
class FrameDecoder {
 public:
  explicit FrameDecoder(uint8_t letter_coding = kMazovia) : letter_coding_(letter_coding) {}
  void SetLetterCoding(uint8_t coding) { letter_coding_ = coding; }

  // Decodes one block that went one way; a frame still open at the block's end is kept and
  // completed by the next block of the same direction (Flush gives it up as kUnparsed).
  std::vector<DecodedItem> Feed(Direction direction, std::string_view bytes);
  // Whatever is still held, as kUnparsed items.
  std::vector<DecodedItem> Flush();

 private:
  uint8_t letter_coding_;
  char last_query_ = 0;     // ENQ or DLE sent and not yet answered
  std::string pending_[2];  // open frame per direction (to, from)
  size_t offset_[2] = {0, 0};
};

// One line for an item: arrow, kind, designator, name, check state (UTF-8, no newline).
std::string SummarizeItem(const DecodedItem& item);
// The summary line, then one indented line per field and per note, each ended by "\n".
std::string RenderItem(const DecodedItem& item);
std::string RenderItems(const std::vector<DecodedItem>& items);
// Bytes as upper-case hex pairs separated by spaces ("1B 50 31").
std::string HexBytes(std::string_view bytes);

}  // namespace kelm
