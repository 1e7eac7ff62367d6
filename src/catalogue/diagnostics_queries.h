// The diagnostic queries over the link: cash information, type and version, clock (its query
// lives in the link room), program check code and receive buffer. Each sends its frame, receives
// the answer through the receiving dialog and fills its process-wide record.
#pragma once

#include <string>
#include <vector>

#include "link/printer_clock.h"

namespace kelm {

// The queries' templates (cash information on family 2 and on the others, the program's check
// code, the type printed, the receive buffer with and without the port swap).
inline constexpr char kCashInfoTemplate[] = "%cP7#s%c%c";
inline constexpr char kCashInfoFamily2Template[] = "%cP23#s%c%c";
inline constexpr char kProgramCheckCodeTemplate[] = "%cP1;170#v%s/%ld/XX%c%c";
inline constexpr char kPrintTypeTemplate[] = "%cP1;187#vXX%c%c";
inline constexpr char kReceiveBufferSwapTemplate[] = "%cP0;%d$0xx%c%c";
inline constexpr char kReceiveBufferTemplate[] = "%cP$0xx%c%c";

// Sends "#s", parses the answer into CashInfo and sets CashInfoState (0 failed, 1 read); with
// no link it shows "Nie wybrano portu komunikacyjnego." and leaves CashInfoState alone.
void ReadCashInfo();
// ReadCashInfo giving the seven VAT totals; false (totals untouched) when no answer was read.
bool ReadCashTotals(double totals[7]);

// The type dialog's default end address for the check code.
std::string DefaultCheckCodeEnd(int copy_mode, int variant);
// The program check code of the address range: validates the two fields (messages shown), sends
// the request and parses the answer. Returns the text for the result field: the code,
// "Nie odczytano." or "Błąd odczytu."; an empty text when validation stopped it. `read` (when
// given) tells whether the text is a code.
std::string ReadProgramCheckCode(const std::string& from_text, const std::string& to_text,
                                 bool* read = nullptr);
// "&Drukuj i wyświetlaj na drukarce": the type shown and printed by the printer itself.
int PrintTypeOnPrinter();

// Sends the receive-buffer query ("$0"; with PrinterVariant 2 its "Zamień COM" parameter) and
// cuts the answer into memo lines. Returns false when the frame was not sent or the reception
// was cancelled.
bool ReadReceiveBuffer(bool swap_com, std::vector<std::string>* lines);

}  // namespace kelm
