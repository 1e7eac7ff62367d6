// The control number round trips against kelmemu as a process of its own, over a pseudo-terminal
// and over TCP/IP: a daily report read out of the fiscal memory and typed back, and a receipt the
// printer printed typed back from its paper; one changed amount makes the printer disagree.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "control/control_series.h"
#include "control/control_sources.h"
#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/program_folder.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/command_execution.h"
#include "protocol/frame.h"
#include "readout/readout_run.h"
#include "readout/readout_session.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

struct Printer {
  const char* model;
  const char* firmware;
  int variant, copy_mode;  // as the operator configures the model
};

const Printer kVantelKe = {"vantel-ke", "2.00", 0, 1};  // copy mode 1, layout 174
const Printer kSalvo = {"salvo", "2.00", 0, 2};         // copy mode 2 with invoices, layout 290
const Printer kSalvo1 = {"salvo", "1.00", 0, 2};        // copy mode 2, layout 278
const Printer k859 = {"859", "1.02", 2, 1};             // the bus-variant-2 printer, layout 296

const char kMatch[] = "NUMER KONTROLNY ZGODNY";
const char kMismatch[] = "NUMER KONTROLNY NIEZGODNY";

class ControlAgainstKelmemu : public ::testing::TestWithParam<bool> {
 protected:
  ~ControlAgainstKelmemu() override {
    CloseSerialPort();
    TcpDisconnect();
  }

  void Start(const Printer& p, std::vector<std::string> options = {}) {
    CloseSerialPort();
    TcpDisconnect();
    std::vector<std::string> args = {"--model", p.model, "--firmware", p.firmware,
                                     "--paper", Paper(), "--fiscal"};
    args.insert(args.end(), GetParam() ? std::initializer_list<std::string>{"--tcp", "127.0.0.1:0"}
                                       : std::initializer_list<std::string>{"--pty"});
    args.insert(args.end(), options.begin(), options.end());
    emu_ = std::make_unique<test::KelmemuProcess>(args);
    ASSERT_TRUE(emu_->Ready()) << emu_->ready();
    LinkSettings.ModelFamily = 2;
    LinkSettings.PrinterVariant = static_cast<uint8_t>(p.variant);
    LinkSettings.CopyMode = static_cast<uint8_t>(p.copy_mode);
    if (GetParam()) {
      const std::string where = emu_->Where();
      ASSERT_EQ(TcpConnect("127.0.0.1", where.substr(where.rfind(':') + 1), false), kTcpConnected);
    } else {
      SetComDeviceOverride(emu_->Where());
      LinkSettings.PortNumber = 1;
      LinkSettings.Speed = 115200;
      ASSERT_TRUE(OpenSerialPort(1));
    }
    seams.op.messages.clear();
  }

  std::string Paper() const { return dir.File("paper.txt"); }
  // What the printer printed since the last call.
  std::string NewPaper() {
    const std::string all = test::TempDir::Read(Paper());
    const std::string fresh = all.substr(std::min(seen_, all.size()));
    seen_ = all.size();
    return fresh;
  }

  // A command as the sales dialogs send it, executed or the test fails.
  void Run(const std::string& body) {
    ASSERT_EQ(RunCommand(CommandSteps{}, "%cP%sxx%c%c", kEsc, body.c_str(), kEsc, kBackslash), 0)
        << body;
  }

  // The daily report's fields as the operator reads them off the readout of that report.
  DailyControlData FromReadout(long number) {
    ReadoutFields f;
    f.mode = ReadoutMode::kByNumbers;
    f.firstNumber = std::to_string(number);
    f.lastNumber = std::to_string(number);
    EXPECT_EQ(ReadPeriodicReportToFile(f).end, ReadoutEnd::kShowEndDialog);
    DailyControlData d;
    std::string error;
    EXPECT_TRUE(DailyFieldsFromReadout(test::TempDir::Read(InProgramFolder(kReadoutWorkFile)),
                                       number, &d, &error))
        << error;
    return d;
  }

  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::KelmemuProcess> emu_;
  size_t seen_ = 0;
};

// The daily report round trip: the digest the readout printed, the report's data typed back,
// the printer's verdict; then the same with one amount changed.
TEST_P(ControlAgainstKelmemu, DailyReportTypedBackFromTheReadout) {
  for (const Printer& p : {kVantelKe, kSalvo, kSalvo1, k859}) {
    SCOPED_TRACE(std::string(p.model) + " " + p.firmware);
    Start(p, {"--history-days", "4"});
    DailyControlData d = FromReadout(3);
    ASSERT_FALSE(d.taxed.empty());
    const InvoiceSetting setting = ReadInvoiceSetting();
    if (!setting.InvoiceFieldShown()) d.invoice_count.clear();
    NewPaper();
    EXPECT_EQ(VerifyDailyReport(d, setting), SeriesEnd::kAccepted);
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    d.taxed[0].amount = d.taxed[0].amount == "0,00" ? "0,01" : "0,00";
    EXPECT_EQ(VerifyDailyReport(d, setting), SeriesEnd::kAccepted);
    EXPECT_NE(NewPaper().find(kMismatch), std::string::npos);
    EXPECT_TRUE(seams.op.messages.empty()) << seams.op.messages[0];
  }
}

