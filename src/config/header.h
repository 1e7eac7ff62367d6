// The printer's text header: the editor's model (lines with an alignment, characters with a
// size), the header command "$f" built from it, and the header read back with "#u".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_frame.h"

namespace kelm {

inline constexpr char kHeaderQueryTemplate[] = "%cP#uxx%c%c";

enum class HeaderAlign : uint8_t { kLeft, kCenter, kRight };

// One line of the header: Windows-1250 characters and, per character, double width.
struct HeaderLine {
  HeaderAlign align = HeaderAlign::kLeft;
  std::string text;
  std::vector<bool> wide;  // same length as text

  void Append(char c, bool is_wide) {
    text += c;
    wide.push_back(is_wide);
  }
  bool operator==(const HeaderLine&) const = default;
};

// A header is a handful of lines; neither its files nor the printer's answer hold more than this.
inline constexpr size_t kMaxHeaderLines = 200;

struct HeaderModel {
  std::vector<HeaderLine> lines;

  // Every character to normal size (family 0 has no double width).
  void ForceNormal();
  bool operator==(const HeaderModel&) const = default;
};

// Ready-made model from UTF-8 text: lines split at "\n", characters between "*" marks are
// double width (the marks dropped). For tests and the command line.
HeaderModel HeaderFromMarkedText(const std::string& utf8, HeaderAlign align = HeaderAlign::kLeft);
// The inverse: UTF-8 with "*" around double-width runs, one line per "\n".
std::string MarkedTextOf(const HeaderModel& model);

// The width choice of the dialog (family 2 only).
enum class HeaderWidthChoice : uint8_t { k42, k57, k32 };
// HeaderLineWidth from the family, variant, copy mode and the width choice.
int HeaderLineWidth(int family, int variant, int copy_mode, HeaderWidthChoice choice);

// The printer text of the header (Windows-1250, before letter conversion): per line its leading
// spaces, its characters with SO/DC4 around double-width runs, LF. No closing FFh.
std::string HeaderPrinterText(const HeaderModel& model, int width);

// The numeric parameter of "$f": 0 for an ordinary printer or the OXIL PRO method; otherwise 1
// for family 2 and 20 for families 0 and 1.
unsigned HeaderDiscountParameter(int family, int variant, bool oxil_method);

// "%cP%u$f%s%cxx%c%c": the printer text converted into `coding`, FFh, the check value. Family 0
// sends every character at normal size. False when the frame does not fit the frame buffer.
bool BuildHeaderFrame(const HeaderModel& model, int width, int family, unsigned discount,
                      uint8_t coding, ConfigFrame* out);

// The "#u" answer (at most `capacity` bytes): from its sixth byte to the first CR or NUL, letters
// LATIN to WINDOWS, characters between SO and DC4 double width, a line per LF. A closing LF
// ends the last line (no empty line is added). Alignment is not rebuilt: the spaces stay. Lines
// past kMaxHeaderLines are garbage and dropped, so the header read can be saved and loaded.
HeaderModel ParseHeaderAnswer(const char* answer, size_t capacity);

inline constexpr const char* kCodingMismatchMessage =
    "Sposób kodowania polskich znaków w drukarce/r/nnie jest zgdny ze sposobem z programu "
    "serwisowego.";

struct HeaderSendRequest {
  HeaderModel model;
  HeaderWidthChoice width_choice = HeaderWidthChoice::k42;
  bool oxil_method = false;
  // The numeric parameter as given (the command line's --discount); -1 takes the rule's.
  int discount = -1;
};

// "&Wyślij": reads the printer's coding first (family 2 and above), builds and sends the header
// command, runs CheckLastCommand and, on a printer error with an ordinary printer, the coding
// comparison. kNotSent when the frame did not go out (the dialog stays open).
SendOutcome SendHeader(const HeaderSendRequest& request);

// The read-back tool button: "#u", then the answer into `model`. False (model unchanged) when
// the frame did not go out or no answer came.
bool ReadHeaderBack(HeaderModel* model);

}  // namespace kelm
