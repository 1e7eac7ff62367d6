// The disc writing dialog's logic over the real engine, writing image files taken as drives and
// reading them back with xorriso: sessions kept, names, volume label, and the failure messages.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "disc/disc_engine.h"
#include "readout/disc_writer.h"
#include "support/command_output.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::TempDir;

class DiscWriterTest : public ::testing::Test {
 protected:
  ~DiscWriterTest() override { unsetenv("KELM_DISC_DRIVES"); }

  // The dialog shown with `drives` as the machine's extra drives and the report file to write.
  void Show(const std::string& drives, const std::string& source, const std::string& name) {
    setenv("KELM_DISC_DRIVES", drives.c_str(), 1);
    writer.SetFile(source, name);
    writer.Begin();
  }
  // Ticks the 250 ms timer until the write has ended (the engine writes on its own thread).
  void AwaitEnd() {
    for (int i = 0; i < 2400 && writer.timer_running(); ++i) {
      writer.Tick();
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  }
  // The last drive of the list: the image files follow the machine's own drives, if it has any.
  void SelectLast() { writer.SelectDrive(static_cast<int>(writer.drives().size()) - 1); }

  test::SeamGuard seams;
  TempDir dir;
  BurnEngine engine;
  DiscWriter writer{engine};
};

TEST_F(DiscWriterTest, TwoReadoutsBecomeTwoSessionsOfOneImage) {
  const std::string image = dir.File("raporty.iso");
  const std::string first = dir.File("first.txt"), second = dir.File("second.txt");
  TempDir::Write(first, "Raport okresowy 1\r\n");
  TempDir::Write(second, std::string(70000, 'x'));

  const char* names[] = {"VANTEL_Miesiac_10-2026.txt", "VANTEL_Miesiac_11-2026.txt"};
  const std::string* sources[] = {&first, &second};
  for (int pass = 0; pass < 2; ++pass) {
    Show("stdio:" + image, *sources[pass], names[pass]);
    SelectLast();
    ASSERT_EQ(writer.drives().back(), "stdio:" + image);
    EXPECT_EQ(writer.edit1(), names[pass]);
    EXPECT_TRUE(writer.write_enabled());
    EXPECT_EQ(writer.Label5().rfind("Bibl. użyta do nagrania CD/DVD: libisoburn ", 0), 0u);
    writer.WriteClick();
    EXPECT_TRUE(writer.timer_running());
    EXPECT_EQ(writer.status(), "Trwa nagrywanie.Czekaj...");
    EXPECT_FALSE(writer.write_enabled());
    AwaitEnd();
    EXPECT_EQ(writer.status(), "Nagrywanie zakończono poprawnie.");
    EXPECT_FALSE(writer.progress_visible());
    EXPECT_FALSE(writer.write_enabled());
    EXPECT_FALSE(writer.eject_enabled());
    writer.End();
  }
  EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages.front();

  const std::string toc = test::CommandOutput("xorriso -indev " + image + " -toc");
  EXPECT_NE(toc.find("Media summary: 2 sessions"), std::string::npos) << toc;
  EXPECT_NE(toc.find("ISO session  :   2 ,"), std::string::npos) << toc;
  EXPECT_NE(toc.find("KELM VANTEL 57T"), std::string::npos) << toc;
  EXPECT_NE(toc.find("Volume id    : 'KELM VANTEL 57T'"), std::string::npos) << toc;
  const std::string list = test::CommandOutput("xorriso -indev " + image + " -ls");
  EXPECT_NE(list.find("'VANTEL_Miesiac_10-2026.txt'"), std::string::npos) << list;
  EXPECT_NE(list.find("'VANTEL_Miesiac_11-2026.txt'"), std::string::npos) << list;
  // The files read back byte for byte, the first one from the newest session's tree.
  const std::string back = dir.File("back.txt");
  test::CommandOutput("xorriso -osirrox on -indev " + image +
                      " -extract /VANTEL_Miesiac_10-2026.txt " + back);
  EXPECT_EQ(TempDir::Read(back), "Raport okresowy 1\r\n");
}

TEST_F(DiscWriterTest, FailuresAreReportedWithTheirMessages) {
  const std::string report = dir.File("report.txt");
  TempDir::Write(report, std::string(300000, 'r'));
  struct Row {
    const char* what;
    std::string drive, source;
    bool close_disc;
    std::string message;  // shown by "&Nagraj" or by the timer
    std::string status;   // what the status line says afterwards ("" hidden)
  };
  const Row rows[] = {
      {"no disc to write on", "stdio:" + dir.File("missing/dir/x.iso"), report, false,
       "Urządzenie nagrywające jest niegotowe.\r\nSprawdź czy płyta CD/DVD jest porawnie "
       "umieszczona w napędzie.",
       ""},
      {"the report file is gone", "stdio:" + dir.File("a.iso"), dir.File("gone.txt"), false,
       "Wystąpił błąd podczas nagrywania. Nie mogę dołączyć pliku.", ""},
      // A write-once medium that cannot be left open refuses a session that would keep it open.
      {"start refused", "stdio:/dev/full", report, false,
       "Wystąpił błąd podczas nagrywania. Błąd = " + std::to_string(kDiscRefused), ""},
      // The medium fills up while writing: the completion reports it to the timer.
      {"full medium", "stdio:/dev/full", report, true,
       "Wystąpił błąd podczas nagrywania. Nr błędu = " + std::to_string(kDiscWriteFailed),
       "Wystąpił błąd podczas nagrywania."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    seams.op.messages.clear();
    Show(row.drive, row.source, "R.txt");
    SelectLast();
    writer.close_disc = row.close_disc;
    writer.WriteClick();
    AwaitEnd();
    ASSERT_EQ(seams.op.messages.size(), 1u);
    EXPECT_EQ(seams.op.messages[0], row.message);
    EXPECT_EQ(writer.status_visible() ? writer.status() : "", row.status);
    // After a failure the operator may try again or eject.
    EXPECT_TRUE(writer.write_enabled());
    EXPECT_TRUE(writer.eject_enabled());
    EXPECT_FALSE(writer.timer_running());
    writer.End();
  }
}

// A disc whose last session cannot be read: the operator is told and the report is still
// written as a session of its own.
TEST_F(DiscWriterTest, AnUnreadablePreviousSessionIsReportedAndWritingGoesOn) {
  const std::string image = dir.File("stara.iso"), report = dir.File("r.txt");
  TempDir::Write(report, "raport\r\n");
  Show("stdio:" + image, report, "A.txt");
  SelectLast();
  writer.WriteClick();
  AwaitEnd();
  ASSERT_EQ(writer.status(), "Nagrywanie zakończono poprawnie.")
      << (seams.op.messages.empty() ? "" : seams.op.messages[0]) << " " << engine.LastErrorText();
  writer.End();
  // The first session starts at block 32; past its volume descriptors its tree is spoilt.
  std::string bytes = TempDir::Read(image);
  ASSERT_GT(bytes.size(), 51u * 2048);
  std::fill(bytes.begin() + 51 * 2048, bytes.end(), '\xAB');
  TempDir::Write(image, bytes);

  Show("stdio:" + image, report, "B.txt");
  SelectLast();
  writer.WriteClick();
  AwaitEnd();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie udało się importować sesji."});
  EXPECT_EQ(writer.status(), "Nagrywanie zakończono poprawnie.");
  const std::string toc = test::CommandOutput("xorriso -indev " + image + " -toc -ls");
  EXPECT_NE(toc.find("Media summary: 2 sessions"), std::string::npos) << toc;
  EXPECT_NE(toc.find("'B.txt'"), std::string::npos) << toc;
}

TEST_F(DiscWriterTest, ClosingWhileWritingAsksFirst) {
  const std::string report = dir.File("report.txt");
  TempDir::Write(report, std::string(1 << 20, 'r'));
  Show("stdio:" + dir.File("c.iso"), report, "R.txt");
  SelectLast();
  writer.WriteClick();
  ASSERT_TRUE(writer.timer_running());
  seams.op.answers = {false, false, true};
  EXPECT_FALSE(writer.CloseClick());
  EXPECT_FALSE(writer.Escape());
  EXPECT_TRUE(writer.CloseClick());
  EXPECT_EQ(seams.op.questions, std::vector<std::string>(3, "Czy przerwać nagrywanie?"));
  writer.End();
  // Without a write running the dialog closes at once.
  EXPECT_TRUE(writer.CloseClick());
  EXPECT_EQ(seams.op.questions.size(), 3u);
}

TEST_F(DiscWriterTest, WithoutDrivesNothingCanBeWritten) {
  Show("", dir.File("r.txt"), "R.txt");
  if (!writer.drives().empty()) GTEST_SKIP() << "this machine has an optical drive";
  EXPECT_FALSE(writer.write_enabled());
  EXPECT_FALSE(writer.eject_enabled());
  EXPECT_TRUE(writer.status_visible());
  EXPECT_EQ(writer.status(), "Nie ma dostępnych napędów do nagrywania.");
}

}  // namespace
}  // namespace kelm
