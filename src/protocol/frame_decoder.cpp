// The frame decoder: a stream splitter (frames, status queries and bytes, the rest), a matcher
// of frame bodies against the catalogue's templates, and the text rendering of the items.
#include "protocol/frame_decoder.h"

#include <cctype>
#include <cstring>
#include <unordered_map>

#include "protocol/check_value.h"
#include "protocol/display_text.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"
#include "protocol/protocol_catalogue.h"
#include "protocol/win1250.h"

namespace kelm {
namespace {

// A frame longer than the program's frame buffer is not a frame: its bytes are kept unparsed.
constexpr size_t kFrameLimit = kFrameBufferSize;
// Steps the template matcher may take on one template before it gives the template up; text
// fields make the match ambiguous, and garbage must not make it slow.
constexpr int kMatchBudget = 20000;

// ---------------------------------------------------------------- templates as tokens

enum class TokenKind : uint8_t { kLiteral, kInteger, kDecimal, kText, kChar, kSlot };

struct Token {
  TokenKind kind;
  char literal = 0;
  bool parameter = false;  // stands before the designator
};

// The tokens of a template between "%cP" and the final "%c%c"; false for a template of another
// shape. The check slot becomes one kSlot token.
bool Tokenize(const char* tmpl, std::vector<Token>& out) {
  const size_t n = std::strlen(tmpl);
  if (n < 7 || std::strncmp(tmpl, "%cP", 3) != 0 || std::strcmp(tmpl + n - 4, "%c%c") != 0)
    return false;
  const bool slot = TemplateHasCheckSlot(tmpl);
  const size_t end = n - 4 - (slot ? 2 : 0);
  bool before_designator = true;
  for (size_t i = 3; i < end; ++i) {
    const char c = tmpl[i];
    if (c != '%') {
      if (before_designator && (c == '$' || c == '#')) {
        // The designator's two characters are literals of the body.
        out.push_back({TokenKind::kLiteral, c, false});
        before_designator = false;
        if (i + 1 < end) out.push_back({TokenKind::kLiteral, tmpl[++i], false});
        continue;
      }
      out.push_back({TokenKind::kLiteral, c, false});
      continue;
    }
    size_t j = i + 1;
    if (j < end && tmpl[j] == '%') {
      out.push_back({TokenKind::kLiteral, '%', false});
      i = j;
      continue;
    }
    while (j < end && std::strchr("0123456789.-+ #l", tmpl[j]) != nullptr) ++j;
    if (j >= end) return false;
    TokenKind kind;
    switch (tmpl[j]) {
      case 'd':
      case 'i':
      case 'u':
        kind = TokenKind::kInteger;
        break;
      case 'f':
        kind = TokenKind::kDecimal;
        break;
      case 's':
        kind = TokenKind::kText;
        break;
      case 'c':
        kind = TokenKind::kChar;
        break;
      default:
        return false;
    }
    out.push_back({kind, 0, before_designator});
    i = j;
  }
  if (slot) out.push_back({TokenKind::kSlot, 0, false});
  return true;
}

struct Span {
  size_t begin;
  size_t end;
};

class Matcher {
 public:
  Matcher(const std::vector<Token>& tokens, std::string_view body) : t_(tokens), b_(body) {}

  // Matches the whole body; the spans of the value tokens (slot included) in order.
  // Strict: a field runs to its separator. Otherwise fields of any content, shortest first.
  bool Run(bool strict, std::vector<Span>& spans) {
    strict_ = strict;
    budget_ = kMatchBudget;
    spans_.clear();
    if (!Match(0, 0)) return false;
    spans = spans_;
    return true;
  }

