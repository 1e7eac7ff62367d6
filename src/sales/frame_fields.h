// What every frame builder of the sales room shares: operator text as a frame field, a
// template formatted into CommandFrame, and the templates more than one document sends.
#pragma once

#include <string>

#include "protocol/frame.h"
#include "sales/receipt.h"

namespace kelm {

// A one-line field as the frame carries it: Windows-1250, at most `limit` bytes.
inline std::string PlainField(const std::string& text, size_t limit = kFieldLimit) {
  return FrameText(text, limit, false);
}
// The same in the printer's letter coding.
inline std::string LetterField(const std::string& text, size_t limit = kFieldLimit) {
  return FrameText(text, limit, true);
}

// The template formatted into CommandFrame; nullptr when the frame did not fit.
template <class... Args>
const char* FormatSalesFrame(const char* tmpl, Args... args) {
  return FormatCommand(tmpl, args...) < 0 ? nullptr : tmpl;
}

inline constexpr char kOpenOnLineTemplate[] = "%cP0$hxx%c%c";
inline constexpr char kDrawerTemplate[] = "%cP1$d%c%c";
inline constexpr char kCancelTemplate[] = "%cP0$exx%c%c";
inline constexpr char kExtendedClosingTemplate[] =
    "%cP%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d$x%s\r%s%s\r%s\r%s\r%s/%s/%s/%s/%s/%s/%s/%s/%s/xx%c%c";

}  // namespace kelm
