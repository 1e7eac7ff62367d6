// The tax number and clock dialogs.
#include "config/dialogs/NipClockDialogs.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include "config/nip_clock.h"
#include "link/settings.h"

namespace kelm::dialogs {

TProgramowanieNIP::TProgramowanieNIP(QWidget* parent)
    : ConfigDialog(parent, "TProgramowanieNIP", "Programowanie NIP - fiskalizacja", "&Dalej") {
  heading_ = AddLabel(Q("Programowanie NIP (szkoleniowo)"));
  QBoxLayout* modes = nullptr;
  AddGroup({}, &modes);
  training_ = AddRadio(Q("Tryb niefiskalny (szkoleniowy)"), modes);
  fiscal_ = AddRadio(Q("Tryb fiskalny"), modes);
  nip_ = AddEdit(Q("NIP"));
  for (QRadioButton* mode : {training_, fiscal_}) {
    connect(mode, &QRadioButton::clicked, nip_, &QLineEdit::clear);
  }
}

void TProgramowanieNIP::FormShow() {
  training_->setChecked(true);
  fiscal_->setEnabled(false);
  setWindowTitle(Q("Programowanie NIP (szkoleniowo)"));
  heading_->setText(Q("Programowanie NIP (szkoleniowo)"));
  SendButton()->setText(Q("&Dalej"));
}

SendOutcome TProgramowanieNIP::Send() {
  return ProgramNip(S(nip_->text()));
}

TKorektaZegara::TKorektaZegara(QWidget* parent)
    : ConfigDialog(parent, "TKorektaZegara", "Korekta Zegara") {
  AddLabel(Q("Korekta zegara"));
  auto* date_row = new QHBoxLayout;
  body_->addLayout(date_row);
  date_ = AddDate(Q("Data"), date_row);
  connect(AddButton(Q("Aktualna data"), date_row), &QPushButton::clicked, this,
          [this] { date_->setDate(QDate::currentDate()); });
  auto* time_row = new QHBoxLayout;
  body_->addLayout(time_row);
  AddLabel(Q("Godzina (gg:mm:ss) "), time_row);
  time_ = new QTimeEdit(QTime::currentTime(), this);
  time_->setObjectName("DateTimePicker2");
  time_->setDisplayFormat("HH:mm:ss");
  time_row->addWidget(time_, 1);
  connect(AddButton(Q("Aktualna godzina"), time_row), &QPushButton::clicked, this,
          [this] { time_->setTime(QTime::currentTime()); });
}

void TKorektaZegara::FormShow() {
  // A service technician's values stay between showings; everyone else starts from now.
  if (LinkSettings.ServiceLevel != 0) return;
  date_->setDate(QDate::currentDate());
  time_->setTime(QTime::currentTime());
}

SendOutcome TKorektaZegara::Send() {
  const QDate d = date_->date();
  const QTime t = time_->time();
  return CorrectClock({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
}

}  // namespace kelm::dialogs
