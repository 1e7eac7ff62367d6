// The small single-frame dialogs of the additional tree.
#include "sales/dialogs/CashOrderDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "sales/sales_frames.h"
#include "sales/sequences.h"

namespace kelm::dialogs {

TWplataDoKasy::TWplataDoKasy(QWidget* parent)
    : SalesDialog(parent, "TWplataDoKasy", "Wpłata Do Kasy", true) {
  amount_ = AddEdit("Wpłata", "0.00");
}

void TWplataDoKasy::Button1Click() {
  CloseAfter(SendSalesFrame(BuildCashIn(Text(amount_))));
}

TWyplataZKasy::TWyplataZKasy(QWidget* parent)
    : SalesDialog(parent, "TWyplataZKasy", "Wypłata z kasy", true) {
  amount_ = AddEdit("Wypłata", "0.00");
}

void TWyplataZKasy::Button1Click() {
  CloseAfter(SendSalesFrame(BuildCashOut(Text(amount_))));
}

TStanKasy::TStanKasy(QWidget* parent) : SalesDialog(parent, "TStanKasy", "Stan kasy", true) {
  auto* label = new QLabel("Wydruk stanu kasy", this);
  label->setObjectName("Label1");
  body_->addWidget(label);
}

void TStanKasy::Button1Click() {
  CloseAfter(SendSalesFrame(BuildCashState()));
}

TWysuwPapieru::TWysuwPapieru(QWidget* parent)
    : SalesDialog(parent, "TWysuwPapieru", "Wysuw papieru", true) {
  lines_ = AddEdit("Ilość linii", "1");
}

void TWysuwPapieru::Button1Click() {
  CloseAfter(SendSalesFrame(BuildPaperFeed(Text(lines_)), AfterSend::kNothing));
}

OrderDialog::OrderDialog(QWidget* parent, const char* name, const char* caption)
    : SalesDialog(parent, name, caption, false) {}

void OrderDialog::AddExtraLines() {
  lines_check_ = AddCheck("Dodatkowe linie");
  lines_ = AddMemo();
  lines_->setEnabled(false);
  connect(lines_check_, &QCheckBox::toggled, lines_, &QWidget::setEnabled);
}

OrderText OrderDialog::ExtraLines() const {
  return OrderText{lines_check_->isChecked(), MemoText(lines_)};
}

TPoczatekZamowienia::TPoczatekZamowienia(QWidget* parent)
    : OrderDialog(parent, "TPoczatekZamowienia", "Początek zamówienia") {
  orderer_ = AddEdit("Zamawiający", "");
  AddExtraLines();
}

void TPoczatekZamowienia::Button1Click() {
  CloseAfter(SendSalesFrame(BuildOrderStart(Text(orderer_), ExtraLines())));
}

TLinijkaZamowienia::TLinijkaZamowienia(QWidget* parent)
    : OrderDialog(parent, "TLinijkaZamowienia", "Linijka zamówienia") {
  article_ = AddEdit("Nazwa artykułu", "");
  quantity_ = AddEdit("Ilość", "");
  AddExtraLines();
}

void TLinijkaZamowienia::Button1Click() {
  CloseAfter(SendSalesFrame(BuildOrderLine(Text(article_), Text(quantity_), ExtraLines())));
}

TZakonczenieZamowienia::TZakonczenieZamowienia(QWidget* parent)
    : OrderDialog(parent, "TZakonczenieZamowienia", "Zakończenie zamówienia") {
  AddExtraLines();
}

void TZakonczenieZamowienia::Button1Click() {
  CloseAfter(SendSalesFrame(BuildOrderEnd(ExtraLines()), AfterSend::kNothing));
}

TPoczateRaportuBazy::TPoczateRaportuBazy(QWidget* parent)
    : SalesDialog(parent, "TPoczateRaportuBazy", "Początek raportu bazy towarowej", true) {
  auto* group = new QGroupBox("Wybierz rodzaj raportu", this);
  group->setObjectName("GroupBox1");
  auto* column = new QVBoxLayout(group);
  const char* captions[] = {
      "Wydruk przyporządkowania nazw do wartości stawek i usług .",
      "Wydruk zmian przyporządkowania nazw do wartości stawek PTU .",
      "Wydruk nazw towarów i usług zablokowanych do sprzedaży .",
  };
  for (int i = 0; i < 3; ++i) {
    kinds_[i] = new QRadioButton(QString::fromUtf8(captions[i]), group);
    kinds_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    column->addWidget(kinds_[i]);
  }
  kinds_[0]->setChecked(true);
  body_->insertWidget(0, group);
}

void TPoczateRaportuBazy::Button1Click() {
  int kind = 0;
  for (int i = 0; i < 3; ++i) {
    if (kinds_[i]->isChecked()) kind = i;
  }
  CloseAfter(SendSalesFrame(BuildBaseReportStart(kind)));
}

TPozycjaRaportuBazy::TPozycjaRaportuBazy(QWidget* parent)
    : SalesDialog(parent, "TPozycjaRaportuBazy", "Pozycja raportu bazy towarowej", true) {
  name_ = AddEdit("Nazwa towaru", "");
  vat_ = AddCombo("Stawka PTU", VatLetters(false));
}

void TPozycjaRaportuBazy::Button1Click() {
  CloseAfter(SendSalesFrame(BuildBaseReportItem(Text(name_), vat_->currentIndex())));
}

TZakonczenieRaportuBazy::TZakonczenieRaportuBazy(QWidget* parent)
    : SalesDialog(parent, "TZakonczenieRaportuBazy", "Zakończenie raportu bazy towarowej", true) {
  auto* label = new QLabel("Zakończenie raportu bazy towarowej", this);
  label->setObjectName("Label1");
  body_->addWidget(label);
}

void TZakonczenieRaportuBazy::Button1Click() {
  CloseAfter(SendSalesFrame(BuildBaseReportEnd()));
}

}  // namespace kelm::dialogs
