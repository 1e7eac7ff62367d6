// The option commands: frames of the table's members and of the members with a field, and the
// run of default values.
#include "config/options.h"

#include <cstring>

#include "link/settings.h"
#include "protocol/command_templates.h"
#include "protocol/letter_tables.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"

namespace kelm {

const OptionEntry* FindOption(const std::string& class_or_name) {
  for (const OptionEntry& entry : OptionTable()) {
    if (class_or_name == entry.class_name || class_or_name == entry.name) return &entry;
  }
  return nullptr;
}

int OptionGroup(const OptionEntry& entry, int family) {
  if (family != 0) return 0;
  for (const OptionChoice& c : entry.choices) {
    if (c.group == 1) return 1;
  }
  return 0;
}

std::vector<OptionChoice> VisibleChoices(const OptionEntry& entry, int family, int variant) {
  std::vector<OptionChoice> shown;
  const int group = OptionGroup(entry, family);
  for (const OptionChoice& c : entry.choices) {
    if (c.group == group && (c.only_variant < 0 || c.only_variant == variant)) shown.push_back(c);
  }
  return shown;
}

int DefaultChoiceValue(const OptionEntry& entry, int family) {
  // The family-0 group of the error handling starts at its first choice.
  if (OptionGroup(entry, family) == 1) return VisibleChoices(entry, family, 0).front().value;
  return entry.default_value;
}

std::string ChoiceCaption(const OptionEntry& entry, const OptionChoice& choice, int family,
                          int variant) {
  if (std::strcmp(entry.class_name, "TMetodaRabatu") == 0 && variant != 0 && family == 1) {
    // The bus printers of family 1 number the methods the other way round; the values stay.
    return choice.value == 1 ? "Metoda 2 (jak bileterka KELM 743)"
                             : "Metoda 1 (jak drukarka OXIL PRO ";
  }
  return choice.caption;
}

bool BuildOptionFrame(const OptionEntry& entry, int value, ConfigFrame* out) {
  if (std::strstr(entry.tmpl, "%u") != nullptr) {
    return BuildFrame(out, false, entry.tmpl, kEsc, static_cast<unsigned>(value), kEsc, kBackslash);
  }
  return BuildFrame(out, false, entry.tmpl, kEsc, value, kEsc, kBackslash);
}

SendOutcome SendOption(const OptionEntry& entry, int value) {
  ConfigFrame frame;
  if (!BuildOptionFrame(entry, value, &frame)) return SendOutcome::kRefused;
  return SendOutcomeOf(frame);
}

bool AutoConfirmSupported(const DetectedTypeRecord& type) {
  return type.Version100 >= 200 && type.CopyMode >= 2;
}

std::string DrawerRangeLabel(const DetectedTypeRecord& type) {
  const bool wide = type.Family == 2 && type.CopyMode == 2 && type.Version100 > 100;
  return wide ? "Zakres (100-5000 ms)" : "Zakres (100-255 ms)";
}

bool BuildDrawerPulseFrame(const std::string& field, ConfigFrame* out, std::string* message) {
  long ms;
  if (!ParseInteger(field, &ms) || ms < 0 || ms > 0xFFFFFFFFL) {
    *message = ConversionErrorMessage(field, true);
    return false;
  }
  // The printer counts long pulses in steps of 50 ms.
  if (ms > 255) ms /= 50;
  char text[16];
  std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(ms));
  return BuildFrame(out, false, "%cP%s$2cc%c%c", kEsc, text, kEsc, kBackslash);
}

bool BuildRollupFrame(const std::string& field, ConfigFrame* out, std::string* message) {
  double seconds;
  if (!ParseDecimal(field, &seconds)) {
    *message = ConversionErrorMessage(field, false);
    return false;
  }
  return BuildFrame(out, false, "%cP%.0f$5cc%c%c", kEsc, seconds * 10, kEsc, kBackslash);
}

bool BuildKeyboardLockFrame(bool on, const std::string& seconds_field, ConfigFrame* out,
                            std::string* message) {
  long seconds;
  if (!ParseInteger(seconds_field, &seconds)) {
    *message = ConversionErrorMessage(seconds_field, true);
    return false;
  }
  // A negative count is as meaningless to the printer as 0.
  if (seconds <= 0 || seconds > 60) {
    *message = kBadSecondsMessage;
    return false;
  }
  return BuildFrame(out, false, "%cP249;%u;%s$dcc%c%c", kEsc, on ? 1u : 0u,
                    FieldText(seconds_field).c_str(), kEsc, kBackslash);
}

