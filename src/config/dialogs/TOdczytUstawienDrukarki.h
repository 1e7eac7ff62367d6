// The printer settings readout: every field of the settings record, read-only, with the help
// buttons of the options, and the ".ust" files.
#pragma once

#include <vector>

#include "config/dialogs/ConfigDialog.h"

class QComboBox;

namespace kelm::dialogs {

class TOdczytUstawienDrukarki : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TOdczytUstawienDrukarki(QWidget* parent = nullptr);

  // The two file buttons after their file dialogs.
  void SaveToFile(const QString& path);
  void LoadFromFile(const QString& path);
  // Fills every row from PrinterSettings.
  void ShowRecord();

 protected:
  SendOutcome Send() override;  // "&Odczytaj z drukarki": reads, stays open
  void FormShown() override;

 private:
  struct Row {
    QLabel* label;
    QLineEdit* number = nullptr;
    QComboBox* list = nullptr;
  };
  std::vector<Row> rows_;
  QGroupBox* group_;
  int discount_shown_ = -1;
};

}  // namespace kelm::dialogs
