// The receipt start dialog.
#include "sales/dialogs/TPoczatekTransakcji.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "sales/receipt_commands.h"

namespace kelm::dialogs {

TPoczatekTransakcji::TPoczatekTransakcji(QWidget* parent)
    : SalesDialog(parent, "TPoczatekTransakcji", "Początek transakcji", true) {
  block_ = new QRadioButton("Tryb blokowy", this);
  block_->setObjectName("RadioButton1");
  online_ = new QRadioButton("Paragon ON-LINE", this);
  online_->setObjectName("RadioButton2");
  online_->setChecked(true);
  form_->addRow(block_);
  form_->addRow(online_);
  lines_ = AddEdit("Ilość pozycji sprzedaży", "48");
  barcode_ = AddCheck("Numer systemowy w postaci kodu kreskowego");
  format_ = AddCombo("Format kodu kreskowego", {"Domyślny", "EAN-128", "EAN-13", "CODE 39"}, true);
  number_ = AddEdit("Numer systemowy", "");
  connect(block_, &QRadioButton::toggled, this, [this] { UpdateEnabling(); });
  connect(barcode_, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
  UpdateEnabling();
}

void TPoczatekTransakcji::UpdateEnabling() {
  lines_->setEnabled(block_->isChecked());
  format_->setEnabled(barcode_->isChecked());
}

void TPoczatekTransakcji::Button1Click() {
  ReceiptStartFields f;
  f.block_mode = block_->isChecked();
  f.line_count = Text(lines_);
  f.barcode = barcode_->isChecked();
  f.barcode_format = Text(format_);
  f.system_number = Text(number_);
  CloseAfter(SendReceiptStart(f));
}

}  // namespace kelm::dialogs
