// A display slot read back over a loopback TCP/IP link, the printer answering the read frame with
// the fuzzer's bytes (the first byte picks the slot). A picture read must be exactly the first
// 1536 bytes the printer sent, and must come back unchanged from the BMP file it is saved as.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "graphics/bmp_file.h"
#include "graphics/picture_frames.h"
#include "graphics/picture_runs.h"
#include "graphics/raster.h"
#include "support/loopback_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 1 << 16) return 0;
  kelm::fuzz::ConnectLoopbackPrinter();
  kelm::fuzz::ClearLoopback();
  const int slot = data[0] % kelm::kSlotCount;
  const std::string_view answer(reinterpret_cast<const char*>(data) + 1, size - 1);
  kelm::fuzz::SendAtNextSleep(answer);
  std::string raster;
  const kelm::PictureRun run = kelm::ReadSlot(slot, &raster);
  if (kelm::fuzz::ProgramSent() != kelm::SlotReadFrame(slot)) std::abort();
  if ((run == kelm::PictureRun::kDone) != (answer.size() > kelm::kSlotRasterSize)) std::abort();
  if (run == kelm::PictureRun::kDone) {
    if (kelm::FileToDisplay(raster, kelm::kDisplayWidth) !=
        answer.substr(0, kelm::kSlotRasterSize)) {
      std::abort();
    }
    const std::string& path = kelm::fuzz::ScratchFile("slot.bmp");
    std::string again, message;
    if (!kelm::WriteMonoBmp(path, kelm::FromFileLayout(raster, kelm::kDisplayWidth)) ||
        !kelm::ReadWorkRaster(path, kelm::kDisplayWidth, kelm::kSlotRasterSize, &again, &message) ||
        again != raster) {
      std::abort();
    }
  }
  kelm::fuzz::ClearLoopback();
  return 0;
}
