// Receipt-line files ("*.lin"): table rows of six cells, each cell one CR LF line, in Windows-1250.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelm {

inline constexpr int kReceiptLineCells = 6;
// One table row as the operator sees it (UTF-8): name, quantity, PTU, price, gross, discount.
using ReceiptLineRow = std::array<std::string, kReceiptLineCells>;

// A file larger than this is no receipt-line file: sixteen rows of the longest cells the
// dialogs take fit many times over.
inline constexpr size_t kReceiptLinesFileLimit = 65536;

// Fills `rows` (their number is the table's) from the file, six lines per row in order; a short
// file leaves the remaining cells empty, lines past the last row are ignored. A file that cannot
// be opened, holds control bytes other than CR, LF and TAB, or is larger than the limit is
// refused with "Nie mogę otworzyc pliku<name>." and `rows` is left unchanged. Returns true when
// the rows were filled.
bool ReadReceiptLinesFile(const std::string& path, std::vector<ReceiptLineRow>* rows);

// The parsing half of the reader, on the file's bytes: false (rows unchanged) when they are no
// receipt-line text.
bool ParseReceiptLines(std::string_view bytes, std::vector<ReceiptLineRow>* rows);

// Writes `rows` as a receipt-line file, replacing any earlier content. Returns false (after
// "Nie mogę zapisać pliku<name>.") when it cannot be written.
bool WriteReceiptLinesFile(const std::string& path, const std::vector<ReceiptLineRow>& rows);

// The question asked before a save replaces an existing file.
std::string OverwriteQuestion(const std::string& path);
// The file buttons' save: when the file exists, asks that question first and keeps the file as
// it is on No. Returns true when the rows were written.
bool SaveReceiptLinesFile(const std::string& path, const std::vector<ReceiptLineRow>& rows);

}  // namespace kelm
