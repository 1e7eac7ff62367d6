// What the sales command dialogs share: a column of labelled fields over "Wyślij" and "Anuluj",
// Esc closing, Enter sending where the dialog allows it, and the rule that the dialog stays open
// only after a failed send or a refused field.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace kelm::dialogs {

class SalesDialog : public QDialog {
  Q_OBJECT
 protected:
  SalesDialog(QWidget* parent, const char* name, const char* caption, bool enter_sends,
              const char* send_caption = "Wyślij", const char* cancel_caption = "Anuluj");
  // "Wyślij" (and Enter where it sends).
  virtual void Button1Click() = 0;
  // Closes the dialog unless the send step asks it to stay open.
  void CloseAfter(int result);

  // Fields, named by kind and number in the order added (Edit1, ComboBox1, ...).
  QLineEdit* AddEdit(const char* label, const char* text, QFormLayout* form = nullptr);
  QComboBox* AddCombo(const char* label, const QStringList& items, bool editable = false,
                      QFormLayout* form = nullptr);
  QCheckBox* AddCheck(const char* caption, QFormLayout* form = nullptr);
  QPlainTextEdit* AddMemo(QFormLayout* form = nullptr);
  QLineEdit* NewEdit(const char* text);
  QCheckBox* NewCheck(const char* caption);

  void keyPressEvent(QKeyEvent* event) override;

  QVBoxLayout* body_;
  QFormLayout* form_;
  QPushButton* send_button_;
  QPushButton* cancel_button_;

 private:
  bool enter_sends_;
  int edits_ = 0, combos_ = 0, checks_ = 0, memos_ = 0;
};

// Operator text of the widgets as the headless routines take it (UTF-8; CR LF between the lines
// of a multi-line field).
std::string Text(const QLineEdit* edit);
std::string Text(const QComboBox* combo);
std::string MemoText(const QPlainTextEdit* memo);
void SetText(QLineEdit* edit, const std::string& utf8);

// The "PTU" list of the sales dialogs: "A" to "G", and the deposit entry when asked for.
QStringList VatLetters(bool deposit);

}  // namespace kelm::dialogs
