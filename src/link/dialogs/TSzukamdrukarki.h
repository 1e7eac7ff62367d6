// The printer search dialog "Szukanie drukarek fiskalnych": probes the ports from a timer, then
// lists what answered for one choice.
#pragma once

#include <QDialog>
#include <QTimer>

#include "link/printer_search.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;

namespace kelm::dialogs {

class TSzukamdrukarki : public QDialog {
  Q_OBJECT
 public:
  explicit TSzukamdrukarki(QWidget* parent = nullptr);
  // How many printers the last search listed.
  int Listed() const { return search_.listed; }

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  void reject() override;

 private:
  void Timer1Timer();
  void ShowList();
  void ItemChanged(QListWidgetItem* item);
  void Button1Click();  // "&Wybierz"

  PrinterSearch search_;
  QTimer timer_;
  QLabel* searching_;
  QLabel* wait_;
  QProgressBar* bar_;
  QLabel* list_caption_;
  QLabel* choose_caption_;
  QListWidget* list_;
  QPushButton* choose_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};

}  // namespace kelm::dialogs
