// The far side of the link for the fuzz targets that run a whole exchange: the program's TCP/IP
// link connected once to a socket of the target's own, a silent operator and a clock whose sleeps
// cost nothing, so each run can play the printer with the fuzzer's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelm::fuzz {

// An operator that answers Yes and shows nothing, and the clock whose sleeps cost nothing.
void InstallSilentSeams();

// Connects the program's link to the loopback printer (the first call does it); aborts when the
// loopback cannot be set up, as no run would mean anything without it.
void ConnectLoopbackPrinter();

// The printer sends `bytes` to the program (loopback delivers them before send returns).
void PrinterSends(std::string_view bytes);

// Everything the program has sent to the printer since the last call.
std::string ProgramSent();

// Drops what either side has not read, so one run cannot leak into the next.
void ClearLoopback();

// Bytes the printer sends at the program's next sleep (a read-back waits before it reads).
void SendAtNextSleep(std::string_view bytes);

// A file of the target's own in a private folder, for the routines that write or read files.
const std::string& ScratchFile(const char* name);
// The same file holding `bytes`.
const std::string& WriteScratchFile(const char* name, std::string_view bytes);
// What a file holds ("" when it cannot be read).
std::string FileBytes(const std::string& path);

}  // namespace kelm::fuzz