SendOutcome SendKeyboardLock(bool on, const std::string& seconds_field) {
  ConfigFrame frame;
  std::string message;
  if (!BuildKeyboardLockFrame(on, seconds_field, &frame, &message)) {
    TheOperator().ShowMessage(message);
    return SendOutcome::kRefused;
  }
  const int r = SendConfigFrame(frame);
  if (r < 0) return SendOutcome::kNotSent;  // no link, or not sent
  if (r == kCommandExecuted) TheOperator().ShowMessage(kSettingsChangedMessage);
  return SendOutcome::kSent;
}

const char* const kTypeAnswerItems[2] = {"POS Therm/2.01", "OXIL Pro/3.10F"};

std::string TypeAnswerText(bool custom, const std::string& list_text, int selected_item) {
  if (!custom) return "";
  if (selected_item == 0) return "POSNET Thermal/2.01";
  return list_text;
}

bool BuildTypeAnswerFrame(const std::string& text, ConfigFrame* out) {
  return BuildFrame(out, false, "%cP$#%s\rXX%c%c", kEsc, FieldText(text).c_str(), kEsc, kBackslash);
}

namespace {

// "0|1|2": the values a member's visible choices send for the model of LinkSettings.
std::string ChoiceValues(const OptionEntry& entry) {
  std::string values;
  for (const OptionChoice& c :
       VisibleChoices(entry, LinkSettings.ModelFamily, LinkSettings.PrinterVariant)) {
    if (!values.empty()) values += "|";
    values += std::to_string(c.value);
  }
  return values;
}

}  // namespace

std::vector<OptionCommandInfo> OptionCommands() {
  std::vector<OptionCommandInfo> list;
  for (const OptionEntry& entry : OptionTable()) {
    list.push_back({entry.name, ChoiceValues(entry), entry.caption});
  }
  list.push_back({"drawer-pulse", "MS", "Parametry otwierania szuflady"});
  list.push_back({"rollup-pulse", "SECONDS", "MinimalnyCzasSterZwijacz"});
  list.push_back({"keyboard-lock", "SECONDS|off", "Blokada klawiatury"});
  list.push_back(
      {"type-answer", "TEXT (\"\" for the default)", "Wpisanie typu i wersji w drukarkę"});
  return list;
}

SendOutcome SetOptionByName(const std::string& name, const std::string& value, std::string* error) {
  ConfigFrame frame;
  std::string message;
  if (name == "drawer-pulse") {
    return SendBuiltFrame(BuildDrawerPulseFrame(value, &frame, &message), frame, message);
  }
  if (name == "rollup-pulse") {
    return SendBuiltFrame(BuildRollupFrame(value, &frame, &message), frame, message);
  }
  if (name == "keyboard-lock") {
    return value == "off" ? SendKeyboardLock(false, "5") : SendKeyboardLock(true, value);
  }
  if (name == "type-answer") {
    return SendBuiltFrame(BuildTypeAnswerFrame(value, &frame), frame, "");
  }
  const OptionEntry* entry = FindOption(name);
  if (entry == nullptr) {
    *error = "unknown option '" + name + "' (kelmctl option --list names them)";
    return SendOutcome::kRefused;
  }
  long v;
  if (ParseInteger(value, &v)) {
    for (const OptionChoice& c :
         VisibleChoices(*entry, LinkSettings.ModelFamily, LinkSettings.PrinterVariant)) {
      if (c.value == v) return SendOption(*entry, c.value);
    }
  }
  *error = "option " + name + " takes " + ChoiceValues(*entry) + " for this model";
  return SendOutcome::kRefused;
}

