// The control number round trips through kelmctl against kelmemu, each as a process of its own,
// over a pseudo-terminal and over TCP/IP: a daily report read out of the fiscal memory and
// verified from the readout's text and from a fields file, and a receipt the printer printed
// verified from its paper; one changed amount makes the printer disagree.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "control/control_series.h"
#include "control/control_sources.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "printout.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

struct Printer {
  const char* model;  // kelmemu's
  const char* firmware;
  const char* kelmctl_model;
};

const Printer kVantelKe = {"vantel-ke", "2.00", "vantel-ke"};  // copy mode 1, layout 174
const Printer kSalvo = {"salvo", "2.00", "salvo"};             // copy mode 2, layout 290
const Printer kSalvo1 = {"salvo", "1.00", "salvo"};            // copy mode 2, layout 278
const Printer k859 = {"859", "1.02", "859"};                   // bus variant 2, layout 296

const char kMatch[] = "NUMER KONTROLNY ZGODNY";
const char kMismatch[] = "NUMER KONTROLNY NIEZGODNY";

class KelmctlVerify : public ::testing::TestWithParam<bool> {
 protected:
  void Start(const Printer& p, std::vector<std::string> options = {}) {
    std::vector<std::string> args = {
        "--model", p.model, "--firmware", p.firmware, "--paper", dir.File("paper.txt"), "--fiscal"};
    args.insert(args.end(), GetParam() ? std::initializer_list<std::string>{"--tcp", "127.0.0.1:0"}
                                       : std::initializer_list<std::string>{"--pty"});
    args.insert(args.end(), options.begin(), options.end());
    emu_.reset();
    emu_ = std::make_unique<test::KelmemuProcess>(args);
    ASSERT_TRUE(emu_->Ready()) << emu_->ready();
    model_ = p.kelmctl_model;
  }
  std::string NewPaper() { return paper_.Fresh(); }
  int Kelmctl(std::vector<std::string> args) {
    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "' --model " + model_ +
                          (GetParam() ? " --tcp " : " --speed 115200 --device ") + emu_->Where();
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string Err() const { return test::TempDir::Read(dir.File("err.txt")); }
  int Verify(const char* kind, const std::string& text) {
    test::TempDir::Write(dir.File("fields.txt"), text);
    return Kelmctl({"verify", kind, "--fields", "fields.txt"});
  }

  test::TempDir dir;
  std::unique_ptr<test::KelmemuProcess> emu_;
  std::string model_;
  test::PaperLog paper_{dir.File("paper.txt")};
};

// The fields file of a daily report.
std::string DailyFile(const DailyControlData& d) {
  std::string text = "date: " + d.date + "\nreport: " + d.report_number + "\n";
  for (const RateRow& r : d.taxed) text += "taxed: " + r.letter + " " + r.amount + "\n";
  for (const RateRow& r : d.exempt) text += "exempt: " + r.letter + " " + r.amount + "\n";
  text += "vat: " + d.vat_total + "\nreceipts: " + d.receipt_count + "\n";
  if (!d.invoice_count.empty()) text += "invoices: " + d.invoice_count + "\n";
  return text + "running-vat: " + d.running_vat + "\nunique: " + d.unique_letters + " " +
         d.unique_digits + "\ncontrol: " + d.control_number + "\n";
}

std::string ReceiptFile(const ReceiptControlData& d) {
  std::string text = "date: " + d.date + "\ndocument: " + d.document + "\n";
  for (const SaleRow& l : d.lines) text += "line: " + l.letter + " " + l.name + "\n";
  if (d.cancelled) text += "cancelled: 1\n";
  if (d.buyer_nip_given) text += "nip: " + d.buyer_nip + "\n";
  if (!d.cancelled) {
    text += "vat: " + d.vat_total + "\ntotal: " + d.total + "\nreceipt: " + d.receipt_number + "\n";
  }
  text += "unique: " + (d.cancelled ? "" : d.unique_letters + " ") + d.unique_digits + "\n";
  return text + "time: " + d.time + "\ncontrol: " + d.control_number + "\n";
}

// The daily report round trip for every printer that prints a control number under it: the
// readout's digest and the report's data sent back, then the same with one amount changed.
TEST_P(KelmctlVerify, DailyReportFromTheReadoutAndFromAFieldsFile) {
  // The line is the same for every model: the slower pseudo-terminal runs one of each copy mode.
  const std::vector<Printer> printers = GetParam()
                                            ? std::vector<Printer>{kVantelKe, kSalvo, kSalvo1, k859}
                                            : std::vector<Printer>{kVantelKe, kSalvo};
  for (const Printer& p : printers) {
    SCOPED_TRACE(std::string(p.model) + " " + p.firmware);
    Start(p, {"--history-days", "4"});
    ASSERT_EQ(Kelmctl({"--yes", "readout", "--numbers", "2", "3", "-o", "r.txt"}), 0) << Err();
    NewPaper();
    ASSERT_EQ(Kelmctl({"verify", "daily", "--from-readout", "r.txt", "--report", "3"}), 0) << Err();
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    DailyControlData d;
    std::string error;
    ASSERT_TRUE(DailyFieldsFromReadout(test::TempDir::Read(dir.File("r.txt")), 2, &d, &error));
    ASSERT_FALSE(d.taxed.empty());
    ASSERT_EQ(Verify("daily", DailyFile(d)), 0) << Err();
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    d.taxed[0].amount = d.taxed[0].amount == "0,00" ? "0,01" : "0,00";
    ASSERT_EQ(Verify("daily", DailyFile(d)), 0) << Err();
    EXPECT_NE(NewPaper().find(kMismatch), std::string::npos);
    // What cannot be read sends nothing and says why.
    EXPECT_EQ(Kelmctl({"verify", "daily", "--from-readout", "r.txt", "--report", "9"}), 64);
    EXPECT_NE(Err().find("kelmctl verify: r.txt: no daily report 9 in the readout\n"),
              std::string::npos);
    EXPECT_EQ(NewPaper(), "");
  }
}

// Receipts printed through "kelmctl send", read off the paper and verified: a plain receipt, an
// invoice (a buyer's tax number on a printer that keeps invoices) and a cancelled receipt.
TEST_P(KelmctlVerify, ReceiptPrintedAndVerified) {
  struct Row {
    const Printer& printer;
    std::vector<std::string> receipt;
  } rows[] = {
      {kVantelKe,
       {"0$h", "1$lChleb<CR >2<CR >A/1.50/3.00/", "2$lWoda<CR >1<CR >G/2.00/2.00/",
        "1$e<CR >5.00/5.00/"}},
      {kSalvo,
       {"0$h", "1$lKawa<CR >1<CR >A/12.30/12.30/", "100;1$z5260250274<CR >",
        "1$e<CR >12.30/12.30/"}},
      {k859, {"0$h", "1$lHerbata<CR >1<CR >B/4.00/4.00/", "0$e"}},
  };
  for (const Row& row : rows) {
    if (!GetParam() && &row != &rows[0]) continue;  // the line is the same for every receipt
    SCOPED_TRACE(row.printer.model);
    Start(row.printer);
    for (const std::string& body : row.receipt) {
      ASSERT_EQ(Kelmctl({"send", "<ESC>P" + body + "xx<ESC>\\", "--checksum", "--check"}), 0)
          << body << Err();
    }
    ReceiptControlData d = test::FromReceipt(NewPaper());
    ASSERT_EQ(d.control_number.size(), 40u);
    ASSERT_EQ(d.cancelled, row.receipt.back() == "0$e");
    ASSERT_EQ(Verify("receipt", ReceiptFile(d)), 0) << Err();
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    d.lines.push_back({"Cukier", "A"});
    ASSERT_EQ(Verify("receipt", ReceiptFile(d)), 0) << Err();
    EXPECT_NE(NewPaper().find(kMismatch), std::string::npos);
    // A printer's refusal is exit 2.
    d.lines.back().letter = "H";
    EXPECT_EQ(Verify("receipt", ReceiptFile(d)), 2);
  }
}

// Through the program's own routine: a refused frame ends the series with the printer's error
// shown, and nothing is printed.
TEST_P(KelmctlVerify, RefusedFrameStopsTheSeries) {
  test::SeamGuard seams;
  Start(kVantelKe);
  if (GetParam()) {
    const std::string where = emu_->Where();
    ASSERT_EQ(TcpConnect("127.0.0.1", where.substr(where.rfind(':') + 1), false), kTcpConnected);
  } else {
    SetComDeviceOverride(emu_->Where());
    LinkSettings.PortNumber = 1;
    ASSERT_TRUE(OpenSerialPort(1));
  }
  seams.op.messages.clear();
  ReceiptControlData d;
  d.date = "05-07-2024";
  d.lines = {{"Chleb", "H"}, {"Woda", "A"}};
  d.control_number = std::string(40, 'A');
  EXPECT_EQ(VerifyReceipt(d), SeriesEnd::kStopped);
  EXPECT_EQ(seams.op.messages,
            std::vector<std::string>{"Wystąpił bład nr: 39: Błąd oznaczenia PTU."});
  EXPECT_EQ(NewPaper().find("NUMER KONTROLNY"), std::string::npos);
  CloseSerialPort();
  TcpDisconnect();
}

INSTANTIATE_TEST_SUITE_P(Links, KelmctlVerify, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
