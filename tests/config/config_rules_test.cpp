// The rules of the configuration dialogs, row by row: the dialog's inputs and the exact frame
// written from its template, or the message that refuses them.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "config/frames.h"
#include "config/nip_clock.h"
#include "config/options.h"
#include "config/vat_rates.h"
#include "link/settings.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

using test::Framed;

struct VatRow {
  const char* name;
  int family;
  std::function<void(VatRatesRequest&)> set;
  const char* body;
};

TEST(VatRates, FramesFollowTheDialogModeAndFamily) {
  const char* defaults = "23.00/8.00/0.00/5.00/0.00/0.00/0.00/";
  auto scheduled = [](VatRatesRequest& r) {
    r.mode = RateChangeMode::kScheduled;
    r.year = 2024, r.month = 3, r.day = 1, r.hour_field = "08:30";
  };
  const VatRow rows[] = {
      {"defaults now", 2, [](VatRatesRequest&) {}, "7;1;1;1;1;0;0;2$p"},
      {"family 0 sends inactive as -1.00", 0, [](VatRatesRequest&) {},
       "7$p23.00/8.00/0.00/5.00/-1.00/-1.00/-1.00/"},
      {"scheduled", 2, scheduled, "135;1;1;1;1;0;0;2;24;3;1;08;30$p"},
      {"cancel reads the date too", 2,
       [&](VatRatesRequest& r) {
         scheduled(r);
         r.mode = RateChangeMode::kCancelScheduled;
       },
       "71;1;1;1;1;0;0;2;24;3;1;08;30$p"},
      {"family 1 keeps exempt", 1,
       [](VatRatesRequest& r) {
         r.texts[0] = "22,5 ";
         r.states[1] = kRateExempt;
       },
       "7;1;2;1;1;0;0;2$p22,5 /8.00/0.00/5.00/0.00/0.00/0.00/"},
      {"bus NIE", 2, [](VatRatesRequest& r) { r.bus = true; }, "7;1;1;1;1;0;0;2$p"},
      {"bus TAK", 1,
       [](VatRatesRequest& r) {
         r.bus = true;
         r.foreign_tickets = true;
       },
       "8;1;1;1;1;0;0;2;3$p"},
      {"bus of family 0 keeps its states", 0, [](VatRatesRequest& r) { r.bus = true; },
       "7;1;1;1;1;0;0;2$p"},
      {"short hour field", 2,
       [&](VatRatesRequest& r) {
         scheduled(r);
         r.hour_field = "8";
       },
       "135;1;1;1;1;0;0;2;24;3;1;8;$p"},
  };
  for (const VatRow& row : rows) {
    VatRatesRequest r;
    row.set(r);
    ApplyRateFamilyRules(&r, row.family);
    ConfigFrame f;
    ASSERT_TRUE(BuildVatRatesFrame(r, row.family, &f)) << row.name;
    std::string body = row.body;
    if (body.back() == 'p') body += defaults;
    EXPECT_EQ(f.bytes, Framed(body)) << row.name;
  }
}

TEST(VatRates, ScheduleDependsOnTheDetectedFirmware) {
  struct Row {
    int family;
    uint8_t type_family, copy_mode;
    int version100;
    bool available;
  } rows[] = {
      {2, 2, 0, 250, false}, {2, 2, 0, 300, true}, {2, 2, 1, 199, false},
      {2, 2, 1, 200, true},  {2, 2, 2, 100, true}, {1, 2, 0, 400, false},
  };
  for (const Row& row : rows) {
    DetectedTypeRecord t;
    t.Family = row.type_family;
    t.CopyMode = row.copy_mode;
    t.Version100 = row.version100;
    EXPECT_EQ(ScheduleAvailable(row.family, t), row.available) << row.version100;
  }
}

