// kelmctl's decoder: a file of raw bytes (a DaneWe.bin/DaneWy.bin traffic file, a captured
// stream, display text) read back as named commands, answers and status bytes.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "kelmctl/commands.h"
#include "link/settings.h"
#include "link/transmission_log.h"
#include "protocol/display_text.h"
#include "protocol/frame_decoder.h"

namespace kelm::ctl {
namespace {

// The traffic files say by their names which way their bytes went.
Direction DirectionOf(const Invocation& in, const std::string& path) {
  if (in.Has("--to-printer")) return Direction::kToPrinter;
  if (in.Has("--from-printer")) return Direction::kFromPrinter;
  const std::string name = path.substr(path.find_last_of('/') + 1);
  if (name == kOutgoingLogName) return Direction::kToPrinter;
  if (name == kIncomingLogName) return Direction::kFromPrinter;
  return Direction::kUnknown;
}

bool ReadAll(const std::string& path, std::string* bytes) {
  if (path == "-") {
    bytes->assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

void Print(const std::vector<DecodedItem>& items, bool hex) {
  for (const DecodedItem& item : items) {
    std::fputs(RenderItem(item).c_str(), stdout);
    if (hex) std::printf("    hex: %s\n", HexBytes(item.raw).c_str());
  }
}

int Decode(const Invocation& in) {
  const std::string path = in.words.empty() ? "-" : in.words[0];
  std::string bytes;
  if (!ReadAll(path, &bytes)) {
    std::fprintf(stderr, "kelmctl: cannot read %s\n", path.c_str());
    return kExitUsage;
  }
  if (in.Has("--text")) {
    // Display text, as the raw panel shows frames; line breaks carry nothing.
    std::string frame(bytes.size() + 1, '\0');
    frame.resize(DisplayTextToFrame(bytes, frame.data(), frame.size()));
    bytes = std::move(frame);
  }
  Print(DecodeBytes(bytes, {DirectionOf(in, path), LinkSettings.LetterCoding}), in.Has("--hex"));
  return kExitDone;
}

bool DecodeIsValid(const Invocation& in) {
  return in.words.size() <= 1 && !(in.Has("--to-printer") && in.Has("--from-printer"));
}

}  // namespace

void PrintDecodedBytes(const char* bytes, size_t count, Direction direction) {
  Print(DecodeBytes(std::string_view(bytes, count), {direction, LinkSettings.LetterCoding}), false);
}

const std::vector<Command>& DecodeCommands() {
  static const std::vector<Command> table = {
      {"decode",
       "[FILE|-] [--to-printer | --from-printer]\n[--text] [--hex]",
       "decode frames, answers and status bytes of a file\n(DaneWy.bin, DaneWe.bin, raw bytes; "
       "--text: display\ntext) into named fields and check values",
       Decode,
       kAnyWords,
       {{"--to-printer"}, {"--from-printer"}, {"--text"}, {"--hex"}},
       DecodeIsValid,
       false},
  };
  return table;
}

}  // namespace kelm::ctl
