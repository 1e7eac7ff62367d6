// The seven command trees of the main window as data: which entries a printer model shows, and
// which dialog an activated entry opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/settings.h"

namespace kelm {

enum TreeId : int {
  kBasicTree = 0,
  kConfigurationTree,
  kTransactionTree,
  kDiagnosticsTree,
  kAdditionalTree,
  kProgrammingTree,
  kBusTree,
};
inline constexpr int kTreeCount = 7;

// Tab captions, in tab order (the bus tab exists only while PrinterVariant is not 0).
extern const char* const kTreeTabCaptions[kTreeCount];

// Which models show an entry: one bit per value (bit 0 for 0, bit 1 for 1, bit 2 for 2).
struct EntryCondition {
  uint8_t families = 0b111;
  uint8_t variants = 0b111;
  uint8_t copy_modes = 0b111;
  bool Holds(const LinkSettingsRecord& s) const;
};

struct TreeRow {
  const char* caption;  // UTF-8
  uint8_t level;        // 0 top level, 1 child of the heading above
  EntryCondition when;
  const char* dialog;      // nullptr for a heading
  const char* bus_dialog;  // chosen instead while PrinterVariant is not 0, when set
  bool port_exempt;        // opens even with no serial port selected (diagnostics tree)
};

struct TreeTable {
  const TreeRow* rows;
  int count;
  bool needs_serial_port;  // every entry asks for a selected serial port unless exempt
};
const TreeTable& TreeTableOf(TreeId tree);

// One entry of a built tree.
struct TreeEntry {
  std::string caption;
  int level;
  const TreeRow* row;
};

// The entries of `tree` for the model of `settings`, in table order.
std::vector<TreeEntry> BuildTree(TreeId tree, const LinkSettingsRecord& settings);

// The dialog an activated entry opens, or nullptr (a heading, or no port selected, which the
// operator is told). Looks at LinkSettings as it is at the moment of activation.
const char* DispatchEntry(TreeId tree, const TreeEntry& entry);

}  // namespace kelm
