// The printer's identity: what the type-and-version query says the attached printer is, and
// the warning when that differs from the configured model. Below both the catalogue (the type
// dialog) and the readout (which picks its record layout by it).
#pragma once

#include <cstdint>
#include <string>

namespace kelm {

inline constexpr char kTypeVersionQueryTemplate[] = "%cP1#v%c%c";

struct DetectedTypeRecord {
  uint8_t Family = 0;
  uint8_t BusVariant = 0;
  uint8_t CopyMode = 0;
  std::string TypeName;     // up to 19 characters
  std::string VersionText;  // up to 19 characters
  double Version = 0;
  int Version100 = 0;
};
extern DetectedTypeRecord DetectedType;

// The type name as the type dialog shows it: "KELM SALVO PRO" for a SALVO 3 of version 2.00.
std::string ShownTypeName(const DetectedTypeRecord& type);

// Parses a type-and-version answer into the type name and version text, then derives family,
// bus variant, copy mode and version. True when the answer has the shape of one (ESC "P1#R", a
// name, "/", a version).
bool ParseTypeAnswer(const char* answer, DetectedTypeRecord* type);
// True when the detected printer differs from the configured family, variant or copy mode.
bool DetectedTypeDiffers(const DetectedTypeRecord& type, int family, int variant, int copy_mode);

void ResetDetectedType();

// Sends "#v" with 1 and fills DetectedType. Returns true when the printer answered.
bool DetectPrinterType();
// DetectPrinterType, then the warning when the printer differs from the configured model.
void CheckDetectedType();
inline constexpr const char* kOtherTypeWarning =
    "Wykryto inny typ drukarki niż zdefiniowany w KLSerw. Mogą wystąpić błędy transmisji.";

}  // namespace kelm
