// The sales line dialog.
#include "sales/dialogs/TLinijkaParagonu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "sales/receipt.h"
#include "sales/receipt_commands.h"

namespace kelm::dialogs {

TLinijkaParagonu::TLinijkaParagonu(QWidget* parent)
    : SalesDialog(parent, "TLinijkaParagonu", "Linijka Paragonu", true) {
  number_ = AddEdit("Nr linijki", "");
  name_ = AddEdit("Nazwa towaru", "");
  name_->setMaxLength(static_cast<int>(kItemNameLimit));
  quantity_ = AddEdit("Ilość", "0.00");
  vat_ = AddCombo("PTU", VatLetters(true));
  price_ = AddEdit("Cena towaru", "0.00");
  gross_ = AddEdit("Brutto", "0.00");
  discount_code_ = AddCombo("Rodzaj rabatu", {"Brak", "Rabat kwotowy", "Rabat procentowy",
                                              "Dopłata kwotowa", "Dopłata procentowa"});
  discount_ = AddEdit("Kwota rabatu", "0.00");
  discount_->setEnabled(false);
  storno_ = AddCheck("Pozycja STORNO");
  connect(discount_code_, &QComboBox::currentIndexChanged, this,
          [this](int index) { discount_->setEnabled(index != 0); });
  // Leaving the quantity or the price recomputes the gross from both remembered values.
  connect(quantity_, &QLineEdit::editingFinished, this, [this] {
    std::string gross;
    if (LeaveQuantity(Text(quantity_), &gross)) SetText(gross_, gross);
  });
  connect(price_, &QLineEdit::editingFinished, this, [this] {
    std::string gross;
    if (LeavePrice(Text(price_), &gross)) SetText(gross_, gross);
  });
}

void TLinijkaParagonu::showEvent(QShowEvent* event) {
  number_->setText(QString::number(ReceiptState.NextLineNumber));
  SalesDialog::showEvent(event);
}

void TLinijkaParagonu::Button1Click() {
  ReceiptLineFields f;
  f.number = Text(number_);
  f.name = Text(name_);
  f.quantity = Text(quantity_);
  f.vat_index = vat_->currentIndex();
  f.price = Text(price_);
  f.gross = Text(gross_);
  f.discount_code = discount_code_->currentIndex();
  f.discount = Text(discount_);
  f.storno = storno_->isChecked();
  CloseAfter(SendReceiptLine(f));
}

}  // namespace kelm::dialogs
