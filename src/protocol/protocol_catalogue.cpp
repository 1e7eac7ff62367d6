// The catalogue's tables.
#include "protocol/protocol_catalogue.h"

#include <cstring>

namespace kelm {

namespace {

const ProtocolCommand kCommands[] = {
    {"%cP%d$1xx%c%c", "Kodowanie polskich liter", "Standard kodowania", ""},
};

const ProtocolAnswer kAnswers[] = {
    {"%cP1#E%d%c%c", "Numer ostatniego błędu", "Numer błędu"},
};

}  // namespace

std::span<const ProtocolCommand> ProtocolCommands() {
  return kCommands;
}
std::span<const ProtocolAnswer> ProtocolAnswers() {
  return kAnswers;
}

std::string TemplateDesignator(const char* tmpl) {
  const char* p = std::strpbrk(tmpl, "$#");
  if (p == nullptr || p[1] == '\0') return {};
  return std::string(p, 2);
}

}  // namespace kelm
