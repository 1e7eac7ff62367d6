// Display pictures, graphic header rows, the farewell screen and control number series.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "emulator/daily_digest.h"
#include "emulator/picture_files.h"
#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

std::string Hex(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

// A raw frame without check value, as the picture dialogs build them byte by byte.
std::string Raw(const std::string& body) {
  return "\x1BP" + body + "\x1B\\";
}

TEST(DisplaySlots, UploadEightPartsThenReadTheRasterBack) {
  Bench b;
  std::string raster(1536, '\0');
  for (size_t i = 0; i < raster.size(); ++i) raster[i] = static_cast<char>(i * 7);
  ASSERT_EQ(b.Run("253;4$d"), 0);
  for (int k = 0; k < 8; ++k) {
    std::string part = Raw("255;" + std::to_string(k) + ";4$d" + Hex(raster.substr(k * 192, 192)));
    ASSERT_EQ(part.size() + 1, 398u);
    // Each part ends with ENQ and is answered by one status byte.
    EXPECT_EQ(b.Send(part + kEnq), "\x65") << k;
  }
  std::string back = b.Send(Raw("252;4;0;$d") + kEnq);
  ASSERT_EQ(back.size(), 1537u);
  EXPECT_EQ(back.substr(0, 1536), raster);
  EXPECT_EQ(back.back(), '\x65');

  ASSERT_EQ(b.Run("254;2;4;8;4;0$d"), 0);
  EXPECT_EQ(b.printer.state().slots[4].mode, 2);
  EXPECT_EQ(b.Run("254;2;4;8;10;0$d"), 4);  // there is no eleventh slot

  b.Send(Raw("253;4;0$d"));
  EXPECT_EQ(b.printer.last_error(), 0);
  EXPECT_EQ(b.Send(Raw("252;4;0;$d") + kEnq), "\x65");  // an empty slot sends nothing
}

TEST(DisplaySlots, PartsWithoutAnOpeningOrWithBadHexAreRefused) {
  Bench b;
  std::string hex(384, '0');
  EXPECT_EQ(b.Send(Raw("255;0;1$d" + hex) + kEnq), "\x61");
  ASSERT_EQ(b.Run("253;1$d"), 0);
  hex[5] = 'g';
  EXPECT_EQ(b.Send(Raw("255;0;1$d" + hex) + kEnq), "\x61");
  EXPECT_EQ(b.Send(Raw("255;0;1$d" + hex.substr(0, 382)) + kEnq), "\x61");
}

TEST(HeaderGraphics, RowsUntilTheLastRowFlag) {
  Bench b;
  std::string row = Hex(std::string(52, '\x81'));
  for (int i = 1; i <= 3; ++i) {
    char params[64];
    snprintf(params, sizeof params, "251;%02d;%d;52;0;1;170$d", i, i == 3 ? 1 : 0);
    std::string frame = Raw(params + row);
    EXPECT_EQ(frame.size(), 129u);
    b.Send(frame);
    EXPECT_EQ(b.printer.last_error(), 0) << i;
  }
  EXPECT_EQ(b.printer.state().footer_rows.size(), 3u);
  EXPECT_TRUE(b.printer.state().header_rows.empty());
  ASSERT_EQ(b.Run("251;0;1;0;0;0;170$d"), 0);
  EXPECT_TRUE(b.printer.state().footer_rows.empty());
  b.Send(Raw("251;02;0;52;0;0$d" + row));  // a row 2 without a row 1
  EXPECT_EQ(b.printer.last_error(), 4);
}

TEST(Farewell, EightPartsOf128Bytes) {
  Bench b;
  for (int k = 0; k < 8; ++k) {
    std::string frame =
        Raw("248;" + std::to_string(k) + "$d" + std::string(256, k % 2 ? 'F' : '0'));
    ASSERT_EQ(frame.size(), 267u);
    b.Send(frame);
    ASSERT_EQ(b.printer.last_error(), 0) << k;
  }
  EXPECT_EQ(b.printer.state().farewell.size(), 1024u);
}

TEST(HeaderGraphics, PrintoutsCarryMarkersForTheStoredHeaderAndFooter) {
  Bench b;
  const std::string row = Hex(std::string(52, '\x0F'));
  auto send = [&](int rows, int footer) {
    for (int i = 1; i <= rows; ++i) {
      char params[64];
      snprintf(params, sizeof params, "251;%02d;%d;52;0;%d$d", i, i == rows, footer);
      b.Send(Raw(params + row));
      ASSERT_EQ(b.printer.last_error(), 0) << i;
    }
  };
  send(16, 0);
  send(8, 1);
  ASSERT_EQ(b.Run("0#r"), 0);
  const std::string paper = b.Paper();
  EXPECT_EQ(paper.rfind("[GRAFIKA NAGŁÓWKA 416x16]\n", 0), 0u) << paper;
  EXPECT_NE(paper.find("TRYB SZKOLENIOWY\n[GRAFIKA STOPKI 416x8]\n|"), std::string::npos) << paper;
}

TEST(PictureFiles, EveryHeldPictureAsAOneBitBmp) {
  Bench b;
  std::string raster(1536, '\0');
  raster[0] = 0x01;                        // the top-left point
  raster[1535] = static_cast<char>(0x80);  // and (191, 63)
  ASSERT_EQ(b.Run("253;3$d"), 0);
  for (int k = 0; k < 8; ++k)
    b.Send(Raw("255;" + std::to_string(k) + ";3$d" + Hex(raster.substr(k * 192, 192))) + kEnq);
  b.Send(Raw("251;01;1;52;0;0$d" + Hex(std::string(52, '\x80'))));
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kelmemu-pictures-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "slot5.bmp") << "stale";
  ASSERT_TRUE(WritePictureFiles(dir.string(), b.printer.state()));
  auto read = [&](const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  const std::string slot = read("slot3.bmp");
  ASSERT_EQ(slot.size(), 62u + 64 * 24);
  EXPECT_EQ(slot.substr(0, 2), "BM");
  EXPECT_EQ(slot[10], 62);
  // Bottom row first: (191, 63) is the last bit of the first row; (0, 0) the first of the last.
  EXPECT_EQ(static_cast<unsigned char>(slot[62 + 23]), 0x01);
  EXPECT_EQ(static_cast<unsigned char>(slot[62 + 63 * 24]), 0x80);
  const std::string header = read("header.bmp");
  ASSERT_EQ(header.size(), 62u + 52);
  EXPECT_EQ(header.substr(62), std::string(52, '\x80'));
  EXPECT_FALSE(std::filesystem::exists(dir / "slot5.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / "farewell.bmp"));
  std::filesystem::remove_all(dir);
}

// The control number printed last on a document (the line before the training-mode mark).
std::string PrintedControlNumber(const std::string& paper) {
  size_t end = paper.rfind("\nTRYB SZKOLENIOWY");
  size_t start = paper.rfind('\n', end - 1) + 1;
  return paper.substr(start, end - start);
}

int VerifyReceipt(Bench& b, const std::vector<std::string>& series) {
  for (const std::string& f : series) {
    int e = b.Run(f);
    if (e) return e;
  }
  return 0;
}

TEST(ControlNumber, ReceiptTypedBackFromThePrintoutMatches) {
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lChleb\r2\rA/1.50/3.00/"), 0);
  ASSERT_EQ(b.Run("2$lWoda\r1\rG/2.00/2.00/"), 0);
  ASSERT_EQ(b.Run("1$e\r5.00/5.00/"), 0);
  std::string paper = b.Paper();
  std::string code = PrintedControlNumber(paper);
  ASSERT_EQ(code.size(), 40u) << paper;
  ASSERT_NE(paper.find("05-07-2024 12:30                nr wydr. 1"), std::string::npos) << paper;

  struct Row {
    const char* name;
    std::string totals;
    const char* verdict;
  } rows[] = {
      {"as printed", "2;1$*0,56/5,00/1/KLM 12345678\r12:30:00\r", "NUMER KONTROLNY ZGODNY"},
      {"dots and spacing", "2;1$*0.56/5.00/0001/KLM12345678\r12:30:00\r", "NUMER KONTROLNY ZGODNY"},
      {"wrong VAT", "2;1$*0,57/5,00/1/KLM 12345678\r12:30:00\r", "NUMER KONTROLNY NIEZGODNY"},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(VerifyReceipt(b, {"0;1$*05-07-2024\r1/PARAGONU LUB FAKTURY\r", "1;1$*Chleb\rA/",
                                "1;1$*Woda\rG/", row.totals, "10;1$*" + code + "\r"}),
              0)
        << row.name;
    std::string check = b.Paper();
    EXPECT_NE(check.find(row.verdict), std::string::npos) << row.name;
    EXPECT_NE(check.find("WERYFIKACJA PARAGONU"), std::string::npos);
  }
  EXPECT_EQ(b.Run("1;0$*Chleb\rA/"), 21);  // the series was closed
  EXPECT_EQ(b.Run("10;0$*SHORT\r"), 4);
}

TEST(ControlNumber, CancelledReceiptUsesTheUniqueDigitsAndTime) {
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lChleb\r1\rA/1.50/1.50/"), 0);
  ASSERT_EQ(b.Run("0$e"), 0);
  std::string code = PrintedControlNumber(b.Paper());
  ASSERT_EQ(VerifyReceipt(b, {"0;0$*05-07-2024\r1/PARAGONU LUB FAKTURY\r", "1;0$*Chleb\rA/",
                              "3;0$*12345678\r12:30:00\r", "10;0$*" + code + "\r"}),
            0);
  EXPECT_NE(b.Paper().find("NUMER KONTROLNY ZGODNY"), std::string::npos);
}

TEST(DailyDigest, KnownAnswerFromTheBlockLayout) {
  // One sale of 1.23 zł under A, VAT 0.23, one receipt; expected value from sha1sum over the
  // blocks written out by hand.
  DailyDigest d;
  d.Start("05-07-2024", 1);
  d.Sale(0, 123);
  d.Value(23);
  d.Value(1);
  d.RunningTotal(0, 23);
  EXPECT_EQ(d.Finish("KLM 12345678", "00:00:00"), "C44CF31206B72B485471AF139DB3C1D464CD621E");
}

TEST(ControlNumber, DailyReportTypedBackFromThePrintoutMatches) {
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lX\r1\rA/1.23/1.23/"), 0);
  ASSERT_EQ(b.Run("2$lY\r1\rG/2.00/2.00/"), 0);
  ASSERT_EQ(b.Run("1$e\r3.23/3.23/"), 0);
  b.Paper();
  ASSERT_EQ(b.Run("0#r"), 0);
  std::string paper = b.Paper();
  size_t hash = paper.find('#', paper.find("ILOŚĆ PARAGONÓW"));
  ASSERT_NE(hash, std::string::npos) << paper;
  std::string code = paper.substr(hash + 1, 40);
  EXPECT_EQ(paper[hash + 41], '#');
  EXPECT_NE(paper.find("SPRZED. OPOD. PTU A                   1,23"), std::string::npos) << paper;
  EXPECT_NE(paper.find("SPRZED. ZWOL. PTU G                   2,00"), std::string::npos);

  struct Row {
    const char* taxed;
    const char* verdict;
  } rows[] = {{"4;0$*A\r1,23/", "NUMER KONTROLNY ZGODNY"},
              {"4;0$*A\r1,24/", "NUMER KONTROLNY NIEZGODNY"}};
  for (const Row& row : rows) {
    const std::string series[] = {"0;0$*05-07-2024\r1/RAPORTU DOBOWEGO\r",
                                  row.taxed,
                                  "4;0$*G\r2,00/",
                                  "5;0$*0,23/\x9C\x8F"
                                  "CZNA KWOTA PTU:\r",
                                  "5;0$*1/ILO\x98\x95 PARAGON\xA3W:\r",
                                  "6;0$*0/0.23/OD RAP. 1 DO N \x9C\x8F"
                                  "CZNA KWOTA PTU:\r",
                                  "7;0$*KLM 12345678\r00:00:00\r",
                                  "10;0$*" + code + "\r"};
    for (const std::string& f : series) ASSERT_EQ(b.Run(f), 0) << f;
    std::string check = b.Paper();
    EXPECT_NE(check.find("WERYFIKACJA RAPORTU DOBOWEGO"), std::string::npos);
    EXPECT_NE(check.find(row.verdict), std::string::npos) << row.taxed;
  }
}

}  // namespace
}  // namespace kelm::emu::test
