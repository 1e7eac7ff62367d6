// The operator seam on the desktop: message boxes, the beep, and the modal waits shown in the
// wait dialog registered under the wait's name.
#pragma once

#include <QPointer>
#include <map>
#include <string>

#include "protocol/operator.h"

class QWidget;

namespace kelm {

namespace dialogs {
class WaitShell;
}

// Caption of the program's message boxes and its task-bar title.
inline constexpr const char* kApplicationTitle = "Program użytkownika drukarek KELM";

class QtOperator : public Operator {
 public:
  QtOperator();
  ~QtOperator() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  void Beep() override;
  void RunModal(ModalWait& wait) override;
  void ProcessEvents() override;

  // The dialog that shows waits named `dialog_name` ("TOdbieranie", "TCzekajNaRs", ...).
  void RegisterWait(const std::string& dialog_name, dialogs::WaitShell* shell);

 private:
  std::map<std::string, QPointer<dialogs::WaitShell>> shells_;
  QPointer<dialogs::WaitShell> plain_;
};

}  // namespace kelm