// What the operator reads off a printed receipt (the only document of `paper`).
ReceiptControlData FromReceipt(const std::string& paper) {
  ReceiptControlData d;
  std::istringstream in(paper);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  auto last_word = [](const std::string& s) { return s.substr(s.find_last_of(' ') + 1); };
  bool in_lines = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.find("nr wydr.") != std::string::npos) {
      d.date = l.substr(0, 10);
      d.document = last_word(l);
    } else if (l.find("PARAGON FISKALNY") != std::string::npos) {
      in_lines = true;
    } else if (l.rfind("---", 0) == 0 || l.find("PARAGON ANULOWANY") != std::string::npos) {
      in_lines = false;
      if (l.find("ANULOWANY") != std::string::npos) {
        d.cancelled = true;
        d.time = lines[i + 1].substr(0, 8);
        d.unique_digits = last_word(lines[i + 1]);
        d.control_number = lines[i + 2];
      }
    } else if (in_lines && l.find(" x") != std::string::npos) {
      d.lines.push_back({l.substr(0, l.find("  ")), last_word(l)});
    } else if (l.rfind("SUMA PTU", 0) == 0) {
      d.vat_total = last_word(l);
    } else if (l.rfind("SUMA PLN", 0) == 0) {
      d.total = last_word(l);
    } else if (l.rfind("NIP NABYWCY: ", 0) == 0) {
      d.buyer_nip_given = true;
      d.buyer_nip = l.substr(13);
    } else if (l.rfind("#", 0) == 0 && !d.cancelled) {
      d.receipt_number = l.substr(1, l.find(' ') - 1);
      d.time = last_word(l);
      const std::string unique = lines[i + 1].substr(lines[i + 1].find_first_not_of(' '));
      d.unique_letters = unique.substr(0, 3);
      d.unique_digits = unique.substr(4);
      d.control_number = lines[i + 2];
    }
  }
  return d;
}

TEST_P(ControlAgainstKelmemu, ReceiptTypedBackFromItsPrintout) {
  struct Row {
    const Printer& printer;
    std::vector<std::string> receipt;
    bool cancelled;
  } rows[] = {
      {kVantelKe,
       {"0$h", "1$lChleb\r2\rA/1.50/3.00/", "2$lWoda\r1\rG/2.00/2.00/", "1$e\r5.00/5.00/"},
       false},
      // A sale to a buyer with a tax number: an invoice on this printer.
      {kSalvo,
       {"0$h", "1$lKawa\r1\rA/12.30/12.30/", "100;1$z5260250274\r", "1$e\r12.30/12.30/"},
       false},
      {k859, {"0$h", "1$lHerbata\r1\rB/4.00/4.00/", "0$e"}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.printer.model);
    Start(row.printer);
    for (const std::string& body : row.receipt) Run(body);
    ReceiptControlData d = FromReceipt(NewPaper());
    ASSERT_EQ(d.control_number.size(), 40u);
    ASSERT_EQ(d.cancelled, row.cancelled);
    EXPECT_EQ(VerifyReceipt(d), SeriesEnd::kAccepted);
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    if (d.cancelled) {
      d.time[7] = d.time[7] == '9' ? '8' : '9';
    } else {
      d.total = "0,01";
    }
    EXPECT_EQ(VerifyReceipt(d), SeriesEnd::kAccepted);
    EXPECT_NE(NewPaper().find(kMismatch), std::string::npos);
  }
}

// A series the printer refuses ends at that frame, and the dialog's caller is told.
TEST_P(ControlAgainstKelmemu, RefusedFrameStopsTheSeries) {
  Start(kVantelKe);
  ReceiptControlData d;
  d.date = "05-07-2024";
  d.lines = {{"Chleb", "H"}, {"Woda", "A"}};
  d.control_number = std::string(40, 'A');
  EXPECT_EQ(VerifyReceipt(d), SeriesEnd::kStopped);
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0], "Wystąpił bład nr: 39: Błąd oznaczenia PTU.");
  EXPECT_EQ(NewPaper().find("NUMER KONTROLNY"), std::string::npos);
}

