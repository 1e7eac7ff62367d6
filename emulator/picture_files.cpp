// The printer's pictures as image files.
#include "emulator/picture_files.h"

#include <cstdio>
#include <filesystem>

namespace kelm::emu {

DotRows SlotDots(const std::string& band_raster, int width) {
  // Each byte is one column of a band of eight lines, the lowest bit on top.
  DotRows dots(64, std::string(static_cast<size_t>(width), '.'));
  for (size_t i = 0; i < band_raster.size() && i < static_cast<size_t>(width) * 8; ++i) {
    const size_t band = i / static_cast<size_t>(width), x = i % static_cast<size_t>(width);
    for (int bit = 0; bit < 8; ++bit)
      if (static_cast<unsigned char>(band_raster[i]) >> bit & 1) dots[band * 8 + bit][x] = '#';
  }
  return dots;
}

DotRows RowDots(const std::vector<std::string>& rows) {
  DotRows dots;
  for (const std::string& row : rows) {
    std::string line;
    for (unsigned char byte : row)
      for (int bit = 7; bit >= 0; --bit) line += (byte >> bit & 1) ? '#' : '.';
    dots.push_back(line);
  }
  return dots;
}

namespace {

void Le(std::string& out, unsigned long v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}

}  // namespace

std::string BmpOf(const DotRows& dots) {
  const size_t width = dots.empty() ? 0 : dots[0].size();
  const size_t stride = (width + 31) / 32 * 4;
  const size_t data = stride * dots.size();
  std::string out = "BM";
  Le(out, 62 + data, 4);
  Le(out, 0, 4);
  Le(out, 62, 4);
  Le(out, 40, 4);
  Le(out, width, 4);
  Le(out, dots.size(), 4);
  Le(out, 1, 2);
  Le(out, 1, 2);
  Le(out, 0, 4);
  Le(out, data, 4);
  Le(out, 2835, 4);  // 72 dots per inch
  Le(out, 2835, 4);
  Le(out, 2, 4);
  Le(out, 0, 4);
  // Colour 0 white, colour 1 black: a set bit is a black dot.
  Le(out, 0xFFFFFF, 4);
  Le(out, 0x000000, 4);
  for (size_t r = dots.size(); r-- > 0;) {
    std::string line(stride, '\0');
    for (size_t x = 0; x < width && x < dots[r].size(); ++x)
      if (dots[r][x] == '#') line[x / 8] = static_cast<char>(line[x / 8] | (0x80 >> (x % 8)));
    out += line;
  }
  return out;
}

namespace {

bool Put(const std::filesystem::path& path, const DotRows& dots) {
  std::error_code ignored;
  if (dots.empty()) {
    std::filesystem::remove(path, ignored);
    return true;
  }
  const std::string bytes = BmpOf(dots);
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}

}  // namespace

bool WritePictureFiles(const std::string& dir, const PrinterState& s) {
  const std::filesystem::path folder(dir);
  bool ok = true;
  for (size_t i = 0; i < s.slots.size(); ++i) {
    const DotRows dots = s.slots[i].present ? SlotDots(s.slots[i].raster, 192) : DotRows();
    ok &= Put(folder / ("slot" + std::to_string(i) + ".bmp"), dots);
  }
  const DotRows header = RowDots(s.header_rows), footer = RowDots(s.footer_rows);
  const DotRows farewell = s.farewell.empty() ? DotRows() : SlotDots(s.farewell, 128);
  ok &= Put(folder / "header.bmp", header);
  ok &= Put(folder / "footer.bmp", footer);
  ok &= Put(folder / "farewell.bmp", farewell);
  return ok;
}

}  // namespace kelm::emu
