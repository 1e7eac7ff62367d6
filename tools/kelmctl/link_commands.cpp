// kelmctl's link commands: the status bytes, the last error, a raw frame, a command-position file.
#include <cstdio>
#include <cstring>
#include <string>

#include "kelmctl/commands.h"
#include "link/command_execution.h"
#include "link/command_positions.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "protocol/display_text.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"

namespace kelm::ctl {
namespace {

void PrintStatus(const char* name, uint8_t value, const StatusBitCaption* captions, int count) {
  std::printf("%s %02X\n", name, value);
  for (int i = 0; i < count; ++i) {
    if ((value & captions[i].bit) != 0) std::printf("  %s\n", captions[i].caption);
  }
}

int Status(const Invocation&) {
  if (QueryEnqStatus() != 0) return kExitLink;
  if (AnswerFailed != 0) return NoAnswer();
  const uint8_t enq = EnqStatus;
  if (QueryDleStatus() != 0) return kExitLink;
  if (AnswerFailed != 0) return NoAnswer();
  PrintStatus("ENQ", enq, kEnqBitCaptions, 4);
  PrintStatus("DLE", DleStatus, kDleBitCaptions, 3);
  return kExitDone;
}

int LastError(const Invocation&) {
  if (!RequireLink()) return kExitLink;
  LastErrorNumber = -1;
  AnswerReceived = 255;  // stays so when the query could not be sent (the link said why)
  ReadLastErrorCode();
  if (LastErrorNumber < 0) {
    if (AnswerReceived == 255) return kExitLink;
    return AnswerFailed != 0 ? NoAnswer() : UnreadableAnswer(AnswerBuffer);
  }
  // As the error-code dialog shows it: no text for 0 (no error) and for numbers without one.
  std::printf("%d: %s\n", LastErrorNumber,
              LastErrorNumber == 0 ? "" : PrinterErrorText(LastErrorNumber));
  return kExitDone;
}

int Send(const Invocation& in) {
  size_t count = DisplayTextToFrame(in.words[0], CommandFrame);
  if (in.Has("--checksum")) {
    ApplyChecksum(CommandFrame);
    count = std::strlen(CommandFrame);
  }
  const std::string shown = FrameToDisplayText(CommandFrame);
  if (SendBytes(CommandFrame, count) != 0) return kExitLink;
  std::printf("> %s\n", shown.c_str());
  const bool decode = in.Has("--decode");
  if (decode) PrintDecodedBytes(CommandFrame, count, Direction::kToPrinter);
  if (in.Has("--check")) {
    switch (CheckLastCommand()) {
      case kCommandExecuted:
        return kExitDone;
      case kCommandPrinterError:
        return kExitPrinterError;
      case kCommandStatusFailed:
        return NoAnswer();
      default:
        return kExitLink;
    }
  }
  if (in.Has("--receive") || decode) {
    ReceiveAnswer();
    std::printf("< %s\n", FrameToDisplayText(AnswerBuffer).c_str());
    if (AnswerFailed != 0) return NoAnswer();
    if (decode) PrintDecodedBytes(AnswerBuffer, std::strlen(AnswerBuffer), Direction::kFromPrinter);
  }
  return kExitDone;
}

bool SendIsValid(const Invocation& in) {
  return !(in.Has("--receive") && in.Has("--check"));
}

int Positions(const Invocation& in) {
  return SendCommandPositionsFile(in.words[0], in.Has("--each")) == 0 ? kExitDone : kExitLink;
}

}  // namespace

const std::vector<Command>& LinkCommands() {
  static const std::vector<Command> table = {
      {"status", "", "the ENQ and DLE status bytes", Status},
      {"last-error", "", "the printer's last error number and its text", LastError},
      {"send",
       "TEXT [--checksum] [--receive | --check] [--decode]",
       "send a frame written as display text (<ESC>P...);\n--decode: name its fields and "
       "those of the answer",
       Send,
       1,
       {{"--checksum"}, {"--receive"}, {"--check"}, {"--decode"}},
       SendIsValid},
      {"positions", "FILE [--each]", "send a command-position file", Positions, 1, {{"--each"}}},
  };
  return table;
}

}  // namespace kelm::ctl
