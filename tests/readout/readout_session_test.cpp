// The readout session: the work file in the program's folder, the download dialog's ticks of at
// most 20 reports, abort, failures and their messages, several currencies, title and file name.
#include "readout/readout_session.h"

#include <gtest/gtest.h>

#include "link/program_folder.h"
#include "readout/stream.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::Body;

// A pass of `count` daily reports of layout 90, each selling 1,23 zł of A.
std::string Pass(int count, const char* currency = "PLN", uint8_t more = 0, int closingDelta = 0,
                 uint32_t first_number = 1, int damaged = -1) {
  test::RangeSpec range;
  range.count = uint16_t(count);
  range.more = more;
  range.first_number = count ? first_number : 0;
  range.last_number = count ? first_number + uint32_t(count) - 1 : 0;
  std::string s = test::HeadRecords({}, {}) + test::RangeBody(range).Record(10);
  if (count > 0) s += test::CurrencyBody(currency, 1).Record(12);
  for (int n = 0; n < count; ++n) {
    Body day(90);
    day.U16(1, uint16_t(first_number + n)).Date(3, 2026, 12, 1 + n % 28).U8(7, 21).U8(10, 1);
    day.U16(19, 1).U32(21, 23).U32(49, 123).U32(77, 123);
    s += day.Record(5, n == damaged);
    if (n == 0) s += test::TaxRateBody(31, 1, 2026, 1, 1, {2300}, {1}).Record(4);
  }
  test::RangeSpec closing = range;
  closing.dueLow = uint32_t(123 * count + closingDelta);
  closing.vatLow = uint32_t(23 * count);
  return s + test::RangeBody(closing).Record(11);
}

ReadoutRequest ByNumbers() {
  ReadoutFields f;
  f.mode = ReadoutMode::kByNumbers;
  f.first_number = "1";
  f.last_number = "45";
  ReadoutRequest r;
  std::string message;
  EXPECT_TRUE(BuildReadoutRequest(f, &r, &message));
  return r;
}

class ReadoutSessionTest : public testing::Test {
 protected:
  test::SeamGuard seams;
  test::TempDir dir;
  test::InFolder folder{dir.path()};
  std::string WorkFile() const { return test::TempDir::Read(dir.File(kReadoutWorkFile)); }
};

TEST_F(ReadoutSessionTest, TicksOfTwentyReportsKeepTheWindowResponsive) {
  struct Seen {
    std::string label1, label2;
    bool progress;
    int max, position;
  };
  std::vector<Seen> seen;
  seams.op.on_tick = [&](ModalWait& wait, int) {
    auto& engine = static_cast<DownloadEngine&>(wait);
    seen.push_back({engine.label1(), engine.label2(), engine.progressVisible(),
                    engine.progressMax(), engine.progressPosition()});
  };
  BufferRecordLink link(Pass(45));
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  EXPECT_EQ(session.RunPass(link), kRecordGood);
  EXPECT_TRUE(session.success());
  EXPECT_FALSE(session.NextPass());
  session.Finish();
  ASSERT_EQ(seen.size(), 3u) << "45 reports: 20, 20, then 5 and the closing record";
  EXPECT_EQ(seen[0].label2, "Pobrano dane 0 raportów");
  EXPECT_EQ(seen[1].label1, "Pobieranie danych raportu okresowego dla waluty PLN.");
  EXPECT_EQ(seen[1].label2, "Pobrano dane 20 raportów");
  EXPECT_EQ(seen[2].label2, "Pobrano dane 40 raportów");
  EXPECT_FALSE(seen[2].progress) << "no progress bar up to 100 reports";
  EXPECT_EQ(seams.op.waits, std::vector<std::string>{"TPobieranieFiskalnejSklepu"});
  EXPECT_TRUE(seams.op.messages.empty());
  EXPECT_EQ(link.cans(), 1) << "closing the dialog ends the printer's sending";
  EXPECT_EQ(link.enqs(), 1 + 9 + 45 + 1) << "the head's ENQ and one after every record but the "
                                            "closing one";

  // The work file holds exactly the text the report makes of the same stream.
  BufferRecordLink again(Pass(45));
  StringSink text;
  ReadPeriodicReport(again, ReadoutModel{}, ByNumbers().report, text, "09-12-2026");
  EXPECT_EQ(WorkFile(), text.text);
  EXPECT_EQ(session.reportFileName(), "VANTEL_ABC12345678_Nr_1_45.txt");
  EXPECT_EQ(session.reportTitle(),
            "Raport okresowy z drukarki KELM VANTEL 57T o numerze unikatowym ABC 12345678 od nr 1 "
            "do nr 45.");
  EXPECT_EQ(session.PassCountMessage(), "");
}

