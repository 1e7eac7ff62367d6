// The receive-buffer dialog "Odeślij zawartość bufora odbiorczego": what the printer last
// received, in lines, with loading from and saving to text files.
#pragma once

#include <string>
#include <vector>

#include "catalogue/dialogs/DiagnosticDialog.h"

class QCheckBox;
class QPlainTextEdit;

namespace kelm::dialogs {

class TOdeslijBufor : public DiagnosticDialog {
  Q_OBJECT
 public:
  explicit TOdeslijBufor(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void FormShow() override;

 private:
  void Button1Click();  // "&Odeślij"
  void Button2Click();  // "&Pobierz z pliku"
  void Button3Click();  // "&Zapisz do pliku"
  void SetLines(const std::vector<std::string>& lines);
  QCheckBox* swap_com_;
  QPlainTextEdit* memo_;
  std::vector<std::string> lines_;  // the memo's lines as bytes
};

}  // namespace kelm::dialogs
