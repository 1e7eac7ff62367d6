// Process start of the desktop program: the application object with its title and the C
// number locale, and the dialogs created once after the main window.
#pragma once

#include <QApplication>
#include <memory>

namespace kelm {

class QtOperator;
class TMainForm;

// Creates the application. Qt has just taken the user's locale for everything; numbers are put
// back to "C" at once, so no frame ever carries a decimal comma.
std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv);

// Creates one instance of every dialog, owned by the main window, registers them with it and
// the wait dialogs with the operator.
void CreateDialogs(TMainForm& form, QtOperator& op);

}  // namespace kelm
