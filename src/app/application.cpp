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
#include "link/dialogs/TCzekajNaRs.h"
#include "link/dialogs/TOdbieranie.h"
#include "link/dialogs/TParametryTransmisji.h"
#include "link/dialogs/TSzukamdrukarki.h"
#include "link/dialogs/TTransmisjaTCPIP.h"
#include "readout/dialogs/TOdczytajRaportOkresowy.h"
#include "readout/dialogs/TPobieranieFiskalnejSklepu.h"

namespace kelm {

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
}

}  // namespace kelm
