// The title printed above every page of a readout and the name proposed when it is saved.
#pragma once

#include <cstdint>
#include <string>

#include "readout/records.h"

namespace kelm {

enum class ReadoutMode { kMonthly, kByDates, kByNumbers };

struct ReportNaming {
  ReadoutModel model;
  ReadoutMode mode = ReadoutMode::kByDates;
  bool emergency = false;
  // The requested period as packed dates (in monthly mode the day is 0).
  PackedDate first, last;
  // First report number of the first pass, last report number of the last.
  uint32_t first_number = 0, last_number = 0;
  // As the printer sent it (Windows-1250).
  std::string unique_number;
};

// ReportTitle, in UTF-8.
std::string MakeReportTitle(const ReportNaming& n);
// ReportFileName, in UTF-8; characters that cannot stand in a file name become "_".
std::string MakeReportFileName(const ReportNaming& n);

}  // namespace kelm
