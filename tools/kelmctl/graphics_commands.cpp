// kelmctl's picture commands: the customer display's slots, the graphic header and footer, the
// farewell screen. Pictures come from BMP files, reduced to one bit as the dialogs do it.
#include <charconv>
#include <string>

#include "graphics/picture_file_runs.h"
#include "graphics/picture_runs.h"
#include "graphics/raster.h"
#include "kelmctl/commands.h"

namespace kelm::ctl {
namespace {

bool Number(const std::string& text, int min, int max, int* out) {
  int value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
  if (value < min || value > max) return false;
  *out = value;
  return true;
}

int Slot(const Invocation& in) {
  int slot = -1;
  Number(in.Values("--slot")[0], 0, kSlotCount - 1, &slot);
  return slot;
}

int ExitOf(PictureRun run) {
  switch (run) {
    case PictureRun::kDone:
      return kExitDone;
    case PictureRun::kPrinterError:
      return kExitPrinterError;
    default:
      return kExitLink;
  }
}

// The display mode takes the dialog's slider positions: step 1..3, speed and interval 0..9.
bool ModeOptions(const Invocation& in, SlotDisplay* d) {
  int mode = 0, step = 1, speed = 1, interval = 1;
  if (!Number(in.Values("--mode")[0], 0, kDisplayModeCount - 1, &mode)) return false;
  if (in.Has("--step") && !Number(in.Values("--step")[0], 1, 3, &step)) return false;
  if (in.Has("--speed") && !Number(in.Values("--speed")[0], 0, 9, &speed)) return false;
  if (in.Has("--interval") && !Number(in.Values("--interval")[0], 0, 9, &interval)) return false;
  d->mode = static_cast<uint8_t>(mode);
  d->step = static_cast<uint8_t>(step);
  d->speed = static_cast<uint8_t>(speed);
  d->interval = static_cast<uint8_t>(interval);
  return true;
}

bool PictureIsValid(const Invocation& in) {
  if (in.words.empty() || !in.Has("--slot")) return false;
  int slot = 0;
  if (!Number(in.Values("--slot")[0], 0, kSlotCount - 1, &slot)) return false;
  const std::string& what = in.words[0];
  const size_t words = in.words.size();
  if (what == "upload") return words == 2 && !in.Has("-o") && !in.Has("--mode");
  if (what == "read") return words == 1 && in.Has("-o") && !in.Values("-o")[0].empty();
  if (what == "erase") return words == 1 && !in.Has("-o") && !in.Has("--mode");
  SlotDisplay d;
  if (what == "mode") return words == 1 && in.Has("--mode") && ModeOptions(in, &d);
  return false;
}

int Picture(const Invocation& in) {
  const std::string& what = in.words[0];
  const int slot = Slot(in);
  if (what == "upload") return ExitOf(UploadSlotFile(slot, in.words[1]));
  if (what == "read") return ExitOf(ReadSlotToFile(slot, in.Values("-o")[0]));
  if (what == "erase") return CheckedExit(EraseSlot(slot));
  SlotDisplay d;
  ModeOptions(in, &d);
  return CheckedExit(SendSlotMode(slot, d));
}

bool LogoIsValid(const Invocation& in) {
  const std::string& what = in.words[0];
  if (what == "erase") {
    return (in.words[1] == "header" || in.words[1] == "footer") && !in.Has("--no-confirm");
  }
  return what == "header" || what == "footer";
}

int Logo(const Invocation& in) {
  if (in.words[0] == "erase") return CheckedExit(EraseHeaderPicture(in.words[1] == "footer"));
  HeaderSend how;
  how.footer = in.words[0] == "footer";
  how.without_confirmation = in.Has("--no-confirm");
  return ExitOf(SendHeaderFile(in.words[1], how));
}

int Farewell(const Invocation& in) {
  return ExitOf(SendFarewellFile(in.words[0]));
}

}  // namespace

const std::vector<Command>& GraphicsCommands() {
  static const std::vector<Command> table = {
      {"picture",
       "(upload --slot N FILE | read --slot N -o FILE | erase --slot N |\n"
       " mode --slot N --mode M [--step 1..3] [--speed 0..9] [--interval 0..9])",
       "the customer display's picture in slot N (0..9): upload a\n"
       "BMP (fitted to 192 x 64), read it back into a one-bit BMP,\n"
       "erase it, or send its display mode (M 0..6; step, speed and\n"
       "interval as the dialog's sliders)",
       Picture,
       -1,
       {{"--slot", 1}, {"-o", 1}, {"--mode", 1}, {"--step", 1}, {"--speed", 1}, {"--interval", 1}},
       PictureIsValid},
      {"logo",
       "(header | footer) FILE [--no-confirm] | erase (header | footer)",
       "program the graphic header or footer of print-outs from a\n"
       "BMP of up to 416 x 96 dots, row by row (--no-confirm:\n"
       "rows without confirmation), or erase it",
       Logo,
       2,
       {{"--no-confirm"}},
       LogoIsValid},
      {"farewell", "FILE", "the farewell screen from a BMP (fitted to 128 x 64)", Farewell, 1},
  };
  return table;
}

}  // namespace kelm::ctl
