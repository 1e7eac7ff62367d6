// The control number dialogs' common frame.
#include "control/dialogs/ControlNumberDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "link/settings.h"

namespace kelm::dialogs {

ControlNumberDialog::ControlNumberDialog(QWidget* parent, const char* name, const char* caption,
                                         const char* send_caption, const char* cancel_caption)
    : QDialog(parent) {
  cancel_caption_ = cancel_caption;
  setObjectName(name);
  setWindowTitle(QString::fromUtf8(caption));
  setModal(true);
  column_ = new QVBoxLayout(this);
  top_ = new QGridLayout;
  column_->addLayout(top_);
  date_ = MaskEdit(this, "MaskEdit1", "99-99-9999;_");
  document_ = Edit(this, "Edit1");

  send_ = new QPushButton(QString::fromUtf8(send_caption), this);
  send_->setObjectName("Button1");
  send_->setDefault(true);
  send_->setAutoDefault(false);
  connect(send_, &QPushButton::clicked, this, [this] { Send(); });
  help_button_ = new QPushButton("Pomoc (F1)", this);
  help_button_->setObjectName("Button3");
  help_button_->setAutoDefault(false);
  connect(help_button_, &QPushButton::clicked, this, &ControlNumberDialog::OpenHelp);
}

// The help window is not modal: the operator keeps it open beside the dialog while typing.
void ControlNumberDialog::OpenHelp() {
  if (help_ == nullptr) return;
  help_->show();
  help_->activateWindow();
}

// F1 reaches the dialog from whichever field has the focus, since no field takes it.
void ControlNumberDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    OpenHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ControlNumberDialog::AddCommonBottom() {
  auto* unique = new QHBoxLayout;
  unique->addWidget(Label("Label20", "Numer unikatowy:"));
  unique_letters_ = MaskEdit(this, "MaskEdit3", ">aaa;_");
  unique_digits_ = Edit(this, "MaskEdit4");
  unique->addWidget(unique_letters_);
  unique->addWidget(unique_digits_, 1);
  column_->addLayout(unique);
  auto* control = new QHBoxLayout;
  control->addWidget(Label("Label21", "Numer kontrolny:"));
  control_ = MaskEdit(this, "MaskEdit5", ">nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn;_");
  control->addWidget(control_, 1);
  column_->addLayout(control);
  print_all_ = new QCheckBox("Drukuj wszystkie dane wykorzystywane do obliczeń.", this);
  print_all_->setObjectName("CheckBox1");
  column_->addWidget(print_all_);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help_button_);
  buttons->addStretch(1);
  buttons->addWidget(send_);
  auto* cancel = new QPushButton(QString::fromUtf8(cancel_caption_), this);
  cancel->setObjectName("Button2");
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(cancel);
  column_->addLayout(buttons);
}

// Only the 859 model prints the data it computed from; elsewhere the flag stays 0.
void ControlNumberDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const bool offered = LinkSettings.PrinterVariant == 2;
  print_all_->setVisible(offered);
  if (!offered) print_all_->setChecked(false);
}

void ControlNumberDialog::Finish(SeriesEnd end) {
  if (end == SeriesEnd::kAccepted || end == SeriesEnd::kStopped) accept();
}

QLineEdit* ControlNumberDialog::MaskEdit(QWidget* parent, const char* name, const char* mask) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setInputMask(mask);
  const QString shown = QString(mask).section(';', 0, 0).remove('>');
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(shown.size(), 'W')) + 16);
  return edit;
}

QLineEdit* ControlNumberDialog::Edit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  // Far more than any printed item; a frame can always hold it.
  edit->setMaxLength(100);
  return edit;
}

QTableWidget* ControlNumberDialog::Grid(QWidget* parent, const char* name, int rows,
                                        const char* first, const char* second) {
  auto* grid = new QTableWidget(rows, 2, parent);
  grid->setObjectName(name);
  grid->setHorizontalHeaderLabels({QString::fromUtf8(first), QString::fromUtf8(second)});
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->setTabKeyNavigation(true);
  return grid;
}

// A masked field's blanks are spaces, as the operator left them; its separators stay.
std::string ControlNumberDialog::Text(const QLineEdit* edit) {
  if (edit->inputMask().isEmpty()) return edit->text().toStdString();
  QString shown = edit->displayText();
  shown.replace('_', ' ');
  return shown.toStdString();
}

std::string ControlNumberDialog::Cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item == nullptr ? std::string() : item->text().left(100).toStdString();
}

QLabel* ControlNumberDialog::Label(const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), this);
  label->setObjectName(name);
  return label;
}

}  // namespace kelm::dialogs
