// The cash information dialog.
#include "catalogue/dialogs/TInformacjeKasowe.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "link/settings.h"

namespace kelm::dialogs {
namespace {

// CashInfoFields: six general fields, seven rates, seven totals, TOT_Z, the date and the count.
constexpr int kGeneralFields = 6;
constexpr int kRateFields = 7;

}  // namespace

TInformacjeKasowe::TInformacjeKasowe(QWidget* parent)
    : DiagnosticDialog(parent, "TInformacjeKasowe", "Informacje Kasowe") {
  auto* title = new QLabel("Informacje kasowe", this);
  title->setObjectName("Label1");
  body_->addWidget(title);
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(2);
  const std::vector<LabelledValue> layout_fields = CashInfoFields(CashInfo, 2);
  for (int i = 0; i < static_cast<int>(layout_fields.size()); ++i) {
    auto* label = new QLabel(QString::fromStdString(layout_fields[i].label), this);
    label->setObjectName(QString("Label%1").arg(i + 2));
    QLineEdit* field = NewField(("Edit" + std::to_string(i + 1)).c_str());
    fields_.push_back(field);
    // General fields down the left, rates and totals side by side with TOT_Z under the totals,
    // the date and the receipt count across the foot.
    const int k = i - kGeneralFields;
    if (i < kGeneralFields) {
      grid->addWidget(label, i, 0);
      grid->addWidget(field, i, 1);
    } else if (k <= 2 * kRateFields) {
      const int row = k == 2 * kRateFields ? kRateFields : k % kRateFields;
      const int column = k < kRateFields ? 2 : 4;
      grid->addWidget(label, row, column);
      grid->addWidget(field, row, column + 1);
    } else {
      const int row = kRateFields + 1 + (k - 2 * kRateFields - 1);
      grid->addWidget(label, row, 0, 1, 3);
      grid->addWidget(field, row, 3, 1, 3);
    }
  }
  body_->addLayout(grid);
  connect(AddButton("Pobierz"), &QPushButton::clicked, this, &TInformacjeKasowe::Button1Click);
  AddCloseButton("Zamknij");
}

void TInformacjeKasowe::FormShow() {
  Button1Click();
}

void TInformacjeKasowe::Button1Click() {
  ReadCashInfo();
  if (CashInfoState == 0) {
    CloseAtNextPaint();
    return;
  }
  const std::vector<LabelledValue> values = CashInfoFields(CashInfo, LinkSettings.ModelFamily);
  for (size_t i = 0; i < values.size() && i < fields_.size(); ++i) {
    fields_[i]->setText(QString::fromStdString(values[i].value));
  }
}

}  // namespace kelm::dialogs
