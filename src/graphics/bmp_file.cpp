// The one-bit BMP work files.
#include "graphics/bmp_file.h"

#include <cstdint>
#include <cstdio>

namespace kelm {
namespace {

void Put16(std::string* out, uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t Get16(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

uint32_t Get32(std::string_view b, size_t at) {
  return Get16(b, at) | Get16(b, at + 2) << 16;
}

size_t PaddedStride(int width) {
  return (static_cast<size_t>(width) + 31) / 32 * 4;
}

// A colour as the file stores it (blue, green, red) darker than middle grey.
bool Dark(std::string_view b, size_t at) {
  const int blue = static_cast<unsigned char>(b[at]);
  const int green = static_cast<unsigned char>(b[at + 1]);
  const int red = static_cast<unsigned char>(b[at + 2]);
  return (red * 11 + green * 16 + blue * 5) / 32 < 128;
}

constexpr const char* kNotPicture = "Plik nie jest grafiką BMP bez kompresji.";
constexpr const char* kCutShort = "Plik grafiki jest niekompletny.";

}  // namespace

std::string MonoBmpBytes(const MonoPicture& picture) {
  const size_t stride = PaddedStride(picture.width);
  const size_t image = stride * static_cast<size_t>(picture.height);
  std::string out;
  out.reserve(kBmpPixelOffset + image);
  out += "BM";
  Put32(&out, static_cast<uint32_t>(kBmpPixelOffset + image));
  Put32(&out, 0);
  Put32(&out, kBmpPixelOffset);
  Put32(&out, 40);
  Put32(&out, static_cast<uint32_t>(picture.width));
  Put32(&out, static_cast<uint32_t>(picture.height));
  Put16(&out, 1);
  Put16(&out, 1);
  Put32(&out, 0);
  Put32(&out, static_cast<uint32_t>(image));
  Put32(&out, 0);
  Put32(&out, 0);
  Put32(&out, 2);
  Put32(&out, 2);
  Put32(&out, 0x00000000);  // black
  Put32(&out, 0x00FFFFFF);  // white
  const size_t bytes = picture.Stride();
  for (int y = picture.height - 1; y >= 0; --y) {
    std::string row(stride, '\xFF');
    for (size_t i = 0; i < bytes; ++i) {
      const size_t at = static_cast<size_t>(y) * bytes + i;
      const unsigned char b = at < picture.rows.size() ? picture.rows[at] : 0;
      row[i] = static_cast<char>(~b);
    }
    out += row;
  }
  return out;
}

bool ParseMonoBmp(std::string_view bytes, MonoPicture* picture, std::string* message,
                  int* bits_per_dot) {
  if (bytes.size() < kBmpPixelOffset || bytes[0] != 'B' || bytes[1] != 'M' ||
      Get32(bytes, 14) < 40 || Get16(bytes, 26) != 1) {
    *message = kNotPicture;
    return false;
  }
  const uint32_t bits = Get16(bytes, 28);
  const bool paletted = bits == 1 || bits == 4 || bits == 8;
  if ((!paletted && bits != 24 && bits != 32) || Get32(bytes, 30) != 0) {
    *message = kNotPicture;
    return false;
  }
  const int32_t width = static_cast<int32_t>(Get32(bytes, 18));
  int32_t height = static_cast<int32_t>(Get32(bytes, 22));
  const bool top_down = height < 0;
  // The most negative height has no positive counterpart: it is refused with the other bad sizes.
  if (top_down) height = height == INT32_MIN ? 0 : -height;
  const uint32_t offset = Get32(bytes, 10);
  const uint32_t header = Get32(bytes, 14);
  const uint32_t used = Get32(bytes, 46);
  const uint32_t colours = paletted ? (used == 0 || used > (1u << bits) ? 1u << bits : used) : 0;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
      header > bytes.size() || 14 + header + 4 * colours > offset || offset > bytes.size()) {
    *message = kNotPicture;
    return false;
  }
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  if (bytes.size() - offset < stride * static_cast<size_t>(height)) {
    *message = kCutShort;
    return false;
  }
  // Each colour of the table, and each dot of a true-colour file, is black when darker than
  // middle grey (the desktop program reduces pictures the same way).
  bool black_entry[256] = {};
  for (uint32_t c = 0; c < colours; ++c) black_entry[c] = Dark(bytes, 14 + header + 4 * c);
  MonoPicture p = MonoPicture::White(width, height);
  for (int32_t y = 0; y < height; ++y) {
    const size_t row =
        offset + (top_down ? static_cast<size_t>(y) : static_cast<size_t>(height - 1 - y)) * stride;
    for (int32_t x = 0; x < width; ++x) {
      bool black;
      if (paletted) {
        const size_t bit = static_cast<size_t>(x) * bits;
        const unsigned byte = static_cast<unsigned char>(bytes[row + bit / 8]);
        const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        black = index < colours && black_entry[index];
      } else {
        black = Dark(bytes, row + static_cast<size_t>(x) * (bits / 8));
      }
      if (black) p.Set(x, y, true);
    }
  }
  if (bits_per_dot != nullptr) *bits_per_dot = static_cast<int>(bits);
  *picture = std::move(p);
  return true;
}

namespace {

bool ReadFile(const std::string& path, std::string* bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  bytes->clear();
  char buffer[65536];
  size_t n;
  // A picture of the largest accepted size fits well within 16 MiB.
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && bytes->size() < (16u << 20)) {
    bytes->append(buffer, n);
  }
  std::fclose(f);
  return true;
}

}  // namespace

bool WriteMonoBmp(const std::string& path, const MonoPicture& picture) {
  const std::string bytes = MonoBmpBytes(picture);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool ReadMonoBmp(const std::string& path, MonoPicture* picture, std::string* message,
                 int* bits_per_dot) {
  std::string bytes;
  if (!ReadFile(path, &bytes)) {
    *message = "Nie mogę otworzyć pliku " + path + ".";
    return false;
  }
  return ParseMonoBmp(bytes, picture, message, bits_per_dot);
}

bool ReadWorkRaster(const std::string& path, int width, size_t size, std::string* raster,
                    std::string* message) {
  MonoPicture picture;
  if (!ReadMonoBmp(path, &picture, message)) return false;
  const std::string layout = FileLayout(picture);
  if (picture.width != width || layout.size() < size) {
    *message = kCutShort;
    return false;
  }
  *raster = layout.substr(0, size);
  return true;
}

}  // namespace kelm
