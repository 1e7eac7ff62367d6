// kldiag: the service and test program for KELM fiscal printers.
#include "app/QtOperator.h"
#include "app/TMainForm.h"
#include "app/application.h"
#include "protocol/operator.h"

int main(int argc, char** argv) {
  auto app = kelm::CreateApplication(argc, argv);
  kelm::QtOperator op;
  kelm::InstallOperator(&op);
  int result = 0;
  {
    // The main window first: its creation loads the settings before any dialog exists.
    kelm::TMainForm form;
    kelm::CreateDialogs(form, op);
    form.show();
    result = app->exec();
  }
  kelm::InstallOperator(nullptr);
  return result;
}
