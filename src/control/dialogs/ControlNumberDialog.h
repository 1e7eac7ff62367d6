// What the two control number dialogs share: the print date and document number at the top, the
// unique number, the control number and the print-all box at the bottom, the buttons, the keys
// (Enter sends, Esc closes, F1 opens the help window) and the end of a series.
#pragma once

#include <QDialog>
#include <string>

#include "control/control_series.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace kelm::dialogs {

class ControlNumberDialog : public QDialog {
  Q_OBJECT
 protected:
  ControlNumberDialog(QWidget* parent, const char* name, const char* caption,
                      const char* send_caption, const char* cancel_caption);

  // The bottom part, added by the subclass once its own fields are in place.
  void AddCommonBottom();
  // Closes the dialog or leaves it open, as the series ended.
  void Finish(SeriesEnd end);
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  virtual void Send() = 0;
  void OpenHelp();

  static QLineEdit* MaskEdit(QWidget* parent, const char* name, const char* mask);
  static QLineEdit* Edit(QWidget* parent, const char* name);
  static QTableWidget* Grid(QWidget* parent, const char* name, int rows, const char* first,
                            const char* second);
  // What a field holds as the operator typed it (a masked field with its separators).
  static std::string Text(const QLineEdit* edit);
  static std::string Cell(const QTableWidget* grid, int row, int column);
  QLabel* Label(const char* name, const char* caption);

  QVBoxLayout* column_;
  QGridLayout* top_;           // date and document number rows; subclasses add to it
  QLineEdit* date_;            // MaskEdit1
  QLineEdit* document_;        // Edit1
  QLineEdit* unique_letters_;  // MaskEdit3
  QLineEdit* unique_digits_;   // MaskEdit4
  QLineEdit* control_;         // MaskEdit5
  QCheckBox* print_all_;
  QPushButton* send_;
  QPushButton* help_button_;
  QDialog* help_ = nullptr;  // the subclass's help window, a child so it works beside the dialog
  const char* cancel_caption_;
};

}  // namespace kelm::dialogs
