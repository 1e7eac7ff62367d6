// The disc writing dialog: the Qt face of DiscWriter over the burning engine.
#pragma once

#include <memory>

#include "disc/disc_engine.h"
#include "link/dialogs/WaitShell.h"
#include "readout/disc_writer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kelm::dialogs {

class TNagrywanieCD_DVD : public WaitShell {
  Q_OBJECT
 public:
  explicit TNagrywanieCD_DVD(QWidget* parent = nullptr);
  ~TNagrywanieCD_DVD() override;
  // Writes `source` onto a disc as `name` (both UTF-8); returns when the dialog closes.
  void Show(const std::string& source, const std::string& name);

  DiscWriter& writer() { return *writer_; }

 protected:
  void Started() override { Refresh(); }
  void Ticked() override { Refresh(); }

 private:
  void Refresh();

  std::unique_ptr<BurnEngine> engine_;
  std::unique_ptr<DiscWriter> writer_;
  bool filling_ = false;
  QComboBox* combo_;
  QLineEdit* edit1_;
  QCheckBox* check1_;
  QCheckBox* check2_;
  QLabel* label5_;
  QLabel* status_;
  QProgressBar* bar_;
  QPushButton* write_;
  QPushButton* eject_;
};

}  // namespace kelm::dialogs
