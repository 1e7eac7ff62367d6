// The program's own window for reading a readout's text: read-only, fixed-pitch, Windows-1250
// decoded, with search and copy, so "&Wyświetl" works on a machine without a text editor, and a
// button that hands the file to the desktop's editor when there is one.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kelm::dialogs {

class ReportViewer : public QDialog {
  Q_OBJECT
 public:
  explicit ReportViewer(QWidget* parent = nullptr);

  // Shows the file `path` (Windows-1250 text) under `title`; false when it cannot be read.
  bool Load(const QString& path, const QString& title);
  QString Text() const;

  // Opens the file in the desktop's editor; false when the desktop has none for it.
  std::function<bool(const QString& path)> open_externally;

 private:
  void FindNext();
  void Copy();
  void OpenExternally();

  QString path_;
  QPlainTextEdit* text_;
  QLineEdit* find_;
  QLabel* found_;
};

}  // namespace kelm::dialogs
