// The diagnostic dialogs' results, headless.
#include "catalogue/diagnostics_views.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_queries.h"
#include "link/command_execution.h"
#include "link/printer_identity.h"
#include "link/reception.h"
#include "link/settings.h"
#include "protocol/error_table.h"
#include "protocol/operator.h"

namespace kelm {

ErrorCodeView FetchLastErrorCode() {
  ReadLastErrorCode();
  ErrorCodeView view;
  if (LastErrorNumber == -1) {
    CashInfoState = 0;
    view.code = "???";
    view.description = "Brak odpowiedzi od drukarki.";
    return view;
  }
  view.answered = true;
  view.code = std::to_string(LastErrorNumber);
  if (LastErrorNumber != 0) view.description = PrinterErrorText(LastErrorNumber);
  return view;
}

bool QueryTickedStatus(bool enq, bool dle) {
  if (enq && (QueryEnqStatus() != 0 || AnswerReceived == 0)) return false;
  if (dle && QueryDleStatus() != 0) return false;
  return true;
}

void ReadTypeAndVersion(bool with_code, const std::string& from, const std::string& to,
                        TypeView* view) {
  AnswerReceived = 0;
  AnswerFailed = 0;
  if (!DetectPrinterType()) {
    view->type = view->version = view->code = kNotRead;
    return;
  }
  view->type = ShownTypeName(DetectedType);
  view->version = DetectedType.VersionText;
  if (!with_code || LinkSettings.ModelFamily != 2) {
    view->code = kNotRead;
    return;
  }
  // A refused range clears the field: the code shown before belongs to another range.
  view->code = ReadProgramCheckCode(from, to);
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool LoadBufferFile(const std::string& path, std::vector<std::string>* lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    TheOperator().ShowMessage("Nie mogę otworzyc pliku" + path + ".");
    return false;
  }
  std::string bytes(kBufferFileMax, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  if (in.bad()) {
    TheOperator().ShowMessage("Nie mogę otworzyc pliku" + path + ".");
    return false;
  }
  *lines = SplitTextLines(bytes);
  return true;
}

bool SaveBufferFile(const std::string& path, const std::vector<std::string>& lines) {
  std::error_code error;
  if (std::filesystem::exists(path, error) &&
      !TheOperator().AskYesNo("Plik " + path + " już istnieje.Kontynuować? ")) {
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  out.close();
  if (!out) {
    TheOperator().ShowMessage("Nie mogę zapisa do pliku" + path + ".");
    return false;
  }
  return true;
}

}  // namespace kelm
