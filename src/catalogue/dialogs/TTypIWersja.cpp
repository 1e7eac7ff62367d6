// The type dialog.
#include "catalogue/dialogs/TTypIWersja.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/diagnostics_queries.h"
#include "catalogue/diagnostics_views.h"
#include "link/settings.h"

namespace kelm::dialogs {
namespace {

QLabel* NewLabel(QWidget* parent, const char* text, int number) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString("Label%1").arg(number));
  return label;
}

}  // namespace

TTypIWersja::TTypIWersja(QWidget* parent)
    : DiagnosticDialog(parent, "TTypIWersja", "Typ i wersja oprogramowania") {
  body_->addWidget(NewLabel(this, "Typ i wersja oprogramowania", 1));
  body_->addWidget(NewLabel(this, "oraz kody kontrolne.", 2));
  auto* fields = new QFormLayout;
  type_ = NewField("Edit1");
  version_ = NewField("Edit2");
  fields->addRow(NewLabel(this, "Typ", 3), type_);
  fields->addRow(NewLabel(this, "Wersja", 4), version_);
  body_->addLayout(fields);
  with_code_ = new QCheckBox("Pobierz kod kontrolny programu", this);
  with_code_->setObjectName("CheckBox1");
  body_->addWidget(with_code_);
  code_group_ = new QGroupBox(this);
  code_group_->setObjectName("GroupBox1");
  auto* range = new QFormLayout(code_group_);
  from_ = new QLineEdit("0", code_group_);
  from_->setObjectName("Edit3");
  from_->setEnabled(false);
  to_ = new QLineEdit(code_group_);
  to_->setObjectName("Edit4");
  code_ = NewField("Edit5");
  code_->setMinimumWidth(330);
  range->addRow(NewLabel(code_group_, "Od adresu", 5), from_);
  range->addRow(NewLabel(code_group_, "Do adresu", 6), to_);
  range->addRow(NewLabel(code_group_, "Kod SHA-1", 7), code_);
  code_group_->setVisible(false);
  body_->addWidget(code_group_);
  connect(AddButton("&Pobierz"), &QPushButton::clicked, this, &TTypIWersja::Button1Click);
  connect(AddButton("&Drukuj i wyświetlaj na drukarce"), &QPushButton::clicked, this,
          &TTypIWersja::Button2Click);
  AddCloseButton("&Zamknij");
  connect(with_code_, &QCheckBox::toggled, this, &TTypIWersja::CheckBox1Click);
}

void TTypIWersja::FormShow() {
  CheckBox1Click();
  Button1Click();
}

// The end address follows the model: the program memory is larger with an electronic copy.
void TTypIWersja::CheckBox1Click() {
  code_group_->setVisible(with_code_->isChecked());
  to_->setText(QString::fromStdString(
      DefaultCheckCodeEnd(LinkSettings.CopyMode, LinkSettings.PrinterVariant)));
  adjustSize();
}

void TTypIWersja::Button1Click() {
  TypeView view{type_->text().toStdString(), version_->text().toStdString(),
                code_->text().toStdString()};
  ReadTypeAndVersion(with_code_->isChecked(), from_->text().toStdString(),
                     to_->text().toStdString(), &view);
  type_->setText(QString::fromStdString(view.type));
  version_->setText(QString::fromStdString(view.version));
  code_->setText(QString::fromStdString(view.code));
}

void TTypIWersja::Button2Click() {
  PrintTypeOnPrinter();
}

}  // namespace kelm::dialogs
