// "Podgląd transmisji": the traffic of the transmission log as it happens, decoded, with the
// bytes in hex on demand, saved as text.
#pragma once

#include <QDialog>

#include "catalogue/traffic_view.h"

class QCheckBox;
class QLabel;
class QTimer;
class QTreeWidget;

namespace kelm::dialogs {

class TPodgladTransmisji : public QDialog {
  Q_OBJECT
 public:
  explicit TPodgladTransmisji(QWidget* parent = nullptr);
  ~TPodgladTransmisji() override;

  // Writes the rows kept as text; false (and a message) when the file cannot be written.
  bool SaveTo(const QString& path);
  // Brings the list up to date at once (the timer does it in batches).
  void Timer1Timer();
  const TrafficView& View() const { return view_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Button1Click();  // "&Zapisz"
  void Button2Click();  // "&Wyczyść"
  void ShowHex();
  void ShowLogState();

  TrafficView view_;
  uint64_t shown_ = 0;  // rows of the view already in the list (counted as View().Added())
  QTreeWidget* list_;
  QCheckBox* hex_check_;
  QLabel* state_label_;
  QTimer* timer_;
};

}  // namespace kelm::dialogs
