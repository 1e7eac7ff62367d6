// What the diagnostic dialogs show after their queries, and the receive buffer's text files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelm {

// The error-code dialog's two panels after the error query.
struct ErrorCodeView {
  std::string code;         // "%d", or "???" without an answer
  std::string description;  // the error's text; empty for 0 and numbers without one
  bool answered = false;
};
// Reads the printer's last error; without an answer the cash data counts as missing too
// (CashInfoState 0), so the main window's next refresh hides it.
ErrorCodeView FetchLastErrorCode();

// The status dialog's ticked queries, ENQ first. False when a ticked query was not sent or the
// ENQ reception was cancelled: the dialog, just shown, closes then.
bool QueryTickedStatus(bool enq, bool dle);

// The three result fields of the type dialog.
struct TypeView {
  std::string type;
  std::string version;
  std::string code;  // "Kod SHA-1"
};
inline constexpr const char* kNotRead = "Nie odczytano.";
// Type and version, then the program check code of the address range when asked for and the
// model is of family 2. A range the validation refused leaves `view->code` as it was.
void ReadTypeAndVersion(bool with_code, const std::string& from, const std::string& to,
                        TypeView* view);

// The receive-buffer memo as a file: one CR LF line per memo line, bytes as they are.
// A file that exists is overwritten only after the operator's Yes. False (message shown) on
// failure or refusal.
bool SaveBufferFile(const std::string& path, const std::vector<std::string>& lines);
// Loads a text file into memo lines; false (message shown) when it cannot be read. Files larger
// than kBufferFileMax are read up to that size only.
bool LoadBufferFile(const std::string& path, std::vector<std::string>* lines);
inline constexpr size_t kBufferFileMax = 1 << 20;
// Lines of a text that ends its lines with CR LF, LF or CR; an unfinished last line counts too.
std::vector<std::string> SplitTextLines(std::string_view text);

}  // namespace kelm
