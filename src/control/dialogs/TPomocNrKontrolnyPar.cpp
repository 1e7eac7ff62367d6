// The receipt help window's sample print-out.
#include "control/dialogs/TPomocNrKontrolnyPar.h"

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

}  // namespace

TPomocNrKontrolnyPar::TPomocNrKontrolnyPar(QWidget* parent)
    : PrintoutHelp(parent, "TPomocNrKontrolnyPar", "Dane dla numeru kontrolnego paragonu",
                   kReceipt) {}

}  // namespace kelm::dialogs
