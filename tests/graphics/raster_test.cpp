// Rasters, their conversions and the one-bit BMP work files.
#include <gtest/gtest.h>

#include "graphics/bmp_file.h"
#include "graphics/raster.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

// A 192 x 64 picture in picture-file layout with the given black points (x, y from the top).
std::string FileRaster(std::initializer_list<std::pair<int, int>> points, int width = 192) {
  MonoPicture p = MonoPicture::White(width, 64);
  for (auto [x, y] : points) p.Set(x, y, true);
  return FileLayout(p);
}

TEST(DisplayRaster, DocumentedPoints) {
  struct Row {
    const char* name;
    std::string file;
    size_t at;  // the one non-zero display byte, or npos for none
    unsigned char value;
  } rows[] = {
      {"all white", FileRaster({}), std::string::npos, 0},
      {"top left", FileRaster({{0, 0}}), 0, 0x01},
      {"bottom right", FileRaster({{191, 63}}), 1535, 0x80},
      {"row 9 of column 8 (band 1, bit 1)", FileRaster({{8, 9}}), 192 + 8, 0x02},
      {"column 13, row 7", FileRaster({{13, 7}}), 13, 0x80},
  };
  for (const Row& row : rows) {
    const std::string display = FileToDisplay(row.file, kDisplayWidth);
    ASSERT_EQ(display.size(), kSlotRasterSize) << row.name;
    std::string expected(kSlotRasterSize, '\0');
    if (row.at != std::string::npos) expected[row.at] = static_cast<char>(row.value);
    EXPECT_EQ(display, expected) << row.name;
    EXPECT_EQ(DisplayToFile(display, kDisplayWidth), row.file) << row.name;
  }
  EXPECT_EQ(HexEncode(FileToDisplay(FileRaster({}), kDisplayWidth)), std::string(3072, '0'));
  EXPECT_EQ(FileToDisplay(std::string(1535, '\0'), kDisplayWidth), "");
}

TEST(DisplayRaster, ConversionsAreExactInversesForEveryByte) {
  for (int width : {kDisplayWidth, kFarewellWidth}) {
    std::string display(static_cast<size_t>(width) * 8, '\0');
    for (size_t i = 0; i < display.size(); ++i) display[i] = static_cast<char>(i * 37 + 11);
    const std::string file = DisplayToFile(display, width);
    EXPECT_EQ(FileToDisplay(file, width), display) << width;
  }
  // The farewell screen's point (127, 63) is the last byte of its 1024.
  const std::string farewell = FileToDisplay(FileRaster({{127, 63}}, 128), kFarewellWidth);
  ASSERT_EQ(farewell.size(), kFarewellRasterSize);
  EXPECT_EQ(static_cast<unsigned char>(farewell.back()), 0x80);
  EXPECT_EQ(HexEncode("\x01\xAB\xF0"), "01ABF0");
}

