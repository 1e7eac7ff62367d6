// The picture commands over the printer link.
#include "graphics/picture_runs.h"

#include <cstring>

#include "graphics/picture_frames.h"
#include "graphics/raster.h"
#include "link/command_execution.h"
#include "link/printer_link.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/clock.h"
#include "protocol/error_table.h"
#include "protocol/frame.h"
#include "protocol/operator.h"

namespace kelm {
namespace {

constexpr int kParts = 8;
constexpr uint32_t kReadFirstWaitMs = 400;
constexpr uint32_t kReadRoundWaitMs = 150;
constexpr uint32_t kFarewellSettleMs = 500;
// A printer never sends this much for a slot; more is a line gone wild.
constexpr size_t kReadLimit = 64 * 1024;

// Raw frames go through CommandFrame like every other, so the raw panel shows them.
int SendRaw(const std::string& frame) {
  if (frame.size() >= kFrameBufferSize) return 1;
  std::memcpy(CommandFrame, frame.data(), frame.size());
  CommandFrame[frame.size()] = '\0';
  return SendBytes(CommandFrame, frame.size());
}

void Report(const char* text) {
  TheOperator().ShowMessage(text);
}

// A picture comes back as raw bytes, among them the XON and XOFF characters: while it is read,
// the serial port must not take them for flow control. The operator's setting comes back after.
class RawSerialInput {
 public:
  RawSerialInput() : xon_xoff_(LinkSettings.XonXoff) {
    if (LinkSettings.TcpActive != 0 || xon_xoff_ == 0) return;
    CloseSerialPort();
    LinkSettings.XonXoff = 0;
    reopened_ = true;
    OpenSerialPort(1);
  }
  ~RawSerialInput() {
    if (!reopened_) return;
    CloseSerialPort();
    LinkSettings.XonXoff = xon_xoff_;
    if (LinkSettings.PortNumber != kNoPort) OpenSerialPort(1);
  }
  RawSerialInput(const RawSerialInput&) = delete;
  RawSerialInput& operator=(const RawSerialInput&) = delete;

