// The table of the one-option dialogs: captions, choices, the value each sends, help texts.
#include "config/options.h"

#include "protocol/command_templates.h"

namespace kelm {

namespace {

const char* const kDepositHelp =
    "Rozkaz obsługi kaucji w linijce paragonu:\r\n <ESC> Pi $l <Nazwa>CR<Ilość>CR<P>/CENA/WARTOŚĆ/"
    "<check><ESC>\\\r\n- Zgodnie z protokołem standartowym: \r\nPi=6-kaucja pobrana, =7-storno "
    "pobranej, =10-kaucja wydana, =11-storno wydanej\r\n- Zgodnie z protokołem poprzednich "
    "drukarek firmy KELM:\r\nPi<>0-kaucja pobrana, =0-kaucja wydana\r\n";
const char* const kResponseTimeHelp =
    "Niektóre programy współpracujące z drukarką fiskalną do poprawnej\r\npracy wymagają ściśle "
    "określonych czasów odpowiedzi\r\nod drukarki. Dlatego w zależności od używanego programu\r\n"
    "należy wybrać odpowiednią opcję:\r\n\r\n- Skorygowany czas odpowiedzi:\r\n        - Firma ++ "
    "( FPP ) firmy CDN.\r\n- Domyślny czas odpowiedzi:\r\n        - Inne programy.";
const char* const kSystemNumberHelp =
    "Nr systemowy paragonu wysyłany z rozkazem $h w dodatkowych liniach tekstu\r\n - Musi być "
    "poprzedzony znakiem hash '#' (Zgodnie z protokołem standartowym)\r\n - Nie musi być "
    "poprzedzony znakiem '#' (Zgodnie z protokołem poprzednich drukarek firmy Kelm)";
const char* const kAutoDrawerHelp =
    "TAK - Szuflada jest automatycznie otwierana po transakcji zakończonej rozkazem $e lub $x\r\n"
    "jeżeli parametr Pc tych rozkazów jest różny od 8.\r\n(Zgodnie z protokołem poprzednich "
    "drukarek firmy Kelm).\r\nNIE (domyślnie) - szuflada nie jest automatycznie otwierana po "
    "transakcji.\r\n(Zgodnie z protokołem standartowym).";
const char* const kTypeAnswerHelp =
    "Niektóre programy współpracujące z drukarką fiskalną do poprawnej\r\npracy wymagają "
    "określonej odpowiedzi od drukarki na rozkaz #v (typ i wersja oprogramowania).\rDlatego "
    "istnieje możliwość zaprogramowania tekstu jaki będzie drukarka wysyłać w odpowiedzi na ten "
    "rozkaz.";
const char* const kOriginalHelp =
    "W trybie oszczędnym po wydruku paragonu wraz z wysuwem papieru\r\njest drukowany nagłówek "
    "nowego dokumentu.\r\nPozwala to skrócić odstęp pomiędzy paragonami i oszczędzić paier.";

std::vector<OptionEntry> MakeTable() {
  const char* const own = " w danym raporcie dobowym.";
  return {
      {"TSposobBledow",
       "error-handling",
       "Sposób obsługi błędów",
       "Rodzaj obsługi",
       {},
       kErrorHandlingTemplate,
       {{"Wyświetlanie komunikatu na wyświetlaczu.", 0},
        {"Nie wyświetla komunikatu, nie zatrzymuje.", 1},
        {"Wyświetlanie komunikatu na wyświetlaczu oraz automatyczna odpowiedź.", 2},
        {"Brak wyświetlania komunikatu i zatrzymania. Automatycznie wysłanie odpowiedzi.", 3},
        {"Tryb bileterki KELM 859.", 4, nullptr, 0, 2},
        {"Komunikaty do komputera.", 1, nullptr, 1},
        {"Komunikaty na wyświetlacz.", 0, nullptr, 1}},
       0},
      {"TAutoPotwierdzanie",
       "auto-confirm",
       "AutoPotwierdzanie",
       "",
       {"Automatyczne potwierdzanie błędów drukarki",
        "Uaktywnienie tej funkcji powoduje brak konieczności",
        "potwierdzania błędów z klawiatury drukarki."},
       "%cP17;%d$1xx%c%c",
       {{"Automatyczne potwierdzanie.", 170}, {"Brak automatycznego potwierdzania.", 0}},
       170,
       nullptr,
       false},
      {"TCzyMoznaOtwSzuflZMenu",
       "menu-drawer",
       "Czy można otwierać szufladę z menu drukarki",
       "",
       {},
       "%cP0;%u$!xx%c%c",
       {{"TAK ( domyślnie )", 1}, {"NIE", 0}},
       1},
      {"TSposobDruowania",
       "copy-printing",
       "Sposób drukowania kopii",
       "",
       {},
       "%cP%d$3cc%c%c",
       {{"Kopia i oryginał są identyczne.", 1},
        {"Na kopii nie ma nagłówków oraz odcięcia. (domyślne)", 2},
        {"Na kopii nie ma nagłówków i odcięcia oraz", 3,
         "dokumenty niefiskalne są drukowane tylko na kopii."}},
       1},
      {"TSposobDruowaniaOryg",
       "original-printing",
       "Sposób drukowania oryginału.",
       "",
       {},
       "%cP%u$3cc%c%c",
       {{"Zwykły. (domyślnie).", 4}, {"Oszczędny.", 5}},
       4,
       kOriginalHelp},
      {"TMetodaRabatu",
       "discount-method",
       "Metoda obliczania rabatu",
       "Wybór metody",
       {"wartość' = ( (1- ( R/100 ) ) * wartość )", "Rabat = wartość - wartość' - kwota rabatu",
        "Rabat = (wartość * R)/100 - kwota rabatu", "wartość' = wartość - Rabat",
        "wartość - wartość przed rabatem", "wartość' - wartość po rabacie",
        "R - wartość procentowa rabatu"},
       kDiscountMethodTemplate,
       {{"Metoda 1 (jak bileterka KELM 743)", 1}, {"Metoda 2 (jak drukarka OXIL PRO)", 0}},
       0},
      {"TRaportyMiesieczne",
       "monthly-reminder",
       "Przypominanie o raporcie miesięcznym",
       "Czy uaktywnić opcję przypominanania o raporcie miesięcznym ?",
       {},
       "%cP2;%d$oxx%c%c",
       {{"TAK", 1}, {"NIE", 0}},
       1},
      {"TCzujnikObudowy",
       "cover-sensor",
       "CzujnikObudowy",
       "",
       {},
       "%cP%d$6cc%c%c",
       {{"Brak reakcji na brak pokrywy", 0},
        {"Wyświetlanie komunikatu o braku pokrywy", 1},
        {"Blokowanie wydruku przy braku pokrywy", 2}},
       0},
      {"TKonfiguracjaCzasuOdp",
       "response-time",
       "Skorygowanie czasu odpowiedzi drukarki",
       "",
       {},
       "%cP%d$7cc%c%c",
       {{"Domyślny czas odpowiedzi (domyślnie)", 0},
        {"Skorygowany czas odpowiedzi dla pewnych rozkazów", 1,
         "( logowanie kasjera, zakończenie paragonu )"},
        {"Skorygowany czas odpowiedzi dla większości rozkazów", 2}},
       0,
       kResponseTimeHelp},
      {"TSposobObslugiKaucjiWLinijceParagonu",
       "deposit-protocol",
       "Sposób obsługi kaucji w linijce paragonu",
       "",
       {},
       "%cP%d$9cc%c%c",
       {{"Zgodnie z protokołem standardowym (domyślnie).", 0},
        {"Zgodnie z protokołem poprzednich drukarek firmy KELM.", 1}},
       0,
       kDepositHelp},
      {"TAutomatyczneOtwieranieSzuflady",
       "auto-drawer",
       "Czy automatycznie otwierać szuflade po transakcji",
       "",
       {},
       "%cP%u$!xx%c%c",
       {{"TAK", 1}, {"NIE ( domyślnie )", 0}},
       0,
       kAutoDrawerHelp},
      {"TDefinicjaNrSystemowego",
       "system-number",
       "Wybór definicji nr systemowego",
       "",
       {},
       "%cP%d$@cc%c%c",
       {{"Zgodnie z protokołem standardowym (domyślnie).", 1},
        {"Zgodnie z protokołem poprzednich drukarek firmy KELM.", 0}},
       1,
       kSystemNumberHelp},
      {"TSzybkoscWydruku",
       "print-speed",
       "Szybkość wydruku",
       "",
       {},
       "%cP%d$6cc%c%c",
       {{"Prędkość 1 - najniższa", 8},
        {"Prędkość 2", 9},
        {"Prędkość 3", 10},
        {"Prędkość 4 - najwyższa", 11}},
       10},
      {"TRaportyDobowe",
       "daily-forcing",
       "Wymuszanie wykonania raportu dobowego",
       "Czy uaktywnić wymuszanie wykonania raportu dobowego?",
       {},
       "%cP3;%d$oxx%c%c",
       {{"Po dwukrotnym przekroczeniu północy od pierwszej sprzedaży", 1, own},
        {"Po  pierwszym przekroczeniu północy od pierwszej sprzedaży", 2, own},
        {"Nie wymuszaj wykonania raportu dobowego.", 0}},
       1},
      {"TSterowanieObcinaczem",
       "cutter",
       "Sterowanie obcinaczem papieru.",
       "",
       {},
       "%cP0;%d$3cc%c%c",
       {{"Cięcie niepełne. Umożliwia łatwe, ręczne oderwanie.", 1},
        {"Cięcie pełne. Całkowite odcięcie papieru bez konieczności odrywania.", 2},
        {"Brak obcięcia.", 0}},
       1},
  };
}

}  // namespace

const std::vector<OptionEntry>& OptionTable() {
  static const std::vector<OptionEntry> table = MakeTable();
  return table;
}

const char* OptionHelp(const std::string& class_name) {
  if (class_name == "TWpisanieTypuIWersji") return kTypeAnswerHelp;
  const OptionEntry* entry = FindOption(class_name);
  return entry != nullptr && entry->help != nullptr ? entry->help : "";
}

}  // namespace kelm
