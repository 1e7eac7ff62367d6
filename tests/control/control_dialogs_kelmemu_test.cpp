// The daily-report dialog against kelmemu as its own process on loopback TCP/IP: a report read
// out of the fiscal memory, typed into the dialog as an operator reads it, and the printer's
// verdict on its paper.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "catalogue/model.h"
#include "control/control_sources.h"
#include "control/dialogs/TNrKontrolnyRapDobowego.h"
#include "gui_support.h"
#include "link/program_folder.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "printout.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::Child;

class DialogsAgainstKelmemu : public ::testing::Test {
 protected:
  DialogsAgainstKelmemu() {
    test::TestApp();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
  ~DialogsAgainstKelmemu() override { TcpDisconnect(); }

  void Start(const char* model, const char* firmware, int model_index) {
    TcpDisconnect();
    emu_ = std::make_unique<test::KelmemuProcess>(std::vector<std::string>{
        "--model", model, "--firmware", firmware, "--tcp", "127.0.0.1:0", "--paper",
        dir.File("paper.txt"), "--fiscal", "--history-days", "3"});
    ASSERT_TRUE(emu_->Ready()) << emu_->ready();
    ApplyModel(model_index);
    const std::string where = emu_->Where();
    ASSERT_EQ(TcpConnect("127.0.0.1", where.substr(where.rfind(':') + 1), false), kTcpConnected);
    seams.op.messages.clear();
  }
  std::string NewPaper() { return paper_.Fresh(); }
  // Shows the dialog, fills it and presses "Wyślij"; true when it closed afterwards.
  bool Send(QDialog& dialog, std::function<void(QWidget*)> fill) {
    bool closed = false;
    test::WhenModal([&](QWidget* d) {
      fill(d);
      Child<QPushButton>(d, "Button1")->click();
      closed = !d->isVisible();
      if (!closed) static_cast<QDialog*>(d)->reject();
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, &dialog, &QDialog::reject);
    safety.start(20000);
    dialog.exec();
    return closed;
  }
  static void Set(QWidget* d, const char* name, const std::string& text) {
    Child<QLineEdit>(d, name)->setText(QString::fromStdString(text));
  }
  static void Cell(QWidget* d, const char* grid, int row, int column, const std::string& text) {
    Child<QTableWidget>(d, grid)->setItem(row, column,
                                          new QTableWidgetItem(QString::fromStdString(text)));
  }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::KelmemuProcess> emu_;
  test::PaperLog paper_{dir.File("paper.txt")};
};

TEST_F(DialogsAgainstKelmemu, DailyReportDialogFromTheReadout) {
  const struct {
    const char* model;
    const char* firmware;
    int index;  // in the model dialog
  } rows[] = {{"vantel-ke", "2.00", 5}, {"salvo", "2.00", 6}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.model);
    Start(row.model, row.firmware, row.index);
    ReadoutFields f;
    f.mode = ReadoutMode::kByNumbers;
    f.first_number = "2";
    f.last_number = "2";
    ASSERT_EQ(ReadPeriodicReportToFile(f).end, ReadoutEnd::kShowEndDialog);
    DailyControlData d;
    std::string error;
    ASSERT_TRUE(DailyFieldsFromReadout(test::TempDir::Read(InProgramFolder(kReadoutWorkFile)), 2,
                                       &d, &error))
        << error;
    for (const char* verdict : {"NUMER KONTROLNY ZGODNY", "NUMER KONTROLNY NIEZGODNY"}) {
      const bool changed = std::string(verdict).find("NIE") != std::string::npos;
      dialogs::TNrKontrolnyRapDobowego dialog;
      NewPaper();
      EXPECT_TRUE(Send(dialog, [&](QWidget* w) {
        Set(w, "MaskEdit1", d.date);
        Set(w, "Edit1", d.report_number);
        for (size_t i = 0; i < d.taxed.size(); ++i) {
          Cell(w, "StringGrid1", int(i), 0, d.taxed[i].letter);
          Cell(w, "StringGrid1", int(i), 1, d.taxed[i].amount);
        }
        for (size_t i = 0; i < d.exempt.size(); ++i) {
          Cell(w, "StringGrid2", int(i), 0, d.exempt[i].letter);
          Cell(w, "StringGrid2", int(i), 1, d.exempt[i].amount);
        }
        Set(w, "Edit2", changed ? "999,99" : d.vat_total);
        Set(w, "Edit3", d.receipt_count);
        if (Child<QLineEdit>(w, "Edit5")->isVisible()) Set(w, "Edit5", d.invoice_count);
        Set(w, "Edit4", d.running_vat);
        Set(w, "MaskEdit3", d.unique_letters);
        Set(w, "MaskEdit4", d.unique_digits);
        Set(w, "MaskEdit5", d.control_number);
      }));
      EXPECT_NE(NewPaper().find(verdict), std::string::npos) << verdict;
    }
    EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages[0];
  }
}

}  // namespace
}  // namespace kelm
