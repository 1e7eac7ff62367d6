// PrinterErrorTable, LastErrorNumber and the text of the printer-error message.
#pragma once

#include <string>

namespace kelm {

inline constexpr int kPrinterErrorCount = 166;  // numbers 0 to 165

// The printer's last error number as read by ReadLastErrorCode or ReadStatusNumber; -1 when it
// was not read.
extern int LastErrorNumber;
void ResetLastError();

// The text of an error number (UTF-8); empty for the gaps and for numbers outside 0..165.
const char* PrinterErrorText(int number);

// "Wystąpił bład nr: N: text", with 255 shown as 0 (the printer's "unknown command").
std::string PrinterErrorMessage(int number);

}  // namespace kelm
