// The trace lines: frames and answers told from the printer's own command table.
#include "emulator/trace.h"

#include <sys/time.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "emulator/machine.h"
#include "protocol/check_value.h"
#include "protocol/letter_tables.h"
#include "protocol/win1250.h"

namespace kelm::emu {
namespace {

constexpr char kEsc = 0x1B;
constexpr char kEnq = 0x05;
// A picture row or a long header is told by its start and its length.
constexpr size_t kFieldShown = 64;
constexpr size_t kRawShown = 16;

// Commands whose first parameter picks one of several functions.
struct FunctionName {
  const char* designator;
  long first;
  const char* name;
};
constexpr FunctionName kFunctions[] = {
    {"$d", 248, "Ekran pożegnalny"},
    {"$d", 249, "Blokada klawiatury"},
    {"$d", 251, "Nagłówek / stopka graficzna"},
    {"$d", 252, "Grafika wyświetlacza klienta"},
    {"$d", 253, "Grafika wyświetlacza klienta: początek przesyłania"},
    {"$d", 254, "Grafika wyświetlacza klienta"},
    {"$d", 255, "Grafika wyświetlacza klienta"},
    {"$o", 0, "Przypominanie o przeglądzie serwisowym"},
    {"$o", 2, "Przypominanie o raporcie miesięcznym"},
    {"$o", 3, "Wymuszanie wykonania raportu dobowego"},
    {"$o", 4, "Backup na komputer"},
    {"$o", 7, "Ustawienia WLAN"},
};

// The answers the printer gives, by their designator; only "#E" goes without a check value.
struct AnswerName {
  const char* designator;
  const char* name;
  bool check;
};
constexpr AnswerName kAnswers[] = {
    {"#E", "numer błędu", false},
    {"#X", "informacje kasowe", true},
    {"#C", "zegar", true},
    {"#R", "typ i wersja", true},
    {"#V", "wariant drukarki", true},
    {"#K", "kod kontrolny programu", true},
    {"#U", "ustawienia drukarki", true},
    {"#H", "nagłówek", true},
    {"#I", "konfiguracja wejścia/wyjścia", true},
    {"#N", "ustawienia Ethernet", true},
    {"#W", "ustawienia WLAN", true},
    {"#B", "Bluetooth / bufor odbiorczy", true},
};

// Captions of the status bits, bit 0 first.
const char* const kEnqBits[] = {
    "Ostatnia transakcja została sfinalizowana poprawnie",
    "Drukarka jest w trybie transakcji",
    "Ostatni rozkaz został wykonany poprawnie",
    "Drukarka jest w trybie fiskalnym",
};
const char* const kDleBits[] = {"Bład mechanizmu sterowanika", "Brak papieru", "On-line"};

std::string Hex(unsigned char b) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b >> 4], kDigits[b & 15]};
}

std::string HexBytes(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size() && i < kRawShown; ++i) {
    if (i > 0) out += ' ';
    out += Hex(static_cast<unsigned char>(bytes[i]));
  }
  if (bytes.size() > kRawShown) out += " ...";
  return out;
}

// A field as text: the printer's letters in Unicode, control bytes as <XX>, a long field cut.
std::string Quoted(const Machine& m, std::string_view bytes) {
  const bool cut = bytes.size() > kFieldShown;
  std::string text(bytes.substr(0, cut ? kFieldShown : bytes.size()));
  std::string shown;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      shown += "<" + Hex(b) + ">";
    } else {
      std::string one(1, c);
      RecodeLetters(one.data(), m.st.options.coding, kWindows);
      shown += Cp1250ToUtf8(one);
    }
  }
  std::string out = "\"" + shown + "\"";
  if (cut) out += "... (" + std::to_string(bytes.size()) + " bytes)";
  return out;
}

// Fields end with CR or "/"; what follows the last end is a field too.
std::string Fields(const Machine& m, std::string_view data) {
  std::string out;
  size_t start = 0;
  for (size_t i = 0; i <= data.size(); ++i) {
    if (i < data.size() && data[i] != '\r' && data[i] != '/') continue;
    if (i == data.size() && start == i) break;
    if (!out.empty()) out += ' ';
    out += Quoted(m, data.substr(start, i - start));
    start = i + 1;
  }
  return out;
}

std::string CheckText(std::string_view covered, std::string_view given) {
  char expected[2];
  CheckDigits(CheckValue(covered.data(), covered.size()), expected);
  std::string out = "check ";
  for (char c : given) {
    const auto b = static_cast<unsigned char>(c);
    out += b >= 0x20 && b < 0x7F ? std::string(1, c) : "<" + Hex(b) + ">";
  }
  if (given[0] == expected[0] && given[1] == expected[1]) return out + " right";
  return out + " wrong (expected " + std::string(expected, 2) + ")";
}

