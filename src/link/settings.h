// LinkSettings, the process-wide link and mode settings, and the settings file ustaw.txt.
#pragma once

#include <cstdint>
#include <string>

namespace kelm {

inline constexpr uint8_t kNoPort = 255;

struct LinkSettingsRecord {
  uint8_t PortNumber = kNoPort;  // 1..64 for COM1..COM64; written as a signed number (-1)
  uint32_t Speed = 9600;
  uint8_t DataBits = 8;
  uint8_t Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
  uint8_t StopBits = 0;  // 0 one, 1 one and a half, 2 two
  uint8_t XonXoff = 0;
  uint8_t RtsCts = 0;
  uint8_t LetterCoding = 0;    // LetterCodingIndex
  uint8_t ModelFamily = 2;     // 0, 1, 2
  uint8_t PrinterVariant = 0;  // 0 ordinary, 1 bus, 2 the 859 model
  uint8_t CopyMode = 0;        // 0 paper copy, 1 electronic copy, 2 VF
  uint8_t ServiceMode = 0;
  uint8_t ServiceLevel = 0;
  uint8_t TcpActive = 0;  // never saved
};

extern LinkSettingsRecord LinkSettings;

// Every field back to its default.
void ResetLinkSettings();
// True when no serial port is selected and the TCP/IP link is not active.
bool NoLink();

// Keyword tables, in Windows-1250 bytes as the file holds them.
extern const char* const kParityKeywords[5];
extern const char* const kStopBitsKeywords[3];
extern const char* const kModelFamilyKeywords[3];

// Fills LinkSettings from "ustaw.txt" in the current directory, or in the program's folder when
// the program runs installed (defaults when it is missing).
void LoadSettings();
// Makes the program's folder current and writes "ustaw.txt" there. The file is written under a
// temporary name and renamed over the old one, so a crash or a full disk never leaves a
// truncated file behind. Returns false when it could not be written (not shown to the operator).
bool SaveSettings();

// The pieces of the two, on memory: the settings text as written (Windows-1250 bytes), and the
// reading of at most the first 200 bytes of a file's text into a record.
std::string FormatSettingsText(const LinkSettingsRecord& settings);
void ParseSettingsText(const std::string& text, LinkSettingsRecord* settings);

}  // namespace kelm
