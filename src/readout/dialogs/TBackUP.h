// The dialog that switches the electronic copy's back-up to the computer on or off.
#pragma once

#include <QDialog>
#include <functional>

#include "readout/backup_settings.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace kelm::dialogs {

class TBackUP : public QDialog {
  Q_OBJECT
 public:
  explicit TBackUP(QWidget* parent = nullptr);
  int exec() override;

  // How the links are opened (the desktop's handler); tests watch it.
  std::function<bool(const QString& url)> openUrl;

 private:
  void FormShow();
  void RadioClick();
  void Apply();
  void Button1Click();

  BackupView view_;
  QRadioButton* radio_[3];
  QLabel* label4_;
  QLabel* older_[3];       // Label5, Label8 and the link "KLKopiaSD."
  QWidget* speed_[4];      // ComboBox2, its label, Label6, Label7
  QWidget* port_[2];       // ComboBox1 and its label
  QWidget* otherPort_[2];  // Label12, Label13
  QComboBox* combo1_;
  QComboBox* combo2_;
};

}  // namespace kelm::dialogs
