// The daily-report help window's sample print-out.
#include "control/dialogs/TPomocNrKontrolnyRapDobowego.h"

namespace kelm::dialogs {
namespace {

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

}  // namespace

TPomocNrKontrolnyRapDobowego::TPomocNrKontrolnyRapDobowego(QWidget* parent)
    : PrintoutHelp(parent, "TPomocNrKontrolnyRapDobowego",
                   "Dane dla numeru kontrolnego raportu dobowego", kDailyReport) {}

}  // namespace kelm::dialogs
