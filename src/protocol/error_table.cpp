// The printer's error numbers and their texts, and the message that shows one.
#include "protocol/error_table.h"

#include <string>

namespace kelm {

int LastErrorNumber = -1;

namespace {

// Texts as the printer's documentation gives them (typos included: operators search for them).
const char* const kPrinterErrorTable[kPrinterErrorCount] = {
    /*   0 */ "Rozkaz nierozpoznany.",
    /*   1 */ "Nie zainicjalizowany zegar RTC.",
    /*   2 */ "Błąd bajtu kontrolnego.",
    /*   3 */ "Zła ilość parametrów.",
    /*   4 */ "Błąd parametru sterującego.",
    /*   5 */ "Błąd operacji z zegarem RTC lub nie ustawiona data i czas.",
    /*   6 */ "Błąd operacji z pamięcią fiskalną.",
    /*   7 */ "Data wcześniejsza od daty ostatniego zapisu w pamięci fisk.",
    /*   8 */ "Wykonanie operacji niemożliwe - niezerowe totalizery.",
    /*   9 */ "Nie występuje.",
    /*  10 */ "Zmiana czasu wykracza poza dopuszczalny zakres.",
    /*  11 */ "Zła ilość wartości PTU lub błąd wartości PTU.",
    /*  12 */ "Błędny nagłówek (np. za długi lub zawierający błędne znaki).",
    /*  13 */ "Próba fiskalizacji urządzenia w trybie fiskalnym.",
    /*  14 */ "Nie występuje.",
    /*  15 */ "Błąd dodatkowych linii tekstu (np. za długie).",
    /*  16 */ "Błąd parametru <nazwa> (np. zbyt długa lub pusta).",
    /*  17 */ "Błąd parametru <ilość> (pusty, zbyt długi, ilość = 0).",
    /*  18 */ "Błędne oznaczenie lub niedozwolona zmiana stawki PTU.",
    /*  19 */ "Błąd parametru CENA (format, zakres).",
    /*  20 */ "Błąd parametru BRUTTO lub RABAT.",
    /*  21 */ "Rozkaz odebrany przez drukarkę poza trybem transakcji.",
    /*  22 */ "Przepełnienie lub wartość ujemna jednego z rejestrów paragonu.",
    /*  23 */ "Błędna liczba pozycji paragonu.",
    /*  24 */ "Nie występuje.",
    /*  25 */
    "Błąd kodu terminala/kasjera, linii tekstu informacyjnego,\r\nnazwy karty, czeku lub bonu.",
    /*  26 */ "Błąd kwot związanych z formami płatności lub rozliczeniem opakowań zwrotnych.",
    /*  27 */ "Błąd kwoty TOTAL lub RABAT.",
    /*  28 */ "Przepełnienie totalizera.",
    /*  29 */ "Próba pozytywnego zakończenia paragonu, który nie został jeszcze otwarty.",
    /*  30 */ "Błąd kwoty WPŁATA lub WYPŁATA.",
    /*  31 */ "Przepełnienie jednego z rejestrów kasowych.",
    /*  32 */ "-Wartość po odjęciu staje się ujemna (przyjmuje się wówczas stan zerowy kasy !).",
    /*  33 */ "Błąd napisu <zmiana> (np. za długi).",
    /*  34 */ "Błąd napisu <kasjer>.",
    /*  35 */ "Zerowy stan totalizerów (raport fiskalny dobowy).",
    /*  36 */ "Już istnieje zapis o tej dacie.",
    /*  37 */ "Operacja przerwana z klawiatury drukarki.",
    /*  38 */ "Błąd nazwy.",
    /*  39 */ "Błąd oznaczenia PTU.",
    /*  40 */ "Nie występuje.",
    /*  41 */ "Błąd napisu <numer_kasy> (za długi lub zawierający błędne znaki).",
    /*  42 */ "Błąd napisu <numer_kasjera>.",
    /*  43 */ "Błąd napisu <numer_par>.",
    /*  44 */ "Błąd napisu <kontrahent>.",
    /*  45 */ "Błąd napisu <terminal>.",
    /*  46 */ "Błąd napisu <nazwa_karty>",
    /*  47 */ "Błąd napisu <numer_karty>",
    /*  48 */ "Błąd napisu <data_m>.",
    /*  49 */ "Błąd napisu <data_r>.",
    /*  50 */ "Błąd napisu <kod_autoryz>.",
    /*  51 */ "Błąd wartości <kwota>.",
    /*  52 */ "",
    /*  53 */ "",
    /*  54 */ "",
    /*  55 */ "",
    /*  56 */ "",
    /*  57 */ "Należy wykonać fiskalny raport dobowy.",
    /*  58 */ "",
    /*  59 */ "",
    /*  60 */ "",
    /*  61 */ "",
    /*  62 */ "",
    /*  63 */ "",
    /*  64 */ "",
    /*  65 */ "",
    /*  66 */ "",
    /*  67 */ "",
    /*  68 */ "",
    /*  69 */ "",
    /*  70 */ "",
    /*  71 */ "",
    /*  72 */ "",
    /*  73 */ "",
    /*  74 */ "",
    /*  75 */ "",
    /*  76 */ "",
    /*  77 */ "",
    /*  78 */ "",
    /*  79 */ "",
    /*  80 */ "",
    /*  81 */ "",
    /*  82 */ "Rozkaz niedozwolony w trakcie trwania transakcji",
    /*  83 */ "Zła wartość kaucji przesłanej w $z.",
    /*  84 */ "Przekroczona liczba wysłanych napisów na wyświetlacz.",
    /*  85 */ "",
    /*  86 */ "",
    /*  87 */ "",
    /*  88 */ "",
    /*  89 */ "Drukarka zablokowana.",
    /*  90 */ "Operacja tylko z kaucjami - nie można wysłać towarów.",
    /*  91 */
    "Błąd w zakończeniu transakcji związany z formami płatności.\r\nByła wysłana forma płatności - "
    "nie można wysłać towarów.",
    /*  92 */ "Przepełnienie bazy towarowej.",
    /*  93 */ "Błąd anulowania formy płatności.",
    /*  94 */ "Przekroczenie maksymalnej kwoty sprzedaży.",
    /*  95 */ "Próba ponownego rozpoczęcia transakcji (drukarka w trybie transakcji).",
    /*  96 */ "",
    /*  97 */ "",
    /*  98 */ "",
    /*  99 */ "Wydruk faktury - operacja niedozwolona.",
    /* 100 */ "Błąd pamięci programu.",
    /* 101 */ "",
    /* 102 */ "",
    /* 103 */ "",
    /* 104 */ "Zrób miesięczny raport dopłat.Zakładka Dodatkowe->Miesięczny raport dopłat.",
    /* 105 */ "",
    /* 106 */ "",
    /* 107 */ "",
    /* 108 */ "",
    /* 109 */ "",
    /* 110 */ "",
    /* 111 */ "",
    /* 112 */ "",
    /* 113 */ "",
    /* 114 */ "Nie zapisano pamięci podręcznej. Sprzedaż jest zablokowana.",
    /* 115 */ "",
    /* 116 */ "",
    /* 117 */ "Błąd pamięci podręcznej.",
    /* 118 */ "Błąd karty pamięci.",
    /* 119 */
    "Pamięć podręczna kopii elektronicznej została zapełniona. Aby ją zwolnić należy wyknoać "
    "raport dobowy.",
    /* 120 */ "Niezgodne ozanczenie waluty ewidencyjnej z oznaczenim podanym w przeliczniku.",
    /* 121 */ "Waluta ewidencyjna bez zmian.",
    /* 122 */ "Zapełniony rejestr walut.",
    /* 123 */
    "Została zaprogramowana zmiana waluty w określonym terminie.\nJeśli chcesz wykonać tę opercję "
    "należy anulować zminę waluty.",
    /* 124 */ "Brak zaprogramowanej waluty ewidenycjnej.",
    /* 125 */
    "Jeżeli zainstalowano czujnik pokrywy obudowy to załóż pokrywę.\nJeżeli nie ma czujnika "
    "obudowy w drukarce to nie można wykonać tego rozkazu.",
    /* 126 */ "Wykonaj pełny raport miesięczny za ostatnio zakończony miesiąc.",
    /* 127 */ "Należy podać nr paragonu, z którym powiązany jest ten wydruk.",
    /* 128 */ "",
    /* 129 */ "Korekta zegara nie więcej niż o 120 minut.",
    /* 130 */ "Przekroczono maksymalną ilość zerowań RAM",
    /* 131 */ "Przy programowaniu stawek nowe stawki są identyczne z już zapisanymi w drukarce.",
    /* 132 */ "Przekroczono liczbę pozycji paragonu dla trybu off-line.",
    /* 133 */
    "Próba wydruku raportu okresowego miesięcznego za miesiąc, który nie został jeszcze "
    "zakończony.",
    /* 134 */ "Niezaprogramowane stawki PTU.",
    /* 135 */ "Błedny format daty. (np. 30 luty).",
    /* 136 */ "Korekta zegara jest możliwa tylko po raporcie dobowym.",
    /* 137 */ "",
    /* 138 */ "",
    /* 139 */ "",
    /* 140 */ "Operacja niedozwolona w czasie trwania transakcji.",
    /* 141 */
    "Niedozwolona zmiana stawki PTU dla danej nazwy towaru.Wystąpiło zmniejszenie stawki a "
    "następnie jej zwiększenie.",
    /* 142 */ "Zapełniony rejestr stawek PTU (zapisano 30 zmian stawek).",
    /* 143 */ "Błędny NIP lub numer unikatowy.",
    /* 144 */
    "Próba zaprogramowania NIP lub numeru unikatowego w przypadku,\r\ngdy był już zaprogramowany.",
    /* 145 */ "Wykonanie operacji niemożliwe z powodu nie zaprogramowania numeru unikatowego.",
    /* 146 */ "Wykonanie operacji niemożliwe z powodu niezaprogramowania numeru NIP.",
    /* 147 */
    "Wykonanie operacji niemożliwe z powodu\r\n niezaprogramowania nagłówka firmowego (nazwy i "
    "adresu podatnika).",
    /* 148 */ "Wykonanie operacji niemożliwe - drukarka jest w trybie serwisowym.",
    /* 149 */
    "Wykonanie operacji niemożliwe\r\n- pamięć fiskalna znajduje się w stanie \"tylko do "
    "odczytu\".",
    /* 150 */ "Wystąpił błąd pamięci flash.",
    /* 151 */ "Wystąpił błąd pamięci EEPROM.",
    /* 152 */ "Błąd bazy towarowej.",
    /* 153 */
    "Baza towarowa została skasowana. Aby kontynuować pracę,\r\nnależy wykonać raport fiskalny "
    "dobowy.",
    /* 154 */
    "Wystąpił błąd totalizerów. Aby kontynuować pracę,\r\nnależy wykonać raport fiskalny dobowy.",
    /* 155 */
    "Nastąpiła zmiana daty, a nie wykonano raportu fiskalnego dobowego\r\n- należy wykonać raport "
    "dobowy.",
    /* 156 */ "Totalizer jest zapełniony - należy wykonać raport dobowy.",
    /* 157 */ "Błędny klucz pamięci fiskalnej.",
    /* 158 */ "Błędny parametr: klucz.",
    /* 159 */ "Wykonanie operacji wymaga włączenia trybu serwisowego.",
    /* 160 */ "Nie podłączono wyświetlacza klienta",
    /* 161 */ "W drukarce jest klucz poprawny. (Nie można go zmienić).",
    /* 162 */ "",
    /* 163 */ "",
    /* 164 */ "",
    /* 165 */ "Zmiana grafik raz na raport dobowy.",
};

}  // namespace

const char* PrinterErrorText(int number) {
  if (number < 0 || number >= kPrinterErrorCount) return "";
  return kPrinterErrorTable[number];
}

std::string PrinterErrorMessage(int number) {
  if (number == 255) number = 0;
  return "Wystąpił bład nr: " + std::to_string(number) + ": " + PrinterErrorText(number);
}

void ResetLastError() {
  LastErrorNumber = -1;
}

}  // namespace kelm
