// The printer option commands: the one-option dialogs as rows of one table (radio choices and
// the value each sends), the members with a field (drawer pulse, roll-up pulse, keyboard lock,
// answer to the type query), the help texts, and the run of default values.
#pragma once

#include <string>
#include <vector>

#include "config/config_frame.h"
#include "link/printer_identity.h"

namespace kelm {

struct OptionChoice {
  const char* caption;
  int value;
  // A label continuing the caption on the next line, or nullptr.
  const char* continuation = nullptr;
  // The group the choice belongs to: 0 the ordinary one, 1 the one shown for model family 0
  // instead (when a member has one).
  int group = 0;
  // Shown only for this PrinterVariant (-1: always).
  int only_variant = -1;
};

struct OptionEntry {
  const char* class_name;
  const char* name;  // kelmctl's name of the option
  const char* caption;
  const char* group_caption;       // the radio group's caption ("" for none)
  std::vector<const char*> notes;  // labels above the group, in order
  const char* tmpl;
  std::vector<OptionChoice> choices;
  int default_value;
  const char* help = nullptr;  // the help button's text, or none
  bool enter_sends = true;     // false: Enter does nothing (TAutoPotwierdzanie)
};

// Every one-option member with radio choices, in the configuration tree's order.
const std::vector<OptionEntry>& OptionTable();
const OptionEntry* FindOption(const std::string& class_or_name);
// The help text of a member's help button ("" for a member without one).
const char* OptionHelp(const std::string& class_name);

// The group a member shows for a model family, and its visible choices for a model.
int OptionGroup(const OptionEntry& entry, int family);
std::vector<OptionChoice> VisibleChoices(const OptionEntry& entry, int family, int variant);
// The value of the choice selected when the dialog is first shown for the model.
int DefaultChoiceValue(const OptionEntry& entry, int family);
// A choice's caption for a model: TMetodaRabatu names its two methods by model, the others are
// fixed.
std::string ChoiceCaption(const OptionEntry& entry, const OptionChoice& choice, int family,
                          int variant);

bool BuildOptionFrame(const OptionEntry& entry, int value, ConfigFrame* out);
SendOutcome SendOption(const OptionEntry& entry, int value);

// TAutoPotwierdzanie: the warning shown after the type was read, unless the printer has it.
inline constexpr const char* kNoSuchCommandMessage =
    "Ten model drukarki nie obsługuje tego rozkazu.";
bool AutoConfirmSupported(const DetectedTypeRecord& type);

// TParametrySzuflady.
std::string DrawerRangeLabel(const DetectedTypeRecord& type);
// The field read as an integer; above 255 divided by 50. A text that is no number (or a negative
// one, which the frame's "%u" would turn into a huge pulse) gives `message` and false.
bool BuildDrawerPulseFrame(const std::string& field, ConfigFrame* out, std::string* message);

// TMinimalnyCzasSterZwijacz: seconds ("," or ".") to tenths.
bool BuildRollupFrame(const std::string& field, ConfigFrame* out, std::string* message);

// TBlokadaKlawiatury.
inline constexpr const char* kBadSecondsMessage = "Niewłaściwa linia sekund.";
inline constexpr const char* kSettingsChangedMessage = "Zmieniono ustawienia.";
bool BuildKeyboardLockFrame(bool on, const std::string& seconds_field, ConfigFrame* out,
                            std::string* message);
// Validates (message shown), sends, and shows kSettingsChangedMessage when the printer took it.
SendOutcome SendKeyboardLock(bool on, const std::string& seconds_field);

// TWpisanieTypuIWersji: the list's items, and the text sent for a choice.
extern const char* const kTypeAnswerItems[2];
std::string TypeAnswerText(bool custom, const std::string& list_text, int selected_item);
bool BuildTypeAnswerFrame(const std::string& text, ConfigFrame* out);

// A member with a field or a text as one "name value" command (kelmctl): the radio members take
// the value their choice sends. `error` says why nothing was sent.
struct OptionCommandInfo {
  std::string name;
  std::string values;  // what the value may be
  std::string caption;
};
std::vector<OptionCommandInfo> OptionCommands();
// Validation messages go to the operator as the dialogs show them; an unknown name or a value
// that no choice sends fills `error` and sends nothing.
SendOutcome SetOptionByName(const std::string& name, const std::string& value, std::string* error);

// TWartosciDomyslne: the sixteen frames of the run, and the run itself (letter coding of
// LinkSettings set to MAZOVIA before the second). Returns the number of frames sent; the run
// stops at the first failed send.
std::vector<ConfigFrame> DefaultValueFrames();
int RunDefaultValues();
extern const char* const kDefaultValuesMemo[];
extern const int kDefaultValuesMemoLines;

}  // namespace kelm
