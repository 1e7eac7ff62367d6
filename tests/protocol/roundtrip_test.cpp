// Every frame builder of the program, one row each: the frame it builds decodes to its
// designator, a command the catalogue names, a right check value and the values it was given.
// A builder whose template is not in the catalogue, or a catalogue row whose names no longer
// fit the template, fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/diagnostics_queries.h"
#include "catalogue/letter_coding.h"
#include "config/config_frame.h"
#include "config/header.h"
#include "config/io_config.h"
#include "config/network.h"
#include "config/nip_clock.h"
#include "config/options.h"
#include "config/printer_settings.h"
#include "config/reports.h"
#include "config/vat_rates.h"
#include "control/control_series.h"
#include "graphics/picture_frames.h"
#include "link/command_execution.h"
#include "link/printer_clock.h"
#include "link/printer_identity.h"
#include "link/printer_search.h"
#include "link/settings.h"
#include "protocol/command_templates.h"
#include "protocol/frame.h"
#include "protocol/frame_decoder.h"
#include "protocol/protocol_catalogue.h"
#include "readout/backup_settings.h"
#include "readout/readout_request.h"
#include "sales/receipt_frames.h"
#include "sales/sales_frames.h"
#include "sales/sequences.h"
#include "sales/test_run.h"
#include "support/scripted_operator.h"