 private:
  bool Match(size_t ti, size_t bi) {
    if (--budget_ < 0) return false;
    if (ti == t_.size()) return bi == b_.size();
    const Token& t = t_[ti];
    switch (t.kind) {
      case TokenKind::kLiteral:
        return bi < b_.size() && b_[bi] == t.literal && Match(ti + 1, bi + 1);
      case TokenKind::kChar:
        return bi < b_.size() && Take(ti, bi, bi + 1);
      case TokenKind::kSlot:
        return bi + 2 <= b_.size() && Take(ti, bi, bi + 2);
      case TokenKind::kInteger:
      case TokenKind::kDecimal: {
        size_t e = bi;
        if (e < b_.size() && (b_[e] == '-' || b_[e] == '+')) ++e;
        const size_t digits = e;
        bool point = false;
        while (e < b_.size() && (std::isdigit(static_cast<unsigned char>(b_[e])) ||
                                 (t.kind == TokenKind::kDecimal && b_[e] == '.' && !point))) {
          point = point || b_[e] == '.';
          ++e;
        }
        return e > digits && Take(ti, bi, e);
      }
      case TokenKind::kText: {
        const Token* next = ti + 1 < t_.size() ? &t_[ti + 1] : nullptr;
        if (next != nullptr && next->kind == TokenKind::kText) {
          // Two texts in a row: the first is a block of CR-ended lines, the second a field
          // without CR; the block takes every line it can.
          for (size_t e = b_.size() + 1; e-- > bi;) {
            if (--budget_ < 0) return false;
            if (e > bi && b_[e - 1] != '\r') continue;
            if (Take(ti, bi, e)) return true;
          }
          return false;
        }
        if (strict_) {
          // A field runs to the next CR, "/" or the literal after it, whichever comes first.
          size_t e = bi;
          while (e < b_.size() && b_[e] != '\r' && b_[e] != '/' &&
                 !(next != nullptr && next->kind == TokenKind::kLiteral && b_[e] == next->literal))
            ++e;
          return Take(ti, bi, e);
        }
        // Shortest first; when a literal follows, only where that literal stands.
        for (size_t e = bi; e <= b_.size(); ++e) {
          if (--budget_ < 0) return false;
          if (next != nullptr && next->kind == TokenKind::kLiteral &&
              (e == b_.size() || b_[e] != next->literal))
            continue;
          if (next == nullptr && e != b_.size()) continue;
          if (Take(ti, bi, e)) return true;
        }
        return false;
      }
    }
    return false;
  }

  bool Take(size_t ti, size_t bi, size_t e) {
    spans_.push_back({bi, e});
    if (Match(ti + 1, e)) return true;
    spans_.pop_back();
    return false;
  }

  const std::vector<Token>& t_;
  std::string_view b_;
  std::vector<Span> spans_;
  int budget_ = kMatchBudget;
  bool strict_ = true;
};

// ---------------------------------------------------------------- values

// Text as the operator reads it: the printer's letters turned into Windows-1250, then UTF-8;
// control bytes as their display-text mnemonics.
std::string TextValue(std::string_view bytes, uint8_t coding) {
  std::string text;
  for (char c : bytes) text += c == '\0' ? ' ' : c;
  RecodeLetters(text.data(), coding, kWindows);
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      const char one[2] = {static_cast<char>(c), '\0'};
      out += FrameToDisplayText(one);
    } else {
      out += Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(&c), 1));
    }
  }
  return out;
}

// "Cena [zł]" -> name "Cena", unit "zł".
void SplitName(std::string_view entry, std::string& name, std::string& unit) {
  const size_t open = entry.rfind(" [");
  if (open != std::string_view::npos && entry.size() > open + 2 && entry.back() == ']') {
    name.assign(entry.substr(0, open));
    unit.assign(entry.substr(open + 2, entry.size() - open - 3));
  } else {
    name.assign(entry);
    unit.clear();
  }
}

std::vector<std::string_view> SplitValues(const char* values) {
  std::vector<std::string_view> out;
  std::string_view rest = values != nullptr ? values : "";
  while (!rest.empty()) {
    const size_t bar = rest.find('|');
    out.push_back(rest.substr(0, bar));
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }
  return out;
}

std::string CheckDigitsOf(std::string_view covered) {
  char digits[2];
  CheckDigits(CheckValue(covered.data(), covered.size()), digits);
  return std::string(digits, 2);
}

