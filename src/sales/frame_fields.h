// What every frame builder of the sales room shares: operator text as a frame field, a
// template formatted into CommandFrame, and the shared templates
// (protocol/command_templates.h).
#pragma once

#include <string>

#include "protocol/command_templates.h"
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

}  // namespace kelm