TEST(Nip, FormatAndCheckDigitTests) {
  struct Row {
    const char* text;
    bool format, check;
  } rows[] = {
      {"PL 123-456-32-18", true, true},  {"PX 123", false, false},
      {"P1234567890", false, true},      {"12345", false, false},
      {"123-456-32-18", true, true},     {"123-456-32-19", true, false},
      {"100-000-01-60", true, true},     {"1234563218", true, true},
      {"123-456-32-18-99", false, true}, {"12a-456-32-18", false, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(NipFormatOk(row.text), row.format) << row.text;
    EXPECT_EQ(NipCheckDigitOk(row.text), row.check) << row.text;
  }
  EXPECT_EQ(TrimNip("123-456-32-18   "), "123-456-32-18");
  EXPECT_EQ(TrimNip(" "), " ");
  ConfigFrame f;
  ASSERT_TRUE(BuildNipFrame(TrimNip("123-456-32-18  "), &f));
  EXPECT_EQ(f.bytes, Framed("0$n123-456-32-18\r"));
}

TEST(Nip, YesStopsAtEitherQuestion) {
  test::SeamGuard seams;
  seams.op.answers = {true};
  EXPECT_EQ(ProgramNip("12345"), SendOutcome::kRefused);
  ASSERT_EQ(seams.op.questions.size(), 1u);
  EXPECT_EQ(seams.op.questions[0], kNipFormatQuestion);
  seams.op.questions.clear();
  seams.op.answers = {false, true};
  EXPECT_EQ(ProgramNip("12345"), SendOutcome::kRefused);
  ASSERT_EQ(seams.op.questions.size(), 2u);
  EXPECT_EQ(seams.op.questions[1], kNipCheckQuestion);
  seams.op.questions.clear();
  // A good number asks nothing and goes to the link (none here).
  EXPECT_EQ(ProgramNip("100-000-01-60"), SendOutcome::kNotSent);
  EXPECT_TRUE(seams.op.questions.empty());
}

TEST(Clock, CorrectionFrame) {
  ConfigFrame f;
  ASSERT_TRUE(BuildClockFrame({2024, 12, 31, 23, 59, 59}, &f));
  EXPECT_EQ(f.bytes, Framed("24;12;31;23;59;59$c"));
}

struct OptionRow {
  const char* option;
  int value;
  const char* body;
};

TEST(Options, EachMemberSendsItsValueInItsTemplate) {
  const OptionRow rows[] = {
      {"TSposobBledow", 1, "1#e"},
      {"TSposobBledow", 4, "4#e"},
      {"TAutoPotwierdzanie", 170, "17;170$1"},
      {"TCzyMoznaOtwSzuflZMenu", 0, "0;0$!"},
      {"TAutomatyczneOtwieranieSzuflady", 1, "1$!"},
      {"TSposobDruowania", 3, "3$3"},
      {"TSposobDruowaniaOryg", 5, "5$3"},
      {"TSterowanieObcinaczem", 2, "0;2$3"},
      {"TMetodaRabatu", 1, "1$r"},
      {"TCzujnikObudowy", 2, "2$6"},
      {"TSzybkoscWydruku", 11, "11$6"},
      {"TKonfiguracjaCzasuOdp", 1, "1$7"},
      {"TSposobObslugiKaucjiWLinijceParagonu", 1, "1$9"},
      {"TDefinicjaNrSystemowego", 0, "0$@"},
      {"TRaportyMiesieczne", 0, "2;0$o"},
      {"TRaportyDobowe", 2, "3;2$o"},
  };
  for (const OptionRow& row : rows) {
    const OptionEntry* entry = FindOption(row.option);
    ASSERT_NE(entry, nullptr) << row.option;
    ConfigFrame f;
    ASSERT_TRUE(BuildOptionFrame(*entry, row.value, &f));
    EXPECT_EQ(f.bytes, Framed(row.body)) << row.option;
  }
}

TEST(Options, ChoicesAndDefaultsFollowTheModel) {
  struct Row {
    const char* option;
    int family, variant;
    size_t choices;
    int default_value;
  } rows[] = {
      {"TSposobBledow", 0, 0, 2, 1},        {"TSposobBledow", 2, 0, 4, 0},
      {"TSposobBledow", 2, 2, 5, 0},        {"TSposobBledow", 1, 1, 4, 0},
      {"TAutoPotwierdzanie", 2, 0, 2, 170}, {"TMetodaRabatu", 2, 0, 2, 0},
      {"TSzybkoscWydruku", 2, 0, 4, 10},    {"TRaportyDobowe", 2, 0, 3, 1},
      {"TSposobDruowania", 2, 0, 3, 1},     {"TSterowanieObcinaczem", 2, 0, 3, 1},
  };
  for (const Row& row : rows) {
    const OptionEntry& entry = *FindOption(row.option);
    EXPECT_EQ(VisibleChoices(entry, row.family, row.variant).size(), row.choices) << row.option;
    EXPECT_EQ(DefaultChoiceValue(entry, row.family), row.default_value) << row.option;
  }
  const OptionEntry& family0 = *FindOption("TSposobBledow");
  EXPECT_STREQ(VisibleChoices(family0, 0, 0)[0].caption, "Komunikaty do komputera.");
  // A bus printer of family 1: the first button reads "Metoda 2" and still sends 1.
  const OptionEntry& discount = *FindOption("discount-method");
  const OptionChoice first = VisibleChoices(discount, 1, 1)[0];
  EXPECT_EQ(ChoiceCaption(discount, first, 1, 1), "Metoda 2 (jak bileterka KELM 743)");
  EXPECT_EQ(first.value, 1);
  EXPECT_EQ(ChoiceCaption(discount, first, 2, 1), "Metoda 1 (jak bileterka KELM 743)");
}

struct FieldRow {
  const char* field;
  const char* body;  // nullptr: refused with `message`
  const char* message;
};

void CheckFieldRows(
    const std::vector<FieldRow>& rows,
    const std::function<bool(const std::string&, ConfigFrame*, std::string*)>& build) {
  for (const FieldRow& row : rows) {
    ConfigFrame f;
    std::string message;
    const bool built = build(row.field, &f, &message);
    if (row.body != nullptr) {
      EXPECT_TRUE(built) << row.field;
      EXPECT_EQ(f.bytes, Framed(row.body)) << row.field;
    } else {
      EXPECT_FALSE(built) << row.field;
      EXPECT_EQ(message, row.message) << row.field;
    }
  }
}

TEST(Options, FieldMembers) {
  CheckFieldRows({{"255", "255$2", ""},
                  {"256", "5$2", ""},
                  {"5000", "100$2", ""},
                  {"300", "6$2", ""},
                  {"abc", nullptr, "'abc' nie jest poprawną liczbą całkowitą."},
                  {"-5", nullptr, "'-5' nie jest poprawną liczbą całkowitą."}},
                 BuildDrawerPulseFrame);
  CheckFieldRows({{"0", "0$5", ""},
                  {"5", "50$5", ""},
                  {"3", "30$5", ""},
                  {"2,5", "25$5", ""},
                  {"2.5", "25$5", ""},
                  {"", nullptr, "'' nie jest poprawną liczbą."}},
                 BuildRollupFrame);
  auto lock = [](bool on) {
    return [on](const std::string& s, ConfigFrame* f, std::string* m) {
      return BuildKeyboardLockFrame(on, s, f, m);
    };
  };
  CheckFieldRows({{"60", "249;1;60$d", ""},
                  {"1", "249;1;1$d", ""},
                  {"61", nullptr, kBadSecondsMessage},
                  {"0", nullptr, kBadSecondsMessage},
                  {"-3", nullptr, kBadSecondsMessage},
                  {"x", nullptr, "'x' nie jest poprawną liczbą całkowitą."}},
                 lock(true));
  CheckFieldRows({{"5", "249;0;5$d", ""}, {"0", nullptr, kBadSecondsMessage}}, lock(false));

  DetectedTypeRecord t;
  t.Family = 2, t.CopyMode = 2, t.Version100 = 101;
  EXPECT_EQ(DrawerRangeLabel(t), "Zakres (100-5000 ms)");
  t.Version100 = 100;
  EXPECT_EQ(DrawerRangeLabel(t), "Zakres (100-255 ms)");
  EXPECT_FALSE(AutoConfirmSupported(t));
  t.Version100 = 200;
  EXPECT_TRUE(AutoConfirmSupported(t));
}

TEST(Options, AnswerToTheTypeQuery) {
  struct Row {
    bool custom;
    const char* list;
    int item;
    const char* body;
  } rows[] = {
      {true, "POS Therm/2.01", 0, "$#POSNET Thermal/2.01\r"},
      {true, "Moja drukarka/1.0", -1, "$#Moja drukarka/1.0\r"},
      {true, "OXIL Pro/3.10F", 1, "$#OXIL Pro/3.10F\r"},
      {false, "OXIL Pro/3.10F", 1, "$#\r"},
  };
  for (const Row& row : rows) {
    ConfigFrame f;
    ASSERT_TRUE(BuildTypeAnswerFrame(TypeAnswerText(row.custom, row.list, row.item), &f));
    EXPECT_EQ(f.bytes, Framed(row.body)) << row.list;
  }
}

TEST(Options, DefaultValuesRunIsSixteenFramesWithoutWaiting) {
  const char* bodies[] = {"3#e", "0$1",   "100$2", "2$3",  "30$5", "0$6",   "0$7",         "0$9",
                          "0$!", "0;1$!", "1$@",   "$#\r", "1$r",  "2;0$o", "0;0;0;1;1$o", "0#e"};
  const std::vector<ConfigFrame> frames = DefaultValueFrames();
  ASSERT_EQ(frames.size(), 16u);
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].bytes, Framed(bodies[i])) << i;
    EXPECT_EQ(frames[i].after, AfterSend::kNothing) << i;
  }
  // With no port the first send fails and the run stops there; the coding is untouched.
  test::SeamGuard seams;
  LinkSettings.LetterCoding = 2;
  EXPECT_EQ(RunDefaultValues(), 0);
  EXPECT_EQ(LinkSettings.LetterCoding, 2);
}

TEST(Options, ByNameForTheCommandLine) {
  test::SeamGuard seams;
  std::string error;
  EXPECT_EQ(SetOptionByName("no-such", "1", &error), SendOutcome::kRefused);
  EXPECT_NE(error.find("no-such"), std::string::npos);
  error.clear();
  // Family 2 ordinary: the 859 mode of the error handling is not offered.
  EXPECT_EQ(SetOptionByName("error-handling", "4", &error), SendOutcome::kRefused);
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_EQ(SetOptionByName("keyboard-lock", "61", &error), SendOutcome::kRefused);
  EXPECT_TRUE(error.empty());
  ASSERT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(seams.op.messages[0], kBadSecondsMessage);
  bool listed = false;
  for (const OptionCommandInfo& info : OptionCommands()) listed |= info.name == "drawer-pulse";
  EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace kelm