void SetCheck(DecodedItem& item, std::string_view body, size_t slot) {
  item.check_expected = CheckDigitsOf(body.substr(0, slot));
  item.check_sent.assign(body.substr(slot, 2));
  item.check = item.check_sent == item.check_expected ? CheckState::kRight : CheckState::kWrong;
}

// The tokens of every template of the catalogue, made once; null for a template that does not
// tokenize (none should).
const std::vector<Token>* TokensOf(const char* tmpl) {
  static const std::unordered_map<const char*, std::vector<Token>> table = [] {
    std::unordered_map<const char*, std::vector<Token>> t;
    auto add = [&t](const char* tmpl) {
      std::vector<Token> tokens;
      if (Tokenize(tmpl, tokens)) t.emplace(tmpl, std::move(tokens));
    };
    for (const ProtocolCommand& c : ProtocolCommands()) add(c.tmpl);
    for (const ProtocolAnswer& a : ProtocolAnswers()) add(a.tmpl);
    return t;
  }();
  const auto it = table.find(tmpl);
  return it == table.end() ? nullptr : &it->second;
}

// The ways a body is read against the templates, in order: every template is tried in one
// way before any is tried in the next, so that a looser reading of one template never hides
// the exact reading of another. A frame without its check slot is read last.
enum class Reading { kStrict, kLoose, kStrictNoSlot, kLooseNoSlot };
constexpr Reading kReadings[] = {Reading::kStrict, Reading::kLoose, Reading::kStrictNoSlot,
                                 Reading::kLooseNoSlot};

// Fills the item from a template when the body matches it in the given reading; false when
// it does not.
bool ReadAgainst(const char* tmpl, const char* values, std::string_view body, uint8_t coding,
                 Reading reading, DecodedItem& item) {
  const std::vector<Token>* all = TokensOf(tmpl);
  if (all == nullptr) return false;
  const bool missing = reading == Reading::kStrictNoSlot || reading == Reading::kLooseNoSlot;
  if (missing && (all->empty() || all->back().kind != TokenKind::kSlot)) return false;
  const std::vector<Token> without_slot =
      missing ? std::vector<Token>(all->begin(), all->end() - 1) : std::vector<Token>();
  const std::vector<Token>& tokens = missing ? without_slot : *all;
  std::vector<Span> spans;
  const bool strict = reading == Reading::kStrict || reading == Reading::kStrictNoSlot;
  if (!Matcher(tokens, body).Run(strict, spans)) return false;
  const std::vector<std::string_view> names = SplitValues(values);
  size_t v = 0;
  for (size_t i = 0, s = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind == TokenKind::kLiteral) continue;
    const Span span = spans[s++];
    if (t.kind == TokenKind::kSlot) {
      SetCheck(item, body, span.begin);
      continue;
    }
    DecodedField f;
    if (v < names.size()) {
      SplitName(names[v], f.name, f.unit);
    } else {
      f.name = (t.parameter ? "parametr " : "pole ") + std::to_string(v + 1);
    }
    ++v;
    f.parameter = t.parameter;
    const std::string_view bytes = body.substr(span.begin, span.end - span.begin);
    if (t.kind == TokenKind::kChar && static_cast<uint8_t>(bytes[0]) == 0xFF) {
      f.value = "<FFH>";  // an end mark, not the letter of the code page
    } else if (t.kind == TokenKind::kText || t.kind == TokenKind::kChar) {
      f.value = TextValue(bytes, coding);
    } else {
      f.value.assign(bytes);
    }
    item.fields.push_back(std::move(f));
  }
  if (missing) {
    item.check = CheckState::kMissing;
    item.check_expected = CheckDigitsOf(body);
  }
  return true;
}

// The designator of a frame body: the first "$" or "#" and the byte after it.
size_t DesignatorAt(std::string_view body) {
  for (size_t i = 0; i + 1 < body.size(); ++i)
    if (body[i] == '$' || body[i] == '#') return i;
  return std::string_view::npos;
}

bool IsHexDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F');
}

