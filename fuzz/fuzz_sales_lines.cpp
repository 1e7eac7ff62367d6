// Receipt-line files read into a table of rows, and each row's discount cell parsed as the grid
// sends it.
#include <cstdint>
#include <string_view>
#include <vector>

#include "sales/receipt.h"
#include "sales/receipt_lines_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the number of rows, so short and long tables are both reached.
  std::vector<kelm::ReceiptLineRow> rows(data[0] % 20);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  if (kelm::ParseReceiptLines(bytes, &rows)) {
    for (kelm::ReceiptLineRow& row : rows) kelm::ParseLineDiscount(row[5]);
  }
  return 0;
}
