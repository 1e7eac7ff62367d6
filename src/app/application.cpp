// Process start.
#include "app/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QTranslator>
#include <clocale>

#include "app/QtOperator.h"
#include "app/TMainForm.h"
#include "catalogue/diagnostics_queries.h"
#include "catalogue/dialogs/LetterCodingDialog.h"
#include "catalogue/dialogs/TInformacjeKasowe.h"
#include "catalogue/dialogs/TModelDrukarki.h"
#include "catalogue/dialogs/TOProgramie.h"
#include "catalogue/dialogs/TOdczytZegara.h"
#include "catalogue/dialogs/TOdeslijBufor.h"
#include "catalogue/dialogs/TOdeslijKodBledu.h"
#include "catalogue/dialogs/TPodgladTransmisji.h"
#include "catalogue/dialogs/TStatusDrukarki.h"
#include "catalogue/dialogs/TTypIWersja.h"
#include "config/dialogs/HeaderDialog.h"
#include "config/dialogs/IoNetworkDialogs.h"
#include "config/dialogs/NipClockDialogs.h"
#include "config/dialogs/OptionDialog.h"
#include "config/dialogs/OptionFieldDialogs.h"
#include "config/dialogs/RatesDialog.h"
#include "config/dialogs/ReportDialog.h"
#include "config/dialogs/TOdczytUstawienDrukarki.h"
#include "config/dialogs/TWydrukRaportOkresowy.h"
#include "control/dialogs/TNrKontrolnyPar.h"
#include "control/dialogs/TNrKontrolnyRapDobowego.h"
#include "graphics/dialogs/TEkranPozegnalny.h"
#include "graphics/dialogs/TGrafikiReklamowe.h"
#include "graphics/dialogs/TNaglowekGraficzny.h"
#include "link/dialogs/TCzekajNaRs.h"
#include "link/dialogs/TOdbieranie.h"
#include "link/dialogs/TParametryTransmisji.h"
#include "link/dialogs/TSzukamdrukarki.h"
#include "link/dialogs/TTransmisjaTCPIP.h"
#include "readout/dialogs/TBackUP.h"
#include "readout/dialogs/TOdczytBloku.h"
#include "readout/dialogs/TOdczytajRaportOkresowy.h"
#include "readout/dialogs/TPobieranieFiskalnejSklepu.h"
#include "readout/dialogs/TWyslijOdbierzPlikBin.h"
#include "readout/dialogs/TZapasowaKartaPamieci.h"
#include "sales/dialogs/BaseTableDialogs.h"
#include "sales/dialogs/CardDialogs.h"
#include "sales/dialogs/CashOrderDialogs.h"
#include "sales/dialogs/CurrencyDialogs.h"
#include "sales/dialogs/TAnulowanieTransakcji.h"
#include "sales/dialogs/TLinijkaParagonu.h"
#include "sales/dialogs/TLinijkiParagonu.h"
#include "sales/dialogs/TParagonZa1.h"
#include "sales/dialogs/TPelnaTranskacja.h"
#include "sales/dialogs/TPoczatekTransakcji.h"
#include "sales/dialogs/TSterowanieWyswietlaczem.h"
#include "sales/dialogs/TTransakcjeTestowe.h"
#include "sales/dialogs/TZatwierdzenieRozszerzone.h"
#include "sales/dialogs/TZatwierdzenieTransakcji.h"

