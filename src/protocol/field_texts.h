// FieldTexts: the twenty 50-byte slots dialogs copy their edit fields into before formatting.
#pragma once

#include <string_view>

namespace kelm {

inline constexpr int kFieldSlotCount = 20;
inline constexpr int kFieldSlotSize = 50;

extern char FieldTexts[kFieldSlotCount][kFieldSlotSize];

// Copies Windows-1250 bytes into a slot, cut to 49 bytes; a slot outside 0..19 is ignored.
void SetFieldText(int slot, std::string_view cp1250);
// The same for operator text (UTF-8), converted to Windows-1250 first.
void SetFieldTextUtf8(int slot, std::string_view utf8);
void ResetFieldTexts();

}  // namespace kelm
