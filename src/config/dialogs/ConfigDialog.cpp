// The configuration dialogs' common frame.
#include "config/dialogs/ConfigDialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "protocol/operator.h"

namespace kelm::dialogs {

ConfigDialog::ConfigDialog(QWidget* parent, const char* name, const char* caption,
                           const char* send_caption, const char* cancel_caption)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(Q(caption));
  auto* column = new QVBoxLayout(this);
  body_ = new QVBoxLayout;
  column->addLayout(body_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  send_ = new QPushButton(Q(send_caption), this);
  send_->setObjectName(Next("Button"));
  send_->setAutoDefault(false);
  cancel_ = new QPushButton(Q(cancel_caption), this);
  cancel_->setObjectName(Next("Button"));
  cancel_->setAutoDefault(false);
  buttons->addWidget(send_);
  buttons->addWidget(cancel_);
  column->addLayout(buttons);
  connect(send_, &QPushButton::clicked, this, &ConfigDialog::SendClick);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QString ConfigDialog::Next(const char* kind) {
  return QString("%1%2").arg(kind).arg(++counts_[kind]);
}

QLabel* ConfigDialog::AddLabel(const QString& text, QBoxLayout* layout) {
  auto* label = new QLabel(text, this);
  label->setObjectName(Next("Label"));
  (layout ? layout : body_)->addWidget(label);
  return label;
}

QLineEdit* ConfigDialog::AddEdit(const QString& label, const QString& text, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  (layout ? layout : body_)->addLayout(row);
  if (!label.isEmpty()) AddLabel(label, row);
  auto* edit = new QLineEdit(text, this);
  edit->setObjectName(Next("Edit"));
  edit->setMaxLength(49);
  row->addWidget(edit, 1);
  return edit;
}

QCheckBox* ConfigDialog::AddCheck(const QString& caption, bool checked, QBoxLayout* layout) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(Next("CheckBox"));
  box->setChecked(checked);
  (layout ? layout : body_)->addWidget(box);
  return box;
}

QRadioButton* ConfigDialog::AddRadio(const QString& caption, QBoxLayout* layout) {
  auto* radio = new QRadioButton(caption, this);
  radio->setObjectName(Next("RadioButton"));
  (layout ? layout : body_)->addWidget(radio);
  return radio;
}

QDateEdit* ConfigDialog::AddDate(const QString& label, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  (layout ? layout : body_)->addLayout(row);
  AddLabel(label, row);
  auto* date = new QDateEdit(QDate::currentDate(), this);
  date->setObjectName(Next("DateTimePicker"));
  date->setDisplayFormat("yyyy-MM-dd");
  date->setCalendarPopup(true);
  row->addWidget(date, 1);
  return date;
}

QPushButton* ConfigDialog::AddButton(const QString& caption, QBoxLayout* layout) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(Next("Button"));
  button->setAutoDefault(false);
  (layout ? layout : body_)->addWidget(button);
  return button;
}

QGroupBox* ConfigDialog::AddGroup(const QString& caption, QBoxLayout** inner, QBoxLayout* layout) {
  auto* group = new QGroupBox(caption, this);
  group->setObjectName(Next("GroupBox"));
  *inner = new QVBoxLayout(group);
  (layout ? layout : body_)->addWidget(group);
  return group;
}

QToolButton* ConfigDialog::AddHelp(std::function<std::string()> text, QBoxLayout* layout) {
  auto* help = new QToolButton(this);
  help->setObjectName(Next("HelpButton"));
  help->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
  help->setAutoRaise(true);
  layout->addWidget(help);
  connect(help, &QToolButton::clicked, this, [text] { TheOperator().ShowMessage(text()); });
  return help;
}

void ConfigDialog::showEvent(QShowEvent* event) {
  // The dialog previews its keys, whichever control has the focus.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  FormShow();
  // The model may have hidden rows or groups since the last showing: fit what is left.
  layout()->activate();
  adjustSize();
  QDialog::showEvent(event);
  QTimer::singleShot(0, this, [this] {
    if (isVisible()) FormShown();
  });
}

bool ConfigDialog::PreviewKey(QKeyEvent* key) {
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    if (enter_sends_ && send_->isEnabled()) SendClick();
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    if (esc_closes_) reject();
    return true;
  }
  return false;
}

bool ConfigDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && PreviewKey(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void ConfigDialog::keyPressEvent(QKeyEvent* event) {
  if (!PreviewKey(event)) QDialog::keyPressEvent(event);
}

void ConfigDialog::SendClick() {
  const SendOutcome outcome = Send();
  if (outcome == SendOutcome::kSent ||
      (close_after_any_send_ && outcome != SendOutcome::kRefused)) {
    accept();
  }
}

}  // namespace kelm::dialogs
