// The diagnostic queries: frame, send, receive, parse.
#include "catalogue/diagnostics_queries.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "link/command_execution.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"

namespace kelm {

namespace {

// The queries read an answer; what is already waiting on the line belongs to no one.
constexpr CommandSteps kQuery{AfterSend::kReceiveAnswer, false, true};
constexpr CommandSteps kQueryAsIs{AfterSend::kReceiveAnswer, false, false};

}  // namespace

void ReadCashInfo() {
  const int sent = RunCommand(
      kQuery, LinkSettings.ModelFamily == 2 ? kCashInfoFamily2Template : kCashInfoTemplate, kEsc,
      kEsc, kBackslash);
  if (sent == kCommandNoLink) return;
  if (sent != 0) {
    CashInfoState = 0;
    return;
  }
  CashInfoState = 1;
  ParseCashInfoAnswer(AnswerBuffer, LinkSettings.ModelFamily, &CashInfo);
}

bool ReadCashTotals(double totals[7]) {
  CashInfoState = 0;
  ReadCashInfo();
  if (CashInfoState != 1) return false;
  for (int i = 0; i < 7; ++i) totals[i] = CashInfo.Totals[i];
  return true;
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

std::string ReadProgramCheckCode(const std::string& from_text, const std::string& to_text,
                                 bool* read) {
  if (read != nullptr) *read = false;
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
  AnswerReceived = 0;
  const int sent = RunCommand(kQueryAsIs, kProgramCheckCodeTemplate, kEsc, from_field.c_str(),
                              to - from + 1, kEsc, kBackslash);
  if (sent < 0 || AnswerReceived != 1) return "Nie odczytano.";
  bool ok = false;
  const std::string code = ParseCheckCodeAnswer(AnswerBuffer, &ok);
  if (read != nullptr) *read = ok;
  return ok ? code : "Błąd odczytu.";
}

int PrintTypeOnPrinter() {
  return RunCommand({AfterSend::kNothing}, kPrintTypeTemplate, kEsc, kEsc, kBackslash) < 0 ? 1 : 0;
}

bool ReadReceiveBuffer(bool swap_com, std::vector<std::string>* lines) {
  lines->clear();
  const int sent = LinkSettings.PrinterVariant == 2
                       ? RunCommand(kQuery, kReceiveBufferSwapTemplate, kEsc, swap_com ? 170 : 0,
                                    kEsc, kBackslash)
                       : RunCommand(kQuery, kReceiveBufferTemplate, kEsc, kEsc, kBackslash);
  if (sent < 0 || AnswerReceived == 0) return false;
  *lines = ReceiveBufferLines(AnswerBuffer, sizeof AnswerBuffer);
  return true;
}

}  // namespace kelm
