// One-bit pictures and the printer's raster formats: the picture-file layout of the work files,
// the customer display's band raster (and the farewell screen's narrower one), the header and
// footer rows, and their hexadecimal form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelm {

// The customer display and its ten slots.
inline constexpr int kDisplayWidth = 192;
inline constexpr int kDisplayHeight = 64;
inline constexpr size_t kSlotRasterSize = 1536;  // 64 rows of 24 bytes, or 8 bands of 192
inline constexpr int kSlotCount = 10;
// The farewell screen: 128 x 64, 16 bytes per file row, 8 bands of 128 bytes.
inline constexpr int kFarewellWidth = 128;
inline constexpr size_t kFarewellRasterSize = 1024;
// The graphic header and footer: up to 96 rows of 416 dots.
inline constexpr int kHeaderWidth = 416;
inline constexpr int kHeaderMaxHeight = 96;
inline constexpr size_t kHeaderRowBytes = 52;

// A one-bit picture: rows from the top, (width + 7) / 8 bytes each, the leftmost dot in the most
// significant bit, a set bit for a black dot.
struct MonoPicture {
  int width = 0;
  int height = 0;
  std::string rows;

  static MonoPicture White(int width, int height);
  size_t Stride() const { return static_cast<size_t>(width + 7) / 8; }
  bool Black(int x, int y) const;
  void Set(int x, int y, bool black);
  bool operator==(const MonoPicture&) const = default;
};

// The picture-file layout of a picture: its rows from the bottom row up, a set bit black (what
// the work files hold at offset 62, each byte inverted). Widths are whole bytes here.
std::string FileLayout(const MonoPicture& picture);
MonoPicture FromFileLayout(std::string_view raster, int width);

// Picture-file layout (64 rows of width / 8 bytes) to the display's band raster: eight bands of
// eight rows, top band first, one byte per column, bit m the band's row m. The width is 192 for
// the display, 128 for the farewell screen. A raster of the wrong size gives "".
std::string FileToDisplay(std::string_view file_raster, int width);
// The exact inverse.
std::string DisplayToFile(std::string_view display_raster, int width);

// Upper-case hexadecimal, high nibble first.
std::string HexEncode(std::string_view bytes);

// H: the header picture's height rounded up to a multiple of 8. W: its width in bytes.
int HeaderRowCount(int height);
int HeaderWidthBytes(int width);
// The H rows of 52 bytes of a header or footer picture (416 dots wide, at most 96 high): the rows
// added by rounding come first and are blank, then the picture from its top row down.
std::vector<std::string> HeaderRows(const MonoPicture& picture);

}  // namespace kelm