TEST(HeaderRaster, RowCountWidthAndBlankRowsFirst) {
  struct Row {
    int width, height;
    int rows, width_bytes, blank;
  } rows[] = {
      {416, 90, 96, 52, 6}, {416, 96, 96, 52, 0}, {200, 100, 96, 25, 0},
      {416, 1, 8, 52, 7},   {8, 17, 24, 1, 7},    {0, 0, 0, 0, 0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(HeaderWidthBytes(r.width), r.width_bytes) << r.width;
    MonoPicture p = MonoPicture::White(416, r.height > 96 ? 96 : r.height);
    if (p.height > 0) {
      p.Set(0, 0, true);               // the picture's top-left dot
      p.Set(415, p.height - 1, true);  // and its bottom-right one
    }
    const std::vector<std::string> out = HeaderRows(p);
    EXPECT_EQ(static_cast<int>(out.size()), r.rows == 0 ? 0 : HeaderRowCount(p.height));
    if (r.rows == 0 || r.height > 96) continue;
    EXPECT_EQ(HeaderRowCount(r.height), r.rows);
    for (int i = 0; i < r.blank; ++i) EXPECT_EQ(out[i], std::string(52, '\0')) << i;
    EXPECT_EQ(static_cast<unsigned char>(out[r.blank][0]), 0x80) << r.height;
    EXPECT_EQ(static_cast<unsigned char>(out.back()[51]), 0x01) << r.height;
  }
}

TEST(BmpWorkFile, LayoutAtOffset62AndReadBack) {
  test::TempDir dir;
  MonoPicture p = MonoPicture::White(192, 64);
  p.Set(0, 0, true);
  p.Set(191, 63, true);
  const std::string path = dir.File(kWorkPictureFile);
  ASSERT_TRUE(WriteMonoBmp(path, p));
  const std::string bytes = test::TempDir::Read(path);
  ASSERT_EQ(bytes.size(), 62u + 1536u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(bytes[10], 62);
  EXPECT_EQ(bytes[28], 1);  // one bit per dot
  // The bottom row comes first; the file holds white as set bits.
  EXPECT_EQ(static_cast<unsigned char>(bytes[62 + 23]), 0xFE);
  EXPECT_EQ(static_cast<unsigned char>(bytes[62 + 63 * 24]), 0x7F);
  std::string raster, message;
  ASSERT_TRUE(ReadWorkRaster(path, 192, kSlotRasterSize, &raster, &message)) << message;
  EXPECT_EQ(raster, FileLayout(p));
  for (size_t i = 0; i < raster.size(); ++i) {
    ASSERT_EQ(raster[i], static_cast<char>(~bytes[62 + i])) << i;
  }
  MonoPicture back;
  ASSERT_TRUE(ReadMonoBmp(path, &back, &message));
  EXPECT_EQ(back, p);

  // Odd widths are padded to four bytes per row and read back without the padding.
  MonoPicture odd = MonoPicture::White(13, 3);
  odd.Set(12, 2, true);
  ASSERT_TRUE(ParseMonoBmp(MonoBmpBytes(odd), &back, &message));
  EXPECT_EQ(back, odd);
}

TEST(BmpWorkFile, MalformedFilesAreRefusedWithAMessage) {
  const std::string good = MonoBmpBytes(MonoPicture::White(192, 64));
  auto with = [&](size_t at, char value) {
    std::string b = good;
    b[at] = value;
    return b;
  };
  std::string most_negative_height = good;  // top-down flag with no positive height
  most_negative_height.replace(22, 4, std::string("\x00\x00\x00\x80", 4));
  struct Row {
    const char* name;
    std::string bytes;
    const char* message;
  } rows[] = {
      {"empty", "", "Plik nie jest grafiką BMP bez kompresji."},
      {"not BM", with(0, 'X'), "Plik nie jest grafiką BMP bez kompresji."},
      {"sixteen bits per dot", with(28, 16), "Plik nie jest grafiką BMP bez kompresji."},
      {"compressed", with(30, 1), "Plik nie jest grafiką BMP bez kompresji."},
      {"huge width", with(21, 0x7F), "Plik nie jest grafiką BMP bez kompresji."},
      {"pixels past the end", with(10, 100), "Plik grafiki jest niekompletny."},
      {"cut short", good.substr(0, 62 + 1000), "Plik grafiki jest niekompletny."},
      {"header only", good.substr(0, 40), "Plik nie jest grafiką BMP bez kompresji."},
      {"height -2^31", most_negative_height, "Plik nie jest grafiką BMP bez kompresji."},
  };
  for (const Row& row : rows) {
    MonoPicture p;
    std::string message;
    EXPECT_FALSE(ParseMonoBmp(row.bytes, &p, &message)) << row.name;
    EXPECT_EQ(message, row.message) << row.name;
  }
  test::TempDir dir;
  std::string raster, message;
  EXPECT_FALSE(ReadWorkRaster(dir.File("none.bmp"), 192, 1536, &raster, &message));
  EXPECT_EQ(message, "Nie mogę otworzyć pliku " + dir.File("none.bmp") + ".");
  WriteMonoBmp(dir.File("narrow.bmp"), MonoPicture::White(128, 64));
  EXPECT_FALSE(ReadWorkRaster(dir.File("narrow.bmp"), 192, 1536, &raster, &message));
}

// A BMP of `bits` per dot, 3 x 2, from its colour table and pixel rows (bottom row first).
std::string Bmp(int bits, const std::string& table, const std::string& rows) {
  std::string b = MonoBmpBytes(MonoPicture::White(3, 2)).substr(0, 54);
  b[10] = static_cast<char>(54 + table.size());
  b[28] = static_cast<char>(bits);
  b[46] = static_cast<char>(table.size() / 4);
  return b + table + rows;
}

TEST(BmpWorkFile, ColourFilesAreReducedToOneBit) {
  const std::string grey_table("\x00\x00\x00\x00\xFF\xFF\xFF\x00\x30\x30\xF0\x00", 12);
  struct Row {
    const char* name;
    std::string bytes;
  } rows[] = {
      // Top row: black, white, red (dark enough); bottom row: white, dark red, yellow.
      {"24 bits", Bmp(24, "",
                      std::string("\xFF\xFF\xFF\x00\x00\x90\x00\xFF\xFF\x00\x00\x00", 12) +
                          std::string("\x00\x00\x00\xFF\xFF\xFF\x30\x30\xF0\x00\x00\x00", 12))},
      {"8 bits", Bmp(8, grey_table + std::string("\x00\x00\x80\x00", 4),
                     std::string("\x01\x03\x01\x00\x00\x01\x02\x00", 8))},
      {"4 bits", Bmp(4, grey_table + std::string("\x00\x00\x80\x00", 4),
                     std::string("\x13\x10\x00\x00\x01\x20\x00\x00", 8))},
  };
  for (const Row& r : rows) {
    MonoPicture p;
    std::string message;
    int bits = 0;
    ASSERT_TRUE(ParseMonoBmp(r.bytes, &p, &message, &bits)) << r.name << ": " << message;
    EXPECT_GT(bits, 1) << r.name;
    EXPECT_TRUE(p.Black(0, 0)) << r.name;
    EXPECT_FALSE(p.Black(1, 0)) << r.name;
    EXPECT_FALSE(p.Black(0, 1)) << r.name;
    EXPECT_TRUE(p.Black(1, 1)) << r.name;
    EXPECT_FALSE(p.Black(2, 1)) << r.name;
  }
}

TEST(BmpWorkFile, AnInvertedColourTableReadsAsItLooks) {
  std::string bytes = MonoBmpBytes(MonoPicture::White(8, 1));
  // White first, black second, pixel bits as written for black-first: every dot now black.
  bytes.replace(54, 8, std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00", 8));
  MonoPicture p;
  std::string message;
  ASSERT_TRUE(ParseMonoBmp(bytes, &p, &message));
  EXPECT_EQ(static_cast<unsigned char>(p.rows[0]), 0xFF);
}

}  // namespace
}  // namespace kelm
