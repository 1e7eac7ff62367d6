// The printer core as a function of bytes: recognition, check values, queries and faults.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "emulator/attachment.h"
#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

TEST(Recogniser, AnswersAlikeWhateverTheChunking) {
  std::string input = std::string(kEnq) + Frame("0#n", false) + "noise" + Frame("0#c") + kDle +
                      Frame("1#v", false) + kEnq;
  Bench whole, bytewise, pairs;
  std::string a = whole.Send(input), b, c;
  for (char ch : input) b += bytewise.Send(std::string_view(&ch, 1));
  for (size_t i = 0; i < input.size(); i += 2)
    c += pairs.Send(std::string_view(input).substr(i, 2));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(a.front(), '\x65');
  EXPECT_NE(a.find("\x1BP1#C24;7;5;12;30;0"), std::string::npos);
  EXPECT_NE(a.find("\x1BP1#RKELM VANTEL 57T/3.00/"), std::string::npos);
}

TEST(Recogniser, EscapeInsideFieldsDoesNotEndTheFrame) {
  Bench b;
  // An ESC followed by anything but a backslash belongs to the field.
  b.Send(Frame("$#AB\x1BZ\r"));
  EXPECT_EQ(b.printer.last_error(), 0);
  EXPECT_EQ(b.printer.state().options.type_answer, "AB\x1BZ");
}

TEST(Recogniser, StrayEscapeAndOverlongFramesAreDropped) {
  Bench b;
  EXPECT_EQ(b.Send("\x1BQ\x05"), "\x65");  // ESC not followed by P, then a real ENQ
  std::string flood = "\x1BP" + std::string(6000, '1');
  EXPECT_EQ(b.Send(flood), "");
  EXPECT_EQ(b.Send(Frame("0#n", false)), "\x1BP1#E0\x1B\\");
}

TEST(Recogniser, RawMemoryReadoutDumpsTheWholeChip) {
  Bench b;
  ASSERT_EQ(b.Run("0#r"), 0);
  std::string image = b.Send("S");
  ASSERT_EQ(image.size(), 262144u);
  EXPECT_EQ(image.substr(0, 14), "R0000120240705");
  EXPECT_EQ(image.back(), '\xFF');
  EXPECT_EQ(b.Send("S"), "");  // one readout until "C"
  EXPECT_EQ(b.Send("C"), "");
  EXPECT_EQ(b.Send("B"), "");
  EXPECT_EQ(b.Send("raw file with S and C inside"), "");
  EXPECT_EQ(b.Send(kEnq), "\x65");
  EXPECT_EQ(b.Send("S").size(), 262144u);
}

struct CheckRow {
  const char* name;
  std::string frame;
  int error;
};

TEST(CheckValue, EveryCommandWithASlotIsVerified) {
  const CheckRow rows[] = {
      {"correct", Frame("3#e"), 0},
      {"wrong digits", "\x1BP3#e00\x1B\\", 2},
      {"lower-case digits", "\x1BP3#e8a\x1B\\", 2},
      {"missing", "\x1BP3#e\x1B\\", 2},
      {"one digit", "\x1BP3#eA\x1B\\", 2},
      {"no slot needed: last error", Frame("0#n", false), 0},
      {"no slot needed: cash", Frame("23#s", false), 0},
      {"no slot needed: drawer", Frame("1$d", false), 0},
      {"settings with slot", Frame("$8"), 0},
      {"settings without slot", Frame("$8", false), 2},
      {"unknown designator", Frame("$Y"), 255},
      {"no designator", Frame("123"), 255},
  };
  for (const CheckRow& row : rows) {
    Bench b;
    b.Run("1$3");  // leaves error 0 behind, so a query that keeps it shows 0
    b.Send(row.frame);
    EXPECT_EQ(b.printer.last_error(), row.error) << row.name;
    EXPECT_EQ((b.Enq() & 0x04) != 0, row.error == 0) << row.name;
  }
}

TEST(CheckValue, DocumentedWorkedExample) {
  Bench b;
  b.Send("\x1BP3#e8A\x1B\\");
  EXPECT_EQ(b.printer.last_error(), 0);
  EXPECT_EQ(b.printer.state().options.error_mode, 3);
}

