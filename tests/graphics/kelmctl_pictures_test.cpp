// kelmctl's picture commands as a separate process against kelmemu on a pseudo-terminal: a slot's
// picture uploaded, read back into a file, uploaded into another slot and read again; the graphic
// header and the farewell screen; usage errors.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "graphics/bmp_file.h"
#include "graphics/picture_fit.h"
#include "graphics/raster.h"
#include "support/kelmemu_process.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

struct Outcome {
  int status;
  std::string err;
};

MonoPicture Sample(int width, int height) {
  MonoPicture p = MonoPicture::White(width, height);
  for (int i = 0; i < height; ++i) p.Set((i * 5) % width, i, true);
  p.Set(width - 1, 0, true);
  p.Set(0, height - 1, true);
  return p;
}

class KelmctlPictures : public ::testing::Test {
 protected:
  KelmctlPictures() : emu({"--pty", "--pictures", dir.File("held")}) {}

  Outcome Run(std::initializer_list<std::string> args) {
    std::string command =
        "cd '" + dir.path() + "' && '" KELMCTL_PATH "' --device '" + emu.Where() + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::TempDir::Read(dir.File("err.txt"))};
  }
  MonoPicture File(const std::string& name) {
    MonoPicture p;
    std::string message;
    EXPECT_TRUE(ReadMonoBmp(dir.File(name), &p, &message)) << name << ": " << message;
    return p;
  }
  // kelmemu's file of a held picture, once it shows `expected`.
  MonoPicture Held(const std::string& name, const MonoPicture& expected) {
    MonoPicture held;
    std::string message;
    for (int i = 0; i < 100; ++i) {
      if (ReadMonoBmp(dir.File("held/" + name), &held, &message) && held == expected) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return held;
  }

  test::TempDir dir;
  test::KelmemuProcess emu;
};

TEST_F(KelmctlPictures, SlotUploadedReadBackIntoAnotherSlotAndSaved) {
  ASSERT_TRUE(emu.Ready());
  const MonoPicture picture = Sample(192, 64);
  ASSERT_TRUE(WriteMonoBmp(dir.File("in.bmp"), picture));
  Outcome r = Run({"picture", "upload", "--slot", "3", "in.bmp"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Grafikę wysłano poprawnie.\n");
  r = Run({"picture", "read", "--slot", "3", "-o", "back.bmp"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(File("back.bmp"), picture);
  ASSERT_EQ(Run({"picture", "upload", "--slot", "4", "back.bmp"}).status, 0);
  ASSERT_EQ(Run({"picture", "read", "--slot", "4", "-o", "again.bmp"}).status, 0);
  EXPECT_EQ(File("again.bmp"), picture);
  EXPECT_EQ(Held("slot4.bmp", picture), picture);

  EXPECT_EQ(Run({"picture", "mode", "--slot", "4", "--mode", "3", "--step", "3"}).status, 0);
  EXPECT_EQ(Run({"picture", "erase", "--slot", "3"}).status, 0);
  r = Run({"picture", "read", "--slot", "3", "-o", "none.bmp"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Brak zaprogramowanej grafiki lub błąd komunikacji\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmp")));

  // A picture of the wrong size is fitted, with the dialog's message.
  ASSERT_TRUE(WriteMonoBmp(dir.File("small.bmp"), Sample(100, 50)));
  r = Run({"picture", "upload", "--slot", "0", "small.bmp"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Niewłaściwa grafika. Ma rozmiar 100/50.\nGrafikę wysłano poprawnie.\n");
  const MonoPicture padded = Resized(Sample(100, 50), 192, 64);
  EXPECT_EQ(Held("slot0.bmp", padded), padded);
}

TEST_F(KelmctlPictures, HeaderFooterAndFarewell) {
  ASSERT_TRUE(emu.Ready());
  const MonoPicture header = Sample(416, 20);
  ASSERT_TRUE(WriteMonoBmp(dir.File("logo.bmp"), header));
  Outcome r = Run({"logo", "header", "logo.bmp"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Zakończono wysyłanie.\n");
  MonoPicture expected = MonoPicture::White(416, 24);
  expected.rows.replace(4 * 52, header.rows.size(), header.rows);
  EXPECT_EQ(Held("header.bmp", expected), expected);
  EXPECT_EQ(Run({"logo", "footer", "logo.bmp", "--no-confirm"}).status, 0);
  EXPECT_EQ(Held("footer.bmp", expected), expected);
  EXPECT_EQ(Run({"logo", "erase", "header"}).status, 0);

  const MonoPicture farewell = Sample(128, 64);
  ASSERT_TRUE(WriteMonoBmp(dir.File("bye.bmp"), farewell));
  r = Run({"farewell", "bye.bmp"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Wysłano grafikę\n");
  EXPECT_EQ(Held("farewell.bmp", farewell), farewell);
}

TEST_F(KelmctlPictures, UsageAndFileErrors) {
  for (auto args :
       std::vector<std::vector<std::string>>{{"picture", "upload", "in.bmp"},
                                             {"picture", "upload", "--slot", "10", "in.bmp"},
                                             {"picture", "read", "--slot", "1"},
                                             {"picture", "spin", "--slot", "1"},
                                             {"picture", "mode", "--slot", "1", "--mode", "7"},
                                             {"logo", "middle", "x.bmp"},
                                             {"logo", "erase", "both"},
                                             {"farewell"}}) {
    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "' --device /dev/null";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 64) << args[0] << " " << args[1];
  }
  test::TempDir::Write(dir.File("bad.bmp"), "not a picture");
  const Outcome r = Run({"farewell", "bad.bmp"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Plik nie jest grafiką BMP bez kompresji.\n");
}

}  // namespace
}  // namespace kelm