// A frame no template reads: numbers before the designator, fields split at CR and "/", and
// the check value judged by the commands of the same designator (or by the last two bytes).
void ReadGeneric(std::string_view body, size_t at, bool slot_known, bool slot, uint8_t coding,
                 DecodedItem& item) {
  const size_t designator_end = at == std::string_view::npos ? 0 : at + 2;
  size_t fields_end = body.size();
  const bool digits = body.size() >= designator_end + 2 && IsHexDigit(body[body.size() - 2]) &&
                      IsHexDigit(body[body.size() - 1]);
  if (slot_known ? slot
                 : digits && CheckDigitsOf(body.substr(0, body.size() - 2)) ==
                                 std::string(body.substr(body.size() - 2))) {
    if (body.size() >= designator_end + 2) {
      fields_end = body.size() - 2;
      SetCheck(item, body, fields_end);
    } else {
      item.check = CheckState::kMissing;
      item.check_expected = CheckDigitsOf(body);
    }
  }
  int n = 0;
  if (at != std::string_view::npos && at > 0) {
    std::string_view params = body.substr(0, at);
    while (true) {
      const size_t semi = params.find(';');
      item.fields.push_back(
          {"parametr " + std::to_string(++n), "", TextValue(params.substr(0, semi), coding), true});
      if (semi == std::string_view::npos) break;
      params.remove_prefix(semi + 1);
    }
  }
  std::string_view rest = body.substr(designator_end, fields_end - designator_end);
  int k = 0;
  while (!rest.empty()) {
    const size_t cut = rest.find_first_of("\r/");
    item.fields.push_back(
        {"pole " + std::to_string(++k), "", TextValue(rest.substr(0, cut), coding), false});
    if (cut == std::string_view::npos) break;
    rest.remove_prefix(cut + 1);
  }
}

// The answers name their error number.
void AddAnswerNotes(DecodedItem& item) {
  if (item.designator != "#E" || item.fields.empty()) return;
  const std::string& v = item.fields.back().value;
  if (v.empty() || v.size() > 4 || v.find_first_not_of("0123456789") != std::string::npos) return;
  item.notes.push_back(PrinterErrorMessage(std::stoi(v)));
}