// The rows name only the fields of a builder's input that they set; the rest keep their
// defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace kelm {
namespace {

// What a CommandFrame builder left there, with its check value as the send path writes it.
std::string Sent(const char* tmpl) {
  if (tmpl == nullptr) return "<not built>";
  if (TemplateHasCheckSlot(tmpl)) ApplyChecksum(CommandFrame);
  return CommandFrame;
}

// The configuration builders write into one frame (and a message or refusal when they refuse);
// each row reads it right after its builder.
ConfigFrame built;
std::string message;
std::string Config(bool ok) {
  return ok ? built.bytes : "<not built: " + message + ">";
}

// A template formatted where a routine sends it straight, with the check value of the send path.
template <class... Args>
std::string Formatted(const char* tmpl, Args... args) {
  return FormatCommand(tmpl, kEsc, args..., kEsc, kBackslash) < 0 ? "<not built>" : Sent(tmpl);
}

// What a builder makes for a model family other than the start one.
template <class Build>
std::string ForFamily(int family, Build build) {
  const uint8_t kept = LinkSettings.ModelFamily;
  LinkSettings.ModelFamily = static_cast<uint8_t>(family);
  std::string frame = build();
  LinkSettings.ModelFamily = kept;
  return frame;
}

std::string Readout(const ReadoutRequest& r) {
  char frame[kFrameBufferSize];
  if (FormatReadoutFrame(r, frame, sizeof frame) < 0) return "<not built>";
  ApplyChecksum(frame, sizeof frame);
  return frame;
}

struct RoundTrip {
  const char* label;
  std::string frame;
  std::string designator;
  std::vector<std::string> fields;  // "name=value"
};

std::string Fields(const DecodedItem& item) {
  std::string out;
  for (const DecodedField& f : item.fields) out += f.name + "=" + f.value + "\n";
  return out;
}

bool OptionFrame(const char* name, int value) {
  return BuildOptionFrame(*FindOption(name), value, &built);
}

// Built once when the tests are registered, with the process in its start state.
std::vector<RoundTrip> Rows() {
  const char* const card[] = {"1",    "2",  "3",  "Firma", "T1",  "VISA",
                              "4111", "12", "29", "A1",    "5.00"};
  CardConfirmationFields debit{.print_mode = 2};
  std::copy(std::begin(card), std::end(card), debit.fields.begin());
  CardConfirmationFields credit = debit;
  credit.debit = false;
  FullTransactionFields full;
  full.cashier = "Ewa", full.total = "4.40", full.discount = "0.00", full.lines = "Dzięki";
  full.amounts = {"5.00", "", "", ""};
  std::vector<RoundTrip> rows = {
      // Sales.
      {"receipt start",
       Sent(BuildReceiptStart({true, "3", false, "", "NR 7"})),
       "$h",
       {"Liczba linii=3", "Numer systemowy=NR 7"}},
      {"receipt start barcode",
       Sent(BuildReceiptStart({false, "", true, "EAN", "123"})),
       "$h",
       {"Liczba linii=0", "Numer systemowy=123", "Format kodu=EAN"}},
      {"receipt start barcode default",
       Sent(BuildReceiptStart({false, "", true, "Domyślny", "123"})),
       "$h",
       {"Numer systemowy=123"}},
      {"receipt line",
       Sent(BuildReceiptLine({"2", "Łódź", "1.5", 1, "2.00", "3.00"})),
       "$l",
       {"Numer linii=2", "Nazwa towaru=Łódź", "Ilość=1.5", "Stawka PTU=B", "Cena=2.00",
        "Wartość=3.00"}},
      {"receipt line discount",
       Sent(BuildReceiptLine({.name = "Mleko", .discount_code = 3, .discount = "10"})),
       "$l",
       {"Nazwa towaru=Mleko", "Rodzaj rabatu=3", "Rabat=10"}},
      {"grid line",
       Sent(BuildGridLine(4, {"Chleb", "2", "A", "1.10", "2.20"}, 0, "")),
       "$l",
       {"Numer linii=4", "Nazwa towaru=Chleb", "Stawka PTU=A", "Wartość=2.20"}},
      {"grid line discount",
       Sent(BuildGridLine(4, {"Chleb", "2", "A", "1.10", "2.20"}, 1, "5")),
       "$l",
       {"Rodzaj rabatu=1", "Rabat=5"}},
      {"plain closing",
       Sent(BuildPlainClosing({"Ewa", "9.99", "10.00", 0, "0.00", true, "L1\r\nL2"})),
       "$e",
       {"Kasjer=Ewa", "Dodatkowe linie=L1<CR >L2<CR >", "Wpłata=10.00", "Suma=9.99",
        "Liczba dodatkowych linii=2"}},
      {"plain closing discount",
       Sent(BuildPlainClosing({"", "9.99", "10.00", 1, "3"})),
       "$e",
       {"Rodzaj rabatu=1", "Wpłata=10.00", "Rabat=3"}},
      {"extended closing",
       Sent(BuildExtendedClosing({.total = "12.00",
                                  .cashier = "Jan",
                                  .set = {false, true},
                                  .amounts = {"0.00", "12.00"},
                                  .card_name = "VISA",
                                  .extra_lines = true,
                                  .lines = "A"})),
       "$x",
       {"Kasjer=Jan", "Dodatkowe linie=A<CR ><CR ><CR ><CR ><CR >", "Nazwa karty=VISA",
        "Jest karta=1", "Suma=12.00", "Karta=12.00"}},
      {"cancel", Sent(BuildCancelTransaction()), "$e", {}},
      {"card debit",
       Sent(BuildCardConfirmation(debit)),
       "#g",
       {"Sposób drukowania=2", "Kontrahent=Firma", "Kwota=5.00", "Kod autoryzacji=A1"}},
      {"card credit", Sent(BuildCardConfirmation(credit)), "#h", {"Numer karty=4111"}},
      {"currency on",
       Sent(BuildCurrencyConversion({true, "10", "EUR", "4,25", "PLN"})),
       "$$",
       {"Mnożnik=10", "Waluta obca=EUR", "Kurs=4.25", "Waluta krajowa=PLN"}},
      {"currency off", Sent(BuildCurrencyConversion({})), "$$", {"Drukowanie (0 nie)=0"}},
      {"accounting currency",
       Sent(BuildAccountingCurrency({1, 2027, 3, 4, "12", "30", "EUR"})),
       "##",
       {"Rok=27", "Miesiąc=3", "Godzina=12", "Minuta=30", "Kod waluty=EUR"}},
      {"cash in", Sent(BuildCashIn("100.00")), "#i", {"Kwota=100.00"}},
      {"cash out", Sent(BuildCashOut("1.00")), "#d", {"Kwota=1.00"}},
      {"cash state", Sent(BuildCashState()), "#t", {}},
      {"feed", Sent(BuildPaperFeed("5")), "#l", {"Liczba linii=5"}},
      {"order start",
       Sent(BuildOrderStart("Stolik 4", {true, "x"})),
       "#l",
       {"Zamawiający=Stolik 4", "Liczba dodatkowych linii=1", "Dodatkowe linie=x<CR >"}},
      {"order line",
       Sent(BuildOrderLine("Zupa", "2", {})),
       "#l",
       {"Towar=Zupa", "Ilość=2", "Liczba dodatkowych linii=0"}},
      {"order end", Sent(BuildOrderEnd({})), "#l", {}},
      {"base start", Sent(BuildBaseReportStart(1)), "#b", {"Rodzaj raportu lub tabeli=1"}},
      {"base item",
       Sent(BuildBaseReportItem("Cukier", 2)),
       "#b",
       {"Nazwa towaru=Cukier", "Stawka PTU=C"}},
      {"base end", Sent(BuildBaseReportEnd()), "#b", {}},
      {"table start", Sent(BuildBaseTableStart(3)), "#b", {"Rodzaj raportu lub tabeli=3"}},
      {"table row", Sent(BuildBaseTableRow(3, "Sól", "A")), "#b", {"Nazwa=Sól", "Stawka PTU=A"}},
      {"ticket row",
       Sent(BuildTicketTableRow(4, "Normalny", "Bilet", "B", "")),
       "#b",
       {"Bilet=Normalny", "Pozycja=Bilet"}},
      {"table end", Sent(BuildBaseTableEnd(3)), "#b", {"Rodzaj tabeli=3"}},
      {"display", Sent(BuildDisplayControl(2, "Witaj")), "$d", {"Operacja=2", "Tekst=Witaj"}},
      {"open receipt", Formatted(kOpenReceiptTemplate), "$h", {}},
      {"drawer", Formatted(kDrawerTemplate), "$d", {}},
      {"grosz line", Formatted(kGroszLine, 'B'), "$l", {"Stawka PTU=B"}},
      {"grosz close", Formatted(kGroszClose), "$e", {}},
      {"full line",
       Formatted(kFullLine, 3, "Chleb", 13, "2", 13, "A", 1.1, 2.2),
       "$l",
       {"Numer linii=3", "Nazwa towaru=Chleb", "Ilość=2", "Stawka PTU=A", "Cena=1.10",
        "Wartość=2.20"}},
      {"full nip bus", Formatted(kNipBus, "1234563218"), "$z", {"NIP=1234563218"}},
      {"full nip", Formatted(kNip, "1234563218"), "$z", {"NIP=1234563218"}},
      {"full qr", Formatted(kQr, "QR-1"), "#Q", {"Tekst kodu=QR-1"}},
      {"full closing family 0",
       ForFamily(0, [&] { return Sent(BuildFullClosing(full)); }),
       "$e",
       {"Kasjer=Ewa", "Wpłata=5.00", "Suma=4.40", "Liczba dodatkowych linii=1"}},
      {"full closing extended",
       ForFamily(2, [&] { return Sent(BuildFullClosing(full)); }),
       "$x",
       {"Kasjer=Ewa", "Jest gotówka=1", "Jest karta=0", "Gotówka=5.00", "Suma=4.40"}},

      // Configuration.
      {"header",
       Config(BuildHeaderFrame(HeaderFromMarkedText("SKLEP"), 40, 2, 0, kMazovia, &built)),
       "$f",
       {"Rabat w nagłówku=0", "Koniec tekstu=<FFH>"}},
      {"vat now",
       Config(BuildVatRatesFrame({}, 2, &built)),
       "$p",
       {"Liczba stawek=7", "Stawka A=23.00", "Stan stawki G=" + std::to_string(kRateExempt)}},
      {"vat family 0",
       Config(BuildVatRatesFrame({}, 0, &built)),
       "$p",
       {"Stawka B=8.00", "Stawka E=-1.00"}},
      {"vat scheduled",
       Config(BuildVatRatesFrame({.mode = RateChangeMode::kScheduled,
                                  .year = 2027,
                                  .month = 5,
                                  .day = 6,
                                  .hour_field = "07:45"},
                                 2, &built)),
       "$p",
       {"Rok=27", "Dzień=6", "Godzina=07", "Minuta=45", "Stawka A=23.00"}},
      {"vat bus tickets",
       Config(BuildVatRatesFrame({.bus = true, .foreign_tickets = true}, 2, &built)),
       "$p",
       {"Bilety=3", "Stawka D=5.00"}},
      {"nip", Config(BuildNipFrame("1234563218", &built)), "$n", {"NIP=1234563218"}},
      {"clock",
       Config(BuildClockFrame({2026, 12, 9, 13, 5, 7}, &built)),
       "$c",
       {"Rok=26", "Miesiąc=12", "Sekunda=7"}},
      {"option error handling",
       Config(OptionFrame("error-handling", 2)),
       "#e",
       {"Rodzaj obsługi=2"}},
      {"option cutter",
       Config(OptionFrame("cutter", 2)),
       "$3",
       {"Cięcie (0 brak, 1 niepełne, 2 pełne)=2"}},
      {"option menu drawer",
       Config(OptionFrame("menu-drawer", 0)),
       "$!",
       {"Można otwierać (1 tak)=0"}},
      {"drawer pulse",
       Config(BuildDrawerPulseFrame("150", &built, &message)),
       "$2",
       {"Czas impulsu=150"}},
      {"rollup", Config(BuildRollupFrame("2,5", &built, &message)), "$5", {"Czas=25"}},
      {"keyboard lock",
       Config(BuildKeyboardLockFrame(true, "30", &built, &message)),
       "$d",
       {"Blokada (1 włączona)=1", "Czas=30"}},
      {"type answer",
       Config(BuildTypeAnswerFrame("KASA", &built)),
       "$#",
       {"Tekst odpowiedzi=KASA"}},
      {"daily report confirmed", Config(BuildDailyReportFrame(false, {}, &built)), "#r", {}},
      {"daily report",
       Config(BuildDailyReportFrame(true, {2026, 2, 3}, &built)),
       "#r",
       {"Rok=26", "Miesiąc=2", "Dzień=3"}},
      {"periodic by dates",
       Config(BuildPeriodicReportFrame(
           {.mode = PeriodicMode::kByDates, .from_date = "01-02-2026", .to_date = "28-02-2026"}, 2,
           0, &built, &message)),
       "#o",
       {"Rok od=26", "Dzień do=28", "Miesiąc do=2"}},
      {"periodic by numbers",
       Config(BuildPeriodicReportFrame(
           {.mode = PeriodicMode::kByNumbers, .first_number = "5", .last_number = "9"}, 2, 0,
           &built, &message)),
       "#o",
       {"Od numeru=5", "Do numeru=9"}},
      {"periodic by numbers family 0",
       Config(BuildPeriodicReportFrame({.mode = PeriodicMode::kByNumbers,
                                        .first_number = "5",
                                        .last_number = "9",
                                        .emergency = true},
                                       0, 0, &built, &message)),
       "#o",
       {"Od numeru=5", "Do numeru=9", "Rodzaj (2 pełny, 3 skrócony)=2"}},
      {"shift report",
       Config(BuildShiftReportFrame(true, "2", "Ewa", &built)),
       "#k",
       {"Rodzaj (0 zerujący)=0", "Zmiana=2", "Kasjer=Ewa"}},
      {"cashier in",
       Config(BuildCashierFrame(true, "Ewa", "3", &built)),
       "#p",
       {"Kasjer=Ewa", "Numer kasy=3"}},
      {"cashier out",
       Config(BuildCashierFrame(false, "Ewa", "3", &built)),
       "#q",
       {"Kasjer=Ewa", "Numer kasy=3"}},
      {"error table", Config(BuildErrorTableFrame(&built)), "$4", {}},
      {"service reminder",
       Config(BuildServiceReminderFrame(true, {2027, 1, 2}, "600100200", &built)),
       "$o",
       {"Aktywne=1", "Rok=27", "Telefon serwisu=600100200"}},
      {"io write",
       Config(BuildIoWriteFrame({}, &built, &message)),
       "$I",
       {"Parametr 1=0", "Ethernet: prędkość=1"}},
      {"ethernet",
       Config(BuildEthernetFrame({true, {"10.0.0.5", "6001", "6002", "6003", "6004", "6005"}},
                                 &built)),
       "$I",
       {"DHCP (1 tak)=1", "Adres IP=10.0.0.5", "Port Szpieg=6005"}},
      {"wifi",
       Config(BuildWifiFrame(
           {.texts = {"10.0.0.6", "255.0.0.0", "10.0.0.1", "SIEC", "1", "2", "tajnehaslo"}}, &built,
           &message)),
       "$o",
       {"Nazwa sieci=SIEC", "Klucz 1=tajnehaslo",
        "Zabezpieczenie (0 OPEN, 1 WEP, 2 WPA, 3 WPA2)=2"}},
      {"bluetooth",
       Config(BuildBluetoothFrame({true, true, "1234", "ab:cd"}, &built)),
       "$-",
       {"PIN=1234", "Adres urządzenia=AB:CD"}},

      // Readout and graphics.
      {"readout by numbers",
       Readout(
           {.mode = ReadoutMode::kByNumbers, .flags = 4, .first_number = "1", .last_number = "20"}),
       "#o",
       {"Od numeru=1", "Do numeru=20", "Rodzaj raportu=4"}},
      {"readout by dates",
       Readout({.mode = ReadoutMode::kByDates,
                .first_year = 26,
                .first_month = 1,
                .first_day = 2,
                .last_year = 26,
                .last_month = 3,
                .last_day = 4,
                .speed = 115200}),
       "#o",
       {"Dzień od=2", "Miesiąc do=3", "Szybkość=115200"}},
      {"slot part", SlotPartFrame(3, 1, "00FF"), "$d", {"Część=1", "Slot=3", "Dane (hex)=00FF"}},
      {"slot erase", SlotEraseFrame(2), "$d", {"Slot=2"}},
      {"slot read", SlotReadFrame(2), "$d", {"Slot=2"}},
      {"header row",
       HeaderRowFrame({7, true, 52, '0', true, true}, "ABCD"),
       "$d",
       {"Wiersz=07", "Ostatni (1 tak)=1", "Szerokość=52", "Bez potwierdzenia=;170",
        "Dane (hex)=ABCD"}},
      {"farewell part", FarewellPartFrame(5, "0F0F"), "$d", {"Część=5", "Dane (hex)=0F0F"}},
      {"slot open", Formatted(kSlotOpenTemplate, 4u), "$d", {"Slot=4"}},
      {"slot mode",
       Formatted(kSlotModeTemplate, 1u, 2u, 3u, 4u, 5u),
       "$d",
       {"Tryb=1", "Krok=2", "Szybkość=3", "Slot=4", "Odstęp=5"}},
      {"erase header", Formatted(kEraseHeaderTemplate), "$d", {}},
      {"erase footer", Formatted(kEraseFooterTemplate), "$d", {}},
      {"backup old", Formatted(kBackupOldTemplate, 7), "$6", {"Wartość=7"}},
      {"backup bus off", Formatted(kBackupBusOffTemplate), "$S", {}},
      {"backup new", Formatted(kBackupNewTemplate, 2, 5), "$S", {"Port=2", "Szybkość=5"}},
      {"spare card", Formatted(kSpareCardTemplate, 1u), "$o", {"Karta (1 włączona)=1"}},

      // Queries and settings sent straight by their routines.
      {"last error", Formatted(kLastErrorQueryTemplate), "#n", {}},
      {"type and version", Formatted(kTypeVersionQueryTemplate), "#v", {}},
      {"clock read", Formatted(kClockQueryTemplate), "#c", {}},
      {"setting 204", Formatted(kSetting204Template), "#v", {}},
      {"cash info", Formatted(kCashInfoTemplate), "#s", {}},
      {"cash info family 2", Formatted(kCashInfoFamily2Template), "#s", {}},
      {"program check code",
       Formatted(kProgramCheckCodeTemplate, "0", 262144L),
       "#v",
       {"Od adresu=0", "Liczba bajtów=262144"}},
      {"print type", Formatted(kPrintTypeTemplate), "#v", {}},
      {"buffer", Formatted(kReceiveBufferTemplate), "$0", {}},
      {"buffer swap",
       Formatted(kReceiveBufferSwapTemplate, 170),
       "$0",
       {"Zamiana portów COM (170 tak)=170"}},
      {"letter coding",
       Formatted(kLetterCodingTemplate, 3),
       "$1",
       {"Standard kodowania (0 MAZOVIA, 1 LATIN, 2 ISOLATIN, 3 WINDOWS)=3"}},
      {"settings", Formatted(kPrinterSettingsQueryTemplate), "$8", {}},
      {"io read", Formatted(kIoQueryTemplate), "$8", {}},
      {"ethernet read", Formatted(kEthernetQueryTemplate), "$8", {}},
      {"wifi read", Formatted(kWifiQueryTemplate), "$8", {}},
      {"bluetooth read", Formatted(kBluetoothQueryTemplate), "$8", {}},
      {"header read", Formatted(kHeaderQueryTemplate), "#u", {}},
      {"search probe family 0", SearchProbe(0), "#n", {}},
      {"search probe", SearchProbe(2), "#v", {}},
  };
  // Every one-option dialog and every step of the default values.
  for (const OptionEntry& entry : OptionTable()) {
    rows.push_back({entry.name,
                    Config(BuildOptionFrame(entry, entry.choices[0].value, &built)),
                    TemplateDesignator(entry.tmpl),
                    {}});
  }
  for (const ConfigFrame& f : DefaultValueFrames()) {
    rows.push_back({"default value", f.bytes, TemplateDesignator(f.bytes.c_str()), {}});
  }
  return rows;
}

const std::vector<RoundTrip>& AllRows() {
  static const std::vector<RoundTrip> rows = Rows();
  return rows;
}

// Failures name the row.
void PrintTo(const RoundTrip& row, std::ostream* out) {
  *out << row.label;
}

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {
 protected:
  test::SeamGuard seams;
};

// The command a frame decodes to; a slot part is followed by the ENQ that asks for its status,
// a search probe led by DLE.
std::vector<DecodedItem> Commands(const std::string& frame) {
  std::vector<DecodedItem> items = DecodeBytes(frame, {Direction::kToPrinter, kMazovia});
  std::erase_if(items, [](const DecodedItem& i) { return i.kind == DecodedKind::kStatusQuery; });
  return items;
}

void ExpectDecodes(const std::string& frame, const std::string& designator,
                   const std::vector<std::string>& fields) {
  std::vector<DecodedItem> items = Commands(frame);
  ASSERT_EQ(items.size(), 1u) << RenderItems(DecodeBytes(frame));
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
  ExpectDecodes(GetParam().frame, GetParam().designator, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Builders, RoundTripTest, ::testing::ValuesIn(AllRows()));

// The frames of the builders that make whole series or draw their values.
std::vector<std::string> SeriesFrames() {
  ReceiptControlData receipt;
  receipt.date = "09-12-2026", receipt.document = "12", receipt.lines = {{"Chleb", "A"}};
  receipt.vat_total = "0.19", receipt.total = "2.20", receipt.receipt_number = "7";
  receipt.buyer_nip_given = true, receipt.buyer_nip = "1234563218";
  receipt.unique_letters = "ABC", receipt.unique_digits = "12345678", receipt.time = "10:11:12";
  receipt.control_number = "XYZ";
  std::vector<std::string> frames;
  for (const SeriesFrame& f : ReceiptSeries(receipt)) frames.push_back(f.bytes);
  receipt.cancelled = true;
  for (const SeriesFrame& f : ReceiptSeries(receipt)) frames.push_back(f.bytes);
  DailyControlData daily;
  daily.date = "09-12-2026", daily.taxed = {{"A", "10.00"}}, daily.exempt = {{"G", "1.00"}};
  daily.vat_total = "2.30", daily.receipt_count = "4", daily.invoice_count = "1";
  daily.running_vat = "123.45", daily.unique_letters = "ABC", daily.unique_digits = "1";
  daily.control_number = "Q";
  for (const SeriesFrame& f : DailySeries(daily, {1, 2, 0}).frames) frames.push_back(f.bytes);
  return frames;
}

// Every frame of the series is a command of the catalogue with a right check value.
TEST(RoundTripSeries, ControlSeriesAndTestRunsDecodeFrameByFrame) {
  test::SeamGuard seams;
  const std::vector<std::string> frames = SeriesFrames();
  ASSERT_GE(frames.size(), 14u);
  for (const std::string& f : frames) ExpectDecodes(f, "$*", {});
  ExpectDecodes(frames[0], "$*", {"Data=09-12-2026", "Numer dokumentu=12"});

  TestRandom random;
  TestRunSettings.FixedLineCount = 2;
  ExpectDecodes(Sent(BuildTestOpen(random)), "$h", {"Liczba linii=2"});
  ExpectDecodes(Sent(BuildTestLine(random)), "$l", {"Numer linii=1"});
  ExpectDecodes(Sent(BuildTestLine(random)), "$l", {});
  ExpectDecodes(Sent(BuildTestClosing(random)), "$e", {});
}

// Every command template of the catalogue reads at least one frame a builder made: a template
// added without a row here fails.
TEST(RoundTripSeries, EveryCatalogueTemplateHasARow) {
  test::SeamGuard seams;
  std::vector<std::string> frames;
  auto note = [&frames](const std::string& frame) {
    // A search probe comes after DLE, a slot part before ENQ.
    const size_t begin = frame.find("\x1bP"), end = frame.rfind("\x1b\\");
    if (begin != std::string::npos && end != std::string::npos && end > begin) {
      frames.push_back(frame.substr(begin, end + 2 - begin));
    }
  };
  for (const RoundTrip& row : AllRows()) note(row.frame);
  for (const std::string& frame : SeriesFrames()) note(frame);
  // The test run draws its values: enough draws give both line forms; its closings with and
  // without a discount on each family.
  TestRandom random;
  const double kept = TestRunSettings.MaxReceiptDiscount;
  for (int i = 0; i < 200; ++i) {
    TestRunSettings.MaxReceiptDiscount = i % 2 == 0 ? -1.0 : 10.0;
    note(Sent(BuildTestOpen(random)));
    note(Sent(BuildTestLine(random)));
    note(ForFamily(i % 4 < 2 ? 0 : 2, [&] { return Sent(BuildTestClosing(random)); }));
  }
  TestRunSettings.MaxReceiptDiscount = kept;
  for (const ProtocolCommand& c : ProtocolCommands()) {
    std::string shown = c.tmpl;
    for (size_t at; (at = shown.find('\r')) != std::string::npos;) shown.replace(at, 1, "\\r");
    const bool read = std::any_of(frames.begin(), frames.end(),
                                  [&c](const std::string& f) { return FrameReadsAs(f, c.tmpl); });
    EXPECT_TRUE(read) << "no round-trip row reads " << shown << " (" << c.name << ")";
  }
}

}  // namespace
}  // namespace kelm
