// Configuration commands and what the printer answers about them afterwards.
#include <gtest/gtest.h>

#include <cstdio>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

// The thirteen settings fields as the settings dialog parses them.
std::vector<unsigned> Settings(Bench& b) {
  std::string a = b.Send(Frame("$8"));
  unsigned f[13];
  int n = sscanf(a.c_str() + 1, "P#U%u/%u/%u/%u/%u/%u/%u/%u/%u/%u/%u/%u/%u/", &f[0], &f[1], &f[2],
                 &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10], &f[11], &f[12]);
  EXPECT_EQ(n, 13) << a;
  return std::vector<unsigned>(f, f + 13);
}

struct OptionRow {
  const char* frame;
  int field;
  unsigned value;
};

TEST(Options, EachOptionCommandShowsInTheSettingsAnswer) {
  const OptionRow rows[] = {
      {"2$1", 1, 2},  {"255$2", 2, 255}, {"3$3", 3, 3},   {"50$5", 4, 50},
      {"2$6", 5, 2},  {"1$7", 6, 1},     {"2;1$o", 7, 1}, {"3#e", 10, 3},
      {"1$9", 11, 1}, {"1$!", 12, 9},    {"0$@", 12, 10}, {"0$r", 12, 4},
  };
  for (const OptionRow& row : rows) {
    Bench b;
    ASSERT_EQ(b.Run(row.frame), 0) << row.frame;
    EXPECT_EQ(Settings(b)[static_cast<size_t>(row.field)], row.value) << row.frame;
  }
}

TEST(Options, DefaultsRunIsAcceptedFrameByFrame) {
  Bench b;
  const char* run[] = {"3#e", "0$1",   "100$2", "2$3",  "30$5", "0$6",   "0$7",         "0$9",
                       "0$!", "0;1$!", "1$@",   "$#\r", "1$r",  "2;0$o", "0;0;0;1;1$o", "0#e"};
  for (const char* f : run) EXPECT_EQ(b.Run(f), 0) << f;
  EXPECT_EQ(Settings(b), (std::vector<unsigned>{1, 0, 100, 2, 30, 0, 0, 0, 0, 0, 0, 0, 8}));
}

TEST(Options, OutOfRangeValuesAreRefused) {
  const char* frames[] = {"4$1",  "0$2",        "256$2",     "0;3$3", "6$3", "3$6",
                          "12$6", "3$7",        "2$9",       "2$@",   "2$r", "5#e",
                          "9$o",  "249;1;61$d", "249;1;0$d", "17;5$1"};
  for (const char* f : frames) {
    Bench b;
    EXPECT_EQ(b.Run(f), 4) << f;
  }
  Bench oxil("oxil");
  EXPECT_EQ(oxil.Run("2#e"), 4);  // family 0 knows two modes only
}

TEST(Header, ProgrammedThenReadBackInLatin) {
  Bench b;
  // Centred "Łódź" in MAZOVIA with double width, then a plain line; FFh closes the text.
  std::string text = std::string(19, ' ') +
                     "\x0E\x9C\xA2"
                     "d\xA6\x14\nSklep\n\xFF";
  ASSERT_EQ(b.Run("0$f" + text), 0);
  std::string a = b.Send(Frame("#u"));
  ASSERT_EQ(a.substr(0, 5), "\x1BP1#H");
  std::string back = a.substr(5, a.find('\r') - 5);
  // LATIN: Ł 9D, ó A2, ź AB.
  EXPECT_EQ(back, std::string(19, ' ') +
                      "\x0E\x9D\xA2"
                      "d\xAB\x14\nSklep\n");
  // On paper the double-width letters are spaced out, the centring spaces kept.
  EXPECT_NE(b.Paper().find(std::string(19, ' ') + "Ł ó d ź\nSklep\n"), std::string::npos)
      << b.Paper();
}

