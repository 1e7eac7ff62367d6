// The printer settings readout.
#include "config/printer_settings.h"

#include <cstdio>

#include "link/command_execution.h"
#include "link/reception.h"
#include "protocol/frame.h"

namespace kelm {

PrinterSettingsRecord PrinterSettings;

void ResetPrinterSettings() {
  PrinterSettings = PrinterSettingsRecord{};
}

int ParseSettingsAnswer(const char* answer, size_t capacity, PrinterSettingsRecord* record) {
  size_t at = 1;
  auto peek = [&](size_t i) { return i < capacity ? answer[i] : '\0'; };
  if (peek(0) == '\0' || peek(1) != 'P' || peek(2) != '#' || peek(3) != 'U') return 0;
  at = 4;
  int stored = 0;
  for (; stored < kSettingsFieldCount; ++stored) {
    // As a scanned "%u/": spaces before the number, at least one digit, then "/".
    while (peek(at) == ' ' || peek(at) == '\t' || peek(at) == '\r' || peek(at) == '\n') ++at;
    if (peek(at) < '0' || peek(at) > '9') break;
    uint32_t value = 0;
    while (peek(at) >= '0' && peek(at) <= '9') value = value * 10 + (peek(at++) - '0');
    record->Fields[stored] = static_cast<uint16_t>(value);
    if (peek(at) != '/') {
      ++stored;  // the number itself was taken before the mismatch
      break;
    }
    ++at;
  }
  return stored;
}

bool ReadPrinterSettings(PrinterSettingsRecord* record) {
  // What is already waiting on the line belongs to no one.
  if (RunCommand({AfterSend::kReceiveAnswer, false, true}, kPrinterSettingsQueryTemplate, kEsc,
                 kEsc, kBackslash) < 0) {
    return false;
  }
  if (AnswerReceived != 1) return false;
  ParseSettingsAnswer(AnswerBuffer, kFrameBufferSize, record);
  return true;
}

namespace {

const std::vector<const char*> kNoYes = {"NIE", "TAK"};

}  // namespace

const std::vector<std::vector<const char*>>& SettingsRowItems() {
  static const std::vector<std::vector<const char*>> items = {
      {},
      {"MAZOVIA", "LATIN", "ISOLATIN", "WINDOWS"},
      {},
      {"Tryb 1", "Tryb 2", "Tryb 3"},
      {},
      {"0 - Brak obsługi czujnika pokrywy", "1 - Komunikaty o podniesionej pokrywie",
       "2 - Blokuje sprzedaż przy podniesionej pokrywie"},
      {"NIE", "TAK - dla pewnych rozkazów", "TAK - dla większości rozkazów"},
      kNoYes,
      kNoYes,
      {"EPSON", "KELM"},
      {"Tryb 0", "Tryb 1", "Tryb 2", "Tryb 3"},
      {"STANDARDOWY", "KELM"},
      kNoYes,
      {"Zgodnie z STANDARDOWYM", "Zgonie z KELM"},
      {"metoda 1", "metoda 2"},
  };
  return items;
}

namespace {

SettingsRow ListRow(const char* label, size_t row, int item) {
  const std::vector<const char*>& items = SettingsRowItems()[row];
  SettingsRow r{label, ""};
  if (item >= 0 && static_cast<size_t>(item) < items.size()) {
    r.item = item;
    r.value = items[static_cast<size_t>(item)];
  }
  return r;
}

}  // namespace

std::vector<SettingsRow> SettingsRows(const PrinterSettingsRecord& record, int previous_discount) {
  const uint16_t* f = record.Fields;
  std::vector<SettingsRow> rows;
  rows.push_back({"Identyfikator", std::to_string(f[0])});
  rows.push_back(ListRow("Sposób kodowania polskich znaków", 1, f[1]));
  SettingsRow drawer{"Czas trwania impulsu sterującego szufladą", std::to_string(f[2])};
  drawer.unit = "[ms]";
  drawer.range = "Zakres (100-255 ms)";
  rows.push_back(drawer);
  rows.push_back(ListRow("Sposób drukowania kopii/oryginału", 3, f[3] - 1));
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%2.2f", f[4] * 0.1);
  SettingsRow rollup{"Długość impulsu sterującego zwijaczem", seconds};
  rollup.unit = "[s]";
  rollup.range = "Zakres (1-5 s)";
  rows.push_back(rollup);
  rows.push_back(ListRow("Obsługa czujnika pokrywy obudowy", 5, f[5]));
  rows.push_back(ListRow("Korekta czasu odpowiedzi od drukarki", 6, f[6]));
  rows.push_back(ListRow("Przypominanie o raporcie miesięcznym", 7, f[7]));
  rows.push_back(ListRow("Obsługa zewnętrznego wyświetlacza", 8, f[8]));
  SettingsRow protocol = ListRow("Protokół zewn. wyświetlacza", 9, f[9]);
  protocol.visible = f[8] != 0;
  rows.push_back(protocol);
  rows.push_back(ListRow("Tryb obsługi błędów", 10, f[10]));
  rows.push_back(ListRow("Sposób obsługi kaucji w linijce paragonu", 11, f[11]));
  rows.push_back(ListRow("Zawsze otwierać szufladę po transakcji", 12, f[12] & 1));
  rows.push_back(ListRow("Definicja nr systemowego rozkazem $h", 13, (f[12] >> 1) & 1));
  int discount = -1;
  switch (f[12] & 12) {
    case 4:
      discount = 1;
      break;
    case 8:
      discount = 0;
      break;
    case 12:
      discount = previous_discount;
      break;
  }
  SettingsRow method = ListRow("Metoda Liczenia rabatu procentowego", 14, discount);
  method.visible = (f[12] & 12) != 0;
  rows.push_back(method);
  return rows;
}

std::string CopyModeHelp(int mode) {
  static const char* const kTexts[4] = {
      "", "Kopia i oryginał są iderntyczne.", "Na kopii nie ma nagłówków oraz odcięcia.",
      "Na kopii nie ma nagłówków i odcięcia oraz dokumenty niefiskalne są drukowane tylko na "
      "kopii."};
  // Modes the program does not know get no text rather than a read past the table.
  const char* text = mode >= 0 && mode < 4 ? kTexts[mode] : "";
  return "Tryb " + std::to_string(mode) + ": " + text;
}

std::string ErrorModeHelp(int mode) {
  static const char* const kTexts[4] = {
      "Wyświetlanie komunikatu na wyświetlaczu.", "Nie wyświetla komunikatu, nie zatrzymuje.",
      "Wyświetlanie komunikatu na wyświetlaczu oraz automatyczna odpowiedź.",
      "Brak wyświetlania komunikatu i zatrzymania. Automatycznie wysłanie odpowiedzi."};
  const char* text = mode >= 0 && mode < 4 ? kTexts[mode] : "";
  return "Tryb " + std::to_string(mode) + ": " + text;
}

std::string CannotOpenMessage(const std::string& path) {
  return "Nie mogę otworzyc pliku" + path + ".";
}

std::string WrongSizeMessage(const std::string& path) {
  return "Plik " + path + " nie jest plikiem ustawień drukarki (26 bajtów).";
}

bool SaveSettingsFile(const std::string& path, const PrinterSettingsRecord& record) {
  unsigned char bytes[kSettingsFileSize];
  for (int i = 0; i < kSettingsFieldCount; ++i) {
    bytes[2 * i] = static_cast<unsigned char>(record.Fields[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<unsigned char>(record.Fields[i] >> 8);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
  return std::fclose(file) == 0 && written;
}

bool LoadSettingsFile(const std::string& path, PrinterSettingsRecord* record,
                      std::string* message) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *message = CannotOpenMessage(path);
    return false;
  }
  unsigned char bytes[kSettingsFileSize + 1];
  const size_t n = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  // A file of another size is not a settings record: half a record would show stale fields as
  // if the printer had them.
  if (n != kSettingsFileSize) {
    *message = WrongSizeMessage(path);
    return false;
  }
  for (int i = 0; i < kSettingsFieldCount; ++i) {
    record->Fields[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return true;
}

}  // namespace kelm
