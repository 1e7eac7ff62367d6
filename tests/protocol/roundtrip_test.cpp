// Every frame builder of the program, one row each: the frame it builds decodes to its
// designator, a command the catalogue names, a right check value and the values it was given.
// A builder whose template is not in the catalogue, or a catalogue row whose names no longer
// fit the template, fails here.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "config/config_frame.h"
#include "config/header.h"
#include "config/io_config.h"
#include "config/network.h"
#include "config/nip_clock.h"
#include "config/options.h"
#include "config/reports.h"
#include "config/vat_rates.h"
#include "control/control_series.h"
#include "graphics/picture_frames.h"
#include "protocol/frame.h"
#include "protocol/frame_decoder.h"
#include "readout/readout_request.h"
#include "sales/receipt_frames.h"
#include "sales/sales_frames.h"
#include "sales/test_run.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

// What a CommandFrame builder left there, with its check value as the send path writes it.
std::string Sent(const char* tmpl) {
  if (tmpl == nullptr) return "<not built>";
  if (TemplateHasCheckSlot(tmpl)) ApplyChecksum(CommandFrame);
  return CommandFrame;
}

std::string Config(const std::function<bool(ConfigFrame*)>& build) {
  ConfigFrame frame;
  return build(&frame) ? frame.bytes : "<not built>";
}

struct RoundTrip {
  const char* label;
  std::function<std::string()> build;
  const char* designator;
  std::vector<std::string> fields;  // "name=value"
};

std::string Fields(const DecodedItem& item) {
  std::string out;
  for (const DecodedField& f : item.fields) out += f.name + "=" + f.value + "\n";
  return out;
}

const OptionEntry& Option(const char* name) {
  return *FindOption(name);
}

