// The documents sent as sequences, against a scripted printer on a pseudo-terminal: every frame
// byte for byte (written from the templates, the check value applied), in order, with the
// status query after each, and where a printer error or the operator stops them.
#include <chrono>
#include <thread>

#include "link/link_fixture.h"
#include "protocol/frame.h"
#include "sales/receipt_commands.h"
#include "sales/sequences.h"

namespace kelm::test {
namespace {

// A frame as its template writes it ("xx" in the check slot), with the check value applied.
std::string Checked(std::string frame) {
  std::vector<char> buffer(frame.begin(), frame.end());
  buffer.push_back('\0');
  ApplyChecksum(buffer.data(), buffer.size());
  return std::string(buffer.data());
}

// Each frame followed by the status query, as the sequence sends them.
std::string Sent(const std::vector<std::string>& frames) {
  std::string all;
  for (const std::string& f : frames)
    all += (f.find("xx\x1b\\") != std::string::npos ? Checked(f) : f) + "\x05";
  return all;
}

class Sequences : public LinkTest {
 protected:
  void SetUp() override {
    UsePty();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
  std::string Received() {
    printer->WaitQuiet(50);
    return printer->Received();
  }
  FullTransactionFields Full() {
    FullTransactionFields f;
    f.rows[1] = {"Chleb", "2", "A", "3.50", "", ""};
    f.rows[3] = {"Ser", "1", "B", "5.00", "", ""};
    f.cashier = "Ola";
    f.lines = "Dziekujemy";
    f.amounts[0] = "10.00";
    return f;
  }
};

TEST_F(Sequences, OneGroszReceiptWithTheDepositLetterAndTheDrawer) {
  printer->AnswerStatus(0x0C);
  EXPECT_EQ(SendOneGroszReceipt(7, true), kCommandExecuted);
  EXPECT_EQ(Received(), Sent({"\x1bP0$hxx\x1b\\", "\x1bP1$lTowar Testowy\r1\rP/0.01/0.01/xx\x1b\\",
                              "\x1bP1;0$e\r0.01/0.01/xx\x1b\\", "\x1bP1$d\x1b\\"}));
}

TEST_F(Sequences, OneGroszReceiptStopsAtAPrinterError) {
  printer->AnswerStatus(0x08, 0x74, 95);
  EXPECT_EQ(SendOneGroszReceipt(0, false), kCommandPrinterError);
  EXPECT_EQ(Received(), Sent({"\x1bP0$hxx\x1b\\"}) + "\x1bP0#n\x1b\\");
}

TEST_F(Sequences, FullTransactionSendsTheRowsBeforeTheFirstGapThenNipQrAndClosing) {
  printer->AnswerStatus(0x0C);
  FullTransactionFields f = Full();
  f.nip = true;
  f.qr = true;
  seams.op.answers.push_back(true);
  EXPECT_EQ(SendFullTransaction(&f), kCommandExecuted);
  EXPECT_EQ(f.total, "7.00");
  EXPECT_EQ(seams.op.questions,
            std::vector<std::string>{"Suma transakcji: 7.00. Rabat procentowy: 0.00 %. Czy wysłać "
                                     "do drukarki[T/N] ?"});
  EXPECT_EQ(Received(), Sent({"\x1bP0$hxx\x1b\\", "\x1bP1$lChleb\r2\rA/3.50/7.00/xx\x1b\\",
                              "\x1bP100;1$z123-456-78-90\rxx\x1b\\", "\x1bP#Q12345\rxx\x1b\\",
                              "\x1bP1;0;0;1;1;0;0;0;0;0;0$xOla\rDziekujemy\r\r\r\r\r\r\r\r"
                              "7.00/0.00/10.00/0.00/0.00/0.00/0.00/0.00/0.00/xx\x1b\\"}));
}

TEST_F(Sequences, FullTransactionInFamilyZeroAndTheBusVariant) {
  printer->AnswerStatus(0x0C);
  LinkSettings.ModelFamily = 0;
  FullTransactionFields f = Full();
  seams.op.answers.push_back(true);
  EXPECT_EQ(SendFullTransaction(&f), kCommandExecuted);
  EXPECT_EQ(Received(), Sent({"\x1bP0$hxx\x1b\\", "\x1bP1$lChleb\r2\rA/3.50/7.00/xx\x1b\\",
                              "\x1bP1;0;1;0;0;1$eOla\rDziekujemy\r10.00/7.00/0.00/xx\x1b\\"}));
  LinkSettings.ModelFamily = 1;
  LinkSettings.PrinterVariant = 1;
  f = Full();
  f.nip = true;
  seams.op.answers.push_back(true);
  EXPECT_EQ(SendFullTransaction(&f), kCommandExecuted);
  EXPECT_NE(Received().find(Checked("\x1bP1$z123-456-78-90\rxx\x1b\\") + "\x05"),
            std::string::npos);
}

TEST_F(Sequences, FullTransactionRefusesAZeroSumAndStopsOnNo) {
  printer->AnswerStatus(0x0C);
  FullTransactionFields empty;
  EXPECT_EQ(SendFullTransaction(&empty), kFieldRefused);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{" ZEROWA SUMA PARAGONU !!! "});
  EXPECT_EQ(seams.op.beeps, 1);
  FullTransactionFields f = Full();
  f.rows[1][1] = "1,5";
  f.rows[3][3] = "x";
  seams.op.messages.clear();
  EXPECT_EQ(SendFullTransaction(&f), kDeclined);
  EXPECT_EQ(f.total, "5.25");
  EXPECT_EQ(seams.op.messages, (std::vector<std::string>{
                                   "UWAGA: w parametrze <ILOŚĆ> wysłano przecinek zamiast kropki.",
                                   "Niewłaściwy format danej <Cena> w wierszu 3."}));
  EXPECT_EQ(Received(), "");
}

TEST_F(Sequences, BaseTableStopsAtTheFirstIncompleteRow) {
  printer->AnswerStatus(0x0C);
  EXPECT_EQ(SendBaseTable(0, {{}, {"Chleb", "", "", ""}, {"Mleko", "B", "", ""}}),
            kCommandExecuted);
  EXPECT_EQ(Received(), Sent({"\x1bP0;0#bxx\x1b\\", "\x1bP2;0#bxx\x1b\\"}));
  EXPECT_EQ(SendBaseTable(5, {{}, {"Normalny", "Przejazd", "B", "A"}, {"Ulgowy", "", "B", ""}}),
            kCommandExecuted);
  EXPECT_EQ(Received(), Sent({"\x1bP0;0#bxx\x1b\\", "\x1bP2;0#bxx\x1b\\", "\x1bP0;5#bxx\x1b\\",
                              "\x1bP1;5#bNormalny\rPrzejazd\rBA/xx\x1b\\", "\x1bP2;5#bxx\x1b\\"}));
}

}  // namespace
}  // namespace kelm::test
