// The header editor's files: the subset of RTF that common editors write, read into the header
// model, and written so that those editors open it again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/header.h"

namespace kelm {

// Larger files are refused: a header is a few hundred characters.
inline constexpr size_t kMaxHeaderFileSize = 1 << 20;
inline constexpr int kMaxRtfNesting = 64;

// Reads RTF bytes: groups nested at most kMaxRtfNesting deep, font, colour and style tables,
// "{\*...}" groups and unknown control words skipped; "\'xx" (Windows-1250), "\uN" with its
// fallback skipped, "\par" ends a line, "\ql"/"\qc"/"\qr" set its alignment, "\pard" resets
// it, "\fsN" of 30 half-points and more or "\b" mark double width. False for anything that is
// not a well-formed RTF document; `model` is then unchanged.
bool ReadHeaderRtf(std::string_view rtf, HeaderModel* model);

// RTF with a Windows-1250 code page and a Courier New font; double-width characters bold at
// 20 points, the others at 10; every line closed by "\par".
std::string WriteHeaderRtf(const HeaderModel& model);

// "Nie mogę otworzyc pliku" + name + "." when the file cannot be read, is larger than
// kMaxHeaderFileSize or is not RTF; the model is then unchanged.
bool LoadHeaderFile(const std::string& path, HeaderModel* model, std::string* message);
// "Nie mogę zapisa do pliku" + name + "." when the file cannot be written.
bool SaveHeaderFile(const std::string& path, const HeaderModel& model, std::string* message);

}  // namespace kelm
