// The RTF subset of the header editor.
#include "config/header_rtf.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "protocol/win1250.h"

namespace kelm {

namespace {

struct GroupState {
  bool skip = false;
  bool bold = false;
  int size = 24;  // half-points
  int uc = 1;     // fallback characters after "\uN"
};

// Destinations whose text is never header text.
bool SkippedDestination(std::string_view word) {
  static const char* const kWords[] = {
      "fonttbl", "colortbl",     "stylesheet",        "info",       "pict",
      "header",  "footer",       "headerl",           "headerr",    "footerl",
      "footerr", "listtable",    "listoverridetable", "generator",  "xmlnstbl",
      "rsidtbl", "latentstyles", "themedata",         "datastore",  "filetbl",
      "revtbl",  "object",       "fldinst",           "nonshppict", "mmathPr"};
  for (const char* w : kWords)
    if (word == w) return true;
  return false;
}

std::string Utf8Of(long code) {
  std::string s;
  auto cp = static_cast<unsigned long>(code);
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | ((cp >> 12) & 0x0F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class RtfReader {
 public:
  explicit RtfReader(std::string_view in) : in_(in) {}

  bool Read(HeaderModel* out) {
    if (in_.substr(0, 5) != "{\\rtf") return false;
    while (pos_ < in_.size()) {
      char c = in_[pos_];
      if (c == '{') {
        ++pos_;
        if (stack_.size() >= kMaxRtfNesting) return false;
        stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
        group_start_ = true;
        continue;
      }
      if (c == '}') {
        ++pos_;
        if (stack_.empty()) return false;
        stack_.pop_back();
        group_start_ = false;
        if (stack_.empty()) break;
        continue;
      }
      if (stack_.empty()) return false;
      if (c == '\\') {
        if (!ControlWord()) return false;
      } else {
        ++pos_;
        group_start_ = false;
        if (c != '\r' && c != '\n') Text(c);
      }
      if (model_.lines.size() > kMaxHeaderLines) return false;
    }
    // Text after the last "\par" is a line of its own; trailing garbage after the document is not.
    if (!stack_.empty()) return false;
    for (size_t i = pos_; i < in_.size(); ++i)
      if (in_[i] != '\r' && in_[i] != '\n' && in_[i] != ' ' && in_[i] != '\0') return false;
    if (!line_.text.empty()) EndLine();
    *out = model_;
    return true;
  }

 private:
  GroupState& State() { return stack_.back(); }

  void Text(char c) {
    if (State().skip) return;
    if (pending_fallback_ > 0) {
      --pending_fallback_;
      return;
    }
    line_.align = align_;
    line_.Append(c, State().bold || State().size >= 30);
  }

  void EndLine() {
    line_.align = align_;
    model_.lines.push_back(line_);
    line_ = HeaderLine{};
  }

  bool ControlWord() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return false;
    char c = in_[pos_];
    bool at_start = group_start_;
    group_start_ = false;
    if (c == '\\' || c == '{' || c == '}') {
      ++pos_;
      Text(c);
      return true;
    }
    if (c == '\'') {
      if (pos_ + 2 >= in_.size()) return false;
      int hi = HexDigit(in_[pos_ + 1]), lo = HexDigit(in_[pos_ + 2]);
      if (hi < 0 || lo < 0) return false;
      pos_ += 3;
      Text(static_cast<char>(hi * 16 + lo));
      return true;
    }
    if (c == '*') {
      ++pos_;
      if (at_start) State().skip = true;
      return true;
    }
    if (c == '~') {
      ++pos_;
      Text(' ');
      return true;
    }
    if (c == '\r' || c == '\n') {  // "\" before a line break is a paragraph
      ++pos_;
      if (!State().skip) EndLine();
      return true;
    }
    if (!IsLetter(c)) {  // other control symbols ("\-", "\_", "\|", ...) carry nothing here
      ++pos_;
      return true;
    }
    size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) {
      if (pos_ - start > 32) return false;
      ++pos_;
    }
    std::string_view word = in_.substr(start, pos_ - start);
    bool has_number = false, negative = false;
    long number = 0;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    size_t digits = 0;
    while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
      if (++digits > 10) return false;
      number = number * 10 + (in_[pos_] - '0');
      has_number = true;
      ++pos_;
    }
    if (negative && !has_number) return false;
    if (negative) number = -number;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    if (at_start && SkippedDestination(word)) State().skip = true;
    Apply(word, has_number, number);
    return true;
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

  void Apply(std::string_view word, bool has_number, long number) {
    GroupState& s = State();
    if (word == "par" || word == "line") {
      if (!s.skip) EndLine();
    } else if (word == "pard") {
      align_ = HeaderAlign::kLeft;
    } else if (word == "ql") {
      align_ = HeaderAlign::kLeft;
    } else if (word == "qc") {
      align_ = HeaderAlign::kCenter;
    } else if (word == "qr") {
      align_ = HeaderAlign::kRight;
    } else if (word == "fs") {
      s.size = has_number ? static_cast<int>(number) : 24;
    } else if (word == "b") {
      s.bold = !has_number || number != 0;
    } else if (word == "plain") {
      s.bold = false;
      s.size = 24;
    } else if (word == "uc") {
      if (has_number && number >= 0 && number < 10) s.uc = static_cast<int>(number);
    } else if (word == "u" && has_number) {
      long code = number < 0 ? number + 65536 : number;
      if (!s.skip) {
        std::string cp = Utf8ToCp1250(Utf8Of(code));
        bool mapped = !(cp == "?" && code != '?');
        if (mapped) {
          for (char ch : cp) {
            pending_fallback_ = 0;
            Text(ch);
          }
          pending_fallback_ = s.uc;
        }
        // Unmapped: the fallback characters that follow stand for it.
      }
    } else if (word == "tab") {
      Text(' ');
    }
  }

  std::string_view in_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_;
  bool group_start_ = false;
  int pending_fallback_ = 0;
  HeaderAlign align_ = HeaderAlign::kLeft;
  HeaderLine line_;
  HeaderModel model_;
};

std::string Escaped(char c) {
  auto b = static_cast<unsigned char>(c);
  if (c == '\\' || c == '{' || c == '}') return std::string("\\") + c;
  if (b < 0x20 || b >= 0x80) {
    char hex[8];
    snprintf(hex, sizeof hex, "\\'%02x", b);
    return hex;
  }
  return std::string(1, c);
}

}  // namespace

bool ReadHeaderRtf(std::string_view rtf, HeaderModel* model) {
  if (rtf.size() > kMaxHeaderFileSize) return false;
  return RtfReader(rtf).Read(model);
}

std::string WriteHeaderRtf(const HeaderModel& model) {
  std::string out =
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset238 Courier "
      "New;}}\r\n\\viewkind4\\uc1";
  for (const HeaderLine& line : model.lines) {
    out += "\\pard";
    if (line.align == HeaderAlign::kCenter) out += "\\qc";
    if (line.align == HeaderAlign::kRight) out += "\\qr";
    out += "\\f0";
    int state = -1;
    for (size_t i = 0; i < line.text.size(); ++i) {
      int wide = i < line.wide.size() && line.wide[i] ? 1 : 0;
      if (wide != state) {
        out += wide ? "\\b\\fs40 " : "\\b0\\fs20 ";
        state = wide;
      }
      out += Escaped(line.text[i]);
    }
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

bool LoadHeaderFile(const std::string& path, HeaderModel* model, std::string* message) {
  *message = "Nie mogę otworzyc pliku" + path + ".";
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<size_t>(size) > kMaxHeaderFileSize) return false;
  in.seekg(0);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!in.read(bytes.data(), size)) return false;
  if (!ReadHeaderRtf(bytes, model)) return false;
  message->clear();
  return true;
}

bool SaveHeaderFile(const std::string& path, const HeaderModel& model, std::string* message) {
  message->clear();
  std::string bytes = WriteHeaderRtf(model);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out) out.close();
  if (!out) {
    *message = "Nie mogę zapisa do pliku" + path + ".";
    return false;
  }
  return true;
}

}  // namespace kelm
