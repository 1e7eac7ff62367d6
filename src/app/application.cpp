// Process start.
#include "app/application.h"

#include <clocale>

#include "app/QtOperator.h"
#include "app/TMainForm.h"
#include "catalogue/dialogs/LetterCodingDialog.h"
#include "catalogue/dialogs/TInformacjeKasowe.h"
#include "catalogue/dialogs/TModelDrukarki.h"
#include "catalogue/dialogs/TOProgramie.h"
#include "catalogue/dialogs/TOdczytZegara.h"
#include "catalogue/dialogs/TOdeslijBufor.h"
#include "catalogue/dialogs/TOdeslijKodBledu.h"
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
#include "link/dialogs/TCzekajNaRs.h"
#include "link/dialogs/TOdbieranie.h"
#include "link/dialogs/TParametryTransmisji.h"
#include "link/dialogs/TSzukamdrukarki.h"
#include "link/dialogs/TTransmisjaTCPIP.h"
#include "readout/dialogs/TOdczytajRaportOkresowy.h"
#include "readout/dialogs/TPobieranieFiskalnejSklepu.h"

namespace kelm {

namespace {

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
  // The graphic header dialog is not built yet: its button stays disabled.
  form.RegisterDialog("TProgramowanieNaglowka",
                      new TProgramowanieNaglowka(&form, form.FindDialog("TNaglowekGraficzny")));
}

}  // namespace

std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv) {
  auto app = std::make_unique<QApplication>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
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
  CreateConfigDialogs(form);
}
}  // namespace kelm
