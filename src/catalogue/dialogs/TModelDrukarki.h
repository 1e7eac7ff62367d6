// The printer model dialog: eight models, the two designations, "&Zastosuj" and "&Anuluj".
#pragma once

#include <QDialog>

class QLabel;
class QRadioButton;

namespace kelm::dialogs {

class TModelDrukarki : public QDialog {
  Q_OBJECT
 public:
  explicit TModelDrukarki(QWidget* parent = nullptr);
  // Shows the dialog modally; true when it ended with "&Zastosuj".
  bool Choose();
  int CheckedModel() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void ApplyChecked();
  QRadioButton* radio_[8];
  QLabel* program_;
  QLabel* module_;
};

}  // namespace kelm::dialogs
