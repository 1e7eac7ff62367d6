// One readout from the Read button to the end dialog, less the link: the work file, the
// download dialog's engine (TPobieranieFiskalnejSklepu) run once per currency pass, the pass
// count, and ReportTitle and ReportFileName at the end.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "protocol/operator.h"
#include "readout/periodic_report.h"
#include "readout/readout_request.h"
#include "readout/work_file.h"

namespace kelm {

inline constexpr char kReadoutWorkFile[] = "OdczytFiskPrTemp.txt";

// What one readout can hold, so that a printer that never stops sending ends with the memory
// error instead of filling the disc. A fiscal memory numbers its daily reports in 16 bits, so
// no readout brings more than 65535 of them; the pass count is a signed byte, so no more than
// 127 currencies; and the text of one daily report (at most a few hundred lines of 40
// characters) stays below 16 KiB, which bounds the whole text.
inline constexpr int kMaxReadoutPasses = 127;
inline constexpr uint32_t kMaxReadoutReports = 65535;
inline constexpr uint64_t kMaxReadoutTextBytes = uint64_t(kMaxReadoutReports) * 16384;

class ReadoutSession;

// The download dialog: reads the head of a pass on its first tick, then at most 20 daily
// reports per tick so the window stays responsive, then the closing record.
class DownloadEngine : public ModalWait {
 public:
  DownloadEngine(ReadoutSession& session, RecordLink& link) : session_(session), link_(link) {}
  const char* DialogName() const override { return "TPobieranieFiskalnejSklepu"; }
  int IntervalMs() const override { return 1; }
  void Begin() override;
  bool Tick() override;
  void Abort() override;
  void End() override;
  bool EndsByItself() const override { return link_.WaitsBounded(); }

  // What the dialog shows (UTF-8).
  const std::string& label1() const { return label1_; }
  const std::string& label2() const { return label2_; }
  bool progressVisible() const { return progress_visible_; }
  int progressMax() const { return progress_max_; }
  int progressPosition() const { return progress_position_; }
  // The pass's result code (kRecordGood while running or after a verified closing record).
  int code() const { return code_; }

  static constexpr int kReportsPerTick = 20;

 private:
  bool Fail(int code);
  // The readout has outgrown any fiscal memory: the memory error, and the text is dropped.
  bool FailBound();

  ReadoutSession& session_;
  RecordLink& link_;
  bool head_read_ = false;
  bool finished_ = false;
  int code_ = kRecordGood;
  std::string label1_, label2_;
  bool progress_visible_ = false;
  int progress_max_ = 0, progress_position_ = 0;
};

class ReadoutSession : private LineSink {
 public:
  // `today` is the computer's date in the short form the head of each pass shows. `work` is
  // the work file, already held; without one the session holds "OdczytFiskPrTemp.txt" in the
  // program's folder on the first tick.
  ReadoutSession(const ReadoutModel& model, const ReadoutRequest& request, std::string today,
                 std::shared_ptr<ReadoutWorkFile> work = nullptr);
  ~ReadoutSession() override;

  // Shows the download dialog for one pass through the operator; adds 1 to the pass count.
  // Returns the pass's code.
  int RunPass(RecordLink& link);
  // A pass that could not be read (the printer refused it, the port did not open). The readout
  // has then not succeeded, even when an earlier currency had: a report missing a currency must
  // not be offered as complete.
  void PassNotRun() { success_ = false; }
  // Another pass follows: the pass succeeded and its range record announced more currencies.
  // Writes the currency separator when it does.
  bool NextPass();
  // After the last pass: the end line, the file closed, ReportTitle and ReportFileName built.
  // A readout whose stream broke off or outgrew a fiscal memory leaves no work file behind.
  void Finish();

  int passes() const { return passes_; }
  bool success() const { return success_; }
  const std::string& reportTitle() const { return title_; }
  const std::string& reportFileName() const { return file_name_; }
  // The message shown before the end dialog when the readout made several reports; empty for
  // one.
  std::string PassCountMessage() const;

 private:
  friend class DownloadEngine;
  void Write(std::string_view bytes) override;
  // Holds and starts the work file on the first tick; returns the message to show when it
  // cannot ("" when the file is ready).
  std::string OpenWorkFile();

  const ReadoutModel model_;
  const ReadoutRequest request_;
  PeriodicReport report_;
  std::shared_ptr<ReadoutWorkFile> work_;
  std::FILE* file_ = nullptr;
  bool file_used_ = false;
  bool write_failed_ = false;
  uint64_t written_ = 0;
  bool text_too_long_ = false;
  uint32_t reports_announced_ = 0;
  bool discard_ = false;
  int passes_ = 0;
  bool success_ = false;
  uint32_t first_number_ = 0, last_number_ = 0;
  std::string title_, file_name_;
};

}  // namespace kelm
