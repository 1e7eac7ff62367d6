// The designator table: which handler takes a command and whether its frame carries a check value.
#include <cstring>

#include "emulator/machine.h"

namespace kelm::emu {

bool DisplayNeedsCheck(const Command& c);

namespace {

bool Never(const Command&) {
  return false;
}

// "#v" with 1 (type and version) and 0;204 (setting 204) go without a check value; the program
// check code and the print-out of the type carry one.
bool TypeNeedsCheck(const Command& c) {
  return !(c.count() == 1 || c.NumOr(1, -1) == 204);
}

const CommandEntry kCommands[] = {
    {"#n", HandleDiagnostics, Never},
    {"#s", HandleDiagnostics, Never},
    {"#c", HandleDiagnostics, nullptr},
    {"#v", HandleDiagnostics, TypeNeedsCheck},
    {"$0", HandleDiagnostics, nullptr},
    {"$8", HandleDiagnostics, nullptr},
    {"$f", HandleConfig, nullptr},
    {"#u", HandleConfig, nullptr},
    {"$p", HandleConfig, nullptr},
    {"$n", HandleConfig, nullptr},
    {"$c", HandleConfig, nullptr},
    {"$1", HandleConfig, nullptr},
    {"$2", HandleConfig, nullptr},
    {"$3", HandleConfig, nullptr},
    {"$5", HandleConfig, nullptr},
    {"$6", HandleConfig, nullptr},
    {"$7", HandleConfig, nullptr},
    {"$9", HandleConfig, nullptr},
    {"$!", HandleConfig, nullptr},
    {"$@", HandleConfig, nullptr},
    {"$#", HandleConfig, nullptr},
    {"$r", HandleConfig, nullptr},
    {"#e", HandleConfig, nullptr},
    {"$o", HandleConfig, nullptr},
    {"$I", HandleConfig, nullptr},
    {"$-", HandleConfig, nullptr},
    {"$S", HandleConfig, nullptr},
    {"$h", HandleSales, nullptr},
    {"$l", HandleSales, nullptr},
    {"$e", HandleSales, nullptr},
    {"$x", HandleSales, nullptr},
    {"$z", HandleSales, nullptr},
    {"#Q", HandleSales, nullptr},
    {"#g", HandleSalesExtras, nullptr},
    {"#h", HandleSalesExtras, nullptr},
    {"$$", HandleSalesExtras, nullptr},
    {"##", HandleSalesExtras, nullptr},
    {"#i", HandleSalesExtras, nullptr},
    {"#d", HandleSalesExtras, nullptr},
    {"#t", HandleSalesExtras, nullptr},
    {"#l", HandleSalesExtras, nullptr},
    {"#b", HandleSalesExtras, nullptr},
    {"#r", HandleReports, nullptr},
    {"#o", HandleReports, nullptr},
    {"#k", HandleReports, nullptr},
    {"#p", HandleReports, nullptr},
    {"#q", HandleReports, nullptr},
    {"$4", HandleReports, nullptr},
    {"$d", HandleDisplay, DisplayNeedsCheck},
    {"$*", HandleControl, nullptr},
};

}  // namespace

const CommandEntry* FindCommand(std::string_view designator) {
  for (const CommandEntry& e : kCommands)
    if (designator == e.designator) return &e;
  return nullptr;
}

}  // namespace kelm::emu
