// The decoder on streams as the line carries them: right, wrong and missing check values, both
// directions mixed with status bytes, garbage and frames cut short; every byte kept in an item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/error_table.h"
#include "protocol/frame_decoder.h"

namespace kelm {
namespace {

using namespace std::string_literals;

// One expected item: kind, designator, check state, and "name=value" of some of its fields.
struct Expect {
  DecodedKind kind;
  std::string designator;
  CheckState check = CheckState::kNone;
  std::vector<std::string> fields = {};
  std::string expected_check = "";
};

struct StreamRow {
  const char* label;
  std::string bytes;
  Direction direction;
  std::vector<Expect> items;
};

std::string FieldOf(const DecodedItem& item, const std::string& name) {
  for (const DecodedField& f : item.fields)
    if (f.name == name) return f.value;
  return "<no field " + name + ">";
}

class StreamTest : public ::testing::TestWithParam<StreamRow> {};

TEST_P(StreamTest, DecodesEveryItemAndKeepsEveryByte) {
  const StreamRow& row = GetParam();
  const std::vector<DecodedItem> items = DecodeBytes(row.bytes, {row.direction, kMazovia});
  std::string joined;
  for (const DecodedItem& item : items) {
    EXPECT_EQ(item.offset, joined.size()) << row.label;
    joined += item.raw;
  }
  EXPECT_EQ(joined, row.bytes) << row.label;
  ASSERT_EQ(items.size(), row.items.size()) << row.label << "\n" << RenderItems(items);
  for (size_t i = 0; i < items.size(); ++i) {
    const Expect& e = row.items[i];
    const DecodedItem& item = items[i];
    SCOPED_TRACE(std::string(row.label) + " item " + std::to_string(i) + "\n" + RenderItem(item));
    EXPECT_EQ(item.kind, e.kind);
    EXPECT_EQ(item.designator, e.designator);
    EXPECT_EQ(item.check, e.check);
    if (!e.expected_check.empty()) {
      EXPECT_EQ(item.check_expected, e.expected_check);
    }
    for (const std::string& f : e.fields) {
      const size_t eq = f.find('=');
      EXPECT_EQ(FieldOf(item, f.substr(0, eq)), f.substr(eq + 1));
    }
  }
}

constexpr auto kOut = Direction::kToPrinter;
constexpr auto kIn = Direction::kFromPrinter;
constexpr auto kAny = Direction::kUnknown;
using K = DecodedKind;
using C = CheckState;

INSTANTIATE_TEST_SUITE_P(
    Streams, StreamTest,
    ::testing::Values(
        StreamRow{"right check",
                  "\x1bP3#e8A\x1b\\",
                  kOut,
                  {{K::kCommand, "#e", C::kRight, {"Rodzaj obsługi=3"}}}},
        StreamRow{"wrong check",
                  "\x1bP3#e8B\x1b\\",
                  kOut,
                  {{K::kCommand, "#e", C::kWrong, {"Rodzaj obsługi=3"}, "8A"}}},
        StreamRow{"missing check",
                  "\x1bP3#e\x1b\\",
                  kOut,
                  {{K::kCommand, "#e", C::kMissing, {"Rodzaj obsługi=3"}, "8A"}}},
        StreamRow{"no parameters", "\x1bP$8E3\x1b\\", kOut, {{K::kCommand, "$8", C::kRight}}},
        StreamRow{"mazovia letters",
                  "\x1bP#Q\x9c\xa2"
                  "d\xa6\r7C\x1b\\",
                  kOut,
                  {{K::kCommand, "#Q", C::kRight, {"Tekst kodu=Łódź"}}}},
        StreamRow{"unknown command keeps its numbers",
                  "\x1bP5;6$Zab/c\x1b\\",
                  kOut,
                  {{K::kCommand, "$Z", C::kNone, {"parametr 1=5", "parametr 2=6", "pole 2=c"}}}},
        StreamRow{
            "session both ways",
            "\x05\x0c\x1bP0#n\x1b\\\x1bP1#E5\x1b\\\x10\x74"s,
            kAny,
            {{K::kStatusQuery, "ENQ"},
             {K::kStatusByte,
              "ENQ",
              C::kNone,
              {"Drukarka jest w trybie fiskalnym=tak", "Drukarka jest w trybie transakcji=nie",
               "Ostatni rozkaz został wykonany poprawnie=tak"}},
             {K::kCommand, "#n"},
             {K::kAnswer, "#E", C::kNone, {"Numer błędu=5"}},
             {K::kStatusQuery, "DLE"},
             {K::kStatusByte, "DLE", C::kNone, {"On-line=tak", "Brak papieru=nie"}}}},
        StreamRow{"incoming log without queries",
                  "\x0c\x1bP1#C26;12;9;14;5;0\x1b\\\x76"s,
                  kIn,
                  {{K::kStatusByte, "ENQ"},
                   {K::kAnswer, "#C", C::kNone, {"Rok=26", "Minuta=5"}},
                   {K::kStatusByte, "DLE", C::kNone, {"Brak papieru=tak"}}}},
        StreamRow{
            "answer with its check value",
            "\x1bP1#RKELM/2.01/AD\x1b\\",
            kIn,
            {{K::kAnswer, "#R", C::kRight, {"Typ drukarki=KELM", "Wersja oprogramowania=2.01"}}}},
        StreamRow{
            "answer whose check value was spoiled",
            "\x1bP1#RKELM/2.01/AE\x1b\\",
            kIn,
            {{K::kAnswer, "#R", C::kWrong, {"Typ drukarki=KELM", "Wersja oprogramowania=2.01"}}}},
        StreamRow{"error number, which has no check value",
                  "\x1bP1#E131\x1b\\",
                  kIn,
                  {{K::kAnswer, "#E", C::kNone, {"Numer błędu=131"}}}},
        StreamRow{"garbage", "ab\x00\xff\x1b"s, kOut, {{K::kUnparsed, ""}, {K::kUnparsed, ""}}},
        StreamRow{"frame cut short, then a whole one",
                  "\x1bP1;2$h\x1bP0#n\x1b\\",
                  kOut,
                  {{K::kUnparsed, ""}, {K::kCommand, "#n"}}},
        StreamRow{"cancel between frames",
                  "\x18\x1bP0#n\x1b\\",
                  kOut,
                  {{K::kControl, "<CAN>"}, {K::kCommand, "#n"}}},
        StreamRow{"empty frame", "\x1bP\x1b\\", kOut, {{K::kCommand, ""}}}));

TEST(FrameDecoder, JoinsAFrameSplitAcrossBlocksAndGivesUpAnOpenOneOnFlush) {
  FrameDecoder decoder;
  EXPECT_TRUE(decoder.Feed(kOut, "\x1bP0#").empty());
  EXPECT_TRUE(decoder.Feed(kIn, "\x1bP1#E").empty());
  std::vector<DecodedItem> items = decoder.Feed(kOut, "n\x1b\\\x05");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].designator, "#n");
  EXPECT_EQ(items[0].offset, 0u);
  items = decoder.Feed(kIn, "7\x1b\\\x0c");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].kind, K::kAnswer);
  EXPECT_EQ(items[1].kind, K::kStatusByte);
  EXPECT_EQ(items[1].designator, "ENQ");
  EXPECT_TRUE(items[1].notes.empty());  // the query was seen in the other direction
  EXPECT_TRUE(decoder.Feed(kOut, "\x1bP1$h").empty());
  items = decoder.Flush();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].kind, K::kUnparsed);
  EXPECT_EQ(items[0].raw, "\x1bP1$h");
  EXPECT_EQ(items[0].offset, 8u);
}

TEST(FrameDecoder, RendersTheSummaryFieldsAndNotes) {
  const std::vector<DecodedItem> items = DecodeBytes("\x1bP3#e8B\x1b\\\x1bP1#E5\x1b\\", {kAny});
  EXPECT_EQ(RenderItems(items),
            "   rozkaz #e  Sposób obsługi błędów  [kontrola 8B: BŁĘDNA, powinna być 8A]\n"
            "    Rodzaj obsługi: 3\n"
            "   odpowiedź #E  Numer ostatniego błędu\n"
            "    Numer błędu: 5\n"
            "    ! " +
                PrinterErrorMessage(5) + "\n");
}

}  // namespace
}  // namespace kelm
