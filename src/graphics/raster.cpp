// One-bit pictures and the printer's raster formats.
#include "graphics/raster.h"

namespace kelm {

MonoPicture MonoPicture::White(int width, int height) {
  MonoPicture p;
  p.width = width < 0 ? 0 : width;
  p.height = height < 0 ? 0 : height;
  p.rows.assign(p.Stride() * static_cast<size_t>(p.height), '\0');
  return p;
}

bool MonoPicture::Black(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  const size_t at = static_cast<size_t>(y) * Stride() + static_cast<size_t>(x / 8);
  return at < rows.size() && (static_cast<unsigned char>(rows[at]) & (0x80 >> (x % 8))) != 0;
}

void MonoPicture::Set(int x, int y, bool black) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const size_t at = static_cast<size_t>(y) * Stride() + static_cast<size_t>(x / 8);
  if (at >= rows.size()) return;
  const unsigned char bit = static_cast<unsigned char>(0x80 >> (x % 8));
  unsigned char b = static_cast<unsigned char>(rows[at]);
  rows[at] = static_cast<char>(black ? b | bit : b & ~bit);
}

std::string FileLayout(const MonoPicture& picture) {
  const size_t stride = picture.Stride();
  std::string out;
  out.reserve(picture.rows.size());
  for (int y = picture.height - 1; y >= 0; --y) {
    out.append(picture.rows, static_cast<size_t>(y) * stride, stride);
  }
  return out;
}

MonoPicture FromFileLayout(std::string_view raster, int width) {
  MonoPicture p;
  p.width = width;
  const size_t stride = p.Stride();
  if (stride == 0) return p;
  p.height = static_cast<int>(raster.size() / stride);
  for (int y = p.height - 1; y >= 0; --y) {
    p.rows.append(raster.substr(static_cast<size_t>(y) * stride, stride));
  }
  return p;
}

namespace {

constexpr int kBands = 8;

size_t DisplaySize(int width) {
  return static_cast<size_t>(width) * kBands;
}

}  // namespace

std::string FileToDisplay(std::string_view file_raster, int width) {
  if (width <= 0 || width % 8 != 0 || file_raster.size() != DisplaySize(width)) return "";
  const size_t stride = static_cast<size_t>(width / 8);
  std::string out;
  out.reserve(file_raster.size());
  for (int b = 0; b < kBands; ++b) {
    for (size_t u = 0; u < stride; ++u) {
      unsigned char rows[8];
      for (int m = 0; m < 8; ++m) {
        // Image row y from the top is file row 63 - y.
        const int y = 8 * b + m;
        rows[m] = static_cast<unsigned char>(file_raster[static_cast<size_t>(63 - y) * stride + u]);
      }
      for (int j = 0; j < 8; ++j) {
        unsigned char column = 0;
        for (int m = 0; m < 8; ++m) {
          if (rows[m] & (0x80 >> j)) column |= static_cast<unsigned char>(1 << m);
        }
        out += static_cast<char>(column);
      }
    }
  }
  return out;
}

std::string DisplayToFile(std::string_view display_raster, int width) {
  if (width <= 0 || width % 8 != 0 || display_raster.size() != DisplaySize(width)) return "";
  const size_t stride = static_cast<size_t>(width / 8);
  std::string out(display_raster.size(), '\0');
  size_t at = 0;
  for (int b = 0; b < kBands; ++b) {
    for (size_t u = 0; u < stride; ++u) {
      for (int j = 0; j < 8; ++j) {
        const unsigned char column = static_cast<unsigned char>(display_raster[at++]);
        for (int m = 0; m < 8; ++m) {
          if (column & (1 << m)) {
            char& byte = out[static_cast<size_t>(63 - (8 * b + m)) * stride + u];
            byte = static_cast<char>(static_cast<unsigned char>(byte) | (0x80 >> j));
          }
        }
      }
    }
  }
  return out;
}

std::string HexEncode(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

int HeaderRowCount(int height) {
  return height <= 0 ? 0 : (height + 7) / 8 * 8;
}

int HeaderWidthBytes(int width) {
  return width <= 0 ? 0 : (width + 7) / 8;
}

std::vector<std::string> HeaderRows(const MonoPicture& picture) {
  const int height = picture.height > kHeaderMaxHeight ? kHeaderMaxHeight : picture.height;
  const int rows = HeaderRowCount(height);
  std::vector<std::string> out(static_cast<size_t>(rows - height),
                               std::string(kHeaderRowBytes, '\0'));
  const size_t stride = picture.Stride();
  for (int y = 0; y < height; ++y) {
    std::string row(kHeaderRowBytes, '\0');
    const size_t take = stride < kHeaderRowBytes ? stride : kHeaderRowBytes;
    const size_t at = static_cast<size_t>(y) * stride;
    if (at + take <= picture.rows.size()) row.replace(0, take, picture.rows, at, take);
    out.push_back(row);
  }
  return out;
}

}  // namespace kelm
