// The diagnostic dialogs' common frame.
#include "catalogue/dialogs/DiagnosticDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kelm::dialogs {

DiagnosticDialog::DiagnosticDialog(QWidget* parent, const char* name, const char* caption)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(QString::fromUtf8(caption));
  auto* column = new QVBoxLayout(this);
  body_ = new QVBoxLayout;
  column->addLayout(body_, 1);
  buttons_ = new QHBoxLayout;
  buttons_->addStretch(1);
  column->addLayout(buttons_);
}

QPushButton* DiagnosticDialog::AddButton(const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QString("Button%1").arg(++button_count_));
  // Enter means the dialog's first button, wherever the focus is.
  button->setAutoDefault(false);
  if (button_count_ == 1) button->setDefault(true);
  buttons_->addWidget(button);
  return button;
}

QPushButton* DiagnosticDialog::AddCloseButton(const char* caption) {
  QPushButton* button = AddButton(caption);
  connect(button, &QPushButton::clicked, this, &QDialog::reject);
  return button;
}

QLineEdit* DiagnosticDialog::NewField(const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setReadOnly(true);
  return field;
}

namespace {

// A dialog that is never painted (a minimised program) still reads after this long.
constexpr int kReadAtTheLatestMs = 250;

}  // namespace

void DiagnosticDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  close_pending_ = false;
  show_pending_ = true;
  QTimer::singleShot(kReadAtTheLatestMs, this, &DiagnosticDialog::RunFormShow);
}

void DiagnosticDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // After this paint has reached the screen, which happens before the next turn of the loop.
  if (show_pending_) QTimer::singleShot(0, this, &DiagnosticDialog::RunFormShow);
}

void DiagnosticDialog::RunFormShow() {
  if (!show_pending_ || !isVisible()) return;
  show_pending_ = false;
  FormShow();
}

// A failed query ends the dialog once control is back in its event loop, which is when the
// dialog would next be painted.
void DiagnosticDialog::CloseAtNextPaint() {
  close_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (close_pending_ && isVisible()) reject();
  });
}

}  // namespace kelm::dialogs