TEST(Status, EnqBitsFollowTheState) {
  Bench b;
  EXPECT_EQ(b.Enq(), 0x65);  // bits 5 and 6, last transaction ok, last command ok
  ASSERT_EQ(b.Run("0$h"), 0);
  EXPECT_EQ(b.Enq(), 0x66);  // in transaction; the last one is no longer the closed one
  EXPECT_EQ(b.Run("0$h"), 95);
  EXPECT_EQ(b.Enq(), 0x62);  // command failed
  ASSERT_EQ(b.Run("0$e"), 0);
  EXPECT_EQ(b.Enq(), 0x64);
  b.printer.state().fiscal = true;
  EXPECT_EQ(b.Enq(), 0x6C);
}

TEST(Status, DleReportsPaperAndOnLine) {
  Bench b;
  EXPECT_EQ(b.Send(kDle), "\x74");
  b.printer.faults().paper_out = true;
  EXPECT_EQ(b.Send(kDle), "\x76");
  b.printer.faults().offline = true;
  EXPECT_EQ(b.Send(kDle), "\x72");
}

TEST(Status, SearchProbesAreAnsweredAsTheSearchRecognisesThem) {
  Bench b("vantel");
  std::string probe = std::string(kDle) + Frame("1#v", false);
  std::string answer = b.Send(probe);
  EXPECT_EQ(static_cast<unsigned char>(answer[0]) & 0xF8, 0x70);
  EXPECT_EQ(answer.substr(1, 5), "\x1BP1#R");
  EXPECT_EQ(answer.substr(6, answer.find('/') - 6), "KELM VANTEL 57T");
  b.printer.faults().offline = true;
  EXPECT_EQ(b.Send(probe), "\x70");  // off-line: the status byte only
  Bench old("oxil");
  EXPECT_EQ(old.Send(Frame("0#n", false)).substr(0, 6), "\x1BP1#E0");
}

TEST(Queries, LastErrorSurvivesTheQueriesThatReadIt) {
  Bench b;
  EXPECT_EQ(b.Run("9;9$3"), 3);  // two parameters where the cutter wants 0;n
  EXPECT_EQ(b.Send(Frame("0#n", false)), "\x1BP1#E3\x1B\\");
  EXPECT_EQ(b.Enq() & 0x04, 0);
  b.Send(Frame("7#s", false));
  EXPECT_EQ(b.Send(Frame("0#n", false)), "\x1BP1#E3\x1B\\");
}

TEST(Queries, CashInformationHasTheFamilyShape) {
  struct Row {
    const char* model;
    const char* prefix;
    int values;  // decimal values after the receipt count
  } rows[] = {{"oxil", "\x1BP1#X", 10},
              {"oxil-pro", "\x1BP1#X", 10},
              {"vantel", "\x1BP2#X", 8},
              {"salvo", "\x1BP2#X", 8}};
  for (const Row& row : rows) {
    Bench b(row.model);
    std::string a = b.Send(Frame("7#s", false));
    EXPECT_EQ(a.substr(0, 5), row.prefix) << row.model;
    int ints[9];
    double rates[7];
    int count;
    int n = sscanf(a.c_str() + 5, "%d;%d;%d;%d;%d;%d;%d;%d;%d/%lf/%lf/%lf/%lf/%lf/%lf/%lf/%d/",
                   &ints[0], &ints[1], &ints[2], &ints[3], &ints[4], &ints[5], &ints[6], &ints[7],
                   &ints[8], &rates[0], &rates[1], &rates[2], &rates[3], &rates[4], &rates[5],
                   &rates[6], &count);
    EXPECT_EQ(n, 17) << row.model;
    EXPECT_DOUBLE_EQ(rates[0], 23.0);
    EXPECT_DOUBLE_EQ(rates[4], 101.0);
    EXPECT_DOUBLE_EQ(rates[6], 100.0);
    // The values after the count, then the unique number after the last "/", then two check
    // characters and ESC "\".
    size_t slashes = 0, after = a.find('/', a.find('/') + 1);
    for (size_t i = 0; i < a.size(); ++i) slashes += a[i] == '/';
    EXPECT_EQ(slashes, 9u + row.values) << row.model;
    (void)after;
    size_t last = a.rfind('/');
    EXPECT_EQ(a.substr(last + 1, a.size() - last - 5), "KLM 12345678");
  }
}

TEST(Queries, ClockTypeAndCheckCode) {
  Bench b("salvo");
  EXPECT_EQ(b.Send(Frame("0#c")), Frame("1#C24;7;5;12;30;0"));
  b.printer.state().firmware = "2.00";
  EXPECT_EQ(b.Send(Frame("1#v", false)), Frame("1#RKELM SALVO 3/2.00/"));
  std::string code = b.Send(Frame("1;170#v0/262144/"));
  ASSERT_EQ(code.substr(0, 5), "\x1BP1#K");
  EXPECT_EQ(code.find('\r'), 45u);  // 40 characters, then CR
  EXPECT_EQ(b.Send(Frame("1;170#v0/262144/")), code);
  EXPECT_NE(b.Send(Frame("1;170#v0/524288/")), code);
  EXPECT_EQ(b.Send(Frame("0;204#v", false)), Frame("1#V0;0"));
  Bench bus("859");
  EXPECT_EQ(bus.Send(Frame("0;204#v", false)).substr(5, 1), "1");
}

