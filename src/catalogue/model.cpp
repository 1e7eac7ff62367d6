// Printer models and the texts that name them.
#include "catalogue/model.h"

#include <cstdio>

namespace kelm {

const PrinterModel kPrinterModels[kModelCount] = {
    {"Oxil, Oxil Plus", 0, 0, 0}, {"Oxil Pro", 1, 0, 0},
    {"Vantel 57T", 2, 0, 0},      {"Oxil Bus", 1, 1, 0},
    {"Vantel Bus", 2, 1, 0},      {"Vantel 57TE z kopią elektroniczną", 2, 0, 1},
    {"Salvo 3/ PRO", 2, 0, 2},    {"Kelm 859", 2, 2, 1},
};

std::string ModelName;

void ResetModelName() {
  ModelName.clear();
}

int ModelIndexFor(const LinkSettingsRecord& s) {
  int index = kDesignModel;
  if (s.ModelFamily == 0) index = 0;
  if (s.ModelFamily == 1) index = 1;
  if (s.ModelFamily == 2) index = 2;
  if (s.PrinterVariant == 1 && s.ModelFamily == 1) index = 3;
  if (s.PrinterVariant == 1 && s.ModelFamily == 2) index = 4;
  if (s.CopyMode == 1) index = 5;
  if (s.CopyMode == 2) index = 6;
  if (s.PrinterVariant == 2) index = 7;
  return index;
}

namespace {

std::string ModelText(const LinkSettingsRecord& s) {
  static const char* const kFamilyText[3] = {"OXIL, OXIL Plus", "OXIL Pro", "Vantel"};
  std::string name = kFamilyText[s.ModelFamily < 3 ? s.ModelFamily : 2];
  if (s.PrinterVariant == 1) {
    name += " Bus";
  } else if (s.PrinterVariant == 2) {
    name = "KELM 859";
  } else if (s.CopyMode != 0) {
    name += " KE";
    if (s.ModelFamily == 2 && s.CopyMode == 2) name = "SALVO 3/PRO";
  }
  return name;
}

}  // namespace

std::string MainWindowTitle() {
  return ProgramDesignation(0) + ". Drukarka: " + ModelName + ".";
}

std::string ApplyModel(int model_index) {
  if (model_index < 0 || model_index >= kModelCount) model_index = kDesignModel;
  const PrinterModel& m = kPrinterModels[model_index];
  LinkSettings.ModelFamily = m.family;
  LinkSettings.PrinterVariant = m.variant;
  LinkSettings.CopyMode = m.copy_mode;
  ModelName = ModelText(LinkSettings);
  return MainWindowTitle();
}

}  // namespace kelm