void DecodeFrame(std::string_view raw, Direction direction, uint8_t coding, DecodedItem& item) {
  const std::string_view body = raw.substr(2, raw.size() - 4);
  const size_t at = DesignatorAt(body);
  item.designator = at == std::string_view::npos ? "" : std::string(body.substr(at, 2));
  const bool answer_like = item.designator.size() == 2 && item.designator[0] == '#' &&
                           std::isupper(static_cast<unsigned char>(item.designator[1]));
  if (direction != Direction::kFromPrinter) {
    for (const Reading reading : kReadings) {
      for (const ProtocolCommand& c : ProtocolCommands()) {
        if (TemplateDesignator(c.tmpl) != item.designator) continue;
        DecodedItem tried = item;
        if (!ReadAgainst(c.tmpl, c.values, body, coding, reading, tried)) continue;
        item = std::move(tried);
        item.kind = DecodedKind::kCommand;
        item.name = c.name;
        return;
      }
    }
  }
  const bool answer =
      direction == Direction::kFromPrinter || (direction == Direction::kUnknown && answer_like);
  if (answer) {
    item.kind = DecodedKind::kAnswer;
    // Answers carry check characters or not; two last bytes equal to the value of the bytes
    // before them are taken for check characters.
    std::string_view fields = body;
    if (body.size() >= 2 &&
        CheckDigitsOf(body.substr(0, body.size() - 2)) == std::string(body.substr(body.size() - 2)))
      fields.remove_suffix(2);
    // Every answer but the error number ("#E") ends in two check characters; when the last two
    // are hex digits that do not match and the bytes before them read as the answer, they were
    // spoiled on the way.
    auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    if (fields.size() == body.size() && item.designator != "#E" && at != std::string_view::npos &&
        body.size() >= at + 4 && hex(body[body.size() - 2]) && hex(body.back())) {
      const std::string_view before = body.substr(0, body.size() - 2);
      for (const ProtocolAnswer& a : ProtocolAnswers()) {
        if (TemplateDesignator(a.tmpl) != item.designator) continue;
        DecodedItem tried = item;
        if (!ReadAgainst(a.tmpl, a.values, before, coding, Reading::kStrict, tried)) continue;
        SetCheck(tried, body, before.size());
        item = std::move(tried);
        item.name = a.name;
        AddAnswerNotes(item);
        return;
      }
    }
    for (const Reading reading : {Reading::kStrict, Reading::kLoose}) {
      for (const ProtocolAnswer& a : ProtocolAnswers()) {
        if (TemplateDesignator(a.tmpl) != item.designator) continue;
        DecodedItem tried = item;
        if (!ReadAgainst(a.tmpl, a.values, fields, coding, reading, tried)) continue;
        if (fields.size() != body.size()) SetCheck(tried, body, fields.size());
        item = std::move(tried);
        item.name = a.name;
        AddAnswerNotes(item);
        return;
      }
    }
    for (const ProtocolAnswer& a : ProtocolAnswers()) {
      if (TemplateDesignator(a.tmpl) != item.designator) continue;
      item.name = a.name;
      item.notes.push_back("pola nie odpowiadają opisowi odpowiedzi");
      break;
    }
    ReadGeneric(body, at, false, false, coding, item);
    return;
  }
  item.kind = DecodedKind::kCommand;
  int rows = 0, with_slot = 0;
  for (const ProtocolCommand& c : ProtocolCommands()) {
    if (TemplateDesignator(c.tmpl) != item.designator) continue;
    if (rows++ == 0) item.name = c.name;
    if (TemplateHasCheckSlot(c.tmpl)) ++with_slot;
  }
  item.notes.push_back(rows > 0 ? "pola nie odpowiadają żadnemu wzorcowi tego rozkazu"
                                : "rozkaz nieznany programowi");
  // The rows of the designator say whether a check value belongs there when they agree.
  const bool agree = rows > 0 && (with_slot == 0 || with_slot == rows);
  ReadGeneric(body, at, agree, with_slot > 0, coding, item);
}

// ---------------------------------------------------------------- status bytes

void DecodeStatus(char query, uint8_t byte, DecodedItem& item) {
  item.kind = DecodedKind::kStatusByte;
  item.designator = query == kEnq ? "ENQ" : "DLE";
  item.name =
      query == kEnq ? "Status transakcji (odpowiedź na ENQ)" : "Status drukarki (odpowiedź na DLE)";
  auto add = [&](const StatusBitCaption* captions, size_t count) {
    for (size_t i = 0; i < count; ++i)
      item.fields.push_back(
          {captions[i].caption, "", (byte & captions[i].bit) != 0 ? "tak" : "nie", false});
  };
  if (query == kEnq) {
    add(kEnqBitCaptions, std::size(kEnqBitCaptions));
  } else {
    add(kDleBitCaptions, std::size(kDleBitCaptions));
    if ((byte & kDleSignatureMask) != kDleSignature)
      item.notes.push_back("bity 3..7 nie mają postaci bajtu drukarki (70h)");
  }
}

// ---------------------------------------------------------------- the stream

struct State {
  uint8_t coding = kMazovia;
  char last_query = 0;
};

// The control bytes that have a name of their own in display text; other bytes outside a
// frame are not read as anything.
bool IsNamedControl(char c) {
  return c == 0x07 || c == '\n' || c == '\r' || c == 0x0E || c == 0x14 || c == kCan;
}

