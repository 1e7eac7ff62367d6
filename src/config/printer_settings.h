// The printer settings readout: the settings query "$8", the record it fills, the fields as the
// settings dialog shows them, their help texts, and the ".ust" settings files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelm {

inline constexpr char kPrinterSettingsQueryTemplate[] = "%cP$8xx%c%c";

inline constexpr int kSettingsFieldCount = 13;
inline constexpr size_t kSettingsFileSize = 26;

struct PrinterSettingsRecord {
  uint16_t Fields[kSettingsFieldCount] = {};
};
// The one record of the process, shared with the header dialog; all zero at start.
extern PrinterSettingsRecord PrinterSettings;
void ResetPrinterSettings();

// Parses an answer: a leading character, "P#U", then up to thirteen decimal numbers each followed
// by "/". Stops at the first mismatch; the fields after it keep their values. Reads at most
// `capacity` bytes. Returns the number of fields stored.
int ParseSettingsAnswer(const char* answer, size_t capacity, PrinterSettingsRecord* record);

// Sends the settings query and parses the answer into `record`. Returns true when an answer came
// (AnswerReceived is 1); a failed send or a cancelled reception leave the record unchanged.
bool ReadPrinterSettings(PrinterSettingsRecord* record);

// One row of the dialog: its label, the value shown, and whether the row is visible. A list
// value outside the list shows as "" (no selection).
struct SettingsRow {
  const char* label;
  std::string value;
  bool visible = true;
  // The index of the list's item, -1 for none; for the plain values -1.
  int item = -1;
  // The unit and range labels of the number rows ("" when none).
  const char* unit = "";
  const char* range = "";
};
// The rows in the dialog's order: fields 0..11, then the three rows of the flags field.
// `previous_discount` is the discount item shown before (kept when both bits 2 and 3 are set).
std::vector<SettingsRow> SettingsRows(const PrinterSettingsRecord& record,
                                      int previous_discount = -1);
// The list items of each list row (empty for the number rows), in the order of SettingsRows.
const std::vector<std::vector<const char*>>& SettingsRowItems();

// The texts of the help buttons.
std::string CopyModeHelp(int mode);
std::string ErrorModeHelp(int mode);

// The ".ust" file: exactly 26 bytes, the fields little-endian. Save returns false when the file
// could not be created or written. Load refuses a file that cannot be opened or is not 26 bytes
// long, with `message` set and the record unchanged.
bool SaveSettingsFile(const std::string& path, const PrinterSettingsRecord& record);
bool LoadSettingsFile(const std::string& path, PrinterSettingsRecord* record, std::string* message);
// "Nie mogę otworzyc pliku" + name + ".".
std::string CannotOpenMessage(const std::string& path);
std::string WrongSizeMessage(const std::string& path);

}  // namespace kelm
