// FieldTexts and its bounded copies.
#include "protocol/field_texts.h"

#include <cstring>
#include <string>

#include "protocol/win1250.h"

namespace kelm {

char FieldTexts[kFieldSlotCount][kFieldSlotSize];

void SetFieldText(int slot, std::string_view cp1250) {
  if (slot < 0 || slot >= kFieldSlotCount) return;
  const size_t n = std::min(cp1250.size(), static_cast<size_t>(kFieldSlotSize - 1));
  std::memcpy(FieldTexts[slot], cp1250.data(), n);
  FieldTexts[slot][n] = '\0';
}

void SetFieldTextUtf8(int slot, std::string_view utf8) {
  SetFieldText(slot, Utf8ToCp1250(utf8));
}

void ResetFieldTexts() {
  std::memset(FieldTexts, 0, sizeof FieldTexts);
}

}  // namespace kelm
