// A main window on a fresh folder with its dialogs, shown through its first showing.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/QtOperator.h"
#include "app/TMainForm.h"
#include "app/application.h"
#include "catalogue/main_view.h"
#include "gui_support.h"
#include "link/settings.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm::test {

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() { TestApp(); }

  void WriteSettings(const LinkSettingsRecord& s) {
    TempDir::Write(dir.File("ustaw.txt"), FormatSettingsText(s));
  }

  // kelmemu of `model` on a pseudo-terminal that the program reaches as COM1, chosen in
  // ustaw.txt for the window's start.
  std::unique_ptr<KelmemuProcess> PrinterOnCom1(const std::string& model) {
    std::filesystem::create_directory(dir.File("dosdevices"));
    auto emu = std::make_unique<KelmemuProcess>(
        std::vector<std::string>{"--pty", "--link", dir.File("dosdevices/com1"), "--model", model});
    EXPECT_TRUE(emu->Ready()) << emu->ready();
    LinkSettingsRecord s;
    s.PortNumber = 1;
    WriteSettings(s);
    return emu;
  }

  void Create() {
    form = std::make_unique<TMainForm>();
    CreateDialogs(*form, qt_op);
  }

  // Shows the window; the model dialog of the first showing gets `radio` (1..8) and "&Zastosuj"
  // ("&Anuluj" when `radio` is 0).
  void Start(int radio) {
    if (!form) Create();
    WhenModal([radio](QWidget* dialog) {
      if (radio > 0) {
        Child<QAbstractButton>(dialog, ("RadioButton" + std::to_string(radio)).c_str())->click();
      }
      Child<QAbstractButton>(dialog, radio > 0 ? "Button1" : "Button2")->click();
    });
    form->show();
    WaitFor([&] { return !FirstShow || !form->isVisible(); });
  }

  template <class T>
  T* Find(const char* name) {
    return Child<T>(form.get(), name);
  }

  SeamGuard guard;
  TempDir dir;
  InFolder in{dir.path()};
  QtOperator qt_op;
  std::unique_ptr<TMainForm> form;
};

}  // namespace kelm::test
