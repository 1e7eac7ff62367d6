// The three picture dialogs on real widgets against kelmemu on a pseudo-terminal: pictures
// decoded from JPEG, PNG and colour BMP files, fitted, uploaded and read back, and what the
// virtual printer holds compared with what the dialog shows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/gui_support.h"
#include "graphics/bmp_file.h"
#include "graphics/dialogs/PictureFiles.h"
#include "graphics/dialogs/TEkranPozegnalny.h"
#include "graphics/dialogs/TGrafikiReklamowe.h"
#include "graphics/dialogs/TNaglowekGraficzny.h"
#include "graphics/picture_fit.h"
#include "link/printer_link.h"
#include "link/tcp_link.h"
#include "protocol/clock.h"
#include "support/in_folder.h"
#include "support/kelmemu_link.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using dialogs::TEkranPozegnalny;
using dialogs::TGrafikiReklamowe;
using dialogs::TNaglowekGraficzny;
using test::Child;

// A picture in colour: a dark red disc and a black bar on a light yellow ground.
QImage Drawing(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(255, 250, 200));
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 0, 0));
  p.drawEllipse(QRect(width / 8, height / 8, width / 3, height * 3 / 4));
  p.setBrush(Qt::black);
  p.drawRect(QRect(width / 2, height / 3, width / 3, height / 4));
  return image;
}

class PictureDialogsTest : public ::testing::Test {
 protected:
  PictureDialogsTest() {
    test::TestApp();
    InstallClock(&real_clock);
    setenv("TMPDIR", dir.path().c_str(), 1);
    emu = std::make_unique<test::KelmemuProcess>(std::vector<std::string>{
        "--pty", "--pictures", dir.File("held"), "--state", dir.File("state.txt")});
    EXPECT_TRUE(test::ConnectToKelmemu(*emu)) << emu->ready();
  }
  ~PictureDialogsTest() override {
    CloseSerialPort();
    unsetenv("TMPDIR");
  }
  // kelmemu's image file of a held picture, once it shows `expected`.
  MonoPicture Held(const std::string& name, const MonoPicture& expected) {
    MonoPicture held;
    for (int i = 0; i < 100; ++i) {
      std::string message;
      if (ReadMonoBmp(dir.File("held/" + name), &held, &message) && held == expected) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return held;
  }
  std::string Picture(const char* name, const QImage& image, const char* format) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format));
    return path;
  }

  test::SeamGuard seams;
  SystemClock real_clock;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::KelmemuProcess> emu;
};

