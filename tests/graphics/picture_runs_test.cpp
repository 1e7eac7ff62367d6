// The picture runs against kelmemu as its own process, over a pseudo-terminal and over TCP/IP:
// what the program sends is what the virtual printer holds and writes out as image files.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "graphics/bmp_file.h"
#include "graphics/picture_runs.h"
#include "graphics/raster.h"
#include "link/printer_link.h"
#include "link/tcp_link.h"
#include "protocol/clock.h"
#include "support/kelmemu_link.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

// A picture with something in every corner and a diagonal, so that any mirror or shift shows.
MonoPicture Sample(int width, int height) {
  MonoPicture p = MonoPicture::White(width, height);
  for (int i = 0; i < height; ++i) p.Set(i * 3 % width, i, true);
  p.Set(0, 0, true);
  p.Set(width - 1, 0, true);
  p.Set(width - 1, height - 1, true);
  p.Set(1, height - 1, true);
  return p;
}

class PictureRunsAgainstKelmemu : public ::testing::TestWithParam<bool> {
 protected:
  PictureRunsAgainstKelmemu() {
    // The read-back waits for the printer in real time.
    InstallClock(&real_clock);
  }
  ~PictureRunsAgainstKelmemu() override {
    CloseSerialPort();
    ResetTcpLink();
  }

  void Start() {
    std::vector<std::string> args = {"--pictures", dir.File("held")};
    if (GetParam()) {
      args.insert(args.begin(), {"--tcp", "127.0.0.1:0"});
    } else {
      args.insert(args.begin(), "--pty");
    }
    emu = std::make_unique<test::KelmemuProcess>(args);
    ASSERT_TRUE(test::ConnectToKelmemu(*emu)) << emu->ready();
    seams.op.messages.clear();
  }

  // kelmemu's image file of a held picture, once it shows `expected` (it is written right after
  // the printer answers, so it may lag a moment behind).
  MonoPicture Held(const std::string& name, const MonoPicture& expected) {
    MonoPicture held;
    for (int i = 0; i < 100; ++i) {
      std::string message;
      if (ReadMonoBmp(dir.File("held/" + name), &held, &message) && held == expected) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return held;
  }

  test::SeamGuard seams;
  SystemClock real_clock;
  test::TempDir dir;
  std::unique_ptr<test::KelmemuProcess> emu;
};

TEST_P(PictureRunsAgainstKelmemu, SlotUploadReadBackAndErase) {
  Start();
  const MonoPicture picture = Sample(192, 64);
  std::vector<int> progress;
  ASSERT_EQ(UploadSlot(3, FileLayout(picture), [&](int p) { progress.push_back(p); }),
            PictureRun::kDone);
  EXPECT_EQ(progress, (std::vector<int>{0, 0, 14, 28, 42, 56, 70, 84, 98}));
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Grafikę wysłano poprawnie."});
  EXPECT_EQ(Held("slot3.bmp", picture), picture);

  std::string back;
  ASSERT_EQ(ReadSlot(3, &back), PictureRun::kDone);
  EXPECT_EQ(back, FileLayout(picture));
  // Uploaded unchanged into another slot, it is the same picture there.
  ASSERT_EQ(UploadSlot(7, back), PictureRun::kDone);
  EXPECT_EQ(Held("slot7.bmp", picture), picture);

  SlotDisplay display{4, 3, 9, 2};
  EXPECT_EQ(SendSlotMode(7, display), 0);
  EXPECT_EQ(EraseSlot(3), 0);
  seams.op.messages.clear();
  EXPECT_EQ(ReadSlot(3, &back), PictureRun::kNoPicture);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Brak zaprogramowanej grafiki lub błąd komunikacji"});
}

TEST_P(PictureRunsAgainstKelmemu, HeaderAndFooterRowByRowAndTheFarewellScreen) {
  Start();
  const MonoPicture header = Sample(416, 90);
  const std::vector<std::string> rows = HeaderRows(header);
  ASSERT_EQ(rows.size(), 96u);
  std::vector<int> seen;
  ASSERT_EQ(SendHeaderRows(rows, {}, [&](int i, int h) { seen.push_back(i * 100 / h); }),
            PictureRun::kDone);
  EXPECT_EQ(seen.size(), 96u);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Zakończono wysyłanie."});
  // Six blank rows, then the picture.
  MonoPicture expected = MonoPicture::White(416, 96);
  expected.rows.replace(6 * 52, header.rows.size(), header.rows);
  EXPECT_EQ(Held("header.bmp", expected), expected);

  const MonoPicture footer = Sample(416, 8);
  HeaderSend how;
  how.footer = true;
  how.without_confirmation = true;
  ASSERT_EQ(SendHeaderRows(HeaderRows(footer), how), PictureRun::kDone);
  EXPECT_EQ(Held("footer.bmp", footer), footer);
  EXPECT_EQ(EraseHeaderPicture(true), 0);
  EXPECT_EQ(EraseHeaderPicture(false), 0);

  const MonoPicture farewell = Sample(128, 64);
  std::vector<int> parts;
  ASSERT_EQ(SendFarewell(FileLayout(farewell), [&](int k) { parts.push_back(k); }),
            PictureRun::kDone);
  EXPECT_EQ(parts, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Held("farewell.bmp", farewell), farewell);
  EXPECT_FALSE(std::filesystem::exists(dir.File("held/header.bmp")));
}

INSTANTIATE_TEST_SUITE_P(Links, PictureRunsAgainstKelmemu, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tcp" : "Pty"; });

}  // namespace
}  // namespace kelm
