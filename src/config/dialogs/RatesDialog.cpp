// The VAT rate dialogs.
#include "config/dialogs/RatesDialog.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTime>
#include <QVBoxLayout>

#include "link/settings.h"

namespace kelm::dialogs {

RatesDialog::RatesDialog(QWidget* parent, const char* name, const char* caption,
                         const char* heading, bool bus)
    : ConfigDialog(parent, name, caption), bus_(bus) {
  const VatRatesRequest defaults;
  if (heading != nullptr) AddLabel(Q(heading));
  QBoxLayout* rates = nullptr;
  rates_group_ = AddGroup(Q("Stawki PTU"), &rates);
  static const char* const kStates[3] = {"Opodatkowana", "Zwolniona", "Nieaktywna"};
  static const int kStateCodes[3] = {kRateTaxed, kRateExempt, kRateInactive};
  for (int i = 0; i < kRateCount; ++i) {
    // Each rate's buttons sit in a row of their own, so they exclude only each other.
    auto* row_widget = new QWidget(this);
    auto* row = new QHBoxLayout(row_widget);
    row->setContentsMargins(0, 0, 0, 0);
    rates->addWidget(row_widget);
    texts_[i] = AddEdit(QString("PTU %1").arg(QChar('A' + i)), Q(defaults.texts[i].c_str()), row);
    for (int s = 0; s < 3; ++s) {
      states_[i][s] = AddRadio(Q(kStates[s]), row);
      states_[i][s]->setChecked(defaults.states[i] == kStateCodes[s]);
      connect(states_[i][s], &QRadioButton::clicked, this, [this] { ApplyLayout(); });
    }
  }
  // The dialog closes after its send whatever came of it.
  close_after_any_send_ = true;
}

VatRatesRequest RatesDialog::Request() const {
  VatRatesRequest r;
  r.bus = bus_;
  for (int i = 0; i < kRateCount; ++i) {
    r.texts[i] = S(texts_[i]->text());
    r.states[i] = states_[i][0]->isChecked()   ? kRateTaxed
                  : states_[i][1]->isChecked() ? kRateExempt
                                               : kRateInactive;
  }
  FillRequest(&r);
  return r;
}

void RatesDialog::ApplyLayout() {
  for (int i = 0; i < kRateCount; ++i) {
    texts_[i]->setEnabled(states_[i][0]->isChecked());
    states_[i][1]->setVisible(true);
  }
}

SendOutcome RatesDialog::Send() {
  return SendVatRates(Request());
}

TProgramowanieStawek::TProgramowanieStawek(QWidget* parent)
    : RatesDialog(parent, "TProgramowanieStawek", "Programowanie stawek PTU", nullptr, false) {
  QBoxLayout* modes = nullptr;
  AddGroup({}, &modes);
  modes_[0] = AddRadio(Q("Zmień stawki PTU."), modes);
  modes_[1] = AddRadio(Q("Zmień stawki PTU w określonym terminie."), modes);
  modes_[2] = AddRadio(Q("Anuluj zmianę stawek PTU w określonym terminie."), modes);
  modes_[0]->setChecked(true);
  for (QRadioButton* m : modes_) {
    connect(m, &QRadioButton::clicked, this, [this] { ApplyLayout(); });
  }
  QBoxLayout* when = nullptr;
  when_group_ = AddGroup({}, &when);
  date_ = AddDate(Q("Data (rrrr-mm-dd)"), when);
  const QTime now = QTime::currentTime();
  hour_ = AddEdit(Q("Godzina (gg:mm) "), {}, when);
  hour_->setInputMask("99:99");
  hour_->setText(QString::asprintf("%2.2d:%2.2d", now.hour(), now.minute()));
}

void TProgramowanieStawek::FormShow() {
  // Until the printer's type is read again, the modes stay as the last reading left them.
  ApplyLayout();
}

void TProgramowanieStawek::FormShown() {
  schedule_available_ = DetectScheduleAvailable();
  ApplyLayout();
}

void TProgramowanieStawek::ApplyLayout() {
  const bool family0 = LinkSettings.ModelFamily == 0;
  for (int i = 0; i < kRateCount; ++i) {
    if (family0 && states_[i][1]->isChecked()) states_[i][2]->setChecked(true);
    states_[i][1]->setVisible(!family0);
    texts_[i]->setEnabled(states_[i][0]->isChecked());
  }
  if (!schedule_available_) modes_[0]->setChecked(true);
  modes_[1]->setEnabled(schedule_available_);
  modes_[2]->setEnabled(schedule_available_);
  when_group_->setEnabled(modes_[1]->isChecked());
  rates_group_->setVisible(!modes_[2]->isChecked());
}

void TProgramowanieStawek::FillRequest(VatRatesRequest* r) const {
  r->mode = modes_[1]->isChecked()   ? RateChangeMode::kScheduled
            : modes_[2]->isChecked() ? RateChangeMode::kCancelScheduled
                                     : RateChangeMode::kNow;
  const QDate d = date_->date();
  r->year = d.year();
  r->month = d.month();
  r->day = d.day();
  r->hour_field = S(hour_->text());
}

TProgramowanieStawekPTUBus::TProgramowanieStawekPTUBus(QWidget* parent)
    : RatesDialog(parent, "TProgramowanieStawekPTUBus", "PragraowanieStawekPTU",
                  "Programowanie stawek PTU", true) {
  QBoxLayout* foreign = nullptr;
  AddGroup(Q("Sprzedaż biletów zagranicznych:"), &foreign);
  foreign_yes_ = AddRadio(Q("TAK"), foreign);
  AddRadio(Q("NIE"), foreign)->setChecked(true);
}

}  // namespace kelm::dialogs

namespace kelm::dialogs {

void TProgramowanieStawekPTUBus::FillRequest(VatRatesRequest* r) const {
  r->foreign_tickets = foreign_yes_->isChecked();
}

}  // namespace kelm::dialogs
