// The plain closing dialog.
#include "sales/dialogs/TZatwierdzenieTransakcji.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "sales/receipt.h"
#include "sales/receipt_commands.h"

namespace kelm::dialogs {

QStringList ReceiptDiscountTypes() {
  return {"Brak", "Rabat procentowy", "Narzut procentowy", "Rabat kwotowy", "Narzut kwotowy"};
}

TZatwierdzenieTransakcji::TZatwierdzenieTransakcji(QWidget* parent)
    : SalesDialog(parent, "TZatwierdzenieTransakcji", "Zatwierdzenie transakcji", false) {
  cashier_ = AddEdit("Kod Kasjera", "");
  total_ = AddEdit("TOTAL", "0.00");
  payment_ = AddEdit("Wpłata", "");
  discount_type_ = AddCombo("Rodzaj rabatu", ReceiptDiscountTypes());
  discount_ = AddEdit("RABAT", "0.00");
  discount_->setEnabled(false);
  lines_check_ = AddCheck("Dodatkowe linie");
  lines_ = AddMemo();
  lines_->setEnabled(false);
  connect(discount_type_, &QComboBox::currentIndexChanged, this,
          [this](int index) { discount_->setEnabled(index != 0); });
  connect(lines_check_, &QCheckBox::toggled, lines_, &QWidget::setEnabled);
}

void TZatwierdzenieTransakcji::showEvent(QShowEvent* event) {
  SetText(total_, TwoDecimals(ReceiptState.ReceiptTotal));
  SalesDialog::showEvent(event);
}

void TZatwierdzenieTransakcji::Button1Click() {
  PlainClosingFields f;
  f.cashier = Text(cashier_);
  f.total = Text(total_);
  f.payment = Text(payment_);
  f.discount_type = discount_type_->currentIndex();
  f.discount = Text(discount_);
  f.extra_lines = lines_check_->isChecked();
  f.lines = MemoText(lines_);
  CloseAfter(SendPlainClosing(f));
}

}  // namespace kelm::dialogs
