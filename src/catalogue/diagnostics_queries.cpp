// The diagnostic queries: frame, send, receive, parse.
#include "catalogue/diagnostics_queries.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/command_execution.h"
#include "protocol/frame.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"

namespace kelm {

void ReadCashInfo() {
  PurgeInput();
  FormatCommand(LinkSettings.ModelFamily == 2 ? "%cP23#s%c%c" : "%cP7#s%c%c", 27, 27, 92);
  if (!RequireLink()) return;
  if (SendFrame(CommandFrame) != 0) {
    CashInfoState = 0;
    return;
  }
  ReceiveAnswer();
  if (AnswerFailed) {
    CashInfoState = 0;
    return;
  }
  CashInfoState = 1;
  ParseCashInfoAnswer(AnswerBuffer, LinkSettings.ModelFamily, &CashInfo);
}

bool DetectPrinterType() {
  DetectedType.TypeName.clear();
  DetectedType.VersionText.clear();
  PurgeInput();
  FormatCommand("%cP1#v%c%c", 27, 27, 92);
  if (!RequireLink()) return false;
  if (SendFrame(CommandFrame) != 0) return false;
  ReceiveAnswer();
  if (AnswerReceived == 0) return false;
  ParseTypeAnswer(AnswerBuffer, &DetectedType);
  return true;
}

void CheckDetectedType() {
  if (!DetectPrinterType()) return;
  if (DetectedTypeDiffers(DetectedType, LinkSettings.ModelFamily, LinkSettings.PrinterVariant,
                          LinkSettings.CopyMode)) {
    TheOperator().ShowMessage(kOtherTypeWarning);
  }
}

bool ReadPrinterClock() {
  PurgeInput();
  FormatCommand("%cP0#cxx%c%c", 27, 27, 92);
  ApplyChecksum(CommandFrame);
  if (!RequireLink()) return false;
  if (SendFrame(CommandFrame) != 0) return false;
  ReceiveAnswer();
  if (AnswerReceived != 1) return false;
  ParseClockAnswer(AnswerBuffer, &PrinterClock);
  return true;
}

std::string ClockDateText() {
  char text[32];
  std::snprintf(text, sizeof text, "20%2.2d-%2.2d-%2.2d", PrinterClock.Year, PrinterClock.Month,
                PrinterClock.Day);
  return text;
}

std::string ClockTimeText() {
  char text[32];
  std::snprintf(text, sizeof text, "%2.2d:%2.2d", PrinterClock.Hour, PrinterClock.Minute);
  return text;
}

std::string DefaultCheckCodeEnd(int copy_mode, int variant) {
  if ((copy_mode == 2 && variant == 0) || (copy_mode == 1 && variant == 2)) return "1572863";
  return copy_mode == 0 ? "262143" : "524287";
}

namespace {

// Addresses are 32-bit integers, as the printer counts them; anything wider is a wrong value
// rather than a length that overflows.
bool ParseAddress(const std::string& text, long* out) {
  long value = 0;
  if (!ParseInteger(text, &value) || value < INT32_MIN || value > INT32_MAX) return false;
  *out = value;
  return true;
}

}  // namespace

std::string ReadProgramCheckCode(const std::string& from_text, const std::string& to_text) {
  long from = 0, to = 0;
  if (!ParseAddress(from_text, &from)) {
    TheOperator().ShowMessage("Błędna wartość pola \"Od adresu\"");
    return "";
  }
  if (!ParseAddress(to_text, &to)) {
    TheOperator().ShowMessage("Błędna wartość pola \"Do adresu\"");
    return "";
  }
  if (to < from) {
    TheOperator().ShowMessage("Błąd: \"Od adresu\">\"Do adresu\"");
    return "";
  }
  const std::string from_field = from_text.substr(0, 49);
  if (FormatCommand("%cP1;170#v%s/%ld/XX%c%c", 27, from_field.c_str(), to - from + 1, 27, 92) < 0) {
    return "Nie odczytano.";
  }
  ApplyChecksum(CommandFrame);
  if (SendFrame(CommandFrame) != 0) return "Nie odczytano.";
  AnswerReceived = 0;
  AnswerFailed = 0;
  ReceiveAnswer();
  if (AnswerReceived != 1) return "Nie odczytano.";
  bool ok = false;
  const std::string code = ParseCheckCodeAnswer(AnswerBuffer, &ok);
  return ok ? code : "Błąd odczytu.";
}

int PrintTypeOnPrinter() {
  FormatCommand("%cP1;187#vXX%c%c", 27, 27, 92);
  ApplyChecksum(CommandFrame);
  return SendFrame(CommandFrame);
}

bool ReadReceiveBuffer(bool swap_com, std::vector<std::string>* lines) {
  lines->clear();
  if (LinkSettings.PrinterVariant == 2) {
    FormatCommand("%cP0;%d$0xx%c%c", 27, swap_com ? 170 : 0, 27, 92);
  } else {
    FormatCommand("%cP$0xx%c%c", 27, 27, 92);
  }
  ApplyChecksum(CommandFrame);
  PurgeInput();
  std::memset(AnswerBuffer, 0, sizeof AnswerBuffer);
  if (SendFrame(CommandFrame) != 0) return false;
  ReceiveAnswer();
  if (AnswerReceived == 0) return false;
  *lines = ReceiveBufferLines(AnswerBuffer, sizeof AnswerBuffer);
  return true;
}

}  // namespace kelm