TEST_F(PictureDialogsTest, SlotPictureUploadedReadBackAndSaved) {
  TGrafikiReklamowe d;
  d.show();
  // A JPEG of the wrong size, loaded into slot 3 (the fourth picture) by a click and the chooser.
  const std::string jpeg = Picture("photo.jpg", Drawing(200, 100), "JPEG");
  QTest::mouseClick(Child<QLabel>(&d, "Image4"), Qt::LeftButton);
  EXPECT_EQ(d.SelectedSlot(), 3);
  EXPECT_TRUE(Child<QWidget>(&d, "Ramka4")->isVisible());
  EXPECT_FALSE(Child<QWidget>(&d, "Ramka1")->isVisible());
  test::WhenModal([&](QWidget* w) {
    auto* chooser = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(chooser, nullptr);
    chooser->selectFile(QString::fromStdString(jpeg));
    static_cast<QDialog*>(chooser)->accept();
  });
  Child<QAbstractButton>(&d, "SpeedButton1")->click();
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Niewłaściwa grafika. Ma rozmiar 200/100."});
  const MonoPicture shown = d.Preview(3);
  ASSERT_EQ(shown.width, 192);
  ASSERT_EQ(shown.height, 64);
  EXPECT_NE(shown, MonoPicture::White(192, 64));
  EXPECT_EQ(d.WorkRaster(), FileLayout(shown));

  seams.op.messages.clear();
  Child<QAbstractButton>(&d, "Button1")->click();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Grafikę wysłano poprawnie."});
  EXPECT_TRUE(Child<QWidget>(&d, "Button2")->isEnabled());
  EXPECT_TRUE(Child<QWidget>(&d, "Button3")->isEnabled());
  EXPECT_EQ(Held("slot3.bmp", shown), shown);

  // Forgotten by the program, read back from the printer, saved to a file.
  d.SetClickedSlot(3);
  d.RemoveFromProgram();
  EXPECT_EQ(d.Preview(3), MonoPicture::White(192, 64));
  d.ReadFromPrinter();
  EXPECT_EQ(d.Preview(3), shown);
  EXPECT_EQ(d.WorkRaster(), FileLayout(shown));
  test::WhenModal([&](QWidget* w) {
    auto* chooser = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(chooser, nullptr);
    chooser->selectFile(QString::fromStdString(dir.File("back")));
    static_cast<QDialog*>(chooser)->accept();
  });
  d.SaveToFile();
  MonoPicture saved;
  std::string message;
  ASSERT_TRUE(ReadMonoBmp(dir.File("back.bmp"), &saved, &message)) << message;
  EXPECT_EQ(saved, shown);

  // Into another slot: the saved file loaded there and sent is the same picture.
  QTest::mouseClick(Child<QLabel>(&d, "Image6"), Qt::LeftButton);
  seams.op.messages.clear();
  d.LoadFiles({QString::fromStdString(dir.File("back.bmp"))});
  EXPECT_TRUE(seams.op.messages.empty());
  Child<QAbstractButton>(&d, "Button1")->click();
  EXPECT_EQ(Held("slot5.bmp", shown), shown);

  // Erased in the printer: the preview goes white and nothing comes back.
  Child<QAbstractButton>(&d, "Button3")->click();
  EXPECT_EQ(d.Preview(5), MonoPicture::White(192, 64));
  EXPECT_FALSE(std::filesystem::exists(dir.File("held/slot5.bmp")));
  d.hide();
}

