// The report dialogs built from the report table.
#include "config/dialogs/ReportDialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>

namespace kelm::dialogs {

namespace {

bool Shift(const ReportValues& v, ConfigFrame* out) {
  return BuildShiftReportFrame(v.checks[0], v.texts[0], v.texts[1], out);
}
bool LogIn(const ReportValues& v, ConfigFrame* out) {
  return BuildCashierFrame(true, v.texts[0], v.texts[1], out);
}
bool LogOut(const ReportValues& v, ConfigFrame* out) {
  return BuildCashierFrame(false, v.texts[0], v.texts[1], out);
}
bool ErrorTable(const ReportValues&, ConfigFrame* out) {
  return BuildErrorTableFrame(out);
}
bool Daily(const ReportValues& v, ConfigFrame* out) {
  return BuildDailyReportFrame(v.checks[0], v.dates[0], out);
}
bool Service(const ReportValues& v, ConfigFrame* out) {
  return BuildServiceReminderFrame(v.checks[0], v.dates[0], v.texts[0], out);
}

using F = ReportField;

const std::vector<ReportEntry>& ReportTable() {
  static const std::vector<ReportEntry> table = {
      {"TRaportKasyZmiany",
       "RaportKasyZmiany",
       "Raport kasy / zmiany",
       {{F::kText, "Zmiana"}, {F::kText, "Kasjer"}, {F::kCheck, "Zerujący", true}},
       Shift},
      {"TLogowanieKasjera",
       "Logowanie kasjera",
       nullptr,
       {{F::kText, "Kasjer"}, {F::kText, "Numer kasy"}},
       LogIn},
      {"TWylogowanieKasjera",
       "Wylogowanie kasjera",
       nullptr,
       {{F::kText, "Kasjer"}, {F::kText, "Numer kasy"}},
       LogOut},
      {"TDrukujTabliceBledow", "Drukuj  tablice błędów", "Drukuj tablicę błędów", {}, ErrorTable},
      {"TWydrukRaportuDobowego",
       "Wydruk raportu dobowego",
       nullptr,
       {{F::kDate, "Data (rrrr-mm-dd)"}, {F::kCheck, "Bez potwierdzenia z klawiatury", true}},
       Daily},
      {"TPrzegladySerwisowe",
       "Przypominanie o przeglącie serwisowym",
       nullptr,
       {{F::kRadio, "Uaktywnij przypominanie o przeglądach serwisowych", true},
        {F::kRadio, "Wyłącz przypominanie o przeglądach serwisowych"},
        {F::kDate, "Data kolejnego przeglądu serwisowego."},
        {F::kText, "Telefon"}},
       Service},
  };
  return table;
}

const ReportEntry& FindReport(const char* class_name) {
  for (const ReportEntry& entry : ReportTable()) {
    if (std::string(entry.class_name) == class_name) return entry;
  }
  std::abort();  // every named class has its row
}

}  // namespace

ReportDialog::ReportDialog(QWidget* parent, const char* class_name)
    : ConfigDialog(parent, class_name, FindReport(class_name).caption),
      entry_(FindReport(class_name)) {
  if (entry_.heading != nullptr) AddLabel(Q(entry_.heading));
  for (const ReportField& f : entry_.fields) {
    switch (f.kind) {
      case ReportField::kText:
        texts_.push_back(AddEdit(Q(f.caption)));
        break;
      case ReportField::kCheck:
        checks_.push_back(AddCheck(Q(f.caption), f.checked));
        break;
      case ReportField::kRadio: {
        QRadioButton* radio = AddRadio(Q(f.caption));
        radio->setChecked(f.checked);
        checks_.push_back(radio);
        break;
      }
      case ReportField::kDate:
        dates_.push_back(AddDate(Q(f.caption)));
        break;
    }
  }
}

ReportValues ReportDialog::Values() const {
  ReportValues v;
  for (QLineEdit* e : texts_) v.texts.push_back(S(e->text()));
  for (QAbstractButton* c : checks_) v.checks.push_back(c->isChecked());
  for (QDateEdit* d : dates_)
    v.dates.push_back({d->date().year(), d->date().month(), d->date().day()});
  return v;
}

SendOutcome ReportDialog::Send() {
  ConfigFrame frame;
  return SendBuiltFrame(entry_.build(Values(), &frame), frame);
}

TWydrukRaportuDobowego::TWydrukRaportuDobowego(QWidget* parent)
    : ReportDialog(parent, "TWydrukRaportuDobowego") {
  QDateEdit* date = dates_[0];
  connect(AddButton(Q("Aktualna data")), &QPushButton::clicked, this,
          [date] { date->setDate(QDate::currentDate()); });
}

void TWydrukRaportuDobowego::FormShown() {
  const ReportDate d = DailyReportStartDate();
  dates_[0]->setDate(QDate(d.year, d.month, d.day));
}

TPrzegladySerwisowe::TPrzegladySerwisowe(QWidget* parent)
    : ReportDialog(parent, "TPrzegladySerwisowe") {
  const ReportDate next = TodayPlusDays(365);
  dates_[0]->setDate(QDate(next.year, next.month, next.day));
  for (QAbstractButton* radio : checks_) {
    connect(radio, &QAbstractButton::clicked, this, [this] { FormShow(); });
  }
}

void TPrzegladySerwisowe::FormShow() {
  const bool active = checks_[0]->isChecked();
  dates_[0]->setEnabled(active);
  texts_[0]->setEnabled(active);
}

}  // namespace kelm::dialogs
