// Sizes of the printer pictures.
#include "graphics/picture_fit.h"

namespace kelm {

MonoPicture Scaled(const MonoPicture& picture, int width, int height) {
  MonoPicture out = MonoPicture::White(width, height);
  CopyStretched(picture, {0, 0, picture.width, picture.height}, &out, {0, 0, width, height});
  return out;
}

MonoPicture Resized(const MonoPicture& picture, int width, int height) {
  MonoPicture out = MonoPicture::White(width, height);
  for (int y = 0; y < height && y < picture.height; ++y) {
    for (int x = 0; x < width && x < picture.width; ++x) out.Set(x, y, picture.Black(x, y));
  }
  return out;
}

void CopyStretched(const MonoPicture& source, const CopyRect& from, MonoPicture* target,
                   const CopyRect& to) {
  const long fw = from.right - from.left, fh = from.bottom - from.top;
  const long tw = to.right - to.left, th = to.bottom - to.top;
  if (fw <= 0 || fh <= 0 || tw <= 0 || th <= 0) return;
  for (int y = to.top < 0 ? 0 : to.top; y < to.bottom && y < target->height; ++y) {
    // The centre of each target dot picks its source dot.
    const int sy = from.top + static_cast<int>(((2L * (y - to.top) + 1) * fh) / (2 * th));
    for (int x = to.left < 0 ? 0 : to.left; x < to.right && x < target->width; ++x) {
      const int sx = from.left + static_cast<int>(((2L * (x - to.left) + 1) * fw) / (2 * tw));
      target->Set(x, y, source.Black(sx, sy));
    }
  }
}

std::string WrongSizeMessage(int width, int height) {
  return "Niewłaściwa grafika. Ma rozmiar " + std::to_string(width) + "/" + std::to_string(height) +
         ".";
}

MonoPicture FitToScreen(const MonoPicture& loaded, int width, int height, bool* wrong_size) {
  *wrong_size = loaded.width != width || loaded.height != height;
  if (loaded.height > height) return Scaled(loaded, width, height);
  return Resized(loaded, width, height);
}

HeaderPicture PrepareHeaderPicture(const MonoPicture& loaded, bool colour_file) {
  HeaderPicture h;
  MonoPicture work = loaded;
  if (colour_file) {
    work = Scaled(loaded, kHeaderWidth, kHeaderMaxHeight);
    h.converted = true;
  }
  if (work.width != kHeaderWidth || work.height > kHeaderMaxHeight) h.converted = true;
  if (work.height > kHeaderMaxHeight) work = Scaled(work, kHeaderWidth, kHeaderMaxHeight);
  h.rows = HeaderRowCount(work.height);
  h.width_bytes = HeaderWidthBytes(work.width);
  if (h.width_bytes > static_cast<int>(kHeaderRowBytes)) h.width_bytes = kHeaderRowBytes;
  h.source = Resized(work, kHeaderWidth, work.height);
  return h;
}

MonoPicture DrawHeaderWork(const MonoPicture& source, const HeaderPlacement& placement) {
  MonoPicture work = MonoPicture::White(source.width, source.height);
  CopyStretched(source, placement.source, &work, placement.destination);
  return work;
}

}  // namespace kelm
