// The display and drawer dialog.
#include "sales/dialogs/TSterowanieWyswietlaczem.h"

#include <QComboBox>
#include <QLineEdit>

#include "sales/receipt.h"
#include "sales/sales_frames.h"
#include "sales/sequences.h"

namespace kelm::dialogs {

TSterowanieWyswietlaczem::TSterowanieWyswietlaczem(QWidget* parent)
    : SalesDialog(parent, "TSterowanieWyswietlaczem", "Sterowanie wyświetlaczem / szufladą",
                  false) {
  QStringList operations;
  for (const DisplayOperation& op : kDisplayOperations) operations << QString::fromUtf8(op.caption);
  operation_ = AddCombo("Operacja", operations);
  text_ = AddEdit("Tekst", "");
  text_->setMaxLength(static_cast<int>(kMemoLimit));
  text_->setEnabled(false);
  // Only the two text operations use the text; it is sent with every operation all the same.
  connect(operation_, &QComboBox::currentIndexChanged, this, [this](int index) {
    const int code = kDisplayOperations[static_cast<size_t>(index)].code;
    text_->setEnabled(code == 2 || code == 5);
  });
}

void TSterowanieWyswietlaczem::Button1Click() {
  const int index = operation_->currentIndex();
  const int code = kDisplayOperations[static_cast<size_t>(index < 0 ? 0 : index)].code;
  CloseAfter(SendSalesFrame(BuildDisplayControl(code, Text(text_))));
}

}  // namespace kelm::dialogs