std::vector<RoundTrip> Rows() {
  using S = std::string;
  return {
      // Sales.
      {"receipt start",
       [] {
         return Sent(BuildReceiptStart({true, "3", false, "", "NR 7"}));
       },
       "$h",
       {"Liczba linii=3", "Numer systemowy=NR 7"}},
      {"receipt start barcode",
       [] {
         return Sent(BuildReceiptStart({false, "", true, "EAN", "123"}));
       },
       "$h",
       {"Liczba linii=0", "Numer systemowy=123", "Format kodu=EAN"}},
      {"receipt line",
       [] {
         ReceiptLineFields f;
         f.number = "2", f.name = "Łódź", f.quantity = "1.5", f.vat_index = 1, f.price = "2.00",
         f.gross = "3.00";
         return Sent(BuildReceiptLine(f));
       },
       "$l",
       {"Numer linii=2", "Nazwa towaru=Łódź", "Ilość=1.5", "Stawka PTU=B", "Cena=2.00",
        "Wartość=3.00"}},
      {"receipt line discount",
       [] {
         ReceiptLineFields f;
         f.name = "Mleko", f.discount_code = 3, f.discount = "10";
         return Sent(BuildReceiptLine(f));
       },
       "$l",
       {"Nazwa towaru=Mleko", "Rodzaj rabatu=3", "Rabat=10"}},
      {"grid line",
       [] {
         return Sent(BuildGridLine(4, {"Chleb", "2", "A", "1.10", "2.20"}, 0, ""));
       },
       "$l",
       {"Numer linii=4", "Nazwa towaru=Chleb", "Stawka PTU=A", "Wartość=2.20"}},
      {"grid line discount",
       [] {
         return Sent(BuildGridLine(4, {"Chleb", "2", "A", "1.10", "2.20"}, 1, "5"));
       },
       "$l",
       {"Rodzaj rabatu=1", "Rabat=5"}},
      {"plain closing",
       [] {
         PlainClosingFields f;
         f.cashier = "Ewa", f.total = "9.99", f.payment = "10.00", f.extra_lines = true,
         f.lines = "L1\r\nL2";
         return Sent(BuildPlainClosing(f));
       },
       "$e",
       {"Kasjer=Ewa", "Dodatkowe linie=L1<CR >L2<CR >", "Wpłata=10.00", "Suma=9.99",
        "Liczba dodatkowych linii=2"}},
      {"plain closing discount",
       [] {
         PlainClosingFields f;
         f.total = "9.99", f.payment = "10.00", f.discount_type = 1, f.discount = "3";
         return Sent(BuildPlainClosing(f));
       },
       "$e",
       {"Rodzaj rabatu=1", "Wpłata=10.00", "Rabat=3"}},
      {"extended closing",
       [] {
         ExtendedClosingFields f;
         f.total = "12.00", f.cashier = "Jan", f.card_name = "VISA", f.set[kCard] = true,
         f.amounts[kCard] = "12.00", f.extra_lines = true, f.lines = "A";
         return Sent(BuildExtendedClosing(f));
       },
       "$x",
       {"Kasjer=Jan", "Dodatkowe linie=A<CR ><CR ><CR ><CR ><CR >", "Nazwa karty=VISA", "Karta=1",
        "Karta=1", "Suma=12.00", "Karta=1"}},
      {"cancel", [] { return Sent(BuildCancelTransaction()); }, "$e", {}},
      {"card debit",
       [] {
         CardConfirmationFields f;
         f.fields = {"1", "2", "3", "Firma", "T1", "VISA", "4111", "12", "29", "A1", "5.00"};
         f.print_mode = 2;
         return Sent(BuildCardConfirmation(f));
       },
       "#g",
       {"Sposób drukowania=2", "Kontrahent=Firma", "Kwota=5.00", "Kod autoryzacji=A1"}},
      {"currency on",
       [] {
         return Sent(BuildCurrencyConversion({true, "10", "EUR", "4,25", "PLN"}));
       },
       "$$",
       {"Mnożnik=10", "Waluta obca=EUR", "Kurs=4.25", "Waluta krajowa=PLN"}},
      {"currency off",
       [] { return Sent(BuildCurrencyConversion({})); },
       "$$",
       {"Drukowanie (0 nie)=0"}},
      {"accounting currency",
       [] {
         return Sent(BuildAccountingCurrency({1, 2027, 3, 4, "12", "30", "EUR"}));
       },
       "##",
       {"Rok=27", "Miesiąc=3", "Godzina=12", "Minuta=30", "Kod waluty=EUR"}},
      {"cash in", [] { return Sent(BuildCashIn("100.00")); }, "#i", {"Kwota=100.00"}},
      {"cash out", [] { return Sent(BuildCashOut("1.00")); }, "#d", {"Kwota=1.00"}},
      {"cash state", [] { return Sent(BuildCashState()); }, "#t", {}},
      {"feed", [] { return Sent(BuildPaperFeed("5")); }, "#l", {"Liczba linii=5"}},
      {"order start",
       [] {
         return Sent(BuildOrderStart("Stolik 4", {true, "x"}));
       },
       "#l",
       {"Zamawiający=Stolik 4", "Liczba dodatkowych linii=1", "Dodatkowe linie=x<CR >"}},
      {"order line",
       [] { return Sent(BuildOrderLine("Zupa", "2", {})); },
       "#l",
       {"Towar=Zupa", "Ilość=2", "Liczba dodatkowych linii=0"}},
      {"order end", [] { return Sent(BuildOrderEnd({})); }, "#l", {}},
      {"base start",
       [] { return Sent(BuildBaseReportStart(1)); },
       "#b",
       {"Rodzaj raportu lub tabeli=1"}},
      {"base item",
       [] { return Sent(BuildBaseReportItem("Cukier", 2)); },
       "#b",
       {"Nazwa towaru=Cukier", "Stawka PTU=C"}},
      {"base end", [] { return Sent(BuildBaseReportEnd()); }, "#b", {}},
      {"table start",
       [] { return Sent(BuildBaseTableStart(3)); },
       "#b",
       {"Rodzaj raportu lub tabeli=3"}},
      {"table row",
       [] { return Sent(BuildBaseTableRow(3, "Sól", "A")); },
       "#b",
       {"Nazwa=Sól", "Stawka PTU=A"}},
      {"ticket row",
       [] { return Sent(BuildTicketTableRow(4, "Normalny", "Bilet", "B", "")); },
       "#b",
       {"Bilet=Normalny", "Pozycja=Bilet"}},
      {"table end", [] { return Sent(BuildBaseTableEnd(3)); }, "#b", {"Rodzaj tabeli=3"}},
      {"display",
       [] { return Sent(BuildDisplayControl(2, "Witaj")); },
       "$d",
       {"Operacja=2", "Tekst=Witaj"}},

      // Configuration.
      {"header",
       [] {
         return Config([](ConfigFrame* f) {
           return BuildHeaderFrame(HeaderFromMarkedText("SKLEP"), 40, 2, 0, kMazovia, f);
         });
       },
       "$f",
       {"Rabat w nagłówku=0", "Koniec tekstu=<FFH>"}},
      {"vat now",
       [] { return Config([](ConfigFrame* f) { return BuildVatRatesFrame({}, 2, f); }); },
       "$p",
       {"Liczba stawek=7", "Stawka A=23.00", "Stan stawki G=" + std::to_string(kRateExempt)}},
      {"vat family 0",
       [] { return Config([](ConfigFrame* f) { return BuildVatRatesFrame({}, 0, f); }); },
       "$p",
       {"Stawka B=8.00", "Stawka E=-1.00"}},
      {"vat scheduled",
       [] {
         VatRatesRequest r;
         r.mode = RateChangeMode::kScheduled, r.year = 2027, r.month = 5, r.day = 6,
         r.hour_field = "07:45";
         return Config([&](ConfigFrame* f) { return BuildVatRatesFrame(r, 2, f); });
       },
       "$p",
       {"Rok=27", "Dzień=6", "Godzina=07", "Minuta=45", "Stawka A=23.00"}},
      {"vat bus tickets",
       [] {
         VatRatesRequest r;
         r.bus = r.foreign_tickets = true;
         return Config([&](ConfigFrame* f) { return BuildVatRatesFrame(r, 2, f); });
       },
       "$p",
       {"Bilety=3", "Stawka D=5.00"}},
      {"nip",
       [] { return Config([](ConfigFrame* f) { return BuildNipFrame("1234563218", f); }); },
       "$n",
       {"NIP=1234563218"}},
      {"clock",
       [] {
         return Config([](ConfigFrame* f) { return BuildClockFrame({2026, 12, 9, 13, 5, 7}, f); });
       },
       "$c",
       {"Rok=26", "Miesiąc=12", "Sekunda=7"}},
      {"option error handling",
       [] {
         return Config(
             [](ConfigFrame* f) { return BuildOptionFrame(Option("error-handling"), 2, f); });
       },
       "#e",
       {"Rodzaj obsługi=2"}},
      {"option cutter",
       [] {
         return Config([](ConfigFrame* f) { return BuildOptionFrame(Option("cutter"), 2, f); });
       },
       "$3",
       {"Cięcie (0 brak, 1 niepełne, 2 pełne)=2"}},
      {"option menu drawer",
       [] {
         return Config(
             [](ConfigFrame* f) { return BuildOptionFrame(Option("menu-drawer"), 0, f); });
       },
       "$!",
       {"Można otwierać (1 tak)=0"}},
      {"drawer pulse",
       [] {
         std::string m;
         return Config([&](ConfigFrame* f) { return BuildDrawerPulseFrame("150", f, &m); });
       },
       "$2",
       {"Czas impulsu=150"}},
      {"rollup",
       [] {
         std::string m;
         return Config([&](ConfigFrame* f) { return BuildRollupFrame("2,5", f, &m); });
       },
       "$5",
       {"Czas=25"}},
      {"keyboard lock",
       [] {
         std::string m;
         return Config([&](ConfigFrame* f) { return BuildKeyboardLockFrame(true, "30", f, &m); });
       },
       "$d",
       {"Blokada (1 włączona)=1", "Czas=30"}},
      {"type answer",
       [] { return Config([](ConfigFrame* f) { return BuildTypeAnswerFrame("KASA", f); }); },
       "$#",
       {"Tekst odpowiedzi=KASA"}},
      {"daily report",
       [] {
         return Config([](ConfigFrame* f) { return BuildDailyReportFrame(true, {2026, 2, 3}, f); });
       },
       "#r",
       {"Rok=26", "Miesiąc=2", "Dzień=3"}},
      {"periodic by dates",
       [] {
         PeriodicReportRequest r;
         r.mode = PeriodicMode::kByDates, r.from_date = "01-02-2026", r.to_date = "28-02-2026";
         std::string m;
         return Config([&](ConfigFrame* f) { return BuildPeriodicReportFrame(r, 2, 0, f, &m); });
       },
       "#o",
       {"Rok od=26", "Dzień do=28", "Miesiąc do=2"}},
      {"periodic by numbers",
       [] {
         PeriodicReportRequest r;
         r.mode = PeriodicMode::kByNumbers, r.first_number = "5", r.last_number = "9";
         std::string m;
         return Config([&](ConfigFrame* f) { return BuildPeriodicReportFrame(r, 2, 0, f, &m); });
       },
       "#o",
       {"Od numeru=5", "Do numeru=9"}},
      {"shift report",
       [] {
         return Config([](ConfigFrame* f) { return BuildShiftReportFrame(true, "2", "Ewa", f); });
       },
       "#k",
       {"Rodzaj (0 zerujący)=0", "Zmiana=2", "Kasjer=Ewa"}},
      {"cashier in",
       [] { return Config([](ConfigFrame* f) { return BuildCashierFrame(true, "Ewa", "3", f); }); },
       "#p",
       {"Kasjer=Ewa", "Numer kasy=3"}},
      {"error table",
       [] { return Config([](ConfigFrame* f) { return BuildErrorTableFrame(f); }); },
       "$4",
       {}},
      {"service reminder",
       [] {
         return Config([](ConfigFrame* f) {
           return BuildServiceReminderFrame(true, {2027, 1, 2}, "600100200", f);
         });
       },
       "$o",
       {"Aktywne=1", "Rok=27", "Telefon serwisu=600100200"}},
      {"io write",
       [] {
         IoState s;
         std::string refusal;
         return Config([&](ConfigFrame* f) { return BuildIoWriteFrame(s, f, &refusal); });
       },
       "$I",
       {"Parametr 1=0", "Ethernet: prędkość=1"}},
      {"ethernet",
       [] {
         EthernetSettings s;
         s.texts = {"10.0.0.5", "6001", "6002", "6003", "6004", "6005"};
         return Config([&](ConfigFrame* f) { return BuildEthernetFrame(s, f); });
       },
       "$I",
       {"DHCP (1 tak)=1", "Adres IP=10.0.0.5", "Port Szpieg=6005"}},
      {"wifi",
       [] {
         WifiSettings s;
         s.texts = {"10.0.0.6", "255.0.0.0", "10.0.0.1", "SIEC", "1", "2", "tajnehaslo"};
         std::string refusal;
         return Config([&](ConfigFrame* f) { return BuildWifiFrame(s, f, &refusal); });
       },
       "$o",
       {"Nazwa sieci=SIEC", "Klucz 1=tajnehaslo",
        "Zabezpieczenie (0 OPEN, 1 WEP, 2 WPA, 3 WPA2)=2"}},
      {"bluetooth",
       [] {
         return Config([](ConfigFrame* f) {
           return BuildBluetoothFrame({true, true, "1234", "ab:cd"}, f);
         });
       },
       "$-",
       {"PIN=1234", "Adres urządzenia=AB:CD"}},

      // Readout, graphics, control numbers, test runs.
      {"readout by numbers",
       [] {
         ReadoutRequest r;
         r.mode = ReadoutMode::kByNumbers, r.flags = 4, r.first_number = "1", r.last_number = "20";
         char frame[kFrameBufferSize];
         if (FormatReadoutFrame(r, frame, sizeof frame) < 0) return S("<not built>");
         ApplyChecksum(frame, sizeof frame);
         return S(frame);
       },
       "#o",
       {"Od numeru=1", "Do numeru=20", "Rodzaj raportu=4"}},
      {"readout by dates",
       [] {
         ReadoutRequest r;
         r.mode = ReadoutMode::kByDates, r.first_year = 26, r.first_month = 1, r.first_day = 2,
         r.last_year = 26, r.last_month = 3, r.last_day = 4, r.speed = 115200;
         char frame[kFrameBufferSize];
         if (FormatReadoutFrame(r, frame, sizeof frame) < 0) return S("<not built>");
         ApplyChecksum(frame, sizeof frame);
         return S(frame);
       },
       "#o",
       {"Dzień od=2", "Miesiąc do=3", "Szybkość=115200"}},
      {"slot part",
       [] { return SlotPartFrame(3, 1, "00FF"); },
       "$d",
       {"Część=1", "Slot=3", "Dane (hex)=00FF"}},
      {"slot erase", [] { return SlotEraseFrame(2); }, "$d", {"Slot=2"}},
      {"slot read", [] { return SlotReadFrame(2); }, "$d", {"Slot=2"}},
      {"header row",
       [] {
         HeaderRowFields f;
         f.row = 7, f.last = true, f.footer = true, f.without_confirmation = true;
         return HeaderRowFrame(f, "ABCD");
       },
       "$d",
       {"Wiersz=07", "Ostatni (1 tak)=1", "Szerokość=52", "Bez potwierdzenia=;170",
        "Dane (hex)=ABCD"}},
      {"farewell part",
       [] { return FarewellPartFrame(5, "0F0F"); },
       "$d",
       {"Część=5", "Dane (hex)=0F0F"}},
  };
}

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {
 protected:
  test::SeamGuard seams;
};

