// The currency command dialogs.
#include "sales/dialogs/CurrencyDialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTime>

#include "sales/sales_frames.h"
#include "sales/sequences.h"

namespace kelm::dialogs {
namespace {

QLineEdit* CurrencyCode(QWidget* parent, const char* name, const char* text) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setInputMask(">AAA");
  edit->setText(text);
  return edit;
}

QLabel* Note(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TPrzeliczenieNaWaluty::TPrzeliczenieNaWaluty(QWidget* parent)
    : SalesDialog(parent, "TPrzeliczenieNaWaluty",
                  "Przeliczenie należności paragonu na waluty obce.", true) {
  body_->insertWidget(
      0, Note(this, "Label1", "Czy drukować przeliczenie należności paragonu na waluty?"));
  body_->insertWidget(
      1, Note(this, "Label2", "Tylko dla drukarki z programem sterującym 2.00 lub nowszym."));
  print_ =
      new QRadioButton("Drukuj pod każdym paragonem przeliczenie należności na daną walutę.", this);
  print_->setObjectName("RadioButton1");
  no_print_ = new QRadioButton("Nie drukuj przeliczenia należności na daną walutę.", this);
  no_print_->setObjectName("RadioButton2");
  no_print_->setChecked(true);
  form_->addRow(print_);
  form_->addRow(no_print_);
  group_ = new QGroupBox(this);
  group_->setObjectName("GroupBox1");
  auto* row = new QHBoxLayout(group_);
  multiplier_ = new QComboBox(group_);
  multiplier_->setObjectName("ComboBox1");
  multiplier_->addItems({"1", "10", "100", "1000", "10000"});
  foreign_ = CurrencyCode(group_, "MaskEdit1", "EUR");
  rate_ = new QLineEdit("3.4054", group_);
  rate_->setObjectName("Edit1");
  home_ = CurrencyCode(group_, "MaskEdit2", "PLN");
  row->addWidget(multiplier_);
  row->addWidget(foreign_);
  row->addWidget(new QLabel("=", group_));
  row->addWidget(rate_);
  row->addWidget(new QLabel("(*)", group_));
  row->addWidget(home_);
  form_->addRow(group_);
  form_->addRow(Note(this, "Label3",
                     "(*) - Przelicznik dopuiszcza  9 cyfr z dowolnie umieszczonym przecinkiem"));
  group_->setEnabled(false);
  connect(print_, &QRadioButton::toggled, group_, &QWidget::setEnabled);
}

void TPrzeliczenieNaWaluty::showEvent(QShowEvent* event) {
  multiplier_->setCurrentIndex(0);
  SalesDialog::showEvent(event);
}

void TPrzeliczenieNaWaluty::Button1Click() {
  CurrencyConversionFields f;
  f.print = print_->isChecked();
  f.multiplier = Text(multiplier_);
  f.foreign = Text(foreign_);
  f.rate = Text(rate_);
  f.home = Text(home_);
  CloseAfter(SendSalesFrame(BuildCurrencyConversion(f)));
}

TZmianaWalutyEwidencyjnej::TZmianaWalutyEwidencyjnej(QWidget* parent)
    : SalesDialog(parent, "TZmianaWalutyEwidencyjnej", "Zmiana waluty ewidencyjnej", true) {
  body_->insertWidget(
      0, Note(this, "Label1", "Tylko dla drukarki z programem sterującym 2.00 lub nowszym"));
  const char* captions[] = {"Zmień walutę ewidencyjną",
                            "Zmień walutę ewidencyjną w określonym terminie",
                            "Anuluj zmianę waluty ewidencyjnej w określonym terminie"};
  for (int i = 0; i < 3; ++i) {
    modes_[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
    modes_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    form_->addRow(modes_[i]);
  }
  modes_[0]->setChecked(true);
  code_group_ = new QGroupBox("Oznaczenie waluty ewidencyjnej", this);
  code_group_->setObjectName("GroupBox1");
  auto* code_row = new QHBoxLayout(code_group_);
  code_ = CurrencyCode(code_group_, "MaskEdit1", "PLN");
  code_row->addWidget(code_);
  form_->addRow(code_group_);
  when_group_ = new QGroupBox(this);
  when_group_->setObjectName("GroupBox2");
  auto* when = new QFormLayout(when_group_);
  date_ = new QDateEdit(QDate::currentDate(), when_group_);
  date_->setObjectName("DateTimePicker1");
  date_->setDisplayFormat("yyyy-MM-dd");
  date_->setCalendarPopup(true);
  time_ = new QLineEdit(when_group_);
  time_->setObjectName("MaskEdit2");
  time_->setInputMask("99:99");
  time_->setText(QTime::currentTime().toString("HH:mm"));
  when->addRow("Data (rrrr-mm-dd)", date_);
  when->addRow("Godzina (gg:mm) ", time_);
  form_->addRow(when_group_);
  for (QRadioButton* mode : modes_) {
    connect(mode, &QRadioButton::toggled, this, [this] { UpdateEnabling(); });
  }
  UpdateEnabling();
}

void TZmianaWalutyEwidencyjnej::UpdateEnabling() {
  code_group_->setEnabled(!modes_[2]->isChecked());
  when_group_->setEnabled(modes_[1]->isChecked());
}

void TZmianaWalutyEwidencyjnej::Button1Click() {
  AccountingCurrencyFields f;
  for (int i = 0; i < 3; ++i) {
    if (modes_[i]->isChecked()) f.mode = i;
  }
  const QDate date = date_->date();
  f.year = date.year();
  f.month = date.month();
  f.day = date.day();
  const QString time = time_->text();
  f.hour = time.left(2).toStdString();
  f.minute = time.mid(3, 2).toStdString();
  f.code = Text(code_);
  CloseAfter(SendSalesFrame(BuildAccountingCurrency(f)));
}

}  // namespace kelm::dialogs
