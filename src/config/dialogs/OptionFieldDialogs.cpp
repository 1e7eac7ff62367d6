// The option dialogs with a field, and the default values.
#include "config/dialogs/OptionFieldDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "config/options.h"
#include "link/printer_identity.h"
#include "protocol/operator.h"

namespace kelm::dialogs {

TParametrySzuflady::TParametrySzuflady(QWidget* parent)
    : ConfigDialog(parent, "TParametrySzuflady", "Parametry otwierania szuflady") {
  edit_ = AddEdit(Q("Czas impulsu sterującego szufladą [ms]"), "100");
  range_ = AddLabel(Q("Zakres (100-255 ms)"));
  AddLabel(Q("Podłączyć można wszystkie szuflady, których "));
  AddLabel(Q("napięcie pracy wynosi od 12V do 24V"));
}

void TParametrySzuflady::FormShown() {
  DetectPrinterType();
  range_->setText(QString::fromStdString(DrawerRangeLabel(DetectedType)));
}

SendOutcome TParametrySzuflady::Send() {
  ConfigFrame frame;
  std::string message;
  return SendBuiltFrame(BuildDrawerPulseFrame(S(edit_->text()), &frame, &message), frame, message);
}

TMinimalnyCzasSterZwijacz::TMinimalnyCzasSterZwijacz(QWidget* parent)
    : ConfigDialog(parent, "TMinimalnyCzasSterZwijacz", "MinimalnyCzasSterZwijacz") {
  AddLabel(Q("Minimalny czas impulsu sterującego zwijaczem podczas drukowania"));
  edit_ = AddEdit({}, "3");
  AddLabel(Q("Zakres ( 0 - 5s )"));
}

SendOutcome TMinimalnyCzasSterZwijacz::Send() {
  ConfigFrame frame;
  std::string message;
  return SendBuiltFrame(BuildRollupFrame(S(edit_->text()), &frame, &message), frame, message);
}

TBlokadaKlawiatury::TBlokadaKlawiatury(QWidget* parent)
    : ConfigDialog(parent, "TBlokadaKlawiatury", "Blokada klawiatury", "Wyślij", "Anuluj") {
  AddLabel(Q("Blokada klawiatury"));
  lock_ = AddCheck(Q("Aktywana blokada klawiatury"), false);
  seconds_ = AddEdit(Q("Liczba sekund po której nastąpi blokada:"), "5");
  connect(lock_, &QCheckBox::clicked, this, [this] { FormShow(); });
  enter_sends_ = false;
  esc_closes_ = false;
}

void TBlokadaKlawiatury::FormShow() {
  seconds_->setEnabled(lock_->isChecked());
}

SendOutcome TBlokadaKlawiatury::Send() {
  return SendKeyboardLock(lock_->isChecked(), S(seconds_->text()));
}

TWpisanieTypuIWersji::TWpisanieTypuIWersji(QWidget* parent)
    : ConfigDialog(parent, "TWpisanieTypuIWersji", "Wpisanie typu i wersji w drukarkę") {
  AddLabel(Q("Definicja odpowiedzi drukarki na rozkaz #v"));
  standard_ = AddRadio(Q("Domyślna odpowiedź"));
  custom_ = AddRadio(Q("Zdefiniowanie niestandardowej odpowiedzi"));
  standard_->setChecked(true);
  choose_ = AddLabel(Q("Wybierz odpowiedź"));
  list_ = new QComboBox(this);
  list_->setObjectName("ComboBox1");
  list_->setEditable(true);
  for (const char* item : kTypeAnswerItems) list_->addItem(Q(item));
  body_->addWidget(list_);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  body_->addLayout(row);
  AddHelp(OptionHelp("TWpisanieTypuIWersji"), row);
  connect(standard_, &QRadioButton::clicked, this, [this] { FormShow(); });
  connect(custom_, &QRadioButton::clicked, this, [this] { FormShow(); });
}

void TWpisanieTypuIWersji::FormShow() {
  choose_->setVisible(custom_->isChecked());
  list_->setVisible(custom_->isChecked());
}

SendOutcome TWpisanieTypuIWersji::Send() {
  // An item counts as selected only while the edit still shows it.
  int item = list_->findText(list_->currentText());
  const std::string text = TypeAnswerText(custom_->isChecked(), S(list_->currentText()), item);
  ConfigFrame frame;
  return SendBuiltFrame(BuildTypeAnswerFrame(text, &frame), frame);
}

TWartosciDomyslne::TWartosciDomyslne(QWidget* parent)
    : ConfigDialog(parent, "TWartosciDomyslne", "Wyslij ustawienia domyslne", "Wyślij", "Anuluj") {
  AddLabel(Q("Ustawienie wartości domyślnych drukarki"));
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("Memo1");
  memo->setReadOnly(true);
  for (int i = 0; i < kDefaultValuesMemoLines; ++i) memo->appendPlainText(Q(kDefaultValuesMemo[i]));
  memo->setMinimumSize(460, 300);
  body_->addWidget(memo);
}

SendOutcome TWartosciDomyslne::Send() {
  RunDefaultValues();
  return SendOutcome::kRefused;  // the dialog stays open
}

}  // namespace kelm::dialogs
