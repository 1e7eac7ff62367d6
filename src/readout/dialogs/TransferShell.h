// What the binary transfer and raw memory readout dialogs share: the shell run over their
// engine, the group "Pobierz do pliku" (Edit2, "..." Button3, Button5 and Label3) and the file
// choices.
#pragma once

#include <functional>

#include "link/dialogs/WaitShell.h"
#include "readout/file_reception.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelm::dialogs {

class TransferShell : public WaitShell {
  Q_OBJECT
 public:
  // Shown from the menu: runs the engine while the dialog is open.
  int exec() override;

  // How the target file is chosen (empty: cancelled); tests answer without a window.
  std::function<QString()> chooseTarget;

 protected:
  TransferShell(FileReception& reception, QWidget* parent);
  void Started() override { Refresh(); }
  void Ticked() override { Refresh(); }

  // Adds the group "Pobierz do pliku" under the fields added so far.
  void AddTargetGroup(const char* object_name);
  // The fields from the engine; the dialogs add their own to the group's.
  virtual void Refresh();
  // After a button: the engine may ask the dialog to close; a transfer that just started wants
  // the quick timer at once.
  void AfterAction();
  // Whether the engine transfers anything now.
  virtual bool Running() const { return reception_.receiving(); }
  // Button5 is about to start or stop the reception.
  virtual void BeforeReceive() {}

  static QPushButton* Button(QWidget* parent, const char* name, const char* caption);
  static QLineEdit* FileEdit(QWidget* parent, const char* name);
  // The file dialog; a target file is not confirmed here, as the engine asks itself.
  QString ChooseFile(const char* title, bool save);

 private:
  FileReception& reception_;
  QLineEdit* edit2_ = nullptr;
  QLabel* label3_ = nullptr;
  QPushButton* button3_ = nullptr;
  QPushButton* button5_ = nullptr;
};

}  // namespace kelm::dialogs
