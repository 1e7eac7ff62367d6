// The one-option dialogs.
#include "config/dialogs/OptionDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/printer_identity.h"
#include "link/settings.h"
#include "protocol/operator.h"

namespace kelm::dialogs {

OptionDialog::OptionDialog(QWidget* parent, const char* class_name)
    : ConfigDialog(parent, class_name, FindOption(class_name)->caption),
      entry_(*FindOption(class_name)) {
  for (const char* note : entry_.notes) AddLabel(Q(note));
  QBoxLayout* inner[2] = {};
  for (int g = 0; g < 2; ++g) {
    for (const OptionChoice& c : entry_.choices) {
      if (c.group != g) continue;
      if (groups_[g] == nullptr) groups_[g] = AddGroup(Q(entry_.group_caption), &inner[g]);
      QRadioButton* radio = AddRadio(Q(c.caption), inner[g]);
      choices_.push_back({c, radio});
      if (c.continuation != nullptr) AddLabel(Q(c.continuation), inner[g])->setIndent(20);
    }
  }
  if (entry_.help != nullptr) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    body_->addLayout(row);
    AddHelp(entry_.help, row);
  }
  enter_sends_ = entry_.enter_sends;
}

int OptionDialog::CheckedValue() const {
  for (const Choice& c : choices_) {
    if (c.radio->isVisibleTo(this) && c.radio->isChecked()) return c.choice.value;
  }
  return -1;
}

void OptionDialog::FormShow() {
  const int family = LinkSettings.ModelFamily, variant = LinkSettings.PrinterVariant;
  const int group = OptionGroup(entry_, family);
  for (int g = 0; g < 2; ++g) {
    if (groups_[g] != nullptr) groups_[g]->setVisible(g == group);
  }
  for (const Choice& c : choices_) {
    c.radio->setVisible(c.choice.only_variant < 0 || c.choice.only_variant == variant);
    c.radio->setText(QString::fromStdString(ChoiceCaption(entry_, c.choice, family, variant)));
  }
  // The default is checked at the first showing (and whenever the model hides the choice kept).
  if (!shown_before_ || CheckedValue() < 0) {
    const int value = DefaultChoiceValue(entry_, family);
    for (const Choice& c : choices_) {
      if (c.choice.group == group && c.choice.value == value) c.radio->setChecked(true);
    }
    shown_before_ = true;
  }
}

SendOutcome OptionDialog::Send() {
  const int value = CheckedValue();
  if (value < 0) return SendOutcome::kRefused;
  return SendOption(entry_, value);
}

TAutoPotwierdzanie::TAutoPotwierdzanie(QWidget* parent)
    : OptionDialog(parent, "TAutoPotwierdzanie") {}

void TAutoPotwierdzanie::FormShown() {
  DetectPrinterType();
  if (!AutoConfirmSupported(DetectedType)) TheOperator().ShowMessage(kNoSuchCommandMessage);
}

}  // namespace kelm::dialogs
