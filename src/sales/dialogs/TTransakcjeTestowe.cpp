// The settings dialog of the test runs and the entry that leads to the run dialog.
#include "sales/dialogs/TTransakcjeTestowe.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/settings.h"
#include "sales/dialogs/TDrukTransTest.h"

namespace kelm::dialogs {

TTransakcjeTestowe::TTransakcjeTestowe(QWidget* parent)
    : SalesDialog(parent, "TTransakcjeTestowe", "Transakcje testowe", true, "&Rozpocznij",
                  "&Anuluj") {
  QGroupBox* receipts = Group("Liczba paragonów");
  unlimited_ = Radio("Bez ograniczeń");
  limited_ = Radio("Określona liczba paragonów");
  count_ = NewEdit("0");
  receipts->layout()->addWidget(unlimited_);
  auto* limited_row = new QHBoxLayout;
  limited_row->addWidget(limited_);
  limited_row->addWidget(count_);
  static_cast<QVBoxLayout*>(receipts->layout())->addLayout(limited_row);

  QGroupBox* lines = Group("Liczba pozycji paragonu");
  fixed_ = Radio("Ustalona");
  fixed_count_ = NewEdit("0");
  random_ = Radio("Generowana losowo");
  from_ = NewEdit("0");
  to_ = NewEdit("48");
  auto* fixed_row = new QHBoxLayout;
  fixed_row->addWidget(fixed_);
  fixed_row->addWidget(fixed_count_);
  auto* random_row = new QFormLayout;
  random_row->addRow(random_);
  random_row->addRow("Od", from_);
  random_row->addRow("Do", to_);
  static_cast<QVBoxLayout*>(lines->layout())->addLayout(fixed_row);
  static_cast<QVBoxLayout*>(lines->layout())->addLayout(random_row);

  const auto discount_group = [this](const char* caption, QRadioButton** none, QRadioButton** on,
                                     QLineEdit** max) {
    QGroupBox* group = Group(caption);
    *none = Radio("Brak");
    *on = Radio("Generowany losowo");
    *max = NewEdit("99,99");
    group->layout()->addWidget(*none);
    group->layout()->addWidget(*on);
    auto* row = new QFormLayout;
    row->addRow(QString::fromUtf8("Wartość maks. [%]"), *max);
    static_cast<QVBoxLayout*>(group->layout())->addLayout(row);
  };
  discount_group("Rabat do pozycji", &no_line_discount_, &line_discount_, &line_max_);
  discount_group("Rabat od całej transakcji", &no_receipt_discount_, &receipt_discount_,
                 &receipt_max_);

  method_group_ = Group("Metoda rozliczania rabatu");
  method1_ = Radio("Metoda 1");
  method2_ = Radio("Metoda 2");
  method_group_->layout()->addWidget(method1_);
  method_group_->layout()->addWidget(method2_);

  on_line_ = NewCheck("Paragon on-line");
  drawer_ = NewCheck("Otwórz szufladę po transakcji");
  totals_ = NewCheck("Większa kontrola transisji");
  unique_ = NewCheck("Max nazwa");
  for (QCheckBox* c : {on_line_, drawer_, totals_, unique_}) body_->addWidget(c);
  drawer_->setChecked(true);

  unlimited_->setChecked(true);
  random_->setChecked(true);
  line_discount_->setChecked(true);
  receipt_discount_->setChecked(true);
  method1_->setChecked(true);
  // Each number field is enabled only with its choice.
  const auto follow = [](QRadioButton* radio, QWidget* field) {
    field->setEnabled(radio->isChecked());
    connect(radio, &QRadioButton::toggled, field, &QWidget::setEnabled);
  };
  follow(limited_, count_);
  follow(fixed_, fixed_count_);
  follow(random_, from_);
  follow(random_, to_);
  follow(line_discount_, line_max_);
  follow(receipt_discount_, receipt_max_);
  run_ = new TDrukTransTest(this);
}

QGroupBox* TTransakcjeTestowe::Group(const char* caption) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), this);
  new QVBoxLayout(group);
  body_->addWidget(group);
  return group;
}

QRadioButton* TTransakcjeTestowe::Radio(const char* caption) {
  auto* radio = new QRadioButton(QString::fromUtf8(caption), this);
  radio->setObjectName(QString("RadioButton%1").arg(++radios_));
  return radio;
}

void TTransakcjeTestowe::showEvent(QShowEvent* event) {
  const bool family2 = LinkSettings.ModelFamily == 2;
  method_group_->setVisible(family2);
  drawer_->setVisible(family2);
  SalesDialog::showEvent(event);
}

TestRunForm TTransakcjeTestowe::Form() const {
  TestRunForm f;
  f.limited = limited_->isChecked();
  f.receipt_count = count_->text().toStdString();
  f.fixed_lines = fixed_->isChecked();
  f.fixed_count = fixed_count_->text().toStdString();
  f.line_min = from_->text().toStdString();
  f.line_max = to_->text().toStdString();
  f.line_discount = line_discount_->isChecked();
  f.line_discount_max = line_max_->text().toStdString();
  f.receipt_discount = receipt_discount_->isChecked();
  f.receipt_discount_max = receipt_max_->text().toStdString();
  f.method1 = method1_->isChecked();
  f.on_line = on_line_->isChecked();
  f.open_drawer = drawer_->isChecked();
  f.totals_check = totals_->isChecked();
  f.unique_names = unique_->isChecked();
  return f;
}

void TTransakcjeTestowe::Button1Click() {
  if (AcceptTestRunSettings(Form())) accept();
}

int TTransakcjeTestowe::ShowSettings() {
  return SalesDialog::exec();
}

int TTransakcjeTestowe::exec() {
  int result = Rejected;
  EnterTestRun([&] { result = ShowSettings(); },
               [&] {
                 TestRunEngine engine;
                 run_->Run(engine);
               });
  return result;
}

}  // namespace kelm::dialogs
