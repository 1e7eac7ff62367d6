// Saves a picture of the main window in each model family, with the raw panel shown, so the
// layout can be looked at (run by tests/screenshot.sh under a virtual X server).
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "app/QtOperator.h"
#include "app/TMainForm.h"
#include "app/application.h"
#include "catalogue/main_view.h"
#include "gui_support.h"
#include "link/program_folder.h"
#include "link/settings.h"
#include "protocol/operator.h"

int main(int argc, char** argv) {
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("screenshots");
  QDir().mkpath(out);
  auto app = kelm::CreateApplication(argc, argv);
  kelm::QtOperator op;
  kelm::InstallOperator(&op);
  // Radio buttons of a model of each family: "Oxil, Oxil Plus", "Oxil Pro", "Salvo 3/ PRO".
  const int radios[3] = {1, 2, 7};
  int failures = 0;
  for (int family = 0; family < 3; ++family) {
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    kelm::SetProgramFolder(folder.path().toStdString());
    kelm::TMainForm form;
    kelm::CreateDialogs(form, op);
    const int radio = radios[family];
    kelm::test::WhenModal([radio](QWidget* dialog) {
      kelm::test::Child<QAbstractButton>(dialog, ("RadioButton" + std::to_string(radio)).c_str())
          ->click();
      kelm::test::Child<QAbstractButton>(dialog, "Button1")->click();
    });
    form.show();
    kelm::test::WaitFor([] { return !kelm::FirstShow; });
    kelm::test::Child<QAbstractButton>(&form, "CheckBox1")->click();
    kelm::test::WaitFor([] { return false; }, 300);
    const QString file = QString("%1/main_family%2.png").arg(out).arg(family);
    if (!form.grab().save(file)) ++failures;
    std::printf("%s\n", qPrintable(file));
    if (family == 2) {
      // The link and model dialogs, as they look before their first showing.
      for (const char* name : {"TModelDrukarki", "TParametryTransmisji", "TTransmisjaTCPIP",
                               "TSzukamdrukarki", "TUstawKodLiter"}) {
        QDialog* dialog = form.FindDialog(name);
        if (dialog == nullptr) continue;
        dialog->adjustSize();
        const QString picture = QString("%1/%2.png").arg(out, name);
        if (!dialog->grab().save(picture)) ++failures;
        std::printf("%s\n", qPrintable(picture));
      }
    }
    form.close();
  }
  kelm::InstallOperator(nullptr);
  return failures == 0 ? 0 : 1;
}