TEST(Queries, CustomTypeAnswerReplacesTheStandardOne) {
  Bench b;
  ASSERT_EQ(b.Run("$#OXIL Pro/3.10F\r"), 0);
  EXPECT_EQ(b.Send(Frame("1#v", false)).substr(0, 20), "\x1BP1#ROXIL Pro/3.10F/");
  ASSERT_EQ(b.Run("$#\r"), 0);
  EXPECT_EQ(b.Send(Frame("1#v", false)).substr(0, 6), "\x1BP1#RK");
}

TEST(Queries, ReceiveBufferHoldsThePreviousCommand) {
  Bench b;
  b.Run("0;1$!");
  std::string a = b.Send(Frame("$0"));
  EXPECT_EQ(a.substr(0, 4), "\x1BP#B");
  EXPECT_EQ(a.substr(4, a.size() - 8), "0;1$!" + Frame("0;1$!").substr(7, 2));
}

TEST(Faults, SilenceGarbageAndCorruptChecks) {
  Bench b;
  b.printer.faults().silent_answers = 2;
  EXPECT_EQ(b.Send(kEnq), "");
  EXPECT_EQ(b.Send(Frame("0#n", false)), "");
  EXPECT_EQ(b.Send(kEnq), "\x65");

  b.printer.faults().garbage_answers = 2;
  EXPECT_EQ(b.Send(kEnq), "\x3F");
  std::string g = b.Send(Frame("0#c"));
  EXPECT_EQ(g.substr(g.size() - 2), "\x1B\\");
  EXPECT_EQ(g.find("\x1BP"), std::string::npos);

  b.printer.faults().corrupt_checks = 1;
  std::string good = Frame("1#C24;7;5;12;30;0");
  std::string bad = b.Send(Frame("0#c"));
  ASSERT_EQ(bad.size(), good.size());
  EXPECT_EQ(bad.substr(0, bad.size() - 4), good.substr(0, good.size() - 4));
  EXPECT_NE(bad, good);
  EXPECT_EQ(b.Send(Frame("0#c")), good);
}

TEST(Faults, OfflinePrinterIgnoresCommands) {
  Bench b;
  b.printer.faults().offline = true;
  EXPECT_EQ(b.Send(Frame("0#c")), "");
  EXPECT_EQ(b.Send(kEnq), "");
  EXPECT_EQ(b.Run("0$h"), 0);
  b.printer.faults().offline = false;
  EXPECT_EQ(b.Enq() & 0x02, 0);  // the receipt was never opened
}

TEST(Locale, PolishNumberFormatChangesNoAnswer) {
  if (!setlocale(LC_ALL, "pl_PL.UTF-8")) GTEST_SKIP() << "no Polish locale here";
  Bench b;
  ASSERT_EQ(b.Run("0$h"), 0);
  ASSERT_EQ(b.Run("1$lX\r1\rA/0.01/0.01/"), 0);
  ASSERT_EQ(b.Run("1$e\r0.01/0.01/"), 0);
  std::string cash = b.Send(Frame("23#s", false));
  setlocale(LC_ALL, "C");
  EXPECT_NE(cash.find("/23.00/8.00/"), std::string::npos);
  EXPECT_NE(cash.find("/1/0.01/"), std::string::npos);
}

TEST(Attachment, QueuesAnswersUntilRead) {
  Bench b;
  Attachment link(b.printer);
  std::string q = std::string(kEnq) + Frame("0#n", false);
  EXPECT_EQ(link.Write(q.data(), q.size()), q.size());
  EXPECT_EQ(link.Pending(), 9u);
  char buf[4];
  ASSERT_EQ(link.Read(buf, 1), 1u);
  EXPECT_EQ(buf[0], '\x65');
  ASSERT_EQ(link.Read(buf, sizeof buf), 4u);
  EXPECT_EQ(std::string(buf, 4), "\x1BP1#");
  link.Purge();
  EXPECT_EQ(link.Read(buf, sizeof buf), 0u);
}

}  // namespace
}  // namespace kelm::emu::test