TEST_F(PictureDialogsTest, SeveralFilesFillTheSlotsAndTheModeFollowsTheSliders) {
  TGrafikiReklamowe d;
  d.show();
  const std::string png = Picture("a.png", Drawing(192, 64), "PNG");
  const std::string bmp = Picture("b.bmp", Drawing(100, 50), "BMP");
  QTest::mouseClick(Child<QLabel>(&d, "Image8"), Qt::LeftButton);
  d.LoadFiles({QString::fromStdString(png), QString::fromStdString(bmp)});
  EXPECT_TRUE(seams.op.messages.empty());  // no size message when several files come
  EXPECT_EQ(d.SelectedSlot(), 7);
  EXPECT_EQ(d.Preview(0), dialogs::MonoOf(Drawing(192, 64)));
  // The colour bitmap of 100 x 50 is padded, not stretched.
  EXPECT_EQ(d.Preview(1), Resized(dialogs::MonoOf(Drawing(100, 50)), 192, 64));
  EXPECT_EQ(d.WorkRaster(), FileLayout(MonoPicture::White(192, 64)));
  // The right button opens the menu without changing the selection; the colour bitmap's slot
  // is then selected and sent.
  QTest::mouseClick(Child<QLabel>(&d, "Image2"), Qt::RightButton);
  auto* menu = Child<QMenu>(&d, "PopupMenu1");
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
  EXPECT_EQ(d.SelectedSlot(), 7);
  QTest::mouseClick(Child<QLabel>(&d, "Image2"), Qt::LeftButton);
  Child<QAbstractButton>(&d, "Button1")->click();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Grafikę wysłano poprawnie."});
  EXPECT_EQ(Held("slot1.bmp", d.Preview(1)), d.Preview(1));
  // "Usuń z programu" from the menu clears the slot last pressed.
  QTest::mouseClick(Child<QLabel>(&d, "Image1"), Qt::RightButton);
  menu->hide();
  menu->actions()[0]->trigger();
  EXPECT_EQ(d.Preview(0), MonoPicture::White(192, 64));
  EXPECT_NE(d.Preview(1), MonoPicture::White(192, 64));
  QTest::mouseClick(Child<QLabel>(&d, "Image8"), Qt::LeftButton);
  seams.op.messages.clear();

  struct Row {
    int mode;
    bool speed, step, interval;
  } rows[] = {{0, false, false, false}, {4, true, true, true}, {2, true, true, false}};
  for (const Row& r : rows) {
    Child<QAbstractButton>(&d, ("TrybWyswietlania" + std::to_string(r.mode)).c_str())->click();
    EXPECT_EQ(Child<QWidget>(&d, "TrackBar1")->isEnabled(), r.speed) << r.mode;
    EXPECT_EQ(Child<QWidget>(&d, "TrackBar2")->isEnabled(), r.step) << r.mode;
    EXPECT_EQ(Child<QWidget>(&d, "TrackBar3")->isEnabled(), r.interval) << r.mode;
    EXPECT_EQ(Child<QWidget>(&d, "LabelOdstep")->isEnabled(), r.interval) << r.mode;
  }
  Child<QSlider>(&d, "TrackBar2")->setValue(3);
  Child<QSlider>(&d, "TrackBar1")->setValue(9);
  Child<QSlider>(&d, "TrackBar3")->setValue(4);
  Child<QAbstractButton>(&d, "Button2")->click();
  EXPECT_TRUE(seams.op.messages.empty());
  EXPECT_EQ(d.Display(7).mode, 2);
  // The printer keeps mode 2, step 8, speed 0 and interval 4 for slot 7.
  std::string state;
  for (int i = 0; i < 100 && state.find("slot 7 2 8 0 4") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    state = test::TempDir::Read(dir.File("state.txt"));
  }
  EXPECT_NE(state.find("slot 7 2 8 0 4"), std::string::npos) << state;
  // Another slot brings its own settings back into the controls.
  QTest::mouseClick(Child<QLabel>(&d, "Image1"), Qt::LeftButton);
  EXPECT_TRUE(Child<QAbstractButton>(&d, "TrybWyswietlania0")->isChecked());
  QTest::mouseClick(Child<QLabel>(&d, "Image8"), Qt::LeftButton);
  EXPECT_TRUE(Child<QAbstractButton>(&d, "TrybWyswietlania2")->isChecked());
  EXPECT_EQ(Child<QSlider>(&d, "TrackBar2")->value(), 3);
  d.hide();
}

