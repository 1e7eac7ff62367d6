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

class PrintoutHelp : public QDialog {
  Q_OBJECT
 protected:
  PrintoutHelp(QWidget* parent, const char* name, const char* caption,
               const PrintoutSample& sample);
};

}  // namespace kelm::dialogs
