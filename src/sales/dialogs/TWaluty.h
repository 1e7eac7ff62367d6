// "Waluty": up to three foreign-currency payments, kept in the currency table for the extended
// closing.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kelm::dialogs {

class TWaluty : public QDialog {
  Q_OBJECT
 public:
  explicit TWaluty(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Group {
    QCheckBox* check;
    QGroupBox* box;
    QComboBox* multiplier;
    QLineEdit* code;
    QLineEdit* rate;
    QLineEdit* amount;
    QLabel* code_label;
  };
  void RefreshLabels();
  void OkClick();
  std::array<Group, 3> groups_;
};

}  // namespace kelm::dialogs
