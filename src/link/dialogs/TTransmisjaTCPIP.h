// The TCP/IP link dialog "Transmisja TCP/IP": connect and disconnect.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kelm::dialogs {

class TTransmisjaTCPIP : public QDialog {
  Q_OBJECT
 public:
  explicit TTransmisjaTCPIP(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Button1Click();

  QCheckBox* active_;
  QLineEdit* address_;
  QLineEdit* port_;
  QCheckBox* shared_;
  QPushButton* button_;
};

}  // namespace kelm::dialogs
