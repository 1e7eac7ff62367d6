// The periodic report dialog.
#include "config/dialogs/TWydrukRaportOkresowy.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "link/settings.h"

namespace kelm::dialogs {

TWydrukRaportOkresowy::TWydrukRaportOkresowy(QWidget* parent)
    : ConfigDialog(parent, "TWydrukRaportOkresowy", "Raport okresowy") {
  static const char* const kModes[3] = {"Miesięczny", "Według dat", "Według numerów"};
  QBoxLayout* groups[3];
  for (int i = 0; i < 3; ++i) {
    auto* row = new QHBoxLayout;
    body_->addLayout(row);
    modes_[i] = AddRadio(Q(kModes[i]), row);
    AddGroup({}, &groups[i], row);
    connect(modes_[i], &QRadioButton::clicked, this, [this] { FormShow(); });
  }
  month_ = AddEdit(Q("mm-rrrr"), {}, groups[0]);
  month_->setInputMask("99-9999");
  from_date_ = AddEdit(Q("Od"), {}, groups[1]);
  to_date_ = AddEdit(Q("Do"), {}, groups[1]);
  for (QLineEdit* date : {from_date_, to_date_}) date->setInputMask("99-99-9999");
  first_ = AddEdit(Q("Od"), {}, groups[2]);
  last_ = AddEdit(Q("Do"), {}, groups[2]);
  modes_[0]->setChecked(true);
  emergency_ = AddCheck(Q("Wydruk w trybie awaryjnym"), false);
  full_ = AddCheck(Q("Pełny raport"), true);
  non_fiscal_ = AddCheck(Q("Niefiskalny raport sprzedaży"), false);
  connect(emergency_, &QCheckBox::clicked, this, [this] { FormShow(); });
}

PeriodicReportRequest TWydrukRaportOkresowy::Request() const {
  PeriodicReportRequest r;
  r.mode = modes_[1]->isChecked()   ? PeriodicMode::kByDates
           : modes_[2]->isChecked() ? PeriodicMode::kByNumbers
                                    : PeriodicMode::kMonthly;
  r.month_text = S(month_->text());
  r.from_date = S(from_date_->text());
  r.to_date = S(to_date_->text());
  r.first_number = S(first_->text());
  r.last_number = S(last_->text());
  r.emergency = emergency_->isChecked();
  r.full = full_->isChecked();
  r.non_fiscal = non_fiscal_->isVisibleTo(this) && non_fiscal_->isChecked();
  return r;
}

void TWydrukRaportOkresowy::FormShow() {
  non_fiscal_->setVisible(LinkSettings.PrinterVariant == 1);
  const PeriodicModeState s =
      PeriodicModeRules(Request().mode, emergency_->isChecked(), LinkSettings.ModelFamily);
  modes_[static_cast<int>(s.mode)]->setChecked(true);
  for (int i = 0; i < 3; ++i) modes_[i]->setEnabled(s.enabled[i]);
  month_->setEnabled(s.mode == PeriodicMode::kMonthly);
  from_date_->setEnabled(s.mode == PeriodicMode::kByDates);
  to_date_->setEnabled(s.mode == PeriodicMode::kByDates);
  first_->setEnabled(s.mode == PeriodicMode::kByNumbers);
  last_->setEnabled(s.mode == PeriodicMode::kByNumbers);
}

SendOutcome TWydrukRaportOkresowy::Send() {
  return SendPeriodicReport(Request());
}

}  // namespace kelm::dialogs
