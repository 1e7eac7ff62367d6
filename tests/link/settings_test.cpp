// ustaw.txt: the bytes written, the positional reading, and the round trip of every setting.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "link/program_folder.h"
#include "link/settings.h"
#include "protocol/win1250.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

class SettingsFile : public ::testing::Test {
 protected:
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder here{dir.path()};

  // Writes `utf8` as the Windows-1250 bytes of ustaw.txt and loads it.
  void Load(const std::string& utf8) {
    test::TempDir::Write(dir.File("ustaw.txt"), Utf8ToCp1250(utf8));
    LoadSettings();
  }
  std::string Saved() {
    EXPECT_TRUE(SaveSettings());
    return Cp1250ToUtf8(test::TempDir::Read(dir.File("ustaw.txt")));
  }
};

const char kTypical[] =
    "COM 1\r\nSzybkość 9600\r\nBityDanch 8\r\nParzystość Brak\r\nBityStopu 1\r\nXon/Xoff 0\r\n"
    "RTS/CTS 0\r\nKodowaniePolskichLiter MAZOVIA\r\nKelm_Vantel zwykła kopia_papierowa\r\n\r\n";

TEST_F(SettingsFile, WritesTheDocumentedBytes) {
  LinkSettings.PortNumber = 1;
  EXPECT_EQ(Saved(), kTypical);
  // The file really is Windows-1250: "ś" of "Szybkość" is one byte 9Ch.
  EXPECT_NE(test::TempDir::Read(dir.File("ustaw.txt")).find("Szybko\x9C\xE6"), std::string::npos);
}

TEST_F(SettingsFile, MissingFileGivesDefaults) {
  LinkSettings.Speed = 1;
  LinkSettings.TcpActive = 1;
  LoadSettings();
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
  EXPECT_EQ(LinkSettings.Speed, 9600u);
  EXPECT_EQ(LinkSettings.ModelFamily, 2);
  EXPECT_EQ(LinkSettings.TcpActive, 0);
}

TEST_F(SettingsFile, NoPortIsWrittenAsMinusOneAndReadBackAs255) {
  EXPECT_EQ(Saved().substr(0, 8), "COM -1\r\n");
  LinkSettings.PortNumber = 7;
  LoadSettings();
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);
}

