// The help windows' sample print-outs, one row per window: where each dialog's fields stand on
// the document it checks.
#include "control/dialogs/PrintoutHelp.h"

#include <cstring>

namespace kelm::dialogs {
namespace {

// A receipt of our own making, laid out as the printers print one.
const PrintoutSample kReceipt = {
    {
        "           SKLEP PRZYKŁADOWY            ", "      ul. Przykładowa 1, Warszawa       ",
        "           NIP 526-025-02-74            ", "05-07-2024 12:30           nr wydr. 17  ",
        "            PARAGON FISKALNY            ", "Chleb żytni          2 x 1,50    3,00 A ",
        "Woda mineralna       1 x 2,00    2,00 G ", "Sok jabłkowy         1 x 4,00    4,00 A ",
        "               STORNO                   ", "Sok jabłkowy         1 x 4,00   -4,00 A ",
        "----------------------------------------", "SPRZEDAŻ OPODATK. A                 3,00",
        "PTU A 23,00 %                       0,56", "SUMA PTU                            0,56",
        "SUMA PLN                            5,00", "NIP NABYWCY: 5260250274                 ",
        "#41 Kasjer 1                    12:30:05", "                            KLM 12345678",
        "8QH2K7TD0W4M9Z1RXC5VB3NJ6LFPA2SEYG8UO0T1", "         TRYB SZKOLENIOWY               ",
    },
    {
        {3, "05-07-2024", "Data wydruku (dla faktury data wystawienia)"},
        {3, "17", "Numer wydruku"},
        {5, "Chleb żytni", "Nazwa towaru/usługi, wiersz 1"},
        {5, "A", "PTU (litera A-G)"},
        {6, "Woda mineralna", "Nazwa towaru/usługi, wiersz 2"},
        {7, "Sok jabłkowy", "Nazwa towaru/usługi, wiersz 3"},
        {9, "Sok jabłkowy         1 x 4,00   -4,00 A",
         "Storno z ujemną wartością brutto: nie wpisywać", true},
        {13, "0,56", "Suma PTU"},
        {14, "5,00", "SUMA paragonu"},
        {15, "5260250274", "NIP nabywcy (zaznacz \"NIP nabywcy:\")"},
        {16, "41", "Numer paragonu lub faktury"},
        {16, "12:30:05", "Godzina wydruku (gg:mm:ss)"},
        {17, "KLM", "Numer unikatowy: litery"},
        {17, "12345678", "Numer unikatowy: cyfry"},
        {18, "8QH2K7TD0W4M9Z1RXC5VB3NJ6LFPA2SEYG8UO0T1", "Numer kontrolny (40 znaków)"},
    },
    {
        "Linii stojących pod oznaczeniem storna, z ujemną wartością brutto, nie wpisuje się; "
        "sprzedaż, którą stornują, zostaje w tabeli.",
        "Wydruk bez linii \"SUMA PTU\" ma sumę PTU równą 0.",
        "Paragon anulowany: zaznacz \"Paragon anulowany\" i wpisz tylko cyfry numeru unikatowego "
        "i godzinę.",
    },
};

// A daily report of an invoice printer, of our own making.
const PrintoutSample kDailyReport = {
    {
        "           SKLEP PRZYKŁADOWY            ", "           NIP 526-025-02-74            ",
        "05-07-2024 21:05           nr wydr. 58  ", "         RAPORT FISKALNY DOBOWY         ",
        "                         Nr rap.   0003 ", "SPRZED. OPOD. PTU A               123,00",
        "SPRZED. OPOD. PTU B                50,00", "SPRZED. OPOD. PTU AVF              20,00",
        "SPRZED. ZWOL. PTU G                10,00", "KWOTA PTU A                        23,00",
        "KWOTA PTU B                         3,70", "KWOTA PTU AVF                       3,74",
        "ŁĄCZNA KWOTA PTU                   30,44", "ŁĄCZNA NALEŻNOŚĆ                  203,00",
        "PARAGONÓW ANULOWANYCH 0             0,00", "ILOŚĆ PARAGONÓW                       12",
        "ILOŚĆ FAKTUR                           1", "  KWOTY ŁĄCZNE OD RAP. NR    1 DO    3  ",
        "KWOTA PTU A                        61,23", "KWOTA PTU B                        11,10",
        "ŁĄCZNA KWOTA PTU                   76,07", "ŁĄCZNA NALEŻNOŚĆ                  512,40",
        "                            KLM 12345678", " #3F2A91C07DE45B8816A0C2F7D934E5B1076AC8E2#",
    },
    {
        {2, "05-07-2024", "Data raportu"},
        {4, "0003", "Numer raportu"},
        {5, "A               123,00", "Tabela SPRZED. OPOD. PTU, wiersz 1: litera A i kwota"},
        {6, "B                50,00", "wiersz 2: litera B i kwota"},
        {7, "AVF              20,00", "wiersz 3: litera A i kwota VF"},
        {8, "G                10,00", "Tabela SPRZED. ZWOL. PTU, wiersz 1: litera G i kwota"},
        {12, "30,44", "ŁĄCZNA KWOTA PTU"},
        {15, "12", "ILOŚĆ PARAGONÓW"},
        {16, "1", "ILOŚĆ FAKTUR"},
        {20, "76,07", "KWOTY ŁĄCZNE OD RAP. 1 DO N - ŁĄCZNA KWOTA PTU"},
        {22, "KLM", "Numer unikatowy: litery"},
        {22, "12345678", "Numer unikatowy: cyfry"},
        {23, "3F2A91C07DE45B8816A0C2F7D934E5B1076AC8E2", "Numer kontrolny (40 znaków)"},
    },
    {
        "Kwoty VF (faktur) wpisuje się w kolejności, w jakiej stoją na wydruku: w tabeli "
        "sprzedaży, każdą w osobnym wierszu z literą stawki.",
        "Kwoty zawsze z 2 cyframi po przecinku, tak jak na wydruku.",
        "Linie KWOTA PTU nie są wpisywane.",
    },
};

const PrintoutHelpRow kHelpRows[] = {
    {"TPomocNrKontrolnyPar", "Dane dla numeru kontrolnego paragonu", kReceipt},
    {"TPomocNrKontrolnyRapDobowego", "Dane dla numeru kontrolnego raportu dobowego", kDailyReport},
};

}  // namespace

const PrintoutHelpRow& PrintoutHelpOf(const char* class_name) {
  for (const PrintoutHelpRow& row : kHelpRows)
    if (std::strcmp(row.class_name, class_name) == 0) return row;
  return kHelpRows[0];
}

}  // namespace kelm::dialogs
