// Arbitrary bytes as a picture file: the one-bit BMP reader must refuse or read them without
// reading outside the bytes, and what it reads must survive the conversions to the rasters.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "graphics/bmp_file.h"
#include "graphics/picture_fit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kelm::MonoPicture picture;
  std::string message;
  if (!kelm::ParseMonoBmp(std::string_view(reinterpret_cast<const char*>(data), size), &picture,
                          &message)) {
    return 0;
  }
  bool wrong = false;
  const kelm::MonoPicture fitted = kelm::FitToScreen(picture, 192, 64, &wrong);
  kelm::FileToDisplay(kelm::FileLayout(fitted), 192);
  if (picture.width * static_cast<long>(picture.height) <= 1 << 20) {
    kelm::HeaderRows(kelm::PrepareHeaderPicture(picture, false).source);
  }
  return 0;
}
