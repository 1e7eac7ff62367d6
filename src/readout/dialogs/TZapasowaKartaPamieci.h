// The spare memory card back-up dialog.
#pragma once

#include <QDialog>

class QRadioButton;

namespace kelm::dialogs {

class TZapasowaKartaPamieci : public QDialog {
  Q_OBJECT
 public:
  explicit TZapasowaKartaPamieci(QWidget* parent = nullptr);

 private:
  void Button1Click();
  QRadioButton* radio2_;
};

}  // namespace kelm::dialogs
