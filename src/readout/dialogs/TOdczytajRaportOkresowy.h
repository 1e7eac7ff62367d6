// The periodic report readout dialog: the period, the options and the readout speed; "&Odczytaj"
// runs the readout and shows the end dialog after a good one.
#pragma once

#include <QDialog>

#include "readout/readout_request.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kelm::dialogs {

class TZakonczonoOdczytywanie;

class TOdczytajRaportOkresowy : public QDialog {
  Q_OBJECT
 public:
  explicit TOdczytajRaportOkresowy(QWidget* parent = nullptr);

  // The dialog's fields as the readout takes them.
  ReadoutFields Fields() const;
  TZakonczonoOdczytywanie* endDialog() const { return end_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();
  void ApplyControls();
  void Button1Click();

  QLabel* label1_;
  QLabel* label10_;
  QLabel* label11_;
  QRadioButton* radio_[3];
  QGroupBox* group_[3];
  QLineEdit* mask_edit1_;
  QLineEdit* mask_edit2_;
  QLineEdit* mask_edit3_;
  QLineEdit* edit3_;
  QLineEdit* edit4_;
  QCheckBox* check_box1_;
  QCheckBox* check_box2_;
  QComboBox* combo_box2_;
  TZakonczonoOdczytywanie* end_;
};

}  // namespace kelm::dialogs
