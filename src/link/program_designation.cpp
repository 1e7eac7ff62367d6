// ProgramDesignation over LinkSettings.
#include "link/program_designation.h"

#include <cstdio>

#include "link/settings.h"

namespace kelm {

std::string ProgramDesignation(int kind) {
  const LinkSettingsRecord& s = LinkSettings;
  const char* format = "KLDiag ver %s";
  if (kind == 1) {
    format = "OPF_VANTEL ver %s";
    if (s.ModelFamily == 2 && s.CopyMode == 2 && s.PrinterVariant == 0) {
      format = "OPF_SALVO ver %s";
    } else if (s.ModelFamily == 2 && s.CopyMode == 1 && s.PrinterVariant == 2) {
      format = "OPF_Kelm-D859 ver %s";
    }
  }
  char text[64];
  std::snprintf(text, sizeof text, format, kProgramVersion);
  return text;
}

}  // namespace kelm
