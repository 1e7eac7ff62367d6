// ReportTitle and ReportFileName from the request and the printer's unique number.
#include "readout/report_title.h"

#include "protocol/win1250.h"
#include "readout/report_format.h"

namespace kelm {
namespace {

std::string MonthText(const PackedDate& d) {
  return Format("%02d-%2d%02d", d.month, d.century, d.year);
}

}  // namespace

std::string MakeReportTitle(const ReportNaming& n) {
  std::string title = "Raport okresowy z drukarki ";
  if (n.model.family == 2) title += n.model.bus_variant != 0 ? "VANTEL BUS" : "KELM VANTEL 57T";
  if (n.model.copy_mode == 1) title += " KE";
  if (n.model.copy_mode == 2) title = "Raport okresowy z drukarki KELM SALVO 3";
  if (!n.unique_number.empty()) title += " o numerze unikatowym " + Cp1250ToUtf8(n.unique_number);
  switch (n.mode) {
    case ReadoutMode::kByNumbers:
      title += Format(" od nr %lu do nr %lu", (unsigned long)n.first_number,
                      (unsigned long)n.last_number);
      break;
    case ReadoutMode::kMonthly:
      title += " z miesiąca " + MonthText(n.first);
      break;
    case ReadoutMode::kByDates:
      title += " od dnia " + DateText(n.first) + " do dnia " + DateText(n.last);
      break;
  }
  if (n.emergency) title += " - raport awaryjny";
  return title + ".";
}

std::string MakeReportFileName(const ReportNaming& n) {
  const bool salvo = n.model.configured_family == 2 && n.model.configured_copy_mode == 2;
  std::string name = salvo ? "SALVO_" : "VANTEL_";
  if (!n.unique_number.empty()) {
    // The separator after the three letters is dropped; whatever the printer sent must not
    // lead the file into another folder.
    std::string unique = n.unique_number.substr(0, 3);
    if (n.unique_number.size() > 4) unique += n.unique_number.substr(4);
    for (char& c : unique) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string::npos) {
        c = '_';
      }
    }
    name += Cp1250ToUtf8(unique);
  }
  switch (n.mode) {
    case ReadoutMode::kByNumbers:
      name += Format("_Nr_%lu_%lu", (unsigned long)n.first_number, (unsigned long)n.last_number);
      break;
    case ReadoutMode::kMonthly:
      name += "_Miesiac_" + MonthText(n.first);
      break;
    case ReadoutMode::kByDates:
      name += "_Daty_" + DateText(n.first) + "_" + DateText(n.last);
      break;
  }
  if (n.emergency) name += "_Awaryjny";
  return name + ".txt";
}

}  // namespace kelm
