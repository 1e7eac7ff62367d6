// kelmctl's diagnostic commands: cash information, type and version, clock, receive buffer.
#include <cstdio>
#include <string>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "kelmctl/commands.h"
#include "link/command_execution.h"
#include "link/printer_identity.h"
#include "link/reception.h"
#include "link/settings.h"

namespace kelm::ctl {
namespace {

int Cash(const Invocation&) {
  if (!RequireLink()) return kExitLink;
  ReadCashInfo();
  if (CashInfoState != 1) return AnswerFailed != 0 ? NoAnswer() : kExitLink;
  // Zeros from an answer that did not parse are no cash data.
  CashInfoRecord parsed;
  if (!ParseCashInfoAnswer(AnswerBuffer, LinkSettings.ModelFamily, &parsed)) {
    return UnreadableAnswer(AnswerBuffer);
  }
  for (const LabelledValue& field : CashInfoFields(CashInfo, LinkSettings.ModelFamily)) {
    std::printf("%s %s\n", field.label.c_str(), field.value.c_str());
  }
  return kExitDone;
}

int Type(const Invocation& in) {
  if (!DetectPrinterType())
    return AnswerFailed != 0 || AnswerReceived == 0 ? NoAnswer() : kExitLink;
  DetectedTypeRecord parsed;
  if (!ParseTypeAnswer(AnswerBuffer, &parsed)) return UnreadableAnswer(AnswerBuffer);
  std::printf("Typ: %s\nWersja: %s\n", ShownTypeName(DetectedType).c_str(),
              DetectedType.VersionText.c_str());
  if (in.Has("--check-code")) {
    if (LinkSettings.ModelFamily != 2) {
      std::printf("Kod SHA-1: Nie odczytano.\n");
      std::fputs("Kod programu odczytują tylko drukarki rodziny VANTEL i SALVO.\n", stderr);
      return kExitLink;
    }
    bool read = false;
    const std::string code = ReadProgramCheckCode(
        "0", DefaultCheckCodeEnd(LinkSettings.CopyMode, LinkSettings.PrinterVariant), &read);
    std::printf("Kod SHA-1: %s\n", code.c_str());
    if (!read) return AnswerReceived != 1 ? NoAnswer() : UnreadableAnswer(AnswerBuffer);
  }
  return kExitDone;
}

int Clock(const Invocation&) {
  if (!ReadPrinterClock()) return AnswerReceived != 1 ? NoAnswer() : kExitLink;
  PrinterClockRecord parsed;
  if (!ParseClockAnswer(AnswerBuffer, &parsed)) return UnreadableAnswer(AnswerBuffer);
  std::printf("Data (rrrr-mm-dd): %s\nGodzina (gg:mm): %s\n", ClockDateText().c_str(),
              ClockTimeText().c_str());
  return kExitDone;
}

int Buffer(const Invocation& in) {
  std::vector<std::string> lines;
  if (!ReadReceiveBuffer(in.Has("--swap-com"), &lines)) {
    return AnswerReceived == 0 ? NoAnswer() : kExitLink;
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return kExitDone;
}

}  // namespace

const std::vector<Command>& DiagnosticsCommands() {
  static const std::vector<Command> table = {
      {"cash", "", "the cash information, as the cash dialog shows it", Cash},
      {"type",
       "[--check-code]",
       "type and version (and the program check code)",
       Type,
       0,
       {{"--check-code"}}},
      {"clock", "", "the printer's clock", Clock},
      {"buffer", "[--swap-com]", "the printer's receive buffer", Buffer, 0, {{"--swap-com"}}},
  };
  return table;
}

}  // namespace kelm::ctl