TEST(Header, BadHeadersAreRefused) {
  const std::string too_long = std::string(43, 'x') + "\n\xFF";
  const std::string wide = "\x0E" + std::string(22, 'x') + "\n\xFF";
  const char* rows[] = {"no closing byte\n", "\xFF"};
  Bench b;
  EXPECT_EQ(b.Run("0$f" + too_long), 12);
  EXPECT_EQ(b.Run("0$f" + wide), 12);
  for (const char* r : rows) EXPECT_EQ(b.Run(std::string("0$f") + r), 12) << r;
  Bench oxil("oxil");
  EXPECT_EQ(oxil.Run("0$f" + std::string(25, 'x') + "\n\xFF"), 12);  // 24 characters a line
}

TEST(Fiscalization, NipThenFiscalModeOnce) {
  Bench b;
  EXPECT_EQ(b.Run("0$n123-456-32-19\r"), 143);
  ASSERT_EQ(b.Run("0$nPL 123-456-32-18\r"), 0);
  ASSERT_EQ(b.Run("0$n100-000-01-60\r"), 0);  // training mode: may be programmed again
  ASSERT_EQ(b.Run("1$n100-000-01-60\r"), 0);
  EXPECT_TRUE(b.printer.state().fiscal);
  EXPECT_EQ(b.Enq() & 0x08, 0x08);
  EXPECT_EQ(b.Run("1$n100-000-01-60\r"), 13);
  EXPECT_EQ(b.Run("0$n123-456-32-18\r"), 144);
}

TEST(Clock, CorrectionRules) {
  Bench b;
  ASSERT_EQ(b.Run("24;12;31;23;59;59$c"), 0);  // training mode: any distance
  EXPECT_EQ(b.Send(Frame("0#c")), Frame("1#C24;12;31;23;59;0"));
  EXPECT_EQ(b.Run("24;2;30;10;0;0$c"), 135);

  Bench f;
  f.printer.state().fiscal = true;
  EXPECT_EQ(f.Run("24;7;5;14;31;0$c"), 129);  // 121 minutes ahead
  ASSERT_EQ(f.Run("24;7;5;14;30;0$c"), 0);
  ASSERT_EQ(f.Run("0$h"), 0);
  ASSERT_EQ(f.Run("1$lX\r1\rA/1.00/1.00/"), 0);
  ASSERT_EQ(f.Run("1$e\r1.00/1.00/"), 0);
  EXPECT_EQ(f.Run("24;7;5;14;0;0$c"), 136);  // sales since the last daily report
  ASSERT_EQ(f.Run("0#r"), 0);
  ASSERT_EQ(f.Run("24;7;5;14;0;0$c"), 0);
  EXPECT_EQ(f.Run("24;7;4;23;0;0$c"), 7);  // before the last record
}

TEST(Rates, ScheduledChangeTakesEffectAtItsTime) {
  Bench b;
  EXPECT_EQ(b.Run("135;1;1;1;1;0;0;2;24;7;5;12;0$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"), 7);
  ASSERT_EQ(b.Run("135;1;1;1;1;0;0;2;24;7;5;13;0$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"), 0);
  EXPECT_EQ(b.printer.state().rates[0], 2300);
  b.now += 3600;
  b.Send(kEnq);
  b.Run("0#n");
  EXPECT_EQ(b.printer.state().rates[0], 2200);
  // Family 0 form: inactive rates travel as -1.00.
  Bench old("oxil");
  ASSERT_EQ(old.Run("7$p23.00/8.00/0.00/5.00/-1.00/-1.00/-1.00/"), 0);
  EXPECT_EQ(old.printer.state().rates[6], kRateUndefined);
  // Cancelling a scheduled change.
  Bench c;
  ASSERT_EQ(c.Run("135;1;1;1;1;0;0;2;25;1;1;0;0$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"), 0);
  ASSERT_EQ(c.Run("71;1;1;1;1;0;0;2;25;1;1;0;0$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"), 0);
  EXPECT_FALSE(c.printer.state().rates_scheduled);
}

