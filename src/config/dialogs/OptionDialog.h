// The one-option dialogs: one shell built from a row of the option table; each named class only
// picks its row (and the few with a rule of their own add it).
#pragma once

#include <vector>

#include "config/dialogs/ConfigDialog.h"
#include "config/options.h"

namespace kelm::dialogs {

class OptionDialog : public ConfigDialog {
  Q_OBJECT
 public:
  // The value of the checked choice (-1 when none is checked).
  int CheckedValue() const;

 protected:
  OptionDialog(QWidget* parent, const char* class_name);
  SendOutcome Send() override;
  // Shows the family's group and the model's choices, with their captions.
  void FormShow() override;

  const OptionEntry& entry_;

 private:
  struct Choice {
    OptionChoice choice;
    QRadioButton* radio;
  };
  std::vector<Choice> choices_;
  QGroupBox* groups_[2] = {};
  bool shown_before_ = false;
};

#define KELM_OPTION_DIALOG(Name)                                              \
  class Name : public OptionDialog {                                          \
   public:                                                                    \
    explicit Name(QWidget* parent = nullptr) : OptionDialog(parent, #Name) {} \
  }

KELM_OPTION_DIALOG(TSposobBledow);
KELM_OPTION_DIALOG(TCzyMoznaOtwSzuflZMenu);
KELM_OPTION_DIALOG(TAutomatyczneOtwieranieSzuflady);
KELM_OPTION_DIALOG(TSposobDruowania);
KELM_OPTION_DIALOG(TSposobDruowaniaOryg);
KELM_OPTION_DIALOG(TSterowanieObcinaczem);
KELM_OPTION_DIALOG(TMetodaRabatu);
KELM_OPTION_DIALOG(TCzujnikObudowy);
KELM_OPTION_DIALOG(TSzybkoscWydruku);
KELM_OPTION_DIALOG(TKonfiguracjaCzasuOdp);
KELM_OPTION_DIALOG(TSposobObslugiKaucjiWLinijceParagonu);
KELM_OPTION_DIALOG(TDefinicjaNrSystemowego);
KELM_OPTION_DIALOG(TRaportyMiesieczne);
KELM_OPTION_DIALOG(TRaportyDobowe);

// Reads the printer's type when shown and warns when it lacks the command; only Esc is handled.
class TAutoPotwierdzanie : public OptionDialog {
 public:
  explicit TAutoPotwierdzanie(QWidget* parent = nullptr);

 protected:
  void FormShown() override;
};

}  // namespace kelm::dialogs
