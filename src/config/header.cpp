// The header command and its read-back.
#include "config/header.h"

#include <cstring>

#include "config/printer_settings.h"
#include "link/reception.h"
#include "protocol/letters.h"
#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {

namespace {
constexpr char kSo = 0x0E;
constexpr char kDc4 = 0x14;
constexpr char kFf = static_cast<char>(0xFF);
}  // namespace

void HeaderModel::ForceNormal() {
  for (HeaderLine& line : lines) line.wide.assign(line.text.size(), false);
}

HeaderModel HeaderFromMarkedText(const std::string& utf8, HeaderAlign align) {
  HeaderModel model;
  std::string cp = Utf8ToCp1250(utf8);
  HeaderLine line;
  line.align = align;
  bool wide = false;
  for (char c : cp) {
    if (c == '\n') {
      model.lines.push_back(line);
      line = HeaderLine{};
      line.align = align;
      wide = false;
    } else if (c == '*') {
      wide = !wide;
    } else if (c != '\r') {
      line.Append(c, wide);
    }
  }
  if (!line.text.empty()) model.lines.push_back(line);
  return model;
}

std::string MarkedTextOf(const HeaderModel& model) {
  std::string cp;
  for (const HeaderLine& line : model.lines) {
    bool wide = false;
    for (size_t i = 0; i < line.text.size(); ++i) {
      if (line.wide[i] != wide) {
        cp += '*';
        wide = line.wide[i];
      }
      cp += line.text[i];
    }
    if (wide) cp += '*';
    cp += '\n';
  }
  return Cp1250ToUtf8(cp);
}

int HeaderLineWidth(int family, int variant, int copy_mode, HeaderWidthChoice choice) {
  if (family == 0) return 24;
  if (family == 1) return 42;
  switch (choice) {
    case HeaderWidthChoice::k57:
      return copy_mode == 2 ? 57 : 42;
    case HeaderWidthChoice::k32:
      if (variant != 2) return 42;
      return copy_mode == 2 ? 57 : 32;
    case HeaderWidthChoice::k42:
      break;
  }
  return 42;
}

std::string HeaderPrinterText(const HeaderModel& model, int width) {
  std::string out;
  for (const HeaderLine& line : model.lines) {
    std::string buffer;
    bool wide = false;
    int printed = 0;
    for (size_t i = 0; i < line.text.size(); ++i) {
      // Control bytes and FFh would cut the frame or end the header early on the printer.
      const auto byte = static_cast<unsigned char>(line.text[i]);
      if (byte < 0x20 || byte == 0xFF) continue;
      bool want = i < line.wide.size() && line.wide[i];
      if (!wide && want) {
        buffer += kSo;
        wide = true;
      } else if (wide && !want) {
        buffer += kDc4;
        wide = false;
      }
      buffer += line.text[i];
      printed += wide ? 2 : 1;
    }
    int spaces = 0;
    if (line.align == HeaderAlign::kCenter) spaces = (width - printed) / 2;
    if (line.align == HeaderAlign::kRight) spaces = width - printed;
    // A line wider than the paper gets no spaces; the printer judges it as it is.
    if (spaces > 0) out.append(static_cast<size_t>(spaces), ' ');
    if (wide) buffer += kDc4;
    buffer += '\n';
    out += buffer;
  }
  return out;
}

unsigned HeaderDiscountParameter(int family, int variant, bool oxil_method) {
  if (variant == 0 || oxil_method) return 0;
  return family == 2 ? 1 : 20;
}

bool BuildHeaderFrame(const HeaderModel& model, int width, int family, unsigned discount,
                      uint8_t coding, ConfigFrame* out) {
  HeaderModel sent = model;
  if (family == 0) sent.ForceNormal();
  std::string text = HeaderPrinterText(sent, width);
  ToPrinterLetters(text.data(), coding);
  out->after = AfterSend::kCheckLastCommand;
  return BuildFrame(out, false, "%cP%u$f%s%cxx%c%c", kEsc, discount, text.c_str(), kFf, kEsc,
                    kBackslash);
}

HeaderModel ParseHeaderAnswer(const char* answer, size_t capacity) {
  HeaderModel model;
  if (capacity <= 5) return model;
  // The answer's text in Windows letters; the control bytes stay for the sizes.
  size_t end = 5;
  while (end < capacity && answer[end] != '\r' && answer[end] != '\0') ++end;
  std::string raw(answer + 5, end - 5);
  RecodeLetters(raw.data(), kLatin, kWindows);
  HeaderLine line;
  bool wide = false;
  for (char c : raw) {
    if (c == kSo) {
      wide = true;
    } else if (c == kDc4) {
      wide = false;
    } else if (c == '\n') {
      model.lines.push_back(line);
      line = HeaderLine{};
      if (model.lines.size() == kMaxHeaderLines) return model;
    } else {
      line.Append(c, wide);
    }
  }
  if (!line.text.empty()) model.lines.push_back(line);
  return model;
}

namespace {

// The coding comparison after a printer error: only families 2 and above know the query.
void CompareCodings() {
  if (LinkSettings.ModelFamily < 2) return;
  PrinterSettingsRecord record = PrinterSettings;
  if (!ReadPrinterSettings(&record)) return;
  if (record.Fields[1] != LinkSettings.LetterCoding)
    TheOperator().ShowMessage(kCodingMismatchMessage);
}

}  // namespace

SendOutcome SendHeader(const HeaderSendRequest& request) {
  if (!RequireLink()) return SendOutcome::kNotSent;
  int family = LinkSettings.ModelFamily;
  if (family >= 2 && ReadPrinterSettings(&PrinterSettings) &&
      PrinterSettings.Fields[1] != LinkSettings.LetterCoding &&
      PrinterSettings.Fields[1] < kLetterCodingCount) {
    LinkSettings.LetterCoding = static_cast<uint8_t>(PrinterSettings.Fields[1]);
  }
  int width = HeaderLineWidth(family, LinkSettings.PrinterVariant, LinkSettings.CopyMode,
                              request.width_choice);
  unsigned discount =
      request.discount >= 0
          ? static_cast<unsigned>(request.discount)
          : HeaderDiscountParameter(family, LinkSettings.PrinterVariant, request.oxil_method);
  ConfigFrame frame;
  if (!BuildHeaderFrame(request.model, width, family, discount, LinkSettings.LetterCoding,
                        &frame)) {
    TheOperator().ShowMessage("Nagłówek nie mieści się w ramce rozkazu.");
    return SendOutcome::kRefused;
  }
  int result = SendConfigFrame(frame);
  if (result < 0) return SendOutcome::kNotSent;
  if (result == kCommandPrinterError && LinkSettings.PrinterVariant == 0) CompareCodings();
  return SendOutcome::kSent;
}

bool ReadHeaderBack(HeaderModel* model) {
  if (RunCommand({AfterSend::kReceiveAnswer, false, false}, kHeaderQueryTemplate, kEsc, kEsc,
                 kBackslash) < 0)
    return false;
  if (AnswerReceived != 1 || AnswerFailed) return false;
  *model = ParseHeaderAnswer(AnswerBuffer, kFrameBufferSize);
  return true;
}

}  // namespace kelm
