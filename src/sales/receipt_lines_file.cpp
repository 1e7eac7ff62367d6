// Receipt-line files.
#include "sales/receipt_lines_file.h"

#include <cstdio>
#include <memory>

#include "protocol/operator.h"
#include "protocol/win1250.h"

namespace kelm {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool LooksLikeText(std::string_view bytes) {
  for (unsigned char ch : bytes) {
    if (ch < 0x20 && ch != '\r' && ch != '\n' && ch != '\t') return false;
    if (ch == 0x7F) return false;
  }
  return true;
}

void Refuse(const std::string& path) {
  TheOperator().ShowMessage("Nie mogę otworzyc pliku" + path + ".");
}

}  // namespace

bool ParseReceiptLines(std::string_view bytes, std::vector<ReceiptLineRow>* rows) {
  if (bytes.size() > kReceiptLinesFileLimit || !LooksLikeText(bytes)) return false;
  // Lines end with CR LF; a lone LF (a file edited elsewhere) ends a line as well.
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t wanted = rows->size() * kReceiptLineCells;
  while (start < bytes.size() && lines.size() < wanted) {
    size_t end = bytes.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = bytes.size();
    size_t stop = end;
    if (stop > start && bytes[stop - 1] == '\r') --stop;
    lines.push_back(Cp1250ToUtf8(bytes.substr(start, stop - start)));
    start = last ? end : end + 1;
  }
  for (size_t i = 0; i < wanted; ++i) {
    (*rows)[i / kReceiptLineCells][i % kReceiptLineCells] = i < lines.size() ? lines[i] : "";
  }
  return true;
}

bool ReadReceiptLinesFile(const std::string& path, std::vector<ReceiptLineRow>* rows) {
  File f(std::fopen(path.c_str(), "rb"));
  // One byte more than the limit tells a file at the limit from a larger one.
  std::string bytes(kReceiptLinesFileLimit + 1, '\0');
  if (f) bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f.get()));
  if (!f || std::ferror(f.get()) || !ParseReceiptLines(bytes, rows)) {
    Refuse(path);
    return false;
  }
  return true;
}

bool WriteReceiptLinesFile(const std::string& path, const std::vector<ReceiptLineRow>& rows) {
  std::string bytes;
  for (const ReceiptLineRow& row : rows) {
    for (const std::string& cell : row) {
      // A cell is one line: a line break typed into it would shift every later cell.
      std::string text = Utf8ToCp1250(cell);
      for (char& ch : text) {
        if (ch == '\r' || ch == '\n') ch = ' ';
      }
      bytes += text + "\r\n";
    }
  }
  File f(std::fopen(path.c_str(), "wb"));
  const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                  std::fflush(f.get()) == 0;
  if (!ok) TheOperator().ShowMessage("Nie mogę zapisać pliku" + path + ".");
  return ok;
}

std::string OverwriteQuestion(const std::string& path) {
  return "Plik " + path + " już istnieje.Kontynuować?";
}

}  // namespace kelm

namespace kelm {

bool SaveReceiptLinesFile(const std::string& path, const std::vector<ReceiptLineRow>& rows) {
  if (std::FILE* existing = std::fopen(path.c_str(), "rb")) {
    std::fclose(existing);
    if (!TheOperator().AskYesNo(OverwriteQuestion(path))) return false;
  }
  return WriteReceiptLinesFile(path, rows);
}

}  // namespace kelm
