// The serial parameters dialog "Parametry transmisji".
#pragma once

#include <QDialog>

#include "link/serial_parameters.h"
#include "link/settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace kelm::dialogs {

class TParametryTransmisji : public QDialog {
  Q_OBJECT
 public:
  explicit TParametryTransmisji(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Fill(const SerialChoice& choice);
  SerialChoice Choice() const;
  void PortChanged(int item);
  void Button2Click();  // "&Zastosuj"

  QComboBox* port_;
  QComboBox* speed_;
  QComboBox* data_bits_;
  QComboBox* parity_;
  QComboBox* stop_bits_;
  QGroupBox* port_group_;
  QGroupBox* flow_group_;
  QCheckBox* xon_;
  QCheckBox* rts_;
  LinkSettingsRecord remembered_;
};

}  // namespace kelm::dialogs