TEST_F(ReadoutSessionTest, ProgressBarForMoreThanAHundredReports) {
  int max = 0, position = 0;
  seams.op.on_tick = [&](ModalWait& wait, int) {
    auto& engine = static_cast<DownloadEngine&>(wait);
    if (engine.progressVisible()) max = engine.progressMax(), position = engine.progressPosition();
  };
  BufferRecordLink link(Pass(101));
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  EXPECT_EQ(session.RunPass(link), kRecordGood);
  EXPECT_EQ(max, 101);
  EXPECT_EQ(position, 100);
}

TEST_F(ReadoutSessionTest, AbortEndsQuietlyAndSendsCan) {
  seams.op.abort_after_ticks = 1;
  BufferRecordLink link(Pass(45));
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  EXPECT_EQ(session.RunPass(link), kReadoutAborted);
  EXPECT_FALSE(session.success());
  EXPECT_FALSE(session.NextPass());
  session.Finish();
  EXPECT_TRUE(seams.op.messages.empty());
  EXPECT_EQ(link.cans(), 1);
  const std::string text = WorkFile();
  EXPECT_NE(text.find("Nr rap.    20"), std::string::npos) << "what was read stays in the file";
  EXPECT_EQ(text.find("Nr rap.    21"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 5), "\t\t\t\r\n");
}

TEST_F(ReadoutSessionTest, FailuresShowTheirMessages) {
  struct Row {
    const char* name;
    std::string stream;
    int code;
    const char* message;
  } rows[] = {
      {"closing total off by one", Pass(3, "PLN", 0, 1), kTransmissionError,
       "Wystąpił błąd trasmisji."},
      {"damaged daily report", Pass(2, "PLN", 0, 0, 1, 1), kMemoryError,
       "Wystąpił błąd pamieci fiskalnej."},
      {"stream stops", Pass(3).substr(0, 700), kReadoutAborted, nullptr},
  };
  for (const Row& row : rows) {
    seams.op.messages.clear();
    BufferRecordLink link(row.stream);
    ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
    EXPECT_EQ(session.RunPass(link), row.code) << row.name;
    EXPECT_FALSE(session.success()) << row.name;
    EXPECT_EQ(seams.op.messages,
              row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{})
        << row.name;
  }
}

TEST_F(ReadoutSessionTest, TwoCurrenciesTwoPassesOneFile) {
  BufferRecordLink link(Pass(2, "PLN", 1) + Pass(3, "EUR", 0, 0, 3));
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  EXPECT_EQ(session.RunPass(link), kRecordGood);
  EXPECT_TRUE(session.NextPass());
  EXPECT_EQ(session.RunPass(link), kRecordGood);
  EXPECT_FALSE(session.NextPass());
  session.Finish();
  EXPECT_TRUE(session.success());
  EXPECT_EQ(session.passes(), 2);
  EXPECT_EQ(session.PassCountMessage(),
            "W zadanym zakresie znajdują się raporty dobowe zapisane dla różnej waluty "
            "ewidencyjnej.\r\nDlatego zostaną wypisane 2 raporty okresowe, oddzielnie dla każdej "
            "waluty.");
  EXPECT_EQ(session.reportFileName(), "VANTEL_ABC12345678_Nr_1_5.txt");
  const std::vector<std::string> lines = test::ReportLines(WorkFile());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "\t\t"), 5);
  EXPECT_EQ(lines.back(), "\t\t\t");
}

TEST_F(ReadoutSessionTest, WorkFileThatCannotBeCreated) {
  SetProgramFolder(dir.File("missing"));
  BufferRecordLink link(Pass(1));
  ReadoutSession session(ReadoutModel{}, ByNumbers(), "09-12-2026");
  session.RunPass(link);
  EXPECT_FALSE(session.success());
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Nie mogę otworzy pliku do zapisu."});
  EXPECT_EQ(link.position(), 0u) << "nothing is read without a file to write it to";
}

}  // namespace
}  // namespace kelm
