// kelmctl's commands as rows of tables, one table per family of commands: main.cpp reads the
// common options, finds the row of the command, checks its words and options against the row and
// runs its handler with the link up.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "protocol/frame_decoder.h"

namespace kelm::ctl {

inline constexpr int kExitDone = 0;
inline constexpr int kExitLink = 1;  // link failure or no answer
inline constexpr int kExitPrinterError = 2;
inline constexpr int kExitUsage = 64;

// An option of one command, given after the command's name (a flag may also come before it).
struct CommandOption {
  const char* name;  // "--checksum", "-o"
  int values = 0;    // how many words follow it
};

// What the command line gives a handler.
struct Invocation {
  std::vector<std::string> words;  // the command's own words after its name
  std::map<std::string, std::vector<std::string>> options;  // the command's options given
  unsigned timeout_ms = 5000;
  bool timeout_given = false;
  bool answer_yes = false;
  bool answer_given = false;  // --yes or --no was given

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  // The values of an option given (none when it was not).
  const std::vector<std::string>& Values(const std::string& name) const;
};

// A command whose number of words its `valid` check decides.
inline constexpr int kAnyWords = -1;

struct Command {
  const char* name;
  const char* arguments;  // as the usage shows them, after the name
  const char* help;       // the usage line; "\n" starts a continuation line
  int (*handler)(const Invocation&);
  int word_count = 0;  // the command's own words, exactly (or kAnyWords)
  std::vector<CommandOption> options = {};
  // Further checks of the words and options together; false is a usage error.
  bool (*valid)(const Invocation&) = nullptr;
  // False for commands that do not talk to the printer (the disc commands).
  bool needs_link = true;
};

// Exit 1 with the reason on standard error: the printer did not answer in time, or answered
// something that does not read as the answer asked for (shown as display text).
int NoAnswer();
int UnreadableAnswer(const char* answer);

// The families, in the order the usage lists them.
const std::vector<Command>& LinkCommands();
const std::vector<Command>& DiagnosticsCommands();
const std::vector<Command>& ReadoutCommands();
const std::vector<Command>& SalesCommands();
const std::vector<Command>& GraphicsCommands();
const std::vector<Command>& TransferCommands();
const std::vector<Command>& ConfigCommands();
const std::vector<Command>& TestRunCommands();
const std::vector<Command>& HeaderCommands();
const std::vector<Command>& ControlCommands();
const std::vector<Command>& DecodeCommands();

// Prints the decoding of bytes that went one way (kelmctl send --decode).
void PrintDecodedBytes(const char* bytes, size_t count, Direction direction);

}  // namespace kelm::ctl
