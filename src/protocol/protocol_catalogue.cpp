// The catalogue's tables: one row per template a builder of the program formats. Where two
// dialogs send the same template the row names both; the decoder takes the first row that
// reads a frame, so a row with fixed numbers stands before a row of the same designator that
// takes any.
#include "protocol/protocol_catalogue.h"

#include <cstring>

#include "protocol/command_templates.h"

namespace kelm {

namespace {

#define RATES_8 "Liczba stawek|" STATES "|" RATES
#define STATES                                                                                \
  "Stan stawki A|Stan stawki B|Stan stawki C|Stan stawki D|Stan stawki E|Stan stawki F|Stan " \
  "stawki G"
#define RATES \
  "Stawka A [%]|Stawka B [%]|Stawka C [%]|Stawka D [%]|Stawka E [%]|Stawka F [%]|Stawka G [%]"
#define CARD                                                                              \
  "Linia kasy i kasjera (0 drukowana)|Sposób drukowania|Numer kasy|Numer kasjera|Numer " \
  "paragonu|Kontrahent|Terminal|Nazwa karty|Numer karty|Miesiąc|Rok|Kod autoryzacji|Kwota [zł]"
#define EXTENDED_CLOSING                                                                          \
  "Liczba dodatkowych linii|Parametr 2|Parametr 3|Rodzaj rabatu|Jest gotówka|Jest karta|Jest "   \
  "czek|Jest bon|Jest kaucja pobrana|Jest kaucja zwrócona|Jest reszta|Kasjer|Dodatkowe "         \
  "linie|Nazwa karty|Nazwa czeku|Nazwa bonu|"                                                     \
  "Suma [zł]|Rabat|Gotówka [zł]|Karta [zł]|Czek [zł]|Bon [zł]|Kaucja pobrana [zł]|Kaucja " \
  "zwrócona [zł]|Reszta [zł]"

const ProtocolCommand kCommands[] = {
    // The link: last error, type and version, clock, cash information.
    {"%cP0#n%c%c", "Odeślij kod ostatniego błędu", "", "#E: numer błędu"},
    {"%cP1#v%c%c", "Typ i wersja", "", "#R: typ drukarki / wersja oprogramowania"},
    {"%cP0;204#v%c%c", "Odczyt ustawienia faktur w raporcie dobowym", "", "#V: ustawienie"},
    {"%cP1;170#v%s/%ld/XX%c%c", "Typ, wersja i kod kontrolny programu", "Od adresu|Liczba bajtów",
     "#K: kod kontrolny"},
    {"%cP1;187#vXX%c%c", "Typ i wersja: wydruk na drukarce", "", ""},
    {"%cP0#cxx%c%c", "Odczyt zegara", "", "#C: rok;miesiąc;dzień;godzina;minuta;0"},
    {"%cP7#s%c%c", "Odeślij informacje kasowe", "", "#X: stan kasy, stawki PTU, totalizery"},
    {"%cP23#s%c%c", "Odeślij informacje kasowe", "", "#X: stan kasy, stawki PTU, totalizery"},
    {"%cP0;%d$0xx%c%c", "Odeślij zawartość bufora odbiorczego", "Zamiana portów COM (170 tak)",
     "#B: zawartość bufora"},
    {"%cP$0xx%c%c", "Odeślij zawartość bufora odbiorczego", "", "#B: zawartość bufora"},
    {"%cP17;%d$1xx%c%c", "Auto-potwierdzanie", "Potwierdzanie (170 automatyczne)", ""},
    {"%cP%d$1xx%c%c", "Kodowanie polskich liter",
     "Standard kodowania (0 MAZOVIA, 1 LATIN, 2 ISOLATIN, 3 WINDOWS)", ""},

    // Configuration: header, VAT, fiscalization and clock.
    {"%cP%u$f%s%cxx%c%c", "Programowanie nagłówka", "Rabat w nagłówku|Tekst nagłówka|Koniec tekstu",
     ""},
    {"%cP#uxx%c%c", "Odczyt nagłówka", "", "#H: tekst nagłówka"},
    {"%cP7$p%s/%s/%s/%s/%s/%s/%s/xx%c%c", "Programowanie stawek PTU", RATES, ""},
    {"%cP%d;%d;%d;%d;%d;%d;%d;%d$p%s/%s/%s/%s/%s/%s/%s/xx%c%c", "Programowanie stawek PTU", RATES_8,
     ""},
    {"%cP%d;%d;%d;%d;%d;%d;%d;%d;%d$p%s/%s/%s/%s/%s/%s/%s/xx%c%c",
     "Programowanie stawek PTU (bilety zagraniczne)", "Liczba stawek|" STATES "|Bilety|" RATES, ""},
    {"%cP%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%s;%s$p%s/%s/%s/%s/%s/%s/%s/xx%c%c",
     "Programowanie stawek PTU (zmiana odłożona)",
     "Liczba stawek i tryb zmiany|" STATES "|Rok|Miesiąc|Dzień|Godzina|Minuta|" RATES, ""},
    {"%cP%c$n%s\rxx%c%c", "Programowanie NIP (szkoleniowo)", "Parametr|NIP", ""},
    {"%cP%d;%d;%d;%d;%d;%d$cxx%c%c", "Korekta zegara", "Rok|Miesiąc|Dzień|Godzina|Minuta|Sekunda",
     ""},

    // Configuration: printer options (one-option dialogs and the defaults).
    {kErrorHandlingTemplate, "Sposób obsługi błędów", "Rodzaj obsługi", ""},
    {"%cP%s$2cc%c%c", "Parametry otwierania szuflady", "Czas impulsu [ms]", ""},
    {"%cP0;%d$3cc%c%c", "Sterowanie obcinaczem papieru", "Cięcie (0 brak, 1 niepełne, 2 pełne)",
     ""},
    {"%cP%d$3cc%c%c", "Oszczędność kopii / oryginału", "Sposób drukowania", ""},
    {"%cP%.0f$5cc%c%c", "Minimalny czas sterowania zwijaczem", "Czas [0,1 s]", ""},
    {"%cP%d$6cc%c%c", "Czujnik pokrywy / Szybkość wydruku / Kopia elektroniczna", "Wartość", ""},
    {"%cP%d$7cc%c%c", "Konfiguracja czasu odpowiedzi", "Czas odpowiedzi", ""},
    {"%cP%d$9cc%c%c", "Sposób obsługi kaucji w linijce paragonu", "Protokół (0 standardowy)", ""},
    {"%cP0;%u$!xx%c%c", "Otwieranie szuflady z menu", "Można otwierać (1 tak)", ""},
    {"%cP%u;%u$!xx%c%c", "Ustaw wartości domyślne: szuflada", "Po transakcji|Z menu", ""},
    {"%cP%u$!xx%c%c", "Otwieranie szuflady po transakcji", "Otwierać (1 tak)", ""},
    {"%cP%d$@cc%c%c", "Definicja nr systemowego", "Definicja (1 standardowa)", ""},
    {"%cP$#\rcc%c%c", "Ustaw wartości domyślne: odpowiedź na rozkaz #v", "", ""},
    {"%cP$#%s\rXX%c%c", "Definicja odpowiedzi na rozkaz #v", "Tekst odpowiedzi", ""},
    {kDiscountMethodTemplate, "Metoda obliczania rabatu", "Metoda (1 metoda 1, 0 metoda 2)", ""},
    {"%cP0;0;0;1;1$occ%c%c", "Ustaw wartości domyślne: przypomnienia", "", ""},
    {"%cP2;%d$oxx%c%c", "Przypominanie o raporcie miesięcznym", "Przypominać (1 tak)", ""},
    {"%cP3;%d$oxx%c%c", "Wymuszanie raportu dobowego", "Wymuszanie (0 brak)", ""},
    {"%cP4;%u$oxx%c%c", "Zapasowa karta pamięci", "Karta (1 włączona)", ""},
    {"%cP0;%u;%u;%u;%u$o%s\rxx%c%c", "Przeglądy serwisowe",
     "Aktywne|Rok|Miesiąc|Dzień|Telefon serwisu", ""},
    {"%cP249;%u;%s$dcc%c%c", "Blokada klawiatury", "Blokada (1 włączona)|Czas [s]", ""},
    {"%cP$8xx%c%c", "Odeślij ustawienia drukarki", "", "#U: ustawienia drukarki"},

    // Configuration: input/output and network.
    {"%cP2$8xx%c%c", "Odczyt konfiguracji wejścia/wyjścia", "", "#I: funkcje i prędkości portów"},
    {"%cP6$8xx%c%c", "Odczyt ustawień Ethernet", "", "#N: DHCP, adres, porty"},
    {"%cP1$8xx%c%c", "Odczyt ustawień Wi-Fi", "", "#W: parametry, adresy, klucze"},
    {"%cP4$8xx%c%c", "Odczyt ustawień Bluetooth", "", "#B: zabezpieczenie, PIN, adres"},
    {"%cP%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u$Ixx%c%c", "Konfiguracja wejścia/wyjścia",
     "Parametr 1|COM A: funkcja|COM A: prędkość|COM B: funkcja|COM B: prędkość|USB 0: "
     "funkcja|USB 0: prędkość|USB 1: funkcja|USB 1: prędkość|COM wewnętrzny: funkcja|COM "
     "wewnętrzny: prędkość|WLAN: funkcja|WLAN: prędkość|Ethernet: funkcja|Ethernet: prędkość",
     ""},
    {"%cP1;%u$I%s\r%s\r%s\r%s\r%s\r%s\rxx%c%c", "Ustawienia Ethernet",
     "DHCP (1 tak)|Adres IP|Port Sprzedaż|Port BackUP|Port Tunel A|Port Tunel B|Port Szpieg", ""},
    {"%cP7;%u;%u;%u;%u;%u$o%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\rxx%c%c", "Ustawienia Wi-Fi",
     "DHCP (1 tak)|Zabezpieczenie (0 OPEN, 1 WEP, 2 WPA, 3 WPA2)|Połącz (1 tak)|Ad-hoc (1 "
     "tak)|Wi-Fi (1 włączone)|Adres IP|Maska|Brama|Nazwa sieci|Port sprzedaży|Port kopii "
     "elektronicznej|Klucz 1|Klucz 2|Klucz 3|Klucz 4",
     ""},
    {"%cP%u;%u$-%s\r%s\rxx%c%c", "Ustawienia Bluetooth",
     "Zabezpieczenie (1 tak)|Połącz (1 tak)|PIN|Adres urządzenia", ""},

    // Reports and cashiers.
    {"%cP0#rxx%c%c", "Wydruk raportu dobowego", "", ""},
    {"%cP1;%d;%d;%d#rxx%c%c", "Wydruk raportu dobowego (bez potwierdzenia)", "Rok|Miesiąc|Dzień",
     ""},
    {"%cP%d;0;0;0;0;0;0;128#o%s/%s/\r\r%lu/xx%c%c", "Odczytaj raport okresowy (numery)",
     "Rodzaj raportu|Od numeru|Do numeru|Szybkość [bit/s]", "raport w blokach danych"},
    {"%cP%d;%d;%d;%d;%d;%d;%d;128#o\r\r%lu/xx%c%c", "Odczytaj raport okresowy (daty)",
     "Rok od|Miesiąc od|Dzień od|Rok do|Miesiąc do|Dzień do|Rodzaj raportu|Szybkość [bit/s]",
     "raport w blokach danych"},
    {"%cP0;0;%s;0;0;%s;%d#oxx%c%c", "Raport okresowy (numery)",
     "Od numeru|Do numeru|Rodzaj (2 pełny, 3 skrócony)", ""},
    {"%cP%d#o%s/%s/xx%c%c", "Raport okresowy (numery)", "Rodzaj raportu|Od numeru|Do numeru", ""},
    {"%cP%d;%d;%d;%d;%d;%d;%d#oxx%c%c", "Raport okresowy",
     "Rok od|Miesiąc od|Dzień od|Rok do|Miesiąc do|Dzień do|Rodzaj raportu", ""},
    {"%cP%d#k%s\r%s\rxx%c%c", "Raport kasy/zmiany", "Rodzaj (0 zerujący)|Zmiana|Kasjer", ""},
    {"%cP#p%s\r%s\rcc%c%c", "Logowanie kasjera", "Kasjer|Numer kasy", ""},
    {"%cP#q%s\r%s\rcc%c%c", "Wylogowanie kasjera", "Kasjer|Numer kasy", ""},
    {"%cP$4cc%c%c", "Wydruk tabeli błędów", "", ""},

    // Electronic copy back-up.
    {"%cP0$Scc%c%c", "Włącz/wyłącz backup na komputer: wyłączenie", "", ""},
    {"%cP1;%d;%d;1$Scc%c%c", "Włącz/wyłącz backup na komputer", "Port|Szybkość", ""},

    // Graphics.
    {"%cP253;%c;0$d%c%c", "Grafiki wyświetlacza klienta: usunięcie obrazu", "Slot", ""},
    {"%cP253;%u$dxx%c%c", "Grafiki wyświetlacza klienta: wybór obrazu", "Slot", ""},
    {"%cP254;%u;%u;%u;%u;%u$dxx%c%c", "Grafiki wyświetlacza klienta: tryb wyświetlania",
     "Tryb|Krok|Szybkość|Slot|Odstęp", ""},
    {"%cP255;%c;%c$d%s%c%c", "Grafiki wyświetlacza klienta: część obrazu", "Część|Slot|Dane (hex)",
     ""},
    {"%cP252;%c;0;$d%c%c", "Grafiki wyświetlacza klienta: odczyt obrazu", "Slot", "dane slotu"},
    {"%cP251;0;0;0;0;0;170$dcc%c%c", "Nagłówek/stopka paragonu: usunięcie nagłówka", "", ""},
    {"%cP251;0;1;0;0;0;170$dcc%c%c", "Nagłówek/stopka paragonu: usunięcie stopki", "", ""},
    {"%cP251;%02d;%c;%02d;%c;%c%s$d%s%c%c", "Nagłówek/stopka paragonu: wiersz",
     "Wiersz|Ostatni (1 tak)|Szerokość [B]|Wyrównanie|Stopka (1 tak)|Bez potwierdzenia|Dane "
     "(hex)",
     ""},
    {"%cP248;%c$d%s%c%c", "Ekran pożegnalny: część", "Część|Dane (hex)", ""},

    // Sales: receipts.
    {kOpenReceiptTemplate, "Początek transakcji (on-line)", "", ""},
    // The bar code's "##" and "#" would read as a number's text in the plain row.
    {"%cP%s;1$h##%s#\rxx%c%c", "Początek transakcji (kod kreskowy)", "Liczba linii|Numer systemowy",
     ""},
    {"%cP%s;1$h#%s\rxx%c%c", "Początek transakcji", "Liczba linii|Numer systemowy", ""},
    {"%cP%s;2$h##%s#\r%s\rxx%c%c", "Początek transakcji (kod kreskowy)",
     "Liczba linii|Numer systemowy|Format kodu", ""},
    {"%cP%s$hxx%c%c", "Początek transakcji", "Liczba linii", ""},
    {"%cP1$lTowar Testowy\r1\r%c/0.01/0.01/xx%c%c", "Paragon za 1 grosik: linijka", "Stawka PTU",
     ""},
    {"%cP%d$l%s\r%.2f\r%c/%.2f/%.2f/xx%c%c", "Linijka paragonu",
     "Numer linii|Nazwa towaru|Ilość|Stawka PTU|Cena [zł]|Wartość [zł]", ""},
    {"%cP%d;2$l%s\r%.2f\r%c/%.2f/%.2f/%.2f/xx%c%c", "Linijka paragonu z rabatem",
     "Numer linii|Nazwa towaru|Ilość|Stawka PTU|Cena [zł]|Wartość [zł]|Rabat [%]", ""},
    {"%cP%s;%d$l%s\r%s\r%c/%s/%s/%s/xx%c%c", "Linijka paragonu z rabatem",
     "Numer linii|Rodzaj rabatu|Nazwa towaru|Ilość|Stawka PTU|Cena [zł]|Wartość [zł]|Rabat", ""},
    {"%cP%s$l%s\r%s\r%c/%s/%s/xx%c%c", "Linijka paragonu",
     "Numer linii|Nazwa towaru|Ilość|Stawka PTU|Cena [zł]|Wartość [zł]", ""},
    {"%cP%d;%d$l%s\r%s\r%s/%s/%s/%s/xx%c%c", "Linijka paragonu z rabatem",
     "Numer linii|Rodzaj rabatu|Nazwa towaru|Ilość|Stawka PTU|Cena [zł]|Wartość [zł]|Rabat", ""},
    {"%cP%d$l%s\r%s\r%s/%s/%s/xx%c%c", "Linijka paragonu",
     "Numer linii|Nazwa towaru|Ilość|Stawka PTU|Cena [zł]|Wartość [zł]", ""},
    // The full transaction writes its CRs through placeholders: the row above reads its lines.
    {"%cP%d$l%s%c%s%c%s/%2.2f/%2.2f/xx%c%c", "Linijka paragonu",
     "Numer linii|Nazwa towaru|CR|Ilość|CR|Stawka PTU|Cena [zł]|Wartość [zł]", ""},
    {kCancelTransactionTemplate, "Anulowanie transakcji", "", ""},
    {"%cP1;0$e\r0.01/0.01/xx%c%c", "Paragon za 1 grosik: zatwierdzenie", "", ""},
    {"%cP1$e00A\r%.2f/%.2f/xx%c%c", "Zatwierdzenie transakcji", "Wpłata [zł]|Suma [zł]", ""},
    {"%cP1;0;0;0;1$e00A\r%.2f/%.2f/%.2f/xx%c%c", "Zatwierdzenie transakcji z rabatem",
     "Wpłata [zł]|Suma [zł]|Rabat [%]", ""},
    {"%cP1;0;0;0;3$e00A\r%.2f/%.2f/%.2f/xx%c%c", "Zatwierdzenie transakcji z rabatem",
     "Wpłata [zł]|Suma [zł]|Rabat [zł]", ""},
    {"%cP1;0;%d;%d;%d;%d$e%s\r%s%s/%s/%s/xx%c%c", "Zatwierdzenie transakcji",
     "Liczba dodatkowych linii|Parametr 4|Rodzaj rabatu|Parametr Pc|Kasjer|Dodatkowe "
     "linie|Wpłata [zł]|Suma [zł]|Rabat",
     ""},
    {"%cP1;%d;%d;%d;%d;%d$e%s\r%s%s/%s/%s/xx%c%c", "Zatwierdzenie transakcji z rabatem",
     "Parametr 2|Liczba dodatkowych linii|Parametr 4|Rodzaj rabatu|Parametr Pc|Kasjer|Dodatkowe "
     "linie|Wpłata [zł]|Suma [zł]|Rabat",
     ""},
    {"%cP1;%d;%d;%d;%d;%d$e%s\r%s%s/%s/xx%c%c", "Zatwierdzenie transakcji",
     "Parametr 2|Liczba dodatkowych linii|Parametr 4|Rodzaj rabatu|Parametr Pc|Kasjer|Dodatkowe "
     "linie|Wpłata [zł]|Suma [zł]",
     ""},
    {kExtendedClosingTemplate, "Zatwierdzenie rozszerzone", EXTENDED_CLOSING, ""},
    {kDrawerTemplate, "Otwarcie szuflady", "", ""},
    {"%cP%d$d%c%s%c%c", "Sterowanie wyświetlaczem/szufladą", "Operacja|Znak FFh|Tekst", ""},
    {"%cP1$z%s\rxx%c%c", "Pełna transakcja: NIP nabywcy", "NIP", ""},
    {"%cP100;1$z%s\rxx%c%c", "Pełna transakcja: NIP nabywcy", "NIP", ""},
    {"%cP#Q%s\rxx%c%c", "Pełna transakcja: kod QR", "Tekst kodu", ""},

    // Sales: card payments, currencies, cash, orders, goods base, feed.
    {"%cP%d;%d#g%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s/xx%c%c",
     "Potwierdzenie obciążenia karty płatniczej", CARD, ""},
    {"%cP%d;%d#h%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s\r%s/xx%c%c",
     "Potwierdzenie uznania karty płatniczej", CARD, ""},
    {"%cP%u$$xx%c%c", "Przeliczanie na waluty obce", "Drukowanie (0 nie)", ""},
    {"%cP%u$$%s/%s\r%s\r%s\rxx%c%c", "Przeliczanie na waluty obce",
     "Drukowanie (1 tak)|Mnożnik|Waluta obca|Kurs|Waluta krajowa", ""},
    {"%cP%u;%d;%d;%d;%s;%s##%s\rxx%c%c", "Programowanie waluty ewidencyjnej",
     "Tryb (0 teraz, 1 o czasie, 2 odwołanie)|Rok|Miesiąc|Dzień|Godzina|Minuta|Kod waluty", ""},
    {"%cP#i%s/cc%c%c", "Wpłata do kasy", "Kwota [zł]", ""},
    {"%cP#d%s/cc%c%c", "Wypłata z kasy", "Kwota [zł]", ""},
    {"%cP0#tcc%c%c", "Stan kasy", "", ""},
    {"%cP0;1;0;%c#l%s\r%scc%c%c", "Początek zamówienia",
     "Liczba dodatkowych linii|Zamawiający|Dodatkowe linie", ""},
    {"%cP0;1;1;%c#l%s\r%s\r%scc%c%c", "Linijka zamówienia",
     "Liczba dodatkowych linii|Towar|Ilość|Dodatkowe linie", ""},
    {"%cP0;1;2;%c#l%scc%c%c", "Zakończenie zamówienia", "Liczba dodatkowych linii|Dodatkowe linie",
     ""},
    {"%cP%s#lxx%c%c", "Wysuw papieru", "Liczba linii", ""},
    // A goods-base report and a goods-base table start alike: the rows share their names.
    {"%cP0;%c#bxx%c%c", "Początek raportu kontroli bazy towarowej (lub tabeli Bus)",
     "Rodzaj raportu lub tabeli", ""},
    {"%cP1#b%s\r%s/xx%c%c", "Pozycja raportu kontroli bazy towarowej", "Nazwa towaru|Stawka PTU",
     ""},
    {"%cP2#bxx%c%c", "Zakończenie raportu kontroli bazy towarowej", "", ""},
    {"%cP0;%u#bxx%c%c", "Początek raportu kontroli bazy towarowej (lub tabeli Bus)",
     "Rodzaj raportu lub tabeli", ""},
    {"%cP1;%u#b%s\r%s/xx%c%c", "Kontrola bazy towarowej w drukarce Bus: wiersz",
     "Rodzaj tabeli|Nazwa|Stawka PTU", ""},
    // The two rates of a ticket row follow each other without a separator.
    {"%cP1;%u#b%s\r%s\r%s%s/xx%c%c", "Kontrola bazy towarowej w drukarce Bus: bilet",
     "Rodzaj tabeli|Bilet|Pozycja|Stawka PTU|Stawka PTU dopłaty", ""},
    {"%cP2;%u#bxx%c%c", "Kontrola bazy towarowej w drukarce Bus: koniec", "Rodzaj tabeli", ""},

    // Control number verification.
    {"%cP0;%d$*%s\r%s/PARAGONU LUB FAKTURY\rxx%c%c", "Sprawdź nr kontrolny paragonu",
     "Drukowanie|Data|Numer dokumentu", ""},
    {"%cP1;%d$*%s\rX/xx%c%c", "Sprawdź nr kontrolny: NIP nabywcy", "Drukowanie|NIP", ""},
    {"%cP1;%d$*%s\r%s/xx%c%c", "Sprawdź nr kontrolny: linia sprzedaży",
     "Drukowanie|Nazwa|Stawka PTU", ""},
    {"%cP2;%d$*%s/%s/%s/%s %s\r%s\rxx%c%c", "Sprawdź nr kontrolny: sumy paragonu",
     "Drukowanie|Suma PTU|Suma|Numer paragonu|Numer unikatowy (litery)|Numer unikatowy "
     "(cyfry)|Czas",
     ""},
    {"%cP3;%d$*%s\r%s\rxx%c%c", "Sprawdź nr kontrolny: paragon anulowany",
     "Drukowanie|Numer unikatowy (cyfry)|Czas", ""},
    {"%cP4;%d$*%s\r%s/xx%c%c", "Sprawdź nr kontrolny: sprzedaż w stawce", "Drukowanie|Stawka|Kwota",
     ""},
    {"%cP5;%d$*%s/%s:\rxx%c%c", "Sprawdź nr kontrolny: liczba faktur", "Drukowanie|Wartość|Opis",
     ""},
    {"%cP5;%d$*%s/%s\rxx%c%c", "Sprawdź nr kontrolny: wartość", "Drukowanie|Wartość|Opis", ""},
    {"%cP6;%d$*%.0f/%.2f/%s\rxx%c%c", "Sprawdź nr kontrolny: łączna kwota PTU",
     "Drukowanie|Dziesiątki milionów|Reszta [zł]|Opis", ""},
    {"%cP7;%d$*%s %s\r%s\rxx%c%c", "Sprawdź nr kontrolny: numer unikatowy",
     "Drukowanie|Litery|Cyfry|Czas", ""},
    {"%cP10;%d$*%s\rxx%c%c", "Sprawdź nr kontrolny: numer kontrolny", "Drukowanie|Numer kontrolny",
     ""},
    {"%cP0;%d$*%s\r%s/RAPORTU DOBOWEGO\rxx%c%c", "Sprawdź nr kontrolny rap. dobowego",
     "Drukowanie|Data|Numer raportu", ""},
};

const ProtocolAnswer kAnswers[] = {
    {"%cP1#E%d%c%c", "Numer ostatniego błędu", "Numer błędu"},
    {"%cP%d#X%d;%d;%d;%d;%d;%d;%d;%d;%d/%s/%s/%s/%s/%s/%s/%s/%d/%s/%s/%s/%s/%s/%s/%s/%s%c%c",
     "Informacja kasowa",
     "Rodzina|Ostatni błąd|Tryb|Parametr 3|Znacznik TRF|Parametr 5|Zerowania RAM|Rok|Miesiąc|"
     "Dzień|" RATES "|Liczba paragonów|Totalizer A [zł]|Totalizer B [zł]|Totalizer C [zł]|"
     "Totalizer D [zł]|Totalizer E [zł]|Totalizer F [zł]|Totalizer G [zł]|Dalsze pola"},
    {"%cP1#C%d;%d;%d;%d;%d;%d%c%c", "Zegar drukarki", "Rok|Miesiąc|Dzień|Godzina|Minuta|Zero"},
    {"%cP1#R%s/%s/%c%c", "Typ i wersja", "Typ drukarki|Wersja oprogramowania"},
    {"%cP1#R%s/%s%c%c", "Typ i wersja", "Typ drukarki|Wersja oprogramowania"},
    {"%cP1#R%s/%c%c", "Typ i wersja", "Typ drukarki"},
    {"%cP1#V%s%c%c", "Ustawienie drukarki", "Wartość"},
    {"%cP1#K%s\r%c%c", "Kod kontrolny programu", "Kod kontrolny"},
    {"%cP1#H%s%c%c", "Nagłówek", "Tekst nagłówka"},
    {"%cP#U%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%d/%c%c", "Ustawienia drukarki",
     "Identyfikator|Sposób kodowania polskich znaków|Czas trwania impulsu sterującego szufladą "
     "[ms]|Sposób drukowania kopii/oryginału|Długość impulsu sterującego zwijaczem [0,1 s]|Obsługa "
     "czujnika pokrywy obudowy|Korekta czasu odpowiedzi od drukarki|Przypominanie o raporcie "
     "miesięcznym|Obsługa zewnętrznego wyświetlacza|Protokół zewn. wyświetlacza|Tryb obsługi "
     "błędów|Sposób obsługi kaucji w linijce paragonu|Znaczniki szuflady, nr systemowego i "
     "rabatu"},
    {"%cP%s#I%c%c", "Konfiguracja wejścia/wyjścia", "Funkcje i prędkości portów"},
    {"%cP%c#N%s\r%s\r%s\r%s\r%s\r%s\r%c%c", "Ustawienia Ethernet",
     "DHCP (1 tak)|IP drukarki|Sprzedaż|BackUP|Tunel A|Tunel B|Szpieg"},
    // Five one-digit numbers, the texts straight after the last of them.
    {"%cP#W%c;%c;%c;%c;%c%s\r%s\r%s\r%s\r%s\r%s\r%s%c%c", "Ustawienia Wi-Fi",
     "DHCP (1 tak)|Zabezpieczenie (0 OPEN, 1 WEP, 2 WPA, 3 WPA2)|Ad-hoc (1 tak)|Wi-Fi (1 "
     "włączone)|Parametr 5|Adres IP|Maska|Brama|Nazwa sieci|Port sprzedaży|Port kopii "
     "elektronicznej|Klucze"},
    {"%cP%c#B%s\r%s\r%c%c", "Ustawienia Bluetooth", "Zabezpieczenie (1 tak)|PIN|Adres urządzenia"},
    {"%cP%c#B%s\r%c%c", "Ustawienia Bluetooth", "Zabezpieczenie (1 tak)|PIN"},
    {"%cP#B%s%c%c", "Bufor odbiorczy", "Zawartość"},
};

#undef RATES_8
#undef STATES
#undef RATES
#undef CARD
#undef EXTENDED_CLOSING

}  // namespace

std::span<const ProtocolCommand> ProtocolCommands() {
  return kCommands;
}
std::span<const ProtocolAnswer> ProtocolAnswers() {
  return kAnswers;
}

std::string TemplateDesignator(const char* tmpl) {
  const char* p = std::strpbrk(tmpl, "$#");
  if (p == nullptr || p[1] == '\0') return {};
  return std::string(p, 2);
}

}  // namespace kelm