TEST(Networks, WrittenSettingsAreReadBackInTheDialogsShapes) {
  Bench b("salvo");
  ASSERT_EQ(b.Run("1;0$I192.168.1.10\r6001\r6002\r0\r0\r6005\r"), 0);
  std::string eth = b.Send(Frame("6$8"));
  EXPECT_EQ(eth[2], '0');
  EXPECT_EQ(eth.substr(5, 13), "192.168.1.10\r");

  ASSERT_EQ(
      b.Run("7;1;3;1;1;1$o1.2.3.4\r255.0.0.0\r1.2.3.1\rSie\xA3\r6666\r6667\rtajnehaslo\r\r\r\r"),
      0);
  std::string wifi = b.Send(Frame("1$8"));
  std::string text = wifi.substr(4, wifi.size() - 8);
  EXPECT_EQ(text[0], '1');  // DHCP
  EXPECT_EQ(text[2], '3');  // WPA2
  EXPECT_EQ(text[4], '1');  // AD_HOC
  EXPECT_EQ(text[6], '1');  // Wi-Fi on
  EXPECT_EQ(text.substr(9), "1.2.3.4\r255.0.0.0\r1.2.3.1\rSie\xA3\r6666\r6667\rtajnehaslo\r");

  ASSERT_EQ(b.Run("1;1$-1234\rA1B2C3D4E5F6\r"), 0);
  std::string bt = b.Send(Frame("4$8"));
  std::string bt_text = bt.substr(2, bt.size() - 6);
  EXPECT_EQ(bt_text[0], '1');
  EXPECT_EQ(bt_text.substr(3), "1234\rA1B2C3D4E5F6\r");

  ASSERT_EQ(b.Run("0;1;0;0;0;1;0;128;4;0;0;0;0;0;1$I"), 0);
  std::string io = b.Send(Frame("2$8"));
  int v[15];
  ASSERT_EQ(sscanf(io.c_str() + 2, "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d#", &v[0], &v[1],
                   &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12],
                   &v[13], &v[14]),
            15);
  EXPECT_EQ(v[1], 1);
  EXPECT_EQ(v[5], 1);
  EXPECT_EQ(v[7], 128);
  EXPECT_EQ(v[8], 4);
}

TEST(Backup, ElectronicCopyOptions) {
  Bench b("salvo");
  EXPECT_EQ(b.Run("1;2;5;1$S"), 0);
  EXPECT_EQ(b.printer.state().options.backup_port, 2);
  EXPECT_EQ(b.Run("0$S"), 0);
  EXPECT_EQ(b.printer.state().options.backup_new, 0);
  EXPECT_EQ(b.Run("7$6"), 0);
  EXPECT_EQ(b.Run("4;1$o"), 0);
  EXPECT_EQ(b.printer.state().options.spare_card, 1);
}

TEST(Currencies, ConversionAndAccountingCurrency) {
  Bench b;
  EXPECT_EQ(b.Run("1$$1/EUR\r3.4054\rPLN\r"), 0);
  EXPECT_EQ(b.Run("1$$1/EUR\r3,4054\rPLN\r"), 4);
  EXPECT_EQ(b.Run("0$$"), 0);
  EXPECT_EQ(b.Run("0;24;7;5;00;00##PLN\r"), 121);
  EXPECT_EQ(b.Run("2;24;7;5;00;00##EUR\r"), 124);
  ASSERT_EQ(b.Run("1;25;1;1;00;00##EUR\r"), 0);
  ASSERT_EQ(b.Run("2;25;1;1;00;00##EUR\r"), 0);
  ASSERT_EQ(b.Run("0;24;7;5;00;00##EUR\r"), 0);
  EXPECT_EQ(b.printer.state().options.accounting_currency, "EUR");
}

TEST(Cashier, LoggedInCashierHeadsEveryDocumentUntilLoggedOut) {
  Bench b;
  ASSERT_EQ(b.Run("#pAnna\r2\r"), 0);
  b.Paper();
  ASSERT_EQ(b.Run("$4"), 0);
  EXPECT_NE(b.Paper().find("Kasjer Anna\n"), std::string::npos);
  ASSERT_EQ(b.Run("#qAnna\r2\r"), 0);
  EXPECT_NE(b.Paper().find("WYLOGOWANIE KASJERA"), std::string::npos);
  ASSERT_EQ(b.Run("$4"), 0);
  EXPECT_EQ(b.Paper().find("Kasjer Anna\n"), std::string::npos);
}

}  // namespace
}  // namespace kelm::emu::test
