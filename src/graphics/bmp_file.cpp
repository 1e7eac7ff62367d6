// The one-bit BMP work files.
#include "graphics/bmp_file.h"

#include <cstdint>
#include <cstdio>

namespace kelm {
namespace {

// Pictures bigger than this are not ours: a header is 416 x 96, a slot 192 x 64.
constexpr int32_t kMaxSide = 8192;

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

int Brightness(std::string_view b, size_t at) {
  // Colour-table entries are blue, green, red, reserved.
  return static_cast<unsigned char>(b[at]) + static_cast<unsigned char>(b[at + 1]) +
         static_cast<unsigned char>(b[at + 2]);
}

constexpr const char* kNotPicture = "Plik nie jest jednobitową grafiką BMP.";
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

bool ParseMonoBmp(std::string_view bytes, MonoPicture* picture, std::string* message) {
  if (bytes.size() < kBmpPixelOffset || bytes[0] != 'B' || bytes[1] != 'M' ||
      Get32(bytes, 14) < 40 || Get16(bytes, 26) != 1 || Get16(bytes, 28) != 1 ||
      Get32(bytes, 30) != 0) {
    *message = kNotPicture;
    return false;
  }
  const int32_t width = static_cast<int32_t>(Get32(bytes, 18));
  int32_t height = static_cast<int32_t>(Get32(bytes, 22));
  const bool top_down = height < 0;
  if (top_down) height = -height;
  const uint32_t offset = Get32(bytes, 10);
  const size_t table = 14 + Get32(bytes, 14);
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || table + 8 > offset ||
      offset > bytes.size()) {
    *message = kNotPicture;
    return false;
  }
  const size_t stride = PaddedStride(width);
  if (bytes.size() - offset < stride * static_cast<size_t>(height)) {
    *message = kCutShort;
    return false;
  }
  // Our files put black first, so a set bit is white; a file with the table the other way round
  // means what it shows.
  const bool set_is_black = Brightness(bytes, table + 4) < Brightness(bytes, table);
  MonoPicture p = MonoPicture::White(width, height);
  const size_t row_bytes = p.Stride();
  for (int32_t y = 0; y < height; ++y) {
    const size_t file_row = top_down ? static_cast<size_t>(y) : static_cast<size_t>(height - 1 - y);
    for (size_t i = 0; i < row_bytes; ++i) {
      unsigned char b = static_cast<unsigned char>(bytes[offset + file_row * stride + i]);
      if (!set_is_black) b = static_cast<unsigned char>(~b);
      p.rows[static_cast<size_t>(y) * row_bytes + i] = static_cast<char>(b);
    }
    // Bits past the right edge are not part of the picture.
    if (width % 8) {
      char& last = p.rows[static_cast<size_t>(y) * row_bytes + row_bytes - 1];
      last = static_cast<char>(static_cast<unsigned char>(last) & (0xFF << (8 - width % 8)));
    }
  }
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

bool ReadMonoBmp(const std::string& path, MonoPicture* picture, std::string* message) {
  std::string bytes;
  if (!ReadFile(path, &bytes)) {
    *message = "Nie mogę otworzyć pliku " + path + ".";
    return false;
  }
  return ParseMonoBmp(bytes, picture, message);
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
