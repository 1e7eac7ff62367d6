// The end dialog of a readout: view, save or print the text; closing it deletes the work file.
#pragma once

#include <QDialog>
#include <functional>

class QPrinter;

namespace kelm::dialogs {

class TNagrywanieCD_DVD;
class ReportViewer;

class TZakonczonoOdczytywanie : public QDialog {
  Q_OBJECT
 public:
  explicit TZakonczonoOdczytywanie(QWidget* parent = nullptr);

  // Shows the dialog for the readout just written (ReportTitle and ReportFileName, UTF-8).
  int Show(const std::string& title, const std::string& file_name);

  // How the save and print choices are asked; tests answer them without a window.
  std::function<QString(const QString& proposed)> choose_save_file;
  std::function<bool(QPrinter& printer)> choose_printer;
  // How the text is opened in the desktop's editor (from the viewer).
  std::function<bool(const QString& path)> open_file;
  ReportViewer* viewer() const { return viewer_; }

  void done(int result) override;
  TNagrywanieCD_DVD* discDialog() const { return disc_; }

 private:
  void ViewClick();
  void SaveClick();
  void PrintClick();

  TNagrywanieCD_DVD* disc_;
  QString title_;
  QString file_name_;
  ReportViewer* viewer_;
};

}  // namespace kelm::dialogs
