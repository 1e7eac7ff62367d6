// The readout's work file, passes and download ticks.
#include "readout/readout_session.h"

#include <unistd.h>

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
  // Whatever the record reader made of it, a stream that broke off is a transmission error,
  // and what it left in the file is no report.
  if (link_.brokenOff()) {
    code = kTransmissionError;
    session_.discard_ = true;
  }
  code_ = code;
  const std::string message = ReadoutCodeMessage(code);
  if (!message.empty()) TheOperator().ShowMessage(message);
  finished_ = true;
  return true;
}

bool DownloadEngine::FailBound() {
  session_.discard_ = true;
  return Fail(kMemoryError);
}

bool DownloadEngine::Tick() {
  if (finished_) return true;
  PeriodicReport& report = session_.report_;
  if (!head_read_) {
    const std::string cannot = session_.OpenWorkFile();
    if (!cannot.empty()) {
      TheOperator().ShowMessage(cannot);
      code_ = kReadoutAborted;
      finished_ = true;
      return true;
    }
    const int code = report.ReadPassHead(link_);
    if (code != kRecordGood) return Fail(code);
    head_read_ = true;
    session_.reports_announced_ += report.announced();
    if (session_.reports_announced_ > kMaxReadoutReports || session_.text_too_long_) {
      return FailBound();
    }
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
    if (session_.text_too_long_) return FailBound();
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
                               std::string today, std::shared_ptr<ReadoutWorkFile> work)
    : model_(model),
      request_(request),
      report_(model, request.report, *this, std::move(today)),
      work_(std::move(work)) {}

ReadoutSession::~ReadoutSession() {
  if (file_ != nullptr) std::fclose(file_);
}

std::string ReadoutSession::OpenWorkFile() {
  if (file_ != nullptr) return "";
  // The file stays open over all passes of one readout; a new readout starts it anew.
  if (file_used_) return kCannotWrite;
  if (work_ == nullptr) work_ = std::make_shared<ReadoutWorkFile>();
  if (!work_->held()) {
    const std::string path = InProgramFolder(kReadoutWorkFile);
    const ReadoutWorkFile::Result held = work_->Hold(path);
    if (held == ReadoutWorkFile::kBusy) return WorkFileBusyMessage(path);
    if (held != ReadoutWorkFile::kHeld) return kCannotWrite;
  }
  file_ = work_->Start();
  file_used_ = file_ != nullptr;
  return file_ != nullptr ? "" : kCannotWrite;
}

void ReadoutSession::Write(std::string_view bytes) {
  if (file_ == nullptr || text_too_long_) return;
  written_ += bytes.size();
  if (written_ > kMaxReadoutTextBytes) {
    text_too_long_ = true;
    return;
  }
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
  if (passes_ >= kMaxReadoutPasses) {
    TheOperator().ShowMessage(ReadoutCodeMessage(kMemoryError));
    success_ = false;
    discard_ = true;
    return false;
  }
  WriteCurrencySeparator(*this);
  return true;
}

void ReadoutSession::Finish() {
  if (file_ == nullptr) return;
  WriteEndOfText(*this);
  // On the disc before it is offered: a full disc shows here rather than in a later copy.
  if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) write_failed_ = true;
  if (std::fclose(file_) != 0) write_failed_ = true;
  file_ = nullptr;
  if (discard_) {
    success_ = false;
    work_->Remove();
  }
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