TEST_F(PictureDialogsTest, HeaderPictureProgrammedRowByRow) {
  TNaglowekGraficzny d;
  d.show();
  seams.op.messages.clear();
  Child<QAbstractButton>(&d, "Button4")->click();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Brak wczytanego obrazu!"});

  // A one-bit 416 x 90 bitmap goes as it is: six blank rows, then the picture.
  MonoPicture picture = Resized(dialogs::MonoOf(Drawing(416, 90)), 416, 90);
  ASSERT_TRUE(WriteMonoBmp(dir.File("logo.bmp"), picture));
  d.LoadFile(QString::fromStdString(dir.File("logo.bmp")));
  EXPECT_EQ(Child<QLabel>(&d, "LabelWysokosc")->text(), "96");
  EXPECT_EQ(Child<QLabel>(&d, "Informacja")->text(), "");
  EXPECT_EQ(d.WorkPicture(), picture);
  seams.op.messages.clear();
  Child<QAbstractButton>(&d, "Button4")->click();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Zakończono wysyłanie."});
  MonoPicture expected = MonoPicture::White(416, 96);
  expected.rows.replace(6 * 52, picture.rows.size(), picture.rows);
  EXPECT_EQ(Held("header.bmp", expected), expected);
  EXPECT_EQ(Child<QLabel>(&d, "LabelProcent")->text(), "0");

  // A colour JPEG is converted; the arrows move it and "RESET OBRAZU" brings it back.
  d.LoadFile(QString::fromStdString(Picture("logo.jpg", Drawing(300, 40), "JPEG")));
  EXPECT_EQ(Child<QLabel>(&d, "Informacja")->text(),
            "Obraz został skonwertowany do wymaganego formatu.");
  EXPECT_EQ(Child<QLabel>(&d, "LabelWysokosc")->text(), "40");
  const MonoPicture loaded = d.WorkPicture();
  Child<QAbstractButton>(&d, "UpDown2Up")->click();
  EXPECT_NE(d.WorkPicture(), loaded);
  Child<QAbstractButton>(&d, "Button2")->click();
  EXPECT_EQ(d.WorkPicture(), loaded);

  // A colour bitmap is stretched to 416 x 96.
  d.LoadFile(QString::fromStdString(Picture("colour.bmp", Drawing(200, 30), "BMP")));
  EXPECT_EQ(Child<QLabel>(&d, "LabelWysokosc")->text(), "96");
  EXPECT_EQ(Child<QLabel>(&d, "Informacja")->text(),
            "Obraz został skonwertowany do wymaganego formatu.");
  EXPECT_EQ(d.WorkPicture(), Scaled(dialogs::MonoOf(Drawing(200, 30)), 416, 96));
  d.LoadFile(QString::fromStdString(dir.File("logo.jpg")));

  // As a footer without confirmation, then both erased.
  Child<QAbstractButton>(&d, "CheckBox1")->click();
  seams.op.messages.clear();
  Child<QAbstractButton>(&d, "Button3")->click();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Zakończono wysyłanie."});
  EXPECT_EQ(Held("footer.bmp", loaded), loaded);
  Child<QAbstractButton>(&d, "Button6")->click();
  Child<QAbstractButton>(&d, "Button5")->click();
  for (int i = 0; i < 100 && std::filesystem::exists(dir.File("held/header.bmp")); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("held/header.bmp")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("held/footer.bmp")));
  Child<QAbstractButton>(&d, "SpeedButton2")->click();
  EXPECT_EQ(seams.op.messages.back(), TNaglowekGraficzny::kHelpText);
}

TEST_F(PictureDialogsTest, FarewellScreenFromAPng) {
  TEkranPozegnalny d;
  d.show();
  d.LoadFile(QString::fromStdString(Picture("bye.png", Drawing(128, 80), "PNG")));
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Niewłaściwa grafika. Ma rozmiar 128/80."});
  EXPECT_TRUE(std::filesystem::exists(dir.File(kWorkPictureFile)));  // in the current folder
  const MonoPicture shown = d.Picture();
  EXPECT_EQ(shown, Scaled(dialogs::MonoOf(Drawing(128, 80)), 128, 64));
  seams.op.messages.clear();
  Child<QAbstractButton>(&d, "Button1")->click();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Wysłano grafikę"});
  EXPECT_EQ(Held("farewell.bmp", shown), shown);
}

TEST_F(PictureDialogsTest, PicturesOverEightThousandDotsASideAreRefusedUndecoded) {
  struct Row {
    const char* name;
    int width, height;
    const char* format;
    std::string message;
  } rows[] = {
      {"wide.png", 8193, 2, "PNG", "Nie mogę wczytać grafiki z pliku "},
      {"tall.jpg", 2, 8193, "JPEG", "Nie mogę wczytać grafiki z pliku "},
      {"tall.bmp", 1, 8193, "BMP", "Nie mogę wczytać grafiki z pliku "},
      {"widest.png", 8192, 1, "PNG", "Niewłaściwa grafika. Ma rozmiar 8192/1."},
  };
  TEkranPozegnalny d;
  for (Row& row : rows) {
    seams.op.messages.clear();
    const std::string path = Picture(
        row.name, Drawing(row.width, row.height).convertToFormat(QImage::Format_Mono), row.format);
    if (row.message.back() == ' ') row.message += path + ".";
    d.LoadFile(QString::fromStdString(path));
    EXPECT_EQ(seams.op.messages, std::vector<std::string>{row.message}) << row.name;
  }
}

}  // namespace
}  // namespace kelm
