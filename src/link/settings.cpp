// LinkSettings and the reading and writing of ustaw.txt.
#include "link/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "link/printer_link.h"
#include "link/program_folder.h"
#include "link/regular_file.h"
#include "protocol/letter_tables.h"
#include "protocol/win1250.h"

namespace kelm {

LinkSettingsRecord LinkSettings;

void ResetLinkSettings() {
  LinkSettings = LinkSettingsRecord{};
}

bool NoLink() {
  return LinkSettings.PortNumber == kNoPort && LinkSettings.TcpActive == 0;
}

namespace {

constexpr const char* kSettingsFile = "ustaw.txt";
constexpr size_t kReadLimit = 200;

// The tables below are Windows-1250 bytes; the file is written and read in that code page.
const std::string kWriteFormat = Utf8ToCp1250(
    "COM %d\r\nSzybkość %lu\r\nBityDanch %d\r\nParzystość %s\r\nBityStopu %s\r\nXon/Xoff %d\r\n"
    "RTS/CTS %d\r\nKodowaniePolskichLiter %s\r\n%s %s %s\r\n%s\r\n");

// Positional: every label is skipped unread. The parity keyword is read up to 11 characters,
// one more than the other short keywords, because "Nieparzyste" has eleven; with ten it would be
// cut and every line after it lost.
constexpr const char* kReadFormat =
    "%10s %d\r\n%10s %lu\r\n%10s %d\r\n%10s %11s\r\n%10s %10s\r\n%20s %d\r\n%20s %d\r\n"
    "%25s %10s\r\n%20s %20s %20s\r\n%15s\r\n";

const std::string kOdstep = Utf8ToCp1250("Odstęp");
const std::string kZwykla = Utf8ToCp1250("zwykła");

const char* const kVariantWords[3] = {kZwykla.c_str(), "Bus", "Kelm859"};
const char* const kCopyModeWords[3] = {"kopia_papierowa", "kopia_elektroniczna", "VF"};

// Index of `word` in `table`, or -1.
int Lookup(const char* word, const char* const* table, int count) {
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(word, table[i]) == 0) return i;
  }
  return -1;
}

const char* Keyword(const char* const* table, int count, int index) {
  return table[index >= 0 && index < count ? index : 0];
}

}  // namespace

const char* const kParityKeywords[5] = {"Brak", "Nieparzyste", "Parzyste", "Znacznik",
                                        kOdstep.c_str()};
const char* const kStopBitsKeywords[3] = {"1", "1.5", "2"};
const char* const kModelFamilyKeywords[3] = {"Oxil,Oxil_Plus", "Oxil_Pro", "Kelm_Vantel"};

std::string FormatSettingsText(const LinkSettingsRecord& s) {
  const char* hidden = "";
  if (s.ServiceMode == 1) hidden = "zegarun";
  if (s.ServiceLevel == 1) hidden = "krzemowiska";
  if (s.ServiceLevel == 2) hidden = "krzemowiska1";
  char text[512];
  std::snprintf(
      text, sizeof text, kWriteFormat.c_str(), static_cast<int>(static_cast<int8_t>(s.PortNumber)),
      static_cast<unsigned long>(s.Speed), static_cast<int>(s.DataBits),
      Keyword(kParityKeywords, 5, s.Parity), Keyword(kStopBitsKeywords, 3, s.StopBits),
      static_cast<int>(s.XonXoff), static_cast<int>(s.RtsCts),
      Keyword(kLetterCodingKeywords, 4, s.LetterCoding),
      Keyword(kModelFamilyKeywords, 3, s.ModelFamily), Keyword(kVariantWords, 3, s.PrinterVariant),
      Keyword(kCopyModeWords, 3, s.CopyMode), hidden);
  return text;
}