namespace kelm {

namespace {

// The platform's style, with combo boxes that drop a scrolling list rather than a popup column.
class ComboListStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == QStyle::SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// The sales documents: receipts, card payments and currencies, cash, orders, goods base, display.
void CreateSalesDialogs(TMainForm& form) {
  const auto add = [&form](const char* name, QDialog* dialog) {
    form.RegisterDialog(name, dialog);
  };
  add("TPoczatekTransakcji", new dialogs::TPoczatekTransakcji(&form));
  add("TLinijkaParagonu", new dialogs::TLinijkaParagonu(&form));
  add("TLinijkiParagonu", new dialogs::TLinijkiParagonu(&form));
  add("TZatwierdzenieTransakcji", new dialogs::TZatwierdzenieTransakcji(&form));
  add("TZatwierdzenieRozszerzone", new dialogs::TZatwierdzenieRozszerzone(&form));
  add("TAnulowanieTransakcji", new dialogs::TAnulowanieTransakcji(&form));
  add("TPowitowanieSprzedarzy", new dialogs::TPowitowanieSprzedarzy(&form));
  add("TTransakcjaUznana", new dialogs::TTransakcjaUznana(&form));
  add("TPrzeliczenieNaWaluty", new dialogs::TPrzeliczenieNaWaluty(&form));
  add("TZmianaWalutyEwidencyjnej", new dialogs::TZmianaWalutyEwidencyjnej(&form));
  add("TParagonZa1", new dialogs::TParagonZa1(&form));
  add("TPelnaTranskacja", new dialogs::TPelnaTranskacja(&form));
  add("TWplataDoKasy", new dialogs::TWplataDoKasy(&form));
  add("TWyplataZKasy", new dialogs::TWyplataZKasy(&form));
  add("TStanKasy", new dialogs::TStanKasy(&form));
  add("TWysuwPapieru", new dialogs::TWysuwPapieru(&form));
  add("TPoczatekZamowienia", new dialogs::TPoczatekZamowienia(&form));
  add("TLinijkaZamowienia", new dialogs::TLinijkaZamowienia(&form));
  add("TZakonczenieZamowienia", new dialogs::TZakonczenieZamowienia(&form));
  add("TPoczateRaportuBazy", new dialogs::TPoczateRaportuBazy(&form));
  add("TPozycjaRaportuBazy", new dialogs::TPozycjaRaportuBazy(&form));
  add("TZakonczenieRaportuBazy", new dialogs::TZakonczenieRaportuBazy(&form));
  add("TPelnaKontrolaBazy", new dialogs::TPelnaKontrolaBazy(&form));
  add("TKontrolaBazyTowarowejDlaBus", new dialogs::TKontrolaBazyTowarowejDlaBus(&form));
  add("TSterowanieWyswietlaczem", new dialogs::TSterowanieWyswietlaczem(&form));
  // The test run reads the printer's totals through the cash information of the catalogue.
  InstallCashTotalsReader(ReadCashTotals);
  add("TTransakcjeTestowe", new dialogs::TTransakcjeTestowe(&form));
}

// The configuration and report dialogs, each under its class name.
template <class... Dialogs>
void Register(TMainForm& form) {
  (..., [&form] {
    auto* dialog = new Dialogs(&form);
    form.RegisterDialog(dialog->objectName().toStdString(), dialog);
  }());
}

void CreateConfigDialogs(TMainForm& form) {
  using namespace dialogs;
  Register<TProgramowanieStawek, TProgramowanieStawekPTUBus, TProgramowanieNIP, TKorektaZegara,
           TSposobBledow, TAutoPotwierdzanie, TBlokadaKlawiatury, TParametrySzuflady,
           TCzyMoznaOtwSzuflZMenu, TAutomatyczneOtwieranieSzuflady, TSposobDruowania,
           TSposobDruowaniaOryg, TSterowanieObcinaczem, TMetodaRabatu, TMinimalnyCzasSterZwijacz,
           TCzujnikObudowy, TSzybkoscWydruku, TKonfiguracjaCzasuOdp,
           TSposobObslugiKaucjiWLinijceParagonu, TDefinicjaNrSystemowego, TWpisanieTypuIWersji,
           TWartosciDomyslne, TOdczytUstawienDrukarki, TWydrukRaportuDobowego,
           TWydrukRaportOkresowy, TRaportyMiesieczne, TRaportyDobowe, TRaportKasyZmiany,
           TPrzegladySerwisowe, TLogowanieKasjera, TWylogowanieKasjera, TDrukujTabliceBledow,
           TKonfiguracjaWeWy, TUstawieniaEthernet, TWLAN, TUstawieniaBlueTooth>(form);
  // Registered after the graphic header dialog, which its "Nagłówek graficzny" button opens.
  form.RegisterDialog("TProgramowanieNaglowka",
                      new TProgramowanieNaglowka(&form, form.FindDialog("TNaglowekGraficzny")));
}

}  // namespace

std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv) {
  auto app = std::make_unique<QApplication>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  // The program speaks Polish whatever the user's locale, and so do Qt's own buttons and file
  // and print dialogs (Debian's qt6-translations-l10n); without the package they stay English.
  auto* qt_texts = new QTranslator(app.get());
  if (qt_texts->load(QLocale(QLocale::Polish, QLocale::Poland), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(qt_texts);
  }
  // Fusion drops a combo box's list as a column as high as the screen (sixty-five COM ports);
  // as a plain list it keeps to the box's visible item count and scrolls. Said through the style
  // rather than a style sheet, which would have every widget of every dialog matched against
  // its rules: a third of the start-up.
  app->setStyle(new ComboListStyle);
  return app;
}

void CreateDialogs(TMainForm& form, QtOperator& op) {
  op.RegisterWait("TOdbieranie", new dialogs::TOdbieranie(&form));
  op.RegisterWait("TCzekajNaRs", new dialogs::TCzekajNaRs(&form));
  form.RegisterDialog("TParametryTransmisji", new dialogs::TParametryTransmisji(&form));
  form.RegisterDialog("TTransmisjaTCPIP", new dialogs::TTransmisjaTCPIP(&form));
  form.RegisterDialog("TSzukamdrukarki", new dialogs::TSzukamdrukarki(&form));
  form.RegisterDialog("TModelDrukarki", new dialogs::TModelDrukarki(&form));
  form.RegisterDialog("TUstawKodLiter", new dialogs::TUstawKodLiter(&form));
  form.RegisterDialog("TKodowaniePolskich", new dialogs::TKodowaniePolskich(&form));
  op.RegisterWait("TPobieranieFiskalnejSklepu", new dialogs::TPobieranieFiskalnejSklepu(&form));
  form.RegisterDialog("TOdczytajRaportOkresowy", new dialogs::TOdczytajRaportOkresowy(&form));
  form.RegisterDialog("TInformacjeKasowe", new dialogs::TInformacjeKasowe(&form));
  form.RegisterDialog("TOdeslijKodBledu", new dialogs::TOdeslijKodBledu(&form));
  form.RegisterDialog("TOdeslijBufor", new dialogs::TOdeslijBufor(&form));
  form.RegisterDialog("TStatusDrukarki", new dialogs::TStatusDrukarki(&form));
  form.RegisterDialog("TTypIWersja", new dialogs::TTypIWersja(&form));
  form.RegisterDialog("TOdczytZegara", new dialogs::TOdczytZegara(&form));
  form.RegisterDialog("TOProgramie", new dialogs::TOProgramie(&form));
  form.RegisterDialog("TPodgladTransmisji", new dialogs::TPodgladTransmisji(&form));
  CreateSalesDialogs(form);
  form.RegisterDialog("TGrafikiReklamowe", new dialogs::TGrafikiReklamowe(&form));
  form.RegisterDialog("TNaglowekGraficzny", new dialogs::TNaglowekGraficzny(&form));
  form.RegisterDialog("TEkranPozegnalny", new dialogs::TEkranPozegnalny(&form));
  form.RegisterDialog("TZapasowaKartaPamieci", new dialogs::TZapasowaKartaPamieci(&form));
  form.RegisterDialog("TBackUP", new dialogs::TBackUP(&form));
  form.RegisterDialog("TWyslijOdbierzPlikBin", new dialogs::TWyslijOdbierzPlikBin(&form));
  form.RegisterDialog("TOdczytBloku", new dialogs::TOdczytBloku(&form));
  CreateConfigDialogs(form);
  form.RegisterDialog("TNrKontrolnyPar", new dialogs::TNrKontrolnyPar(&form));
  form.RegisterDialog("TNrKontrolnyRapDobowego", new dialogs::TNrKontrolnyRapDobowego(&form));
}

}  // namespace kelm
