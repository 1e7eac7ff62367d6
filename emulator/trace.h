// kelmemu's trace (--trace FILE): every frame the printer takes in and every answer it gives,
// told in words from the printer's own knowledge of its commands.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kelm::emu {

class Machine;
struct Command;

// One line about a command frame received: designator and name, parameters, fields, whether its
// check value was right, and the error number it left. `c` is the frame as Execute took it apart.
std::string DescribeCommand(const Machine& m, const Command& c, int error);
// One line about bytes the printer sends: an answer frame, a status byte (answering `query`, ENQ
// or DLE; 0 when it answers no status query), a readout record or a raw dump.
std::string DescribeAnswer(const Machine& m, std::string_view bytes, char query);
// The name of a command the printer knows, "" for one it does not.
std::string CommandName(const Command& c);

// The trace file: lines appended with the time of day to the millisecond, flushed one by one
// so that a reader sees the traffic while it happens.
class TraceFile {
 public:
  TraceFile() = default;
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  bool Open(const std::string& path);
  void Write(std::string_view direction, std::string_view line);

 private:
  FILE* file_ = nullptr;
};

}  // namespace kelm::emu
