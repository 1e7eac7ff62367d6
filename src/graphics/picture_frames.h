// The frames of the "$d" picture commands: the display slots (252 to 255), the graphic header and
// footer rows (251) and the farewell screen (248). The raw frames carry no check value.
#pragma once

#include <string>
#include <string_view>

namespace kelm {

// Templates with a check slot, sent through RunCommand.
inline constexpr const char* kSlotOpenTemplate = "%cP253;%u$dxx%c%c";              // slot
inline constexpr const char* kSlotModeTemplate = "%cP254;%u;%u;%u;%u;%u$dxx%c%c";  // mode, step,
                                                                                   // speed, slot,
                                                                                   // interval
inline constexpr const char* kEraseHeaderTemplate = "%cP251;0;0;0;0;0;170$dcc%c%c";
inline constexpr const char* kEraseFooterTemplate = "%cP251;0;1;0;0;0;170$dcc%c%c";

inline constexpr size_t kSlotPartChars = 384;
inline constexpr size_t kSlotPartFrameSize = 398;
inline constexpr size_t kFarewellPartChars = 256;
inline constexpr size_t kFarewellPartFrameSize = 267;
inline constexpr size_t kHeaderRowChars = 104;

// The slot digit as the dialog writes it ('0'..'9', 'A'..'F' beyond).
char SlotDigit(int slot);

// Part k (0..7) of a slot upload: 384 hexadecimal characters, ended by ENQ; 398 bytes.
std::string SlotPartFrame(int slot, int part, std::string_view hex);
// Erasing a slot: 13 bytes.
std::string SlotEraseFrame(int slot);
// Reading a slot back: 15 bytes, ended by ENQ.
std::string SlotReadFrame(int slot);

// One row of a header (footer false) or footer picture: 104 hexadecimal characters; 125 bytes,
// or 129 with ";170" when the rows go without confirmation.
struct HeaderRowFields {
  int row = 1;           // 1..H
  bool last = false;     // the last-row flag
  int width_bytes = 52;  // W
  char alignment = '0';
  bool footer = false;
  bool without_confirmation = false;
};
std::string HeaderRowFrame(const HeaderRowFields& fields, std::string_view hex);

// Part k (0..7) of the farewell screen: 256 hexadecimal characters; 267 bytes.
std::string FarewellPartFrame(int part, std::string_view hex);

}  // namespace kelm
