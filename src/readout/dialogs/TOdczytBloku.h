// The raw memory readout dialog: the Qt face of MemoryBlockReadout.
#pragma once

#include "readout/dialogs/TransferShell.h"
#include "readout/memory_readout.h"

class QLineEdit;

namespace kelm::dialogs {

class TOdczytBloku : public TransferShell {
  Q_OBJECT
 public:
  explicit TOdczytBloku(QWidget* parent = nullptr);

  MemoryBlockReadout& engine() { return engine_; }

 protected:
  void BeforeReceive() override;

 private:
  MemoryBlockReadout engine_;
  QLineEdit* edit1_;
};

}  // namespace kelm::dialogs