void ExpectDecodes(const std::string& frame, const char* designator,
                   const std::vector<std::string>& fields) {
  std::vector<DecodedItem> items = DecodeBytes(frame, {Direction::kToPrinter, kMazovia});
  // A slot part is followed by the ENQ that asks for its status.
  if (items.size() == 2 && items[1].kind == DecodedKind::kStatusQuery) items.pop_back();
  ASSERT_EQ(items.size(), 1u) << RenderItems(items);
  const DecodedItem& item = items[0];
  SCOPED_TRACE(RenderItem(item));
  EXPECT_EQ(item.kind, DecodedKind::kCommand);
  EXPECT_EQ(item.designator, designator);
  EXPECT_FALSE(item.name.empty());
  EXPECT_TRUE(item.notes.empty());
  EXPECT_TRUE(item.check == CheckState::kRight || item.check == CheckState::kNone);
  const std::string all = Fields(item);
  for (const std::string& f : fields) EXPECT_NE(all.find(f + "\n"), std::string::npos) << f;
}

TEST_P(RoundTripTest, DecodesBackToItsInputs) {
  SCOPED_TRACE(GetParam().label);
  ExpectDecodes(GetParam().build(), GetParam().designator, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Builders, RoundTripTest, ::testing::ValuesIn(Rows()));

// The builders that make whole series or draw their values: every frame they make is a
// command of the catalogue with a right check value.
TEST(RoundTripSeries, ControlSeriesAndTestRunsDecodeFrameByFrame) {
  test::SeamGuard seams;
  ReceiptControlData receipt;
  receipt.date = "09-12-2026", receipt.document = "12", receipt.lines = {{"Chleb", "A"}};
  receipt.vat_total = "0.19", receipt.total = "2.20", receipt.receipt_number = "7";
  receipt.buyer_nip_given = true, receipt.buyer_nip = "1234563218";
  receipt.unique_letters = "ABC", receipt.unique_digits = "12345678", receipt.time = "10:11:12";
  receipt.control_number = "XYZ";
  std::vector<SeriesFrame> frames = ReceiptSeries(receipt);
  receipt.cancelled = true;
  for (const SeriesFrame& f : ReceiptSeries(receipt)) frames.push_back(f);
  DailyControlData daily;
  daily.date = "09-12-2026", daily.taxed = {{"A", "10.00"}}, daily.exempt = {{"G", "1.00"}};
  daily.vat_total = "2.30", daily.receipt_count = "4", daily.invoice_count = "1";
  daily.running_vat = "123.45", daily.unique_letters = "ABC", daily.unique_digits = "1";
  daily.control_number = "Q";
  for (const SeriesFrame& f : DailySeries(daily, {1, 2, 0}).frames) frames.push_back(f);
  ASSERT_GE(frames.size(), 14u);
  for (const SeriesFrame& f : frames) ExpectDecodes(f.bytes, "$*", {});
  ExpectDecodes(frames[0].bytes, "$*", {"Data=09-12-2026", "Numer dokumentu=12"});

  TestRandom random;
  TestRunSettings.FixedLineCount = 2;
  ExpectDecodes(Sent(BuildTestOpen(random)), "$h", {"Liczba linii=2"});
  ExpectDecodes(Sent(BuildTestLine(random)), "$l", {"Numer linii=1"});
  ExpectDecodes(Sent(BuildTestLine(random)), "$l", {});
  ExpectDecodes(Sent(BuildTestClosing(random)), "$e", {});
}

}  // namespace
}  // namespace kelm
