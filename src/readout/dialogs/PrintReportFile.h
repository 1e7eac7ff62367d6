// Prints a readout's text file in receipt-wide columns with a framed, numbered page.
#pragma once

#include <QString>

class QPrinter;

namespace kelm::dialogs {

// Prints `path` (the report text, Windows-1250) on `printer` under `title`. Returns the number
// of pages printed, 0 when the file could not be read or the printer not started.
int PrintReportFile(QPrinter& printer, const QString& path, const QString& title);

}  // namespace kelm::dialogs
