// The sales command dialogs' shared frame.
#include "sales/dialogs/SalesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/command_execution.h"
#include "sales/receipt_commands.h"

namespace kelm::dialogs {

SalesDialog::SalesDialog(QWidget* parent, const char* name, const char* caption, bool enter_sends,
                         const char* send_caption, const char* cancel_caption)
    : QDialog(parent), enter_sends_(enter_sends) {
  setObjectName(name);
  setWindowTitle(QString::fromUtf8(caption));
  auto* layout = new QVBoxLayout(this);
  body_ = new QVBoxLayout;
  form_ = new QFormLayout;
  body_->addLayout(form_);
  layout->addLayout(body_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  send_button_ = new QPushButton(QString::fromUtf8(send_caption), this);
  send_button_->setObjectName("Button1");
  cancel_button_ = new QPushButton(QString::fromUtf8(cancel_caption), this);
  cancel_button_->setObjectName("Button2");
  // Enter is handled by the dialog itself, so that it sends only where it should.
  for (QPushButton* b : {send_button_, cancel_button_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);
  connect(send_button_, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

void SalesDialog::CloseAfter(int result) {
  // Negative results (no link, a failed send, a refused field) leave the dialog open.
  if (result >= 0) accept();
}

QLineEdit* SalesDialog::NewEdit(const char* text) {
  auto* edit = new QLineEdit(QString::fromUtf8(text), this);
  edit->setObjectName(QString("Edit%1").arg(++edits_));
  return edit;
}

QCheckBox* SalesDialog::NewCheck(const char* caption) {
  auto* check = new QCheckBox(QString::fromUtf8(caption), this);
  check->setObjectName(QString("CheckBox%1").arg(++checks_));
  return check;
}

QLineEdit* SalesDialog::AddEdit(const char* label, const char* text, QFormLayout* form) {
  QLineEdit* edit = NewEdit(text);
  (form ? form : form_)->addRow(QString::fromUtf8(label), edit);
  return edit;
}

QComboBox* SalesDialog::AddCombo(const char* label, const QStringList& items, bool editable,
                                 QFormLayout* form) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(QString("ComboBox%1").arg(++combos_));
  combo->setEditable(editable);
  combo->addItems(items);
  combo->setCurrentIndex(0);
  (form ? form : form_)->addRow(QString::fromUtf8(label), combo);
  return combo;
}

QCheckBox* SalesDialog::AddCheck(const char* caption, QFormLayout* form) {
  QCheckBox* check = NewCheck(caption);
  (form ? form : form_)->addRow(check);
  return check;
}

QPlainTextEdit* SalesDialog::AddMemo(QFormLayout* form) {
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName(QString("Memo%1").arg(++memos_));
  memo->setTabChangesFocus(true);
  memo->setMinimumHeight(70);
  (form ? form : form_)->addRow(memo);
  return memo;
}

void SalesDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (enter_sends_) Button1Click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

std::string Text(const QComboBox* combo) {
  return combo->currentText().toStdString();
}

std::string MemoText(const QPlainTextEdit* memo) {
  return memo->toPlainText().replace("\n", "\r\n").toStdString();
}

void SetText(QLineEdit* edit, const std::string& utf8) {
  edit->setText(QString::fromStdString(utf8));
}

QStringList VatLetters(bool deposit) {
  QStringList letters{"A", "B", "C", "D", "E", "F", "G"};
  if (deposit) letters << "P ( kaucja )";
  return letters;
}

}  // namespace kelm::dialogs
