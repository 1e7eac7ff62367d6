// The readout dialogs' decisions.
#include "readout/readout_controls.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "link/program_folder.h"
#include "protocol/operator.h"
#include "readout/readout_session.h"

namespace kelm {

ReadoutControls ApplyReadoutControls(int family, bool emergency, ReadoutMode checked) {
  ReadoutControls c;
  c.checked = checked;
  bool* radio = c.radio_enabled;
  if (family != 0) {
    radio[0] = radio[1] = radio[2] = true;
    if (emergency) {
      // An emergency readout goes by report numbers only.
      c.checked = ReadoutMode::kByNumbers;
      radio[0] = radio[1] = false;
    }
  } else {
    radio[0] = false;
    if (emergency) {
      radio[1] = false;
      radio[2] = true;
      c.checked = ReadoutMode::kByNumbers;
    } else {
      radio[1] = true;
      radio[2] = false;
      c.checked = ReadoutMode::kByDates;
    }
  }
  for (int i = 0; i < 3; ++i) c.group_enabled[i] = int(c.checked) == i;
  return c;
}

ReadoutLabels ReadoutDialogLabels(int family, int copy_mode, int variant,
                                  const std::string& designation) {
  ReadoutLabels l;
  if (family == 2 && (copy_mode == 2 || variant == 2)) {
    l.label1 = "Odczyt pamięci fiskalnej " + designation;
    l.label1_left = 80;
    l.label10_visible = false;
    l.label11 = "Oznaczenie programu odczytującego pamięć fiskalną.: " + designation;
  } else {
    l.label1 = "Odczyt pamięci fiskalnej OPF_VANTEL";
    l.label11 = "Oznaczenie programu odczytującego pamięć fiskalną.: OPF_VANTEL";
  }
  return l;
}

bool SaveReadoutCopy(const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(target, error)) {
    if (!TheOperator().AskYesNo("Plik " + target + " już istnieje.Kontynuować? ")) return false;
    fs::remove(target, error);
  }
  return fs::copy_file(InProgramFolder(kReadoutWorkFile), target, fs::copy_options::none, error);
}

}  // namespace kelm
