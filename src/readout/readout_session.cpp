// The readout's work file, passes and download ticks.
#include "readout/readout_session.h"

#include "link/program_folder.h"
#include "protocol/win1250.h"

namespace kelm {
namespace {

const char kCannotWrite[] = "Nie mogę otworzy pliku do zapisu.";

}  // namespace

void DownloadEngine::Begin() {
  session_.title_.clear();
  session_.file_name_.clear();
  link_.PurgeInput();
  link_.ClearAbort();
  session_.success_ = false;
  head_read_ = false;
  finished_ = false;
  code_ = kRecordGood;
  label2_ = "Pobrano dane 0 raportów";
  progress_visible_ = false;
}

bool DownloadEngine::Fail(int code) {
  code_ = code;
  const std::string message = ReadoutCodeMessage(code);
  if (!message.empty()) TheOperator().ShowMessage(message);
  finished_ = true;
  return true;
}

bool DownloadEngine::Tick() {
  if (finished_) return true;
  PeriodicReport& report = session_.report_;
  if (!head_read_) {
    if (!session_.OpenWorkFile()) {
      TheOperator().ShowMessage(kCannotWrite);
      code_ = kReadoutAborted;
      finished_ = true;
      return true;
    }
    const int code = report.ReadPassHead(link_);
    if (code != kRecordGood) return Fail(code);
    head_read_ = true;
    if (session_.first_number_ == 0) session_.first_number_ = report.range().first_number;
    session_.last_number_ = report.range().last_number;
    if (report.announced() > 100) {
      progress_visible_ = true;
      progress_max_ = report.announced();
      progress_position_ = 0;
    }
    label1_ = "Pobieranie danych raportu okresowego dla waluty " +
              Cp1250ToUtf8(report.currencyName()) + ".";
  }
  for (int n = 0; report.reportsRead() < report.announced(); ++n) {
    if (n == kReportsPerTick) {
      label2_ = "Pobrano dane " + std::to_string(report.reportsRead()) + " raportów";
      progress_position_ = report.reportsRead();
      return false;
    }
    const int code = report.ReadDailyReport(link_);
    if (code != kRecordGood) return Fail(code);
  }
  const int code = report.ReadClosing(link_);
  if (code != kRecordGood) return Fail(code);
  session_.success_ = report.passSucceeded();
  finished_ = true;
  return true;
}

void DownloadEngine::Abort() {
  link_.Abort();
  if (!finished_) code_ = kReadoutAborted;
  finished_ = true;
}

void DownloadEngine::End() {
  link_.SendCan();
}

ReadoutSession::ReadoutSession(const ReadoutModel& model, const ReadoutRequest& request,
                               std::string today)
    : model_(model), request_(request), report_(model, request.report, *this, std::move(today)) {}

ReadoutSession::~ReadoutSession() {
  if (file_ != nullptr) std::fclose(file_);
}

bool ReadoutSession::OpenWorkFile() {
  if (file_ != nullptr) return true;
  // The file stays open over all passes of one readout; a new readout starts it anew.
  if (file_used_) return false;
  file_ = std::fopen(InProgramFolder(kReadoutWorkFile).c_str(), "wb");
  file_used_ = file_ != nullptr;
  return file_ != nullptr;
}

void ReadoutSession::Write(std::string_view bytes) {
  if (file_ == nullptr) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) write_failed_ = true;
}

int ReadoutSession::RunPass(RecordLink& link) {
  DownloadEngine engine(*this, link);
  TheOperator().RunModal(engine);
  ++passes_;
  return engine.code();
}

bool ReadoutSession::NextPass() {
  if (!success_ || !report_.more_currencies()) return false;
  WriteCurrencySeparator(*this);
  return true;
}

void ReadoutSession::Finish() {
  if (file_ == nullptr) return;
  WriteEndOfText(*this);
  if (std::fclose(file_) != 0) write_failed_ = true;
  file_ = nullptr;
  // A text cut short by a full disk must not be offered as the printer's report.
  if (write_failed_ && success_) {
    success_ = false;
    TheOperator().ShowMessage(kCannotWrite);
  }
  ReadoutResult result;
  result.first_number = first_number_;
  result.last_number = last_number_;
  result.unique_number = report_.unique_number();
  const ReportNaming naming = NamingOf(request_, model_, result);
  title_ = MakeReportTitle(naming);
  file_name_ = MakeReportFileName(naming);
}

std::string ReadoutSession::PassCountMessage() const {
  if (passes_ <= 1) return "";
  return "W zadanym zakresie znajdują się raporty dobowe zapisane dla różnej waluty "
         "ewidencyjnej.\r\nDlatego zostaną wypisane " +
         std::to_string(passes_) + " raporty okresowe, oddzielnie dla każdej waluty.";
}

}  // namespace kelm
