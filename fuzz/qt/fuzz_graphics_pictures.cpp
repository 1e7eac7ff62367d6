// Arbitrary bytes as a picture file loaded by the picture dialogs, decoded by the desktop's image
// library as a BMP, JPEG or PNG by its name (the first byte picks it): the slot and farewell
// loading writes and reads back its work file, and the header picture is prepared and cut into
// rows. None may crash or take memory beyond reason, whatever the file claims.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "graphics/bmp_file.h"
#include "graphics/dialogs/PictureFiles.h"
#include "graphics/picture_fit.h"
#include "graphics/raster.h"
#include "support/loopback_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  kelm::fuzz::InstallSilentSeams();
  static const char* const kNames[] = {"in.bmp", "in.jpg", "in.png"};
  const std::string& path = kelm::fuzz::WriteScratchFile(
      kNames[data[0] % 3], std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  const QString name = QString::fromStdString(path);
  kelm::MonoPicture shown;
  const bool farewell = data[0] & 4;
  if (kelm::dialogs::LoadScreenPicture(name, farewell ? kelm::kFarewellWidth : kelm::kDisplayWidth,
                                       kelm::kDisplayHeight, true,
                                       kelm::fuzz::ScratchFile("temp.bmp"), &shown)) {
    if (shown.width != (farewell ? kelm::kFarewellWidth : kelm::kDisplayWidth) ||
        shown.height != kelm::kDisplayHeight) {
      std::abort();
    }
  }
  const QImage image = kelm::dialogs::DecodePicture(name);
  if (image.isNull()) return 0;
  const kelm::HeaderPicture header = kelm::PrepareHeaderPicture(
      kelm::dialogs::MonoOf(image), kelm::dialogs::IsColourBitmap(name, image));
  if (header.source.width != kelm::kHeaderWidth || header.source.height > kelm::kHeaderMaxHeight) {
    std::abort();
  }
  kelm::HeaderRows(header.source);
  return 0;
}
