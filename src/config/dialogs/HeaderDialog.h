// The header editor: a fixed-pitch rich-text editor whose lines carry an alignment and whose
// characters are normal or double width, over the header model of the configuration room.
#pragma once

#include "config/dialogs/ConfigDialog.h"
#include "config/header.h"

class QTextEdit;

namespace kelm::dialogs {

class TProgramowanieNaglowka : public ConfigDialog {
  Q_OBJECT
 public:
  // `graphic` is the graphic header dialog opened by "Nagłówek graficzny" (none: disabled).
  explicit TProgramowanieNaglowka(QWidget* parent = nullptr, QDialog* graphic = nullptr);

  // The editor's contents as the header model, and back.
  HeaderModel Model() const;
  void SetModel(const HeaderModel& model);
  int LineWidth() const;
  // Loads or saves a file as the tool buttons do after their file dialogs.
  bool LoadFile(const std::string& path);
  bool SaveFile(const std::string& path);
  void ReadBack();

 protected:
  SendOutcome Send() override;
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyLayout();
  void ShowFormatState();
  void SetAlignment(Qt::Alignment align);
  void SetWide(bool wide);
  void LoadClick();
  void SaveClick();

  QDialog* graphic_;
  QTextEdit* editor_;
  QLabel* ruler_;
  QLabel* note_;
  QGroupBox* discount_group_;
  QRadioButton* method_743_;
  QRadioButton* method_oxil_;
  QRadioButton* width_42_;
  QRadioButton* width_32_;
  QRadioButton* width_57_;
  QToolButton* load_;
  QToolButton* save_;
  QToolButton* bold_;
  QToolButton* left_;
  QToolButton* center_;
  QToolButton* right_;
  QToolButton* read_;
  QToolButton* graphic_button_;
};

}  // namespace kelm::dialogs