namespace {

// How a step's value goes into its template.
enum class StepValue { kNone, kInt, kText, kDouble, kUnsigned, kUnsignedPair };

struct DefaultStep {
  const char* tmpl;
  StepValue kind;
  int value;
};

const DefaultStep kDefaultSteps[16] = {
    {"%cP3#ecc%c%c", StepValue::kNone, 0},
    {"%cP%d$1xx%c%c", StepValue::kInt, 0},
    {"%cP%s$2cc%c%c", StepValue::kText, 100},
    {"%cP%d$3cc%c%c", StepValue::kInt, 2},
    {"%cP%.0f$5cc%c%c", StepValue::kDouble, 30},
    {"%cP%d$6cc%c%c", StepValue::kInt, 0},
    {"%cP%d$7cc%c%c", StepValue::kInt, 0},
    {"%cP%d$9cc%c%c", StepValue::kInt, 0},
    {"%cP%u$!xx%c%c", StepValue::kUnsigned, 0},
    {"%cP%u;%u$!xx%c%c", StepValue::kUnsignedPair, 0},  // 0;1: the menu may open the drawer
    {"%cP%d$@cc%c%c", StepValue::kInt, 1},
    {"%cP$#\rcc%c%c", StepValue::kNone, 0},
    {kDiscountMethodTemplate, StepValue::kInt, 1},
    {"%cP2;%d$oxx%c%c", StepValue::kInt, 0},
    {"%cP0;0;0;1;1$occ%c%c", StepValue::kNone, 0},
    {"%cP0#ecc%c%c", StepValue::kNone, 0},
};

}  // namespace

const char* const kDefaultValuesMemo[] = {
    "Ustawienie wartości domyślnych pewnych parametrów drukarki:",
    "",
    " - Sposób kodownia polskich znaków = MAZOVIA",
    " - Dlugość impulsu sterującego szufladą = 100 ms",
    " - Tryb oszczędności papieru = brak naglowkow i odcięć na kopii",
    " - Sposób liczenia rabatu = metoda 1",
    " - Przypominanie o raporcie miesiecznym = brak",
    " - Czas impulsu sterującego zwijaczem = 3s",
    " - Reakcji na czujnik obudowy (jeżeli jest) = brak",
    " - Sposob liczenia kaucji w linijce paragonu literą 'P' - jak POSNET",
    " - Domyslne otwieranie szuflady po transakcji = nie",
    " - Sposb definicji nr systemowego rozkazem $h = ",
    "    nie musi byc poprzedzony znakiem '#'",
    " - Czy mozna otwierac szuflade z menu? = tak",
    " - Konfigurackja czasu odpowiedzi = nie",
    " - Przypominanie o przegladzie serwisowym = nie",
    " - Odpowiedz drukarki na rozkaz #v = domyślna",
};
const int kDefaultValuesMemoLines = sizeof kDefaultValuesMemo / sizeof kDefaultValuesMemo[0];

std::vector<ConfigFrame> DefaultValueFrames() {
  std::vector<ConfigFrame> frames;
  for (const DefaultStep& s : kDefaultSteps) {
    ConfigFrame f;
    f.after = AfterSend::kNothing;
    switch (s.kind) {
      case StepValue::kNone:
        BuildFrame(&f, false, s.tmpl, kEsc, kEsc, kBackslash);
        break;
      case StepValue::kInt:
        BuildFrame(&f, false, s.tmpl, kEsc, s.value, kEsc, kBackslash);
        break;
      case StepValue::kText:
        BuildFrame(&f, false, s.tmpl, kEsc, std::to_string(s.value).c_str(), kEsc, kBackslash);
        break;
      case StepValue::kDouble:
        BuildFrame(&f, false, s.tmpl, kEsc, static_cast<double>(s.value), kEsc, kBackslash);
        break;
      case StepValue::kUnsigned:
        BuildFrame(&f, false, s.tmpl, kEsc, static_cast<unsigned>(s.value), kEsc, kBackslash);
        break;
      case StepValue::kUnsignedPair:
        BuildFrame(&f, false, s.tmpl, kEsc, 0u, 1u, kEsc, kBackslash);
        break;
    }
    frames.push_back(f);
  }
  return frames;
}

int RunDefaultValues() {
  const std::vector<ConfigFrame> frames = DefaultValueFrames();
  int sent = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    // The program converts its own text with the coding it is about to give the printer.
    if (i == 1) LinkSettings.LetterCoding = kMazovia;
    const bool ok = SendConfigFrame(frames[i]) >= 0;
    if (i + 1 == frames.size()) return sent + 1;  // the last send's result is not looked at
    if (!ok) break;
    ++sent;
  }
  return sent;
}

}  // namespace kelm
