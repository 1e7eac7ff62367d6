// The card payment confirmation dialogs.
#include "sales/dialogs/CardDialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "sales/sequences.h"

namespace kelm::dialogs {

CardConfirmationDialog::CardConfirmationDialog(QWidget* parent, const char* name,
                                               const char* caption, const char* heading, bool debit)
    : SalesDialog(parent, name, caption, true), debit_(debit) {
  auto* label = new QLabel(QString::fromUtf8(heading), this);
  label->setObjectName("Label1");
  body_->insertWidget(0, label);
  const char* captions[kCardFields] = {"Numer kasy",      "Numer kasjera", "Numer paragonu",
                                       "Kontrahent",      "Terminal",      "Nazwa karty",
                                       "Numer karty",     "Miesiąc",       "Rok",
                                       "Kod autoryzacji", "Kwota"};
  for (int i = 0; i < kCardFields; ++i) fields_[i] = AddEdit(captions[i], "");
  auto* group = new QGroupBox("Sposób drukowania", this);
  group->setObjectName("GroupBox1");
  auto* column = new QVBoxLayout(group);
  const char* modes[] = {"Oryginał i kopia z oczekiwaniem na wciśnięcie klawisza",
                         "Oryginał i kopia bez wciśnięcie klawisza", "Bez kopii"};
  for (int i = 0; i < 3; ++i) {
    modes_[i] = new QRadioButton(QString::fromUtf8(modes[i]), group);
    modes_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    column->addWidget(modes_[i]);
  }
  modes_[0]->setChecked(true);
  form_->addRow(group);
  register_line_ = AddCheck("Linia zawierająca numer kasy / numer kasjera jest drukowana");
}

void CardConfirmationDialog::Button1Click() {
  CardConfirmationFields f;
  f.debit = debit_;
  for (int i = 0; i < kCardFields; ++i) f.fields[i] = Text(fields_[i]);
  for (int i = 0; i < 3; ++i) {
    if (modes_[i]->isChecked()) f.print_mode = i;
  }
  f.register_line = register_line_->isChecked();
  CloseAfter(SendSalesFrame(BuildCardConfirmation(f)));
}

TPowitowanieSprzedarzy::TPowitowanieSprzedarzy(QWidget* parent)
    : CardConfirmationDialog(parent, "TPowitowanieSprzedarzy", "Pokwitowanie sprzedarzy",
                             "Potwierdzenie obciążenia karty płatniczej", true) {}

TTransakcjaUznana::TTransakcjaUznana(QWidget* parent)
    : CardConfirmationDialog(parent, "TTransakcjaUznana", "Transakcja uznana",
                             "Potwierdzenie uznania karty płatniczej", false) {}

}  // namespace kelm::dialogs