// Splits `bytes` into items. With `hold_tail`, a frame still open at the end is not decoded:
// its start is returned through `held` (npos when nothing is held).
std::vector<DecodedItem> Split(State& state, Direction direction, std::string_view bytes,
                               size_t base, bool hold_tail, size_t& held) {
  std::vector<DecodedItem> items;
  held = std::string_view::npos;
  DecodedItem* run = nullptr;  // the kUnparsed item being extended
  auto push = [&](DecodedKind kind, size_t at, size_t count) -> DecodedItem& {
    DecodedItem item;
    item.kind = kind;
    item.direction = direction;
    item.offset = base + at;
    item.raw.assign(bytes.substr(at, count));
    items.push_back(std::move(item));
    run = nullptr;
    return items.back();
  };
  auto unparsed = [&](size_t at, size_t count) {
    if (run != nullptr && run->offset + run->raw.size() == base + at) {
      run->raw.append(bytes.substr(at, count));
      return;
    }
    push(DecodedKind::kUnparsed, at, count);
    run = &items.back();
  };

  size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c == kEsc && (i + 1 == bytes.size() || bytes[i + 1] == 'P')) {
      size_t end = std::string_view::npos;
      const size_t limit = std::min(bytes.size(), i + kFrameLimit);
      // A frame ends at ESC 5Ch; an ESC "P" before it starts the next frame (the first one lost
      // its end on the line), while any other ESC is data of a field.
      size_t restart = std::string_view::npos;
      for (size_t j = i + 2; j + 1 < limit; ++j) {
        if (bytes[j] == kEsc && bytes[j + 1] == kBackslash) {
          end = j + 2;
          break;
        }
        if (bytes[j] == kEsc && bytes[j + 1] == 'P') {
          restart = j;
          break;
        }
      }
      if (end == std::string_view::npos) {
        if (hold_tail && restart == std::string_view::npos && limit == bytes.size() &&
            bytes.size() - i < kFrameLimit) {
          held = i;
          return items;
        }
        // No end: the bytes up to the next frame start stay unparsed, with a word why.
        size_t next = i + 1;
        while (next < bytes.size() &&
               !(bytes[next] == kEsc && next + 1 < bytes.size() && bytes[next + 1] == 'P'))
          ++next;
        push(DecodedKind::kUnparsed, i, next - i).notes.push_back("ramka bez zakończenia ESC \\");
        i = next;
        continue;
      }
      DecodedItem& item = push(DecodedKind::kCommand, i, end - i);
      DecodeFrame(item.raw, direction, state.coding, item);
      i = end;
      continue;
    }
    const bool outgoing = direction != Direction::kFromPrinter;
    if (outgoing && (c == kEnq || c == kDle) &&
        !(direction == Direction::kUnknown && state.last_query != 0)) {
      DecodedItem& item = push(DecodedKind::kStatusQuery, i, 1);
      item.designator = c == kEnq ? "ENQ" : "DLE";
      item.name = c == kEnq ? "Zapytanie o status transakcji" : "Zapytanie o status drukarki";
      state.last_query = c;
      ++i;
      continue;
    }
    const uint8_t byte = static_cast<uint8_t>(c);
    char query = direction == Direction::kToPrinter ? 0 : state.last_query;
    if (query == 0 && direction == Direction::kFromPrinter) {
      // A log of one direction has no queries: the byte's own shape tells which it answers.
      if ((byte & kDleSignatureMask) == kDleSignature)
        query = kDle;
      else if (byte < 0x10 || (byte & 0xF0) == 0x60)
        query = kEnq;
    }
    if (query != 0) {
      DecodedItem& item = push(DecodedKind::kStatusByte, i, 1);
      DecodeStatus(query, byte, item);
      if (state.last_query == 0)
        item.notes.push_back("zapytania nie widać; rozpoznane po postaci bajtu");
      state.last_query = 0;
      ++i;
      continue;
    }
    if (IsNamedControl(c) && direction != Direction::kFromPrinter) {
      DecodedItem& item = push(DecodedKind::kControl, i, 1);
      const char one[2] = {c, '\0'};
      item.designator = FrameToDisplayText(one);
      if (c == kCan) item.name = "Przerwanie (CAN)";
      ++i;
      continue;
    }
    unparsed(i, 1);
    ++i;
  }
  return items;
}

// Display text of any bytes, NUL included.
std::string DisplayBytes(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    const char one[2] = {c, '\0'};
    out += c == '\0' ? std::string("<00H>") : FrameToDisplayText(one);
  }
  return out;
}

