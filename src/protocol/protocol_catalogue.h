// The catalogue of the protocol: every command frame the program sends, by the template its
// builder formats, with the command's name as the dialogs call it and the names of its values;
// and the answers the printer gives. Data only: the decoder reads frames against it.
#pragma once

#include <span>
#include <string>

namespace kelm {

struct ProtocolCommand {
  // The stored template ("%cP%d$1xx%c%c"): first "%c" ESC, last two ESC and 5Ch; a check slot
  // ("xx", "cc", "XX") before them when the command carries a check value.
  const char* tmpl;
  const char* name;  // Polish, as the dialog or tree calls the command
  // Names of the placeholders between the first and the last two "%c", in order, separated by
  // "|"; a unit follows a name in brackets ("Cena [zł]").
  const char* values;
  const char* answer;  // what the printer answers, or "" when it answers only by status
};

struct ProtocolAnswer {
  const char* tmpl;  // as the parsers read it ("%cP1#E%d%c%c"); placeholders as above
  const char* name;
  const char* values;
};

std::span<const ProtocolCommand> ProtocolCommands();
std::span<const ProtocolAnswer> ProtocolAnswers();

// The designator of a template or frame body: the first "$" or "#" after the parameters and the
// character after it ("$h", "##", "#v"); empty when there is none.
std::string TemplateDesignator(const char* tmpl);

}  // namespace kelm
