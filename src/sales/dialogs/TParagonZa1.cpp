// The one-grosz receipt dialog.
#include "sales/dialogs/TParagonZa1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>

#include "sales/sequences.h"

namespace kelm::dialogs {

TParagonZa1::TParagonZa1(QWidget* parent)
    : SalesDialog(parent, "TParagonZa1", "Paragon za 1 grosik", true) {
  vat_ = AddCombo("PTU", VatLetters(true));
  auto* group = new QGroupBox("Szuflada", this);
  group->setObjectName("GroupBox1");
  auto* inside = new QFormLayout(group);
  drawer_ = AddCheck("Wyślij rozkaz otworzenia szuflady po paragonie", inside);
  drawer_->setChecked(true);
  form_->addRow(group);
}

void TParagonZa1::Button1Click() {
  CloseAfter(SendOneGroszReceipt(vat_->currentIndex(), drawer_->isChecked()));
}

}  // namespace kelm::dialogs
