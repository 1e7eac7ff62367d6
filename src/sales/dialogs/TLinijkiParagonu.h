// "LinijkiParagonu": up to sixteen sales lines typed into a table or read from a ".lin" file,
// sent one "$l" after another.
#pragma once

#include "sales/dialogs/SalesDialog.h"

namespace kelm::dialogs {

class LinesGrid;

class TLinijkiParagonu : public SalesDialog {
  Q_OBJECT
 public:
  explicit TLinijkiParagonu(QWidget* parent = nullptr);
  LinesGrid* grid() const { return grid_; }

 protected:
  void Button1Click() override;
  void showEvent(QShowEvent* event) override;

 private:
  void HelpClick();
  LinesGrid* grid_;
};

// The help text of the grid (five lines, CR LF between them).
extern const char* const kReceiptLinesHelp;

}  // namespace kelm::dialogs
