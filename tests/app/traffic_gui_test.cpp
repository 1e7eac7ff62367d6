// "Podgląd transmisji" fed by a real session with kelmemu over TCP/IP: the rows as the traffic
// happens, the bytes in hex on demand, the saved text, and the log files left as they were.
#include <unistd.h>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTime>
#include <QTreeWidget>

#include "catalogue/dialogs/TPodgladTransmisji.h"
#include "link/command_execution.h"
#include "main_form_fixture.h"
#include "support/kelmemu_link.h"
#include "support/kelmemu_process.h"

namespace kelm {
namespace {

using test::Child;

class TrafficWindowTest : public test::MainFormTest {};

TEST_F(TrafficWindowTest, SessionWithKelmemuIsListedAndSaved) {
  test::KelmemuProcess emu({"--tcp", "127.0.0.1:0"});
  Start(3);
  ASSERT_TRUE(test::ConnectToKelmemu(emu)) << emu.ready();
  form->RefreshMainWindow();
  // Over TCP/IP a tick does not wait for bytes; let real time pass between the ticks.
  guard.op.on_tick = [](ModalWait&, int) { usleep(1000); };
  Find<QAction>("Rejestracjatransmsji1")->trigger();
  Find<QAction>("Podgladtransmisji1")->trigger();
  auto* window = static_cast<dialogs::TPodgladTransmisji*>(form->FindDialog("TPodgladTransmisji"));
  ASSERT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());

  Find<QPushButton>("Button1")->click();  // "Pobierz dane": the cash information
  // A frame typed with a wrong check value and sent from the raw panel; the printer refuses it.
  Find<QCheckBox>("CheckBox1")->click();
  Find<QTextEdit>("RichEdit1")->setPlainText("<ESC>P$8E4<ESC>\\");
  Find<QPushButton>("Button14")->click();
  guard.op.messages.clear();
  EXPECT_EQ(CheckLastCommand(), 3);  // ENQ, its status byte, then the error number
  window->Timer1Timer();

  auto* list = Child<QTreeWidget>(window, "TreeView1");
  struct Row {
    const char* direction;
    const char* summary;
    bool red;
  };
  const Row expected[] = {
      {"wysłane", "#s", false},  {"odebrane", "#X", false},  {"wysłane", "$8", true},
      {"wysłane", "ENQ", false}, {"odebrane", "ENQ", false}, {"wysłane", "#n", false},
      {"odebrane", "#E", false},
  };
  int at = 0;
  int enq = -1;
  for (const Row& row : expected) {
    while (at < list->topLevelItemCount() &&
           !(list->topLevelItem(at)->text(1) == QString::fromUtf8(row.direction) &&
             list->topLevelItem(at)->text(2).contains(row.summary))) {
      ++at;
    }
    ASSERT_LT(at, list->topLevelItemCount()) << row.direction << " " << row.summary;
    const QTreeWidgetItem* item = list->topLevelItem(at);
    EXPECT_EQ(item->foreground(2).color() == Qt::red, row.red) << item->text(2).toStdString();
    EXPECT_TRUE(QTime::fromString(item->text(0), "HH:mm:ss.zzz").isValid()) << row.summary;
    if (enq < 0 && std::string(row.summary) == "ENQ") enq = at;
  }
  EXPECT_GT(list->topLevelItem(1)->childCount(), 0) << "the answer's fields";
  EXPECT_TRUE(list->isColumnHidden(3));
  Child<QCheckBox>(window, "CheckBox1")->click();
  EXPECT_FALSE(list->isColumnHidden(3));
  EXPECT_EQ(list->topLevelItem(enq)->text(3), "05");

  // The log files hold the bytes exactly, as the rows tell them.
  std::string sent, received;
  for (const TrafficRow& r : window->View().Rows()) (r.sent ? sent : received) += r.raw;
  EXPECT_EQ(test::TempDir::Read(dir.File("DaneWy.bin")), sent);
  EXPECT_EQ(test::TempDir::Read(dir.File("DaneWe.bin")), received);

  ASSERT_TRUE(window->SaveTo(QString::fromStdString(dir.File("podglad.txt"))));
  const std::string saved = test::TempDir::Read(dir.File("podglad.txt"));
  for (const char* part : {"  wysłane  ", "  odebrane  ", "#s", "#X", "hex: 1B 50 ", "hex: 05",
                           "BŁĘDNA, powinna być E3"}) {
    EXPECT_NE(saved.find(part), std::string::npos) << part << "\n" << saved;
  }
  guard.op.messages.clear();
  EXPECT_FALSE(window->SaveTo(QString::fromStdString(dir.File("no/such/folder/x.txt"))));
  ASSERT_EQ(guard.op.messages.size(), 1u);
  EXPECT_EQ(guard.op.messages[0].rfind("Nie mogę zapisać pliku ", 0), 0u);
}

}  // namespace
}  // namespace kelm