const char* Arrow(Direction d) {
  switch (d) {
    case Direction::kToPrinter:
      return "->";
    case Direction::kFromPrinter:
      return "<-";
    case Direction::kUnknown:
      break;
  }
  return "  ";
}

}  // namespace

bool FrameReadsAs(std::string_view frame, const char* tmpl) {
  if (frame.size() < 4 || frame[0] != kEsc || frame[1] != 'P' || frame[frame.size() - 2] != kEsc ||
      frame.back() != kBackslash) {
    return false;
  }
  for (const Reading reading : {Reading::kStrict, Reading::kLoose}) {
    DecodedItem item;
    if (ReadAgainst(tmpl, "", frame.substr(2, frame.size() - 4), kMazovia, reading, item)) {
      return item.check != CheckState::kWrong;
    }
  }
  return false;
}

std::vector<DecodedItem> DecodeBytes(std::string_view bytes, const DecodeOptions& options) {
  State state;
  state.coding = options.letter_coding;
  size_t held;
  return Split(state, options.direction, bytes, 0, false, held);
}

std::vector<DecodedItem> FrameDecoder::Feed(Direction direction, std::string_view bytes) {
  const int side = direction == Direction::kFromPrinter ? 1 : 0;
  std::string& pending = pending_[side];
  const size_t base = offset_[side] - pending.size();
  pending.append(bytes);
  offset_[side] += bytes.size();
  State state{letter_coding_, last_query_};
  size_t held;
  std::vector<DecodedItem> items = Split(state, direction, pending, base, true, held);
  last_query_ = state.last_query;
  pending = held == std::string_view::npos ? std::string() : pending.substr(held);
  return items;
}

std::vector<DecodedItem> FrameDecoder::Flush() {
  std::vector<DecodedItem> items;
  for (int side = 0; side < 2; ++side) {
    if (pending_[side].empty()) continue;
    DecodedItem item;
    item.direction = side == 0 ? Direction::kToPrinter : Direction::kFromPrinter;
    item.offset = offset_[side] - pending_[side].size();
    item.raw = std::move(pending_[side]);
    item.notes.push_back("ramka bez zakończenia ESC \\");
    items.push_back(std::move(item));
    pending_[side].clear();
  }
  return items;
}

std::string SummarizeItem(const DecodedItem& item) {
  std::string out = Arrow(item.direction);
  out += ' ';
  // Words in the order of DecodedKind.
  static const char* const kKindWords[] = {"rozkaz ", "odpowiedź ", "zapytanie ",
                                           "status ", "bajt ",      ""};
  out += kKindWords[static_cast<int>(item.kind)];
  if (item.kind == DecodedKind::kUnparsed)
    return out + "nierozpoznane (" + std::to_string(item.raw.size()) +
           " B): " + DisplayBytes(item.raw);
  out += item.designator.empty() ? "(bez oznaczenia)" : item.designator;
  if (item.kind == DecodedKind::kStatusByte && !item.raw.empty()) {
    out += ' ';
    out += HexBytes(item.raw.substr(0, 1));
    out += 'h';
  }
  if (!item.name.empty()) out += "  " + item.name;
  switch (item.check) {
    case CheckState::kNone:
      break;
    case CheckState::kRight:
      out += "  [kontrola " + item.check_sent + ": poprawna]";
      break;
    case CheckState::kWrong:
      out +=
          "  [kontrola " + item.check_sent + ": BŁĘDNA, powinna być " + item.check_expected + "]";
      break;
    case CheckState::kMissing:
      out += "  [BRAK kontroli, powinna być " + item.check_expected + "]";
      break;
  }
  return out;
}

std::string RenderItem(const DecodedItem& item) {
  std::string out = SummarizeItem(item) + "\n";
  for (const DecodedField& f : item.fields) {
    out += "    " + f.name + ": " + f.value;
    if (!f.unit.empty()) out += " " + f.unit;
    out += "\n";
  }
  for (const std::string& note : item.notes) out += "    ! " + note + "\n";
  return out;
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
