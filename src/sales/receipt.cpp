// The receipt in progress and the shared discount and text rules.
#include "sales/receipt.h"

#include <vector>

#include "link/settings.h"
#include "protocol/letters.h"
#include "protocol/number_text.h"
#include "protocol/win1250.h"

namespace kelm {

ReceiptStateRecord ReceiptState;

void ResetReceiptState() {
  ReceiptState = ReceiptStateRecord();
}

double ApplyDiscount(int code, double amount, double gross) {
  const double part = amount * 0.01;
  const bool separately = LinkSettings.ModelFamily == 1;
  switch (code) {
    case kAmountDiscount:
      return gross - amount;
    case kAmountSurcharge:
      return gross + amount;
    case kPercentDiscount:
      return separately ? RoundToCents(gross - RoundToCents(gross * part))
                        : RoundToCents(gross * (1 - part));
    case kPercentSurcharge:
      return separately ? RoundToCents(gross + RoundToCents(gross * part))
                        : RoundToCents(gross * (1 + part));
    default:
      return gross;
  }
}

uint8_t MemoToLines(std::string_view text, std::string* lines) {
  lines->clear();
  uint8_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    *lines += text[i];
    if (text[i] == '\r') {
      ++count;
      ++i;  // the LF of the CR LF pair
    }
  }
  if (!text.empty()) {
    *lines += '\r';
    ++count;
  }
  return count;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

int ParseLineDiscount(std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return kNoDiscount;
  const bool minus = text[i] == '-';
  if (text[i] < '0' || text[i] > '9') text[i] = ' ';
  bool digit = false, percent = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digit = true;
    } else if (text[i] == '%') {
      text[i] = ' ';
      percent = true;
    }
  }
  if (!digit) return kNoDiscount;
  if (minus) return percent ? kPercentSurcharge : kAmountSurcharge;
  return percent ? kPercentDiscount : kAmountDiscount;
}

bool ParseAmountText(std::string_view text, double* out) {
  return ParseDecimal(text, out);
}

std::string FrameText(std::string_view utf8, size_t limit, bool letters) {
  std::string bytes = Utf8ToCp1250(utf8);
  if (bytes.size() > limit) bytes.resize(limit);
  if (!letters) return bytes;
  std::vector<char> buffer(bytes.begin(), bytes.end());
  buffer.push_back('\0');
  ToPrinterLetters(buffer.data(), LinkSettings.LetterCoding);
  return std::string(buffer.data());
}

char VatLetter(int list_index) {
  if (list_index >= 7) return 'P';
  return static_cast<char>('A' + (list_index < 0 ? 0 : list_index));
}

}  // namespace kelm