TEST_F(SettingsFile, EverySettingSurvivesTheRoundTrip) {
  struct Case {
    uint8_t port;
    uint32_t speed;
    uint8_t data, parity, stop, xon, rts, coding, family, variant, copy, mode, level;
  } cases[] = {
      {1, 9600, 8, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0},    {64, 512000, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0},
      {12, 115200, 7, 2, 2, 0, 1, 2, 2, 2, 2, 1, 1}, {3, 110, 6, 3, 0, 1, 0, 3, 0, 0, 1, 1, 2},
      {9, 256000, 8, 4, 1, 0, 0, 0, 2, 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    LinkSettingsRecord& s = LinkSettings;
    s.PortNumber = c.port, s.Speed = c.speed, s.DataBits = c.data, s.Parity = c.parity;
    s.StopBits = c.stop, s.XonXoff = c.xon, s.RtsCts = c.rts, s.LetterCoding = c.coding;
    s.ModelFamily = c.family, s.PrinterVariant = c.variant, s.CopyMode = c.copy;
    s.ServiceMode = c.mode, s.ServiceLevel = c.level, s.TcpActive = 1;
    ASSERT_TRUE(SaveSettings());
    const LinkSettingsRecord before = s;
    ResetLinkSettings();
    LoadSettings();
    EXPECT_EQ(s.PortNumber, before.PortNumber);
    EXPECT_EQ(s.Speed, before.Speed);
    EXPECT_EQ(s.DataBits, before.DataBits);
    EXPECT_EQ(s.Parity, before.Parity) << "parity " << int(c.parity);
    EXPECT_EQ(s.StopBits, before.StopBits);
    EXPECT_EQ(s.XonXoff, before.XonXoff);
    EXPECT_EQ(s.RtsCts, before.RtsCts);
    EXPECT_EQ(s.LetterCoding, before.LetterCoding);
    EXPECT_EQ(s.ModelFamily, before.ModelFamily);
    EXPECT_EQ(s.PrinterVariant, before.PrinterVariant);
    EXPECT_EQ(s.CopyMode, before.CopyMode);
    EXPECT_EQ(s.ServiceMode, before.ServiceMode);
    EXPECT_EQ(s.ServiceLevel, before.ServiceLevel);
    EXPECT_EQ(s.TcpActive, 0);
  }
}

TEST_F(SettingsFile, HiddenModeWords) {
  LinkSettings.ServiceMode = 1;
  LinkSettings.ServiceLevel = 2;
  EXPECT_NE(Saved().find("zwykła kopia_papierowa\r\nkrzemowiska1\r\n"), std::string::npos);
  LinkSettings.ServiceLevel = 1;
  EXPECT_NE(Saved().find("\r\nkrzemowiska\r\n"), std::string::npos);
  LinkSettings.ServiceLevel = 0;
  EXPECT_NE(Saved().find("\r\nzegarun\r\n"), std::string::npos);

  Load(std::string(kTypical) + "zegarun\r\n");
  EXPECT_EQ(LinkSettings.ServiceMode, 1);
  EXPECT_EQ(LinkSettings.ServiceLevel, 0);
  Load(std::string(kTypical) + "cokolwiek\r\n");
  EXPECT_EQ(LinkSettings.ServiceMode, 0);
  EXPECT_EQ(LinkSettings.ServiceLevel, 0);
}

TEST_F(SettingsFile, LabelsAreSkippedUnread) {
  Load(
      "PORT 3\r\nA 19200\r\nB 7\r\nC Parzyste\r\nD 2\r\nE 1\r\nF 1\r\nG LATIN\r\n"
      "Oxil_Pro Bus VF\r\n\r\n");
  EXPECT_EQ(LinkSettings.PortNumber, 3);
  EXPECT_EQ(LinkSettings.Speed, 19200u);
  EXPECT_EQ(LinkSettings.DataBits, 7);
  EXPECT_EQ(LinkSettings.Parity, 2);
  EXPECT_EQ(LinkSettings.StopBits, 2);
  EXPECT_EQ(LinkSettings.XonXoff, 1);
  EXPECT_EQ(LinkSettings.RtsCts, 1);
  EXPECT_EQ(LinkSettings.LetterCoding, 1);
  EXPECT_EQ(LinkSettings.ModelFamily, 1);
  EXPECT_EQ(LinkSettings.PrinterVariant, 1);
  EXPECT_EQ(LinkSettings.CopyMode, 2);
}

TEST_F(SettingsFile, FamilyZeroHasNoVariant) {
  Load(
      "COM 1\r\nS 9600\r\nB 8\r\nP Brak\r\nS 1\r\nX 0\r\nR 0\r\nK MAZOVIA\r\n"
      "Oxil,Oxil_Plus Bus kopia_elektroniczna\r\n\r\n");
  EXPECT_EQ(LinkSettings.ModelFamily, 0);
  EXPECT_EQ(LinkSettings.PrinterVariant, 0);
  EXPECT_EQ(LinkSettings.CopyMode, 1);
}

TEST_F(SettingsFile, UnknownKeywordsKeepTheirDefaults) {
  Load(
      "COM 2\r\nS 4800\r\nB 8\r\nP Dziwna\r\nS 3\r\nX 0\r\nR 0\r\nK UTF8\r\n"
      "Kelm_Inna Bus VF\r\n\r\n");
  EXPECT_EQ(LinkSettings.PortNumber, 2);
  EXPECT_EQ(LinkSettings.Speed, 4800u);
  EXPECT_EQ(LinkSettings.Parity, 0);
  EXPECT_EQ(LinkSettings.StopBits, 0);
  EXPECT_EQ(LinkSettings.LetterCoding, 0);
  EXPECT_EQ(LinkSettings.ModelFamily, 2);
  EXPECT_EQ(LinkSettings.PrinterVariant, 1);
  EXPECT_EQ(LinkSettings.CopyMode, 2);
}

TEST_F(SettingsFile, ScanningStopsAtTheFirstMismatch) {
  Load("COM 5\r\nSzybkość 19200\r\nBityDanch siedem\r\nParzystość Parzyste\r\n");
  EXPECT_EQ(LinkSettings.PortNumber, 5);
  EXPECT_EQ(LinkSettings.Speed, 19200u);
  EXPECT_EQ(LinkSettings.DataBits, 8);
  EXPECT_EQ(LinkSettings.Parity, 0);  // after the mismatch: default
  Load("COM 4\r\nSzyb");              // truncated in the middle of a label
  EXPECT_EQ(LinkSettings.PortNumber, 4);
  EXPECT_EQ(LinkSettings.Speed, 9600u);
}

TEST_F(SettingsFile, OnlyTheFirst200BytesCount) {
  // Padding the port line pushes the hidden word past byte 200: it is not read.
  std::string text = kTypical;
  text.insert(5, 120, ' ');
  text += "krzemowiska1\r\n";
  ASSERT_GT(text.size(), 200u);
  Load(text);
  EXPECT_EQ(LinkSettings.PortNumber, 1);
  EXPECT_EQ(LinkSettings.ModelFamily, 2);
  EXPECT_EQ(LinkSettings.ServiceLevel, 0);
  EXPECT_EQ(LinkSettings.ServiceMode, 0);
}

TEST_F(SettingsFile, NumbersNeverSpillIntoNeighbouringFields) {
  Load(
      "COM 300\r\nS 9600\r\nB 99999\r\nP Brak\r\nS 1\r\nX 7\r\nR 0\r\nK LATIN\r\n"
      "Kelm_Vantel zwykła kopia_papierowa\r\n\r\n");
  EXPECT_EQ(LinkSettings.Speed, 9600u);
  EXPECT_EQ(LinkSettings.Parity, 0);
  EXPECT_EQ(LinkSettings.LetterCoding, 1);
}

TEST_F(SettingsFile, IsReadFromTheCurrentDirectoryAndWrittenToTheProgramFolder) {
  test::TempDir program;
  SetProgramFolder(program.path());
  test::TempDir::Write(dir.File("ustaw.txt"), Utf8ToCp1250(kTypical));
  LoadSettings();
  EXPECT_EQ(LinkSettings.PortNumber, 1);
  LinkSettings.PortNumber = 2;
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(test::TempDir::Read(program.File("ustaw.txt")).substr(0, 7), "COM 2\r\n");
  EXPECT_EQ(test::TempDir::Read(dir.File("ustaw.txt")).substr(0, 7), "COM 1\r\n");
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFileWhole) {
  LinkSettings.PortNumber = 1;
  const std::string before = Saved();
  // A directory in the way of the temporary file makes the write fail.
  ASSERT_EQ(mkdir(dir.File("ustaw.txt.tmp").c_str(), 0755), 0);
  LinkSettings.PortNumber = 2;
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(Cp1250ToUtf8(test::TempDir::Read(dir.File("ustaw.txt"))), before);
}

// Where an executable keeps its files: beside itself when run from where it was built, in the
// user's folder when it lies in a folder of the system.
TEST(ProgramFolder, InstalledProgramsKeepTheirFilesWithTheUser) {
  struct Row {
    const char* exe_folder;
    const char* xdg_config_home;
    const char* home;
    const char* folder;
  };
  const Row rows[] = {
      {"/work/kldiag/build/bin", nullptr, "/home/ala", "/work/kldiag/build/bin"},
      {"/opt/kldiag/bin", nullptr, "/home/ala", "/opt/kldiag/bin"},
      {"/usr/binaries", nullptr, "/home/ala", "/usr/binaries"},
      {"/usr/bin", nullptr, "/home/ala", "/home/ala/.config/kldiag"},
      {"/usr/local/bin", nullptr, "/home/ala", "/home/ala/.config/kldiag"},
      {"/bin", nullptr, "/root", "/root/.config/kldiag"},
      {"/tmp/unpacked/usr/bin", nullptr, "/home/ala", "/home/ala/.config/kldiag"},
      {"/usr/bin", "/home/ala/cfg", "/home/ala", "/home/ala/cfg/kldiag"},
      {"/usr/bin", "relative/cfg", "/home/ala", "/home/ala/.config/kldiag"},
      {"/usr/bin", "", "/home/ala", "/home/ala/.config/kldiag"},
      // Nowhere of the user's to go: the old place, which at least a root-run program can write.
      {"/usr/bin", nullptr, nullptr, "/usr/bin"},
      {"/usr/bin", nullptr, "", "/usr/bin"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ProgramFolderFor(row.exe_folder, row.xdg_config_home, row.home), row.folder)
        << row.exe_folder << " " << (row.xdg_config_home ? row.xdg_config_home : "-") << " "
        << (row.home ? row.home : "-");
  }
}

}  // namespace
}  // namespace kelm
