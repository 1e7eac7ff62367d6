// The receipt in progress between the hand-driven receipt dialogs, and the discount and text
// rules the sales dialogs share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelm {

// Proposals for the next line number and the closing's total. Only proposals: the operator may
// overwrite every one of them.
struct ReceiptStateRecord {
  int32_t NextLineNumber = 0;
  double ReceiptTotal = 0;
};
extern ReceiptStateRecord ReceiptState;
void ResetReceiptState();

// Line discount codes (the second parameter of "$l").
inline constexpr int kNoDiscount = 0;
inline constexpr int kAmountDiscount = 1;
inline constexpr int kPercentDiscount = 2;
inline constexpr int kAmountSurcharge = 3;
inline constexpr int kPercentSurcharge = 4;

// The line value after a discount of `code` with amount or percentage `amount` on the gross
// `gross`. Family 1 rounds the percentage part by itself before taking it off; the other
// families round the result only (LinkSettings.ModelFamily decides).
double ApplyDiscount(int code, double amount, double gross);

// A multi-line field's CR LF text as printer lines: each line ended by CR. Returns the number
// of lines (8 bits, as the printer's parameter holds it).
uint8_t MemoToLines(std::string_view text, std::string* lines);

// Empty or spaces only.
bool IsBlank(std::string_view text);

// The discount code a grid's "Rabat" cell asks for ("333", "3%", "-333", "-3%"); the sign and
// the percent sign are overwritten with spaces in `text`, so that the number alone is sent.
int ParseLineDiscount(std::string& text);

// The amount conversion of the sales dialogs: "," and "." both serve as the decimal separator.
bool ParseAmountText(std::string_view text, double* out);

// Operator text (UTF-8) as the bytes a frame carries: Windows-1250, cut to `limit` bytes, and
// with `letters` converted into the printer's letter coding.
std::string FrameText(std::string_view utf8, size_t limit, bool letters);

// Field limits of the sales dialogs: one-line fields, the line dialog's item name, multi-line
// fields.
inline constexpr size_t kFieldLimit = 49;
inline constexpr size_t kItemNameLimit = 127;
inline constexpr size_t kMemoLimit = 249;

// The VAT letter of the dialogs' "PTU" list: "A" to "G", and "P" for the deposit entry.
char VatLetter(int list_index);

}  // namespace kelm