// Parameters, designator, fields and check value of a frame body; `check` says whether the body
// ends with check characters.
std::string BodyText(const Machine& m, std::string_view body, size_t designator_at, bool check) {
  std::string out;
  if (designator_at > 0) out += "; params " + std::string(body.substr(0, designator_at));
  std::string_view data = body.substr(designator_at + 2);
  std::string check_text = check ? "; check missing" : "; no check value";
  if (check && data.size() >= 2) {
    check_text = "; " + CheckText(body.substr(0, body.size() - 2), data.substr(data.size() - 2));
    data.remove_suffix(2);
  }
  if (!data.empty()) out += "; fields " + Fields(m, data);
  return out + check_text;
}

}  // namespace

std::string CommandName(const Command& c) {
  const CommandEntry* entry = FindCommand(c.designator);
  if (entry == nullptr) return "";
  const long first = c.NumOr(0, -1);
  for (const FunctionName& f : kFunctions) {
    if (c.designator == f.designator && first == f.first) return f.name;
  }
  // The readout of a periodic report is "#o" with 128 as its last parameter.
  if (c.designator == "#o" && c.count() == 8 && c.NumOr(7, -1) == 128) {
    return "Odczyt raportu okresowego";
  }
  return entry->name;
}

std::string DescribeCommand(const Machine& m, const Command& c, int error) {
  const std::string tail = "; error " + std::to_string(error);
  if (c.designator.empty()) return "frame without a designator " + Quoted(m, c.body) + tail;
  const CommandEntry* entry = FindCommand(c.designator);
  const size_t at = c.body.size() - c.data.size() - 2;
  if (entry == nullptr) {
    return c.designator + " unknown command" + BodyText(m, c.body, at, false) + tail;
  }
  const bool check = entry->needs_check == nullptr || entry->needs_check(c);
  return c.designator + " " + CommandName(c) + BodyText(m, c.body, at, check) + tail;
}

std::string DescribeAnswer(const Machine& m, std::string_view bytes, char query) {
  const char* name = query == kEnq ? "ENQ" : "DLE";
  if (bytes.empty()) return std::string("no answer to ") + name;
  if (query != 0 && bytes.size() == 1) {
    const auto b = static_cast<unsigned char>(bytes[0]);
    std::string out = "status " + Hex(b) + "h (" + name + ")";
    const char* const* captions = query == kEnq ? kEnqBits : kDleBits;
    const int bits = query == kEnq ? 4 : 3;
    std::string set;
    for (int i = 0; i < bits; ++i) {
      if ((b & (1 << i)) == 0) continue;
      set += set.empty() ? ": " : "; ";
      set += captions[i];
    }
    return out + set;
  }
  const size_t n = bytes.size();
  if (n >= 6 && bytes[0] == kEsc && bytes[1] == 'P' && bytes[n - 2] == kEsc &&
      bytes[n - 1] == '\\') {
    const std::string_view body = bytes.substr(2, n - 4);
    const size_t at = body.find('#');
    if (at != std::string_view::npos && at + 1 < body.size()) {
      const std::string designator(body.substr(at, 2));
      std::string answer_name = "answer";
      bool check = true;
      for (const AnswerName& a : kAnswers) {
        if (designator == a.designator) {
          answer_name = std::string("answer: ") + a.name;
          check = a.check;
        }
      }
      return designator + " " + answer_name + BodyText(m, body, at, check);
    }
  }
  return "raw bytes, " + std::to_string(n) + ": " + HexBytes(bytes);
}

TraceFile::~TraceFile() {
  if (file_ != nullptr) fclose(file_);
}

bool TraceFile::Open(const std::string& path) {
  file_ = fopen(path.c_str(), "a");
  return file_ != nullptr;
}

void TraceFile::Write(std::string_view direction, std::string_view line) {
  if (file_ == nullptr) return;
  timeval now{};
  gettimeofday(&now, nullptr);
  std::tm tm{};
  localtime_r(&now.tv_sec, &tm);
  fprintf(file_, "%02d:%02d:%02d.%03d %-3.*s %.*s\n", tm.tm_hour, tm.tm_min, tm.tm_sec,
          static_cast<int>(now.tv_usec / 1000), static_cast<int>(direction.size()),
          direction.data(), static_cast<int>(line.size()), line.data());
  fflush(file_);
}

}  // namespace kelm::emu
