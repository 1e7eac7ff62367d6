// The designator table: which handler takes a command and whether its frame carries a check value.
#include <cstring>

#include "emulator/machine.h"

namespace kelm::emu {

bool DisplayNeedsCheck(const Command& c);

namespace {

bool Never(const Command&) {
  return false;
}

// "#v" with 1 (type and version) and 0;204 (setting 204) go without a check value; the program
// check code and the print-out of the type carry one.
bool TypeNeedsCheck(const Command& c) {
  return !(c.count() == 1 || c.NumOr(1, -1) == 204);
}

const CommandEntry kCommands[] = {
    {"#n", HandleDiagnostics, Never, "Kod błędu ostatniego rozkazu"},
    {"#s", HandleDiagnostics, Never, "Informacje kasowe"},
    {"#c", HandleDiagnostics, nullptr, "Odczyt zegara"},
    {"#v", HandleDiagnostics, TypeNeedsCheck, "Typ i wersja oprogramowania"},
    {"$0", HandleDiagnostics, nullptr, "Odeślij zawartość bufora odbiorczego"},
    {"$8", HandleDiagnostics, nullptr, "Odczyt ustawień drukarki"},
    {"$f", HandleConfig, nullptr, "Programowanie nagłówka"},
    {"#u", HandleConfig, nullptr, "Odczyt nagłówka"},
    {"$p", HandleConfig, nullptr, "Programowanie stawek PTU"},
    {"$n", HandleConfig, nullptr, "Programowanie NIP - fiskalizacja"},
    {"$c", HandleConfig, nullptr, "Korekta zegara"},
    {"$1", HandleConfig, nullptr, "Kodowanie polskich liter"},
    {"$2", HandleConfig, nullptr, "Parametry otwierania szuflady"},
    {"$3", HandleConfig, nullptr, "Sposób drukowania"},
    {"$5", HandleConfig, nullptr, "Minimalny czas sterowania zwijaczem"},
    {"$6", HandleConfig, nullptr, "Czujnik obudowy, szybkość wydruku, backup"},
    {"$7", HandleConfig, nullptr, "Skorygowanie czasu odpowiedzi drukarki"},
    {"$9", HandleConfig, nullptr, "Sposób obsługi kaucji w linijce paragonu"},
    {"$!", HandleConfig, nullptr, "Otwieranie szuflady"},
    {"$@", HandleConfig, nullptr, "Wybór definicji nr systemowego"},
    {"$#", HandleConfig, nullptr, "Wpisanie typu i wersji w drukarkę"},
    {"$r", HandleConfig, nullptr, "Metoda obliczania rabatu"},
    {"#e", HandleConfig, nullptr, "Sposób obsługi błędów"},
    {"$o", HandleConfig, nullptr, "Przypomnienia i ustawienia drukarki"},
    {"$I", HandleConfig, nullptr, "Konfiguracja wejścia/wyjścia"},
    {"$-", HandleConfig, nullptr, "Ustawienia sieci"},
    {"$S", HandleConfig, nullptr, "Zapasowa karta pamięci"},
    {"$h", HandleSales, nullptr, "Początek transakcji"},
    {"$l", HandleSales, nullptr, "Linijka paragonu"},
    {"$e", HandleSales, nullptr, "Zatwierdzenie transakcji"},
    {"$x", HandleSales, nullptr, "Zatwierdzenie transakcji z formami płatności"},
    {"$z", HandleSales, nullptr, "NIP nabywcy"},
    {"#Q", HandleSales, nullptr, "Kod QR"},
    {"#g", HandleSalesExtras, nullptr, "Potwierdzenie obciążenia karty płatniczej"},
    {"#h", HandleSalesExtras, nullptr, "Transakcja uznana"},
    {"$$", HandleSalesExtras, nullptr, "Waluta - przelicznik"},
    {"##", HandleSalesExtras, nullptr, "Zmiana waluty ewidencyjnej"},
    {"#i", HandleSalesExtras, nullptr, "Wpłata do kasy"},
    {"#d", HandleSalesExtras, nullptr, "Wypłata z kasy"},
    {"#t", HandleSalesExtras, nullptr, "Stan kasy"},
    {"#l", HandleSalesExtras, nullptr, "Wysuw papieru"},
    {"#b", HandleSalesExtras, nullptr, "Raport bazy towarowej"},
    {"#r", HandleReports, nullptr, "Raport dobowy"},
    {"#o", HandleReports, nullptr, "Raport okresowy"},
    {"#k", HandleReports, nullptr, "Raport kasy / zmiany"},
    {"#p", HandleReports, nullptr, "Logowanie kasjera"},
    {"#q", HandleReports, nullptr, "Wylogowanie kasjera"},
    {"$4", HandleReports, nullptr, "Drukuj tablicę błędów"},
    {"$d", HandleDisplay, DisplayNeedsCheck, "Wyświetlacz i grafika"},
    {"$*", HandleControl, nullptr, "Weryfikacja numeru kontrolnego"},
};

}  // namespace

const CommandEntry* FindCommand(std::string_view designator) {
  for (const CommandEntry& e : kCommands)
    if (designator == e.designator) return &e;
  return nullptr;
}

}  // namespace kelm::emu