 private:
  const uint8_t xon_xoff_;
  bool reopened_ = false;
};

}  // namespace

PictureRun UploadSlot(int slot, std::string_view work_raster,
                      const std::function<void(int)>& progress) {
  const std::string hex = HexEncode(FileToDisplay(work_raster, kDisplayWidth));
  if (hex.size() != kSlotPartChars * kParts) return PictureRun::kNoPicture;
  PurgeInput();
  CommandSteps steps;
  const int opened = RunCommand(steps, kSlotOpenTemplate, 27, static_cast<unsigned>(slot), 27, 92);
  // A printer that never gave its status must not end the upload without a word.
  if (opened == kCommandNoStatus || opened == kCommandStatusFailed) {
    Report("Brak odpowiedzi drukarki!");
    return PictureRun::kNoAnswer;
  }
  if (opened != 0) return PictureRun::kNotSent;
  if (progress) progress(0);
  for (int k = 0; k < kParts; ++k) {
    if (SendRaw(SlotPartFrame(
            slot, k, std::string_view(hex).substr(kSlotPartChars * k, kSlotPartChars))) != 0) {
      return PictureRun::kSendFailed;
    }
    SingleByteAnswer = 1;
    ReceiveAnswer();
    if (AnswerReceived == 0) {
      Report("Brak odpowiedzi drukarki!");
      return PictureRun::kNoAnswer;
    }
    // The status byte that answers a part says whether the printer took it; a refused part
    // must not end in "sent correctly".
    const uint8_t status = static_cast<uint8_t>(AnswerBuffer[0]);
    if ((status & kEnqLastCommandOk) == 0) {
      ReadLastErrorCode();
      if (LastErrorNumber > 0) {
        ShowPrinterError();
      } else {
        Report("Brak odpowiedzi drukarki!");
      }
      return PictureRun::kPrinterError;
    }
    if (progress) progress(14 * k);
  }
  Report("Grafikę wysłano poprawnie.");
  return PictureRun::kDone;
}

int SendSlotMode(int slot, const SlotDisplay& display) {
  const ModeFrameValues v = ModeValues(display);
  CommandSteps steps;
  return RunCommand(steps, kSlotModeTemplate, 27, v.mode, v.step, v.speed,
                    static_cast<unsigned>(slot), v.interval, 27, 92);
}

int EraseSlot(int slot) {
  if (SendRaw(SlotEraseFrame(slot)) != 0) return kCommandNotSent;
  return CheckLastCommand();
}

PictureRun ReadSlot(int slot, std::string* work_raster) {
  if (!RequireLink()) return PictureRun::kNotSent;
  RawSerialInput raw;
  PurgeInput();
  LineStatusCheck();
  if (SendRaw(SlotReadFrame(slot)) != 0) return PictureRun::kNotSent;
  Clock& clock = TheClock();
  clock.Sleep(kReadFirstWaitMs);
  std::string got;
  char buffer[4096];
  for (;;) {
    TheOperator().ProcessEvents();
    size_t waiting = PendingInput();
    if (waiting == 0) break;
    while (waiting > 0 && got.size() < kReadLimit) {
      const size_t n = ReadBytes(buffer, waiting < sizeof buffer ? waiting : sizeof buffer);
      if (n == 0) break;
      got.append(buffer, n);
      waiting -= n < waiting ? n : waiting;
    }
    if (got.size() >= kReadLimit) break;
    clock.Sleep(kReadRoundWaitMs);
  }
  if (got.size() <= kSlotRasterSize) {
    Report("Brak zaprogramowanej grafiki lub błąd komunikacji");
    return PictureRun::kNoPicture;
  }
  *work_raster = DisplayToFile(std::string_view(got).substr(0, kSlotRasterSize), kDisplayWidth);
  // One byte more may still be on its way after a slow line's last round; it is not kept.
  char extra;
  ReadBytes(&extra, 1);
  return PictureRun::kDone;
}

PictureRun SendHeaderRows(const std::vector<std::string>& rows, const HeaderSend& how,
                          const std::function<void(int, int)>& progress) {
  const int count = static_cast<int>(rows.size());
  if (count == 0) {
    Report("Brak wczytanego obrazu!");
    return PictureRun::kNoPicture;
  }
  HeaderRowFields fields;
  fields.width_bytes = how.width_bytes;
  fields.alignment = how.alignment;
  fields.footer = how.footer;
  fields.without_confirmation = how.without_confirmation;
  for (int i = 1; i <= count; ++i) {
    if (progress) progress(i, count);
    fields.row = i;
    fields.last = i == count;
    if (SendRaw(HeaderRowFrame(fields, HexEncode(rows[static_cast<size_t>(i - 1)]))) != 0) {
      return PictureRun::kSendFailed;
    }
    // The footer's last row is not asked about: the printer is busy storing the footer then.
    if (how.footer && i == count) break;
    const int result = CheckLastCommand();
    if (result != kCommandExecuted) {
      return result == kCommandPrinterError ? PictureRun::kPrinterError : PictureRun::kNoAnswer;
    }
  }
  Report("Zakończono wysyłanie.");
  return PictureRun::kDone;
}

int EraseHeaderPicture(bool footer) {
  CommandSteps steps;
  return RunCommand(steps, footer ? kEraseFooterTemplate : kEraseHeaderTemplate, 27, 27, 92);
}

PictureRun SendFarewell(std::string_view work_raster, const std::function<void(int)>& progress) {
  const std::string hex = HexEncode(FileToDisplay(work_raster, kFarewellWidth));
  if (hex.size() != kFarewellPartChars * kParts) return PictureRun::kNoPicture;
  PurgeInput();
  TheClock().Sleep(kFarewellSettleMs);
  for (int k = 0; k < kParts; ++k) {
    if (SendRaw(FarewellPartFrame(
            k, std::string_view(hex).substr(kFarewellPartChars * k, kFarewellPartChars))) != 0) {
      return PictureRun::kSendFailed;
    }
    const int result = CheckLastCommand();
    if (result != kCommandExecuted) {
      Report("Brak odpowiedzi drukarki!");
      return result == kCommandPrinterError ? PictureRun::kPrinterError : PictureRun::kNoAnswer;
    }
    if (progress) progress(k);
  }
  Report("Wysłano grafikę");
  return PictureRun::kDone;
}

}  // namespace kelm
