// What the diagnostic dialogs share: a column of fields over one row of buttons, a read on every
// showing once the dialog is on the screen, and the rule that a dialog whose query got no answer
// closes itself.
#pragma once

#include <QDialog>

class QBoxLayout;
class QLineEdit;
class QPushButton;

namespace kelm::dialogs {

class DiagnosticDialog : public QDialog {
  Q_OBJECT
 public:
  // True from the showing until its read has run.
  bool ReadPending() const { return show_pending_; }

 protected:
  DiagnosticDialog(QWidget* parent, const char* name, const char* caption);
  // Runs once the dialog has been painted, so the receiving dialog opens over it and a query
  // that blocks (the ENQ quick path waits up to 100 ms per read) never leaves it blank.
  virtual void FormShow() = 0;
  // The dialog's next paint closes it: the query has just failed.
  void CloseAtNextPaint();
  // A button of the bottom row, named ButtonN in the order added.
  QPushButton* AddButton(const char* caption);
  QPushButton* AddCloseButton(const char* caption);
  QLineEdit* NewField(const char* name);
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

  QBoxLayout* body_;  // the dialog's column, above the buttons

 private:
  QBoxLayout* buttons_;
  int button_count_ = 0;
  bool close_pending_ = false;
  void RunFormShow();
  bool show_pending_ = false;
};

}  // namespace kelm::dialogs
