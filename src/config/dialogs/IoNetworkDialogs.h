// The port configuration and the three network settings dialogs: each mirrors a record of the
// configuration room and lets its rules decide.
#pragma once

#include <array>
#include <vector>

#include "config/dialogs/ConfigDialog.h"
#include "config/io_config.h"
#include "config/network.h"

class QButtonGroup;
class QComboBox;
class QGridLayout;

namespace kelm::dialogs {

class TKonfiguracjaWeWy : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TKonfiguracjaWeWy(QWidget* parent = nullptr);
  const IoState& State() const { return state_; }
  void ReadClick();

 protected:
  SendOutcome Send() override;
  void FormShown() override;

 private:
  QButtonGroup* Column(const char* title, const std::vector<int>& ports, QGridLayout* grid,
                       int column, const char* none);
  void Refresh();

  IoState state_;
  std::array<QComboBox*, kIoPortCount> sales_{};
  std::array<QComboBox*, kIoSpeedCount> speed_{};
  QButtonGroup* copy_;
  QButtonGroup* display_;
  QButtonGroup* display2_;
  QButtonGroup* bridge_;
  QButtonGroup* monitor_;
  QRadioButton* com_pair_;
  QRadioButton* usb_pair_;
  QRadioButton* salvo1_;
  QRadioButton* salvo2_;
  QLabel* display2_header_ = nullptr;
};

class TUstawieniaEthernet : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TUstawieniaEthernet(QWidget* parent = nullptr);
  void ReadClick();
  EthernetSettings Fields() const;

 protected:
  SendOutcome Send() override;
  void FormShown() override;

 private:
  void Show(const EthernetSettings& s);
  QRadioButton* on_;
  QRadioButton* off_;
  std::array<QLineEdit*, 6> texts_{};
};

class TWLAN : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TWLAN(QWidget* parent = nullptr);
  void ReadClick();
  WifiSettings Fields() const;

 protected:
  SendOutcome Send() override;

 private:
  void Show(const WifiSettings& s);
  void ApplyLayout();
  QCheckBox* dhcp_;
  std::array<QRadioButton*, 4> security_{};
  QRadioButton* infrastructure_;
  QRadioButton* ad_hoc_;
  QRadioButton* connect_;
  QRadioButton* no_connect_;
  QRadioButton* wifi_off_;
  QRadioButton* wifi_on_;
  QLabel* key_label_;
  std::array<QLineEdit*, 10> texts_{};
};

class TUstawieniaBlueTooth : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TUstawieniaBlueTooth(QWidget* parent = nullptr);
  void ReadClick();
  BluetoothSettings Fields() const;

 protected:
  SendOutcome Send() override;

 private:
  QLineEdit* pin_;
  QCheckBox* secure_;
  QLineEdit* address_;
  QRadioButton* connect_;
  QRadioButton* no_connect_;
};

}  // namespace kelm::dialogs
