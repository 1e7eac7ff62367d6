// The help windows of the control number dialogs: a sample print-out drawn by the program, with
// the fields the dialog asks for circled and labelled by the dialog's field names, and notes.
#pragma once

#include <QDialog>
#include <QWidget>
#include <vector>

namespace kelm::dialogs {

// One circled part of the print-out: a text of one of its lines, and the field it is.
struct PrintoutMark {
  int line;
  const char* part;   // UTF-8, as it stands in the line
  const char* label;  // UTF-8
  bool skip = false;  // a part the operator leaves out (drawn crossed, in another colour)
};

struct PrintoutSample {
  std::vector<const char*> lines;  // the print-out, UTF-8, fixed pitch
  std::vector<PrintoutMark> marks;
  std::vector<const char*> notes;
};

// The drawing: paper on the left, labels on the right, notes under the labels.
class PrintoutPicture : public QWidget {
  Q_OBJECT
 public:
  PrintoutPicture(const PrintoutSample& sample, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // Marks whose text does not stand in their line: they would circle the wrong place.
  int MisplacedMarks() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Layout;
  Layout Measure() const;
  const PrintoutSample& sample_;
};

// A help window's row: its class, caption and print-out.
struct PrintoutHelpRow {
  const char* class_name;
  const char* caption;  // UTF-8
  const PrintoutSample& sample;
};
// The row of `class_name`.
const PrintoutHelpRow& PrintoutHelpOf(const char* class_name);

// One window for both help windows; each named class only picks its row.
class PrintoutHelp : public QDialog {
  Q_OBJECT
 protected:
  PrintoutHelp(QWidget* parent, const char* class_name);
};

#define KELM_PRINTOUT_HELP(Name)                                              \
  class Name : public PrintoutHelp {                                          \
   public:                                                                    \
    explicit Name(QWidget* parent = nullptr) : PrintoutHelp(parent, #Name) {} \
  }

// "Dane dla numeru kontrolnego paragonu": where the receipt dialog's fields stand on a receipt.
KELM_PRINTOUT_HELP(TPomocNrKontrolnyPar);
// "Dane dla numeru kontrolnego raportu dobowego": the same for the daily-report dialog.
KELM_PRINTOUT_HELP(TPomocNrKontrolnyRapDobowego);

}  // namespace kelm::dialogs
