// The type-and-version query and the parsing of its answer.
#include "link/printer_identity.h"

#include <cmath>
#include <cstring>

#include "link/command_execution.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "protocol/number_text.h"
#include "protocol/operator.h"

namespace kelm {

DetectedTypeRecord DetectedType;

void ResetDetectedType() {
  DetectedType = DetectedTypeRecord{};
}

namespace {

constexpr size_t kTypeTextMax = 19;

struct TypeRow {
  const char* name;
  uint8_t family, bus, copy;
};

constexpr TypeRow kTypeTable[] = {
    {"KELM VANTEL 57TE", 2, 0, 1}, {"OXIL Pro", 1, 0, 0},     {"KELM VANTEL 57T", 2, 0, 0},
    {"KELM VANTEL BUS", 2, 1, 0},  {"KELM SALVO 3", 2, 0, 2}, {"Kelm-D859", 2, 2, 2},
};

}  // namespace

std::string ShownTypeName(const DetectedTypeRecord& type) {
  if (type.Version100 == 200 && type.CopyMode == 2 && type.BusVariant == 0) {
    return "KELM SALVO PRO";
  }
  return type.TypeName;
}

bool ParseTypeAnswer(const char* answer, DetectedTypeRecord* type) {
  type->TypeName.clear();
  type->VersionText.clear();
  const size_t length = std::strlen(answer);
  size_t i = 5;  // after ESC "P1#R"
  for (; i < length && answer[i] != '/'; ++i) {
    if (type->TypeName.size() < kTypeTextMax) type->TypeName += answer[i];
  }
  const bool separated = i < length;
  if (i < length) ++i;
  for (; i < length && answer[i] != '/' && answer[i] != 0x1B; ++i) {
    if (type->VersionText.size() < kTypeTextMax) type->VersionText += answer[i];
  }
  type->Family = type->BusVariant = type->CopyMode = 0;
  for (const TypeRow& row : kTypeTable) {
    if (type->TypeName == row.name) {
      type->Family = row.family, type->BusVariant = row.bus, type->CopyMode = row.copy;
    }
  }
  double version = 0;
  // A version that is no number, or too large to count in hundredths, reads as 2.0.
  if (!ParseDecimal(type->VersionText, &version) || std::fabs(version) > 1e7) version = 2.0;
  type->Version = version;
  // Versions carry two decimals; the tiny nudge keeps 1.15 from becoming 114.
  type->Version100 = static_cast<int>(version * 100 + (version >= 0 ? 1e-7 : -1e-7));
  return length > 5 && std::memcmp(answer, "\x1BP1#R", 5) == 0 && separated &&
         !type->TypeName.empty() && !type->VersionText.empty();
}

bool DetectedTypeDiffers(const DetectedTypeRecord& type, int family, int variant, int copy_mode) {
  if (type.Family != family || type.BusVariant != variant) return true;
  return type.BusVariant != 2 && type.CopyMode != copy_mode;
}

bool DetectPrinterType() {
  DetectedType.TypeName.clear();
  DetectedType.VersionText.clear();
  const CommandSteps steps{AfterSend::kReceiveAnswer, false, true};
  const int sent = RunCommand(steps, kTypeVersionQueryTemplate, kEsc, kEsc, kBackslash);
  if (sent < 0 || AnswerReceived == 0) return false;
  ParseTypeAnswer(AnswerBuffer, &DetectedType);
  return true;
}

void CheckDetectedType() {
  if (!DetectPrinterType()) return;
  if (DetectedTypeDiffers(DetectedType, LinkSettings.ModelFamily, LinkSettings.PrinterVariant,
                          LinkSettings.CopyMode)) {
    TheOperator().ShowMessage(kOtherTypeWarning);
  }
}

}  // namespace kelm