void ParseSettingsText(const std::string& file_text, LinkSettingsRecord* s) {
  const std::string text = file_text.substr(0, kReadLimit);
  char label[8][26] = {};
  int port = 0, data_bits = 0, xon = 0, rts = 0;
  unsigned long speed = 0;
  char parity[12] = {}, stop[11] = {}, coding[11] = {};
  char family[21] = {}, variant[21] = {}, copy[21] = {}, hidden[16] = {};
  const int items =
      std::sscanf(text.c_str(), kReadFormat, label[0], &port, label[1], &speed, label[2],
                  &data_bits, label[3], parity, label[4], stop, label[5], &xon, label[6], &rts,
                  label[7], coding, family, variant, copy, hidden);
  // Items are counted in the format's order; each value is taken only when scanning reached it.
  if (items >= 2) s->PortNumber = static_cast<uint8_t>(port);
  if (items >= 4) s->Speed = static_cast<uint32_t>(speed);
  if (items >= 6) s->DataBits = static_cast<uint8_t>(data_bits);
  if (items >= 8) {
    const int i = Lookup(parity, kParityKeywords, 5);
    if (i >= 0) s->Parity = static_cast<uint8_t>(i);
  }
  if (items >= 10) {
    const int i = Lookup(stop, kStopBitsKeywords, 3);
    if (i >= 0) s->StopBits = static_cast<uint8_t>(i);
  }
  if (items >= 12) s->XonXoff = static_cast<uint8_t>(xon);
  if (items >= 14) s->RtsCts = static_cast<uint8_t>(rts);
  if (items >= 16) {
    const int i = Lookup(coding, kLetterCodingKeywords, 4);
    if (i >= 0) s->LetterCoding = static_cast<uint8_t>(i);
  }
  if (items >= 17) {
    const int i = Lookup(family, kModelFamilyKeywords, 3);
    if (i >= 0) s->ModelFamily = static_cast<uint8_t>(i);
  }
  if (items >= 18) {
    if (std::strcmp(variant, "Bus") == 0) s->PrinterVariant = 1;
    if (std::strcmp(variant, "Kelm859") == 0) s->PrinterVariant = 2;
  }
  if (items >= 19) {
    if (std::strcmp(copy, "kopia_elektroniczna") == 0) s->CopyMode = 1;
    if (std::strcmp(copy, "VF") == 0) s->CopyMode = 2;
  }
  if (s->ModelFamily == 0) s->PrinterVariant = 0;
  if (items >= 20) {
    if (std::strcmp(hidden, "zegarun") == 0) {
      s->ServiceMode = 1;
    } else if (std::strcmp(hidden, "krzemowiska") == 0) {
      s->ServiceMode = 1, s->ServiceLevel = 1;
    } else if (std::strcmp(hidden, "krzemowiska1") == 0) {
      s->ServiceMode = 1, s->ServiceLevel = 2;
    } else {
      s->ServiceLevel = 0;
    }
  }
}

void LoadSettings() {
  ResetLinkSettings();
  // A settings file that is no file (a FIFO, a folder) gives the defaults, as a missing one.
  std::string text;
  // Run from where it was built, the program reads the file of the directory it starts in; an
  // installed one reads the user's own, where SaveSettings writes it.
  const std::string path = RunsInstalled() ? InProgramFolder(kSettingsFile) : kSettingsFile;
  if (ReadRegularFile(path, kReadLimit, &text) == FileRead::kRead) {
    ParseSettingsText(text, &LinkSettings);
  }
  LinkSettings.TcpActive = 0;
}

bool SaveSettings() {
  if (chdir(ProgramFolder().c_str()) != 0) return false;
  if (LinkSettings.PortNumber != kNoPort) CloseSerialPort();
  const std::string text = FormatSettingsText(LinkSettings);
  const std::string temp = std::string(kSettingsFile) + ".tmp";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool written = done == text.size() && fsync(fd) == 0;
  if (close(fd) != 0 || !written || rename(temp.c_str(), kSettingsFile) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace kelm
