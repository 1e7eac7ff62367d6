// The end dialog of a readout: view, save or print the text; closing it deletes the work file.
#pragma once

#include <QDialog>
#include <functional>

class QPrinter;

namespace kelm::dialogs {

class TZakonczonoOdczytywanie : public QDialog {
  Q_OBJECT
 public:
  explicit TZakonczonoOdczytywanie(QWidget* parent = nullptr);

  // Shows the dialog for the readout just written (ReportTitle and ReportFileName, UTF-8).
  int Show(const std::string& title, const std::string& file_name);

  // How the save and print choices are asked; tests answer them without a window.
  std::function<QString(const QString& proposed)> choose_save_file;
  std::function<bool(QPrinter& printer)> choose_printer;
  // How the text is opened for viewing.
  std::function<bool(const QString& path)> open_file;

  void done(int result) override;

 private:
  void ViewClick();
  void SaveClick();
  void PrintClick();

  QString title_;
  QString file_name_;
};

}  // namespace kelm::dialogs
