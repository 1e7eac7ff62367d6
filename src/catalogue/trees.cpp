// The command trees, one table per tree, one row per entry.
#include "catalogue/trees.h"

#include <iterator>

#include "protocol/operator.h"

namespace kelm {
namespace {

constexpr uint8_t kAll = 0b111;
constexpr uint8_t kFam2 = 0b100;
constexpr uint8_t kFam12 = 0b110;
constexpr uint8_t kFam01 = 0b011;
constexpr uint8_t kVar02 = 0b101;
constexpr uint8_t kCopyNot0 = 0b110;
constexpr uint8_t kCopy2 = 0b100;

constexpr EntryCondition kAlways{};
constexpr EntryCondition Families(uint8_t f) {
  return {f, kAll, kAll};
}
// Family 2, ordinary or 859 printer, with the given copy modes.
constexpr EntryCondition Protocol(uint8_t copies) {
  return {kFam2, kVar02, copies};
}

constexpr TreeRow Entry(const char* caption, const char* dialog, EntryCondition when = kAlways) {
  return {caption, 0, when, dialog, nullptr, false};
}
constexpr TreeRow Child(const char* caption, const char* dialog, EntryCondition when = kAlways) {
  return {caption, 1, when, dialog, nullptr, false};
}
constexpr TreeRow Heading(const char* caption, EntryCondition when = kAlways) {
  return {caption, 0, when, nullptr, nullptr, false};
}

const TreeRow kBasicRows[] = {
    Entry("Logowanie kasjera", "TLogowanieKasjera", Families(kFam12)),
    Entry("Paragon za 1 grosik", "TParagonZa1"),
    Entry("Wydruk raportu dobowego", "TWydrukRaportuDobowego"),
    Entry("Korekta zegara", "TKorektaZegara"),
    Entry("Raport okresowy", "TWydrukRaportOkresowy"),
    Entry("Odczytaj raport okresowy", "TOdczytajRaportOkresowy", Families(kFam2)),
};

const TreeRow kConfigurationRows[] = {
    Entry("Sposób obsługi błędów", "TSposobBledow", Families(kFam01)),
    Heading("Sposób obsługi błędów", Families(kFam2)),
    Child("Sposób obsługi błędów", "TSposobBledow", Families(kFam2)),
    Child("Auto-potwierdzanie", "TAutoPotwierdzanie", Families(kFam2)),
    Entry("Kodowanie polskich liter", "TKodowaniePolskich", Families(kFam2)),
    Entry("Parametry otwierania szuflady", "TParametrySzuflady", Families(kFam2)),
    Entry("Otwieranie szuflady z menu", "TCzyMoznaOtwSzuflZMenu", Families(kFam2)),
    Heading("Oszczędność papieru", Families(kFam2)),
    Child("Oszczędność kopii", "TSposobDruowania", Families(kFam2)),
    Child("Oszczędność oryginału", "TSposobDruowaniaOryg", Families(kFam2)),
    Entry("Metoda obliczania rabatu", "TMetodaRabatu", Families(kFam2)),
    Entry("Przypominanie o raporcie miesięcznym", "TRaportyMiesieczne", Families(kFam2)),
    Entry("Minimalny czas sterowania zwijaczem", "TMinimalnyCzasSterZwijacz", Families(kFam2)),
    Entry("Czujnik pokrywy", "TCzujnikObudowy", Families(kFam2)),
    Entry("Przeliczanie na waluty obce", "TPrzeliczenieNaWaluty", Families(kFam2)),
    Entry("Ustaw wartości domyślne", "TWartosciDomyslne", Families(kFam2)),
    Heading("Protokół transmisji", Protocol(kAll)),
    Child("Konfiguracja czasu odpowiedzi", "TKonfiguracjaCzasuOdp", Protocol(kAll)),
    Child("Sposób obsługi kaucji w linijce paragonu", "TSposobObslugiKaucjiWLinijceParagonu",
          Protocol(kAll)),
    Child("Otwieranie szuflady po transakcji", "TAutomatyczneOtwieranieSzuflady", Protocol(kAll)),
    Child("Definicja nr systemowego", "TDefinicjaNrSystemowego", Protocol(kAll)),
    Child("Definicja odpowiedzi na rozkaz #v", "TWpisanieTypuIWersji", Protocol(kAll)),
    Entry("Szybkość wydruku", "TSzybkoscWydruku", Protocol(kCopyNot0)),
    Entry("Wymuszanie raportu dobowego", "TRaportyDobowe", Protocol(kCopyNot0)),
    Entry("Sterowanie obcinaczem papieru", "TSterowanieObcinaczem", Protocol(kCopy2)),
    Entry("Ustawienia Bluetooth", "TUstawieniaBlueTooth", Protocol(kCopy2)),
    Entry("Ustawienia Wi-Fi", "TWLAN", Protocol(kCopy2)),
    Entry("Ustawienia Ethernet", "TUstawieniaEthernet", Protocol(kCopy2)),
    Entry("Konfiguracja wejścia/wyjścia", "TKonfiguracjaWeWy", Protocol(kCopy2)),
    Entry("Zapasowa karta pamięci", "TZapasowaKartaPamieci", Protocol(kCopy2)),
    Entry("Blokada klawiatury", "TBlokadaKlawiatury", Protocol(kCopy2)),
    Heading("Grafiki reklamowo-informacyjne", Protocol(kCopy2)),
    Child("Wyświetlacza klienta", "TGrafikiReklamowe", Protocol(kCopy2)),
    Child("Nagłówek/stopka paragonu", "TNaglowekGraficzny", Protocol(kCopy2)),
    Child("Ekran pożegnalny", "TEkranPozegnalny", Protocol(kCopy2)),
};

const TreeRow kTransactionRows[] = {
    Entry("Początek transakcji", "TPoczatekTransakcji"),
    Entry("Linijka paragonu", "TLinijkaParagonu"),
    Entry("Linijki paragonu", "TLinijkiParagonu", Families(kFam12)),
    Entry("Zatwierdzenie transakcji", "TZatwierdzenieTransakcji"),
    Entry("Zatwierdzenie rozszerzone", "TZatwierdzenieRozszerzone", Families(kFam12)),
    Entry("Anulowanie transakcji", "TAnulowanieTransakcji"),
    Entry("Potwierdzenie obciążenia karty płatniczej", "TPowitowanieSprzedarzy", Families(kFam12)),
    Entry("Potwierdzenie uznania karty płatniczej", "TTransakcjaUznana", Families(kFam12)),
    Entry("Transakcje testowe", "TTransakcjeTestowe"),
    Entry("Pełna transakcja", "TPelnaTranskacja"),
};

const TreeRow kDiagnosticsRows[] = {
    Entry("Odeślij kod ostatniego błędu", "TOdeslijKodBledu"),
    Entry("Odeślij informacje kasowe", "TInformacjeKasowe"),
    Entry("Odczyt zegara", "TOdczytZegara"),
    Entry("Status", "TStatusDrukarki"),
    Entry("Typ i wersja", "TTypIWersja", Families(kFam01)),
    Entry("Typ, wersja i kod kontrolny programu", "TTypIWersja", Families(kFam2)),
    Entry("Odeślij zawartość bufora odbiorczego", "TOdeslijBufor", Families(kFam2)),
    {"Drukuj tablicę błędów", 0, Families(kFam2), "TDrukujTabliceBledow", nullptr, true},
    Entry("Odeślij ustawienia drukarki", "TOdczytUstawienDrukarki", Families(kFam2)),
    Entry("Sprawdź nr kontrolny paragonu", "TNrKontrolnyPar", {kFam2, kAll, kCopyNot0}),
    Entry("Sprawdź nr kontrolny rap. dobowego", "TNrKontrolnyRapDobowego",
          {kFam2, kAll, kCopyNot0}),
};

const TreeRow kAdditionalRows[] = {
    Entry("Raport okresowy", "TWydrukRaportOkresowy"),
    Entry("Raport kasy/zmiany", "TRaportKasyZmiany"),
    Entry("Logowanie kasjera", "TLogowanieKasjera"),
    Entry("Wylogowanie kasjera", "TWylogowanieKasjera"),
    Heading("Kasa"),
    Child("Wpłata do kasy", "TWplataDoKasy"),
    Child("Wypłata z kasy", "TWyplataZKasy"),
    Child("Stan kasy", "TStanKasy"),
    Heading("Zamówienia"),
    Child("Początek zamówienia", "TPoczatekZamowienia"),
    Child("Linijka zamówienia", "TLinijkaZamowienia"),
    Child("Zakończenie zamówienia", "TZakonczenieZamowienia"),
    Heading("Raport kontroli bazy towarowej"),
    Child("Początek raportu", "TPoczateRaportuBazy"),
    Child("Pozycja raportu", "TPozycjaRaportuBazy"),
    Child("Zakończenie raportu", "TZakonczenieRaportuBazy"),
    Child("Pełna kontrola bazy", "TPelnaKontrolaBazy"),
    Entry("Wysuw papieru", "TWysuwPapieru"),
    Entry("Korekta zegara", "TKorektaZegara"),
    Entry("Sterowanie wyświetlaczem/szufladą", "TSterowanieWyswietlaczem"),
};

const TreeRow kProgrammingRows[] = {
    Entry("Programowanie nagłówka", "TProgramowanieNaglowka"),
    {"Programowanie stawek PTU", 0, kAlways, "TProgramowanieStawek", "TProgramowanieStawekPTUBus",
     false},
    Entry("Programowanie NIP (szkoleniowo)", "TProgramowanieNIP"),
    Entry("Przeglądy serwisowe", "TPrzegladySerwisowe", Families(kFam2)),
    Entry("Programowanie waluty ewidencyjnej", "TZmianaWalutyEwidencyjnej", Families(kFam2)),
    Entry("Przeliczanie na waluty obce", "TPrzeliczenieNaWaluty", Families(kFam2)),
    Entry("Włącz/wyłącz backup na komputer", "TBackUP", {kFam2, kAll, kCopyNot0}),
};

const TreeRow kBusRows[] = {
    Entry("Kontrola bazy towarowej w drukarce Bus", "TKontrolaBazyTowarowejDlaBus"),
};

template <size_t N>
constexpr TreeTable Table(const TreeRow (&rows)[N], bool needs_port = false) {
  return {rows, static_cast<int>(N), needs_port};
}

const TreeTable kTables[kTreeCount] = {
    Table(kBasicRows),       Table(kConfigurationRows),
    Table(kTransactionRows), Table(kDiagnosticsRows, true),
    Table(kAdditionalRows),  Table(kProgrammingRows),
    Table(kBusRows),
};

bool HasBit(uint8_t mask, uint8_t value) {
  return value < 8 && (mask >> value) & 1;
}

}  // namespace

const char* const kTreeTabCaptions[kTreeCount] = {
    "Podstawowe", "Konfiguracja",  "Transakcja", "Diagnostyczne",
    "Dodatkowe",  "Programowanie", "Bus"};

bool EntryCondition::Holds(const LinkSettingsRecord& s) const {
  return HasBit(families, s.ModelFamily) && HasBit(variants, s.PrinterVariant) &&
         HasBit(copy_modes, s.CopyMode);
}

const TreeTable& TreeTableOf(TreeId tree) {
  return kTables[tree];
}

std::vector<TreeEntry> BuildTree(TreeId tree, const LinkSettingsRecord& settings) {
  std::vector<TreeEntry> entries;
  const TreeTable& table = TreeTableOf(tree);
  for (int i = 0; i < table.count; ++i) {
    const TreeRow& row = table.rows[i];
    if (row.when.Holds(settings)) entries.push_back({row.caption, row.level, &row});
  }
  return entries;
}

const char* DispatchEntry(TreeId tree, const TreeEntry& entry) {
  const TreeRow* row = entry.row;
  if (row == nullptr || row->dialog == nullptr) return nullptr;
  // Only the serial port counts here, even while the TCP/IP link is active.
  if (TreeTableOf(tree).needs_serial_port && !row->port_exempt &&
      LinkSettings.PortNumber == kNoPort) {
    TheOperator().ShowMessage("Nie wybramo portu komunikacyjnego.");
    return nullptr;
  }
  if (row->bus_dialog != nullptr && LinkSettings.PrinterVariant != 0) return row->bus_dialog;
  return row->dialog;
}

}  // namespace kelm
