// The frames of the card, currency, cash, order, goods-base, paper-feed and display dialogs,
// formatted into CommandFrame. Builders return the template used, or nullptr when the frame
// does not fit; texts are operator text (UTF-8).
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kelm {

// Card payment confirmations ("#g" debit, "#h" credit).
inline constexpr int kCardFields = 11;
struct CardConfirmationFields {
  bool debit = true;
  std::array<std::string, kCardFields> fields;  // register ... amount, in the frame's order
  int print_mode = 0;          // 0 copy after a key, 1 copy without waiting, 2 no copy
  bool register_line = false;  // "Linia zawierająca numer kasy / numer kasjera jest drukowana"
};
const char* BuildCardConfirmation(const CardConfirmationFields& f);

// Printing the receipt amount converted into a foreign currency ("$$").
struct CurrencyConversionFields {
  bool print = false;
  std::string multiplier = "1";
  std::string foreign = "EUR";
  std::string rate = "3.4054";
  std::string home = "PLN";
};
const char* BuildCurrencyConversion(const CurrencyConversionFields& f);

// Change of the accounting currency ("##").
struct AccountingCurrencyFields {
  int mode = 0;  // 0 now, 1 at the given time, 2 cancel the scheduled change
  int year = 2000, month = 1, day = 1;
  std::string hour = "00", minute = "00";
  std::string code = "PLN";
};
const char* BuildAccountingCurrency(const AccountingCurrencyFields& f);

const char* BuildCashIn(const std::string& amount);
const char* BuildCashOut(const std::string& amount);
const char* BuildCashState();
const char* BuildPaperFeed(const std::string& lines);

// Orders ("#l"): the additional lines are taken only while `extra_lines` is set.
struct OrderText {
  bool extra_lines = false;
  std::string lines;  // CR LF separated
};
const char* BuildOrderStart(const std::string& orderer, const OrderText& extra);
const char* BuildOrderLine(const std::string& article, const std::string& quantity,
                           const OrderText& extra);
const char* BuildOrderEnd(const OrderText& extra);

// Goods-base control print-outs ("#b"), single steps.
const char* BuildBaseReportStart(int kind);
const char* BuildBaseReportItem(const std::string& name, int vat_index);
const char* BuildBaseReportEnd();
// The same as a table: `kind` is sent as it is (4 to 6 for the tickets of a bus printer).
const char* BuildBaseTableStart(unsigned kind);
const char* BuildBaseTableRow(unsigned kind, const std::string& name, const std::string& vat);
const char* BuildTicketTableRow(unsigned kind, const std::string& ticket, const std::string& item,
                                const std::string& vat, const std::string& surcharge_vat);
const char* BuildBaseTableEnd(unsigned kind);

// Customer display and drawer ("$d" with the byte FFh, no check value).
struct DisplayOperation {
  const char* caption;
  int code;
};
extern const std::array<DisplayOperation, 7> kDisplayOperations;
const char* BuildDisplayControl(int code, const std::string& text);

}  // namespace kelm