// kelmctl as its own process: the readout to a file, then "verify daily --from-readout" and
// "verify daily|receipt --fields" against the same printer.
class KelmctlVerify : public ControlAgainstKelmemu {
 protected:
  int Kelmctl(const char* model, std::vector<std::string> args) {
    const std::string where = emu_->Where();
    std::string command = "cd '" + dir.path() + "' && '" KELMCTL_PATH "' --model " + model +
                          (GetParam() ? " --tcp " : " --device ") + where;
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string Err() const { return test::TempDir::Read(dir.File("err.txt")); }
  // The fields file of a daily report.
  void WriteDaily(const DailyControlData& d) {
    std::string text = "date: " + d.date + "\nreport: " + d.report_number + "\n";
    for (const RateRow& r : d.taxed) text += "taxed: " + r.letter + " " + r.amount + "\n";
    for (const RateRow& r : d.exempt) text += "exempt: " + r.letter + " " + r.amount + "\n";
    text += "vat: " + d.vat_total + "\nreceipts: " + d.receipt_count + "\n";
    if (!d.invoice_count.empty()) text += "invoices: " + d.invoice_count + "\n";
    text += "running-vat: " + d.running_vat + "\nunique: " + d.unique_letters + " " +
            d.unique_digits + "\ncontrol: " + d.control_number + "\n";
    test::TempDir::Write(dir.File("fields.txt"), text);
  }
};

TEST_P(KelmctlVerify, DailyReportFromTheReadoutAndFromAFieldsFile) {
  const struct {
    const Printer& printer;
    const char* model;
  } rows[] = {{kVantelKe, "vantel-ke"}, {kSalvo, "salvo"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.model);
    Start(row.printer, {"--history-days", "4"});
    // kelmctl needs the line to itself.
    CloseSerialPort();
    TcpDisconnect();
    ASSERT_EQ(Kelmctl(row.model, {"readout", "--numbers", "2", "3", "-o", "r.txt"}), 0) << Err();
    NewPaper();
    ASSERT_EQ(Kelmctl(row.model, {"verify", "daily", "--from-readout", "r.txt", "--report", "3"}),
              0)
        << Err();
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    DailyControlData d;
    std::string error;
    ASSERT_TRUE(DailyFieldsFromReadout(test::TempDir::Read(dir.File("r.txt")), 2, &d, &error));
    if (row.printer.copy_mode != 2) d.invoice_count.clear();
    WriteDaily(d);
    ASSERT_EQ(Kelmctl(row.model, {"verify", "daily", "--fields", "fields.txt"}), 0) << Err();
    EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
    d.vat_total = d.vat_total == "0,00" ? "0,01" : "0,00";
    WriteDaily(d);
    ASSERT_EQ(Kelmctl(row.model, {"verify", "daily", "--fields", "fields.txt"}), 0) << Err();
    EXPECT_NE(NewPaper().find(kMismatch), std::string::npos);
    // What cannot be read sends nothing and says why.
    EXPECT_EQ(Kelmctl(row.model, {"verify", "daily", "--from-readout", "r.txt", "--report", "9"}),
              64);
    EXPECT_NE(Err().find("kelmctl verify: r.txt: no daily report 9 in the readout\n"),
              std::string::npos);
    EXPECT_EQ(NewPaper(), "");
  }
}

TEST_P(KelmctlVerify, ReceiptPrintedAndVerified) {
  Start(kSalvo);
  CloseSerialPort();
  TcpDisconnect();
  for (const char* body : {"0$h", "1$lKawa<CR >1<CR >A/12.30/12.30/",
                           "2$lWoda<CR >2<CR >G/1.50/3.00/", "1$e<CR >15.30/15.30/"}) {
    ASSERT_EQ(Kelmctl("salvo", {"send", std::string("<ESC>P") + body + "xx<ESC>\\", "--checksum",
                                "--check"}),
              0)
        << body << Err();
  }
  const ReceiptControlData d = FromReceipt(NewPaper());
  ASSERT_EQ(d.lines.size(), 2u);
  std::string text = "date: " + d.date + "\ndocument: " + d.document + "\n";
  for (const SaleRow& l : d.lines) text += "line: " + l.letter + " " + l.name + "\n";
  text += "vat: " + d.vat_total + "\ntotal: " + d.total + "\nreceipt: " + d.receipt_number +
          "\nunique: " + d.unique_letters + " " + d.unique_digits + "\ntime: " + d.time +
          "\ncontrol: " + d.control_number + "\n";
  test::TempDir::Write(dir.File("receipt.txt"), text);
  ASSERT_EQ(Kelmctl("salvo", {"verify", "receipt", "--fields", "receipt.txt"}), 0) << Err();
  EXPECT_NE(NewPaper().find(kMatch), std::string::npos);
  test::TempDir::Write(dir.File("receipt.txt"), text + "line: A Cukier\n");
  ASSERT_EQ(Kelmctl("salvo", {"verify", "receipt", "--fields", "receipt.txt"}), 0) << Err();
  EXPECT_NE(NewPaper().find(kMismatch), std::string::npos);
  // A printer's refusal is exit 2.
  test::TempDir::Write(dir.File("receipt.txt"), text + "line: H Cukier\n");
  EXPECT_EQ(Kelmctl("salvo", {"verify", "receipt", "--fields", "receipt.txt"}), 2);
}

INSTANTIATE_TEST_SUITE_P(Links, KelmctlVerify, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

INSTANTIATE_TEST_SUITE_P(Links, ControlAgainstKelmemu, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Tcp" : "Pty";
                         });

}  // namespace
}  // namespace kelm
