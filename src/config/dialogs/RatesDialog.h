// The two VAT rate dialogs: seven rates with their states; the ordinary dialog adds the change at
// a given time and its cancelling, the bus dialog the sale of foreign tickets.
#pragma once

#include "config/dialogs/ConfigDialog.h"
#include "config/vat_rates.h"

namespace kelm::dialogs {

class RatesDialog : public ConfigDialog {
  Q_OBJECT
 public:
  // The request as the fields hold it.
  VatRatesRequest Request() const;

 protected:
  RatesDialog(QWidget* parent, const char* name, const char* caption, const char* heading,
              bool bus);
  SendOutcome Send() override;
  void FormShow() override { ApplyLayout(); }
  // What the dialog adds to the rates.
  virtual void FillRequest(VatRatesRequest*) const {}
  // The layout rules, after the dialog opens and after every click on a state or mode.
  virtual void ApplyLayout();

  bool bus_;
  QGroupBox* rates_group_;
  QLineEdit* texts_[kRateCount];
  // Per rate: "Opodatkowana", "Zwolniona", "Nieaktywna".
  QRadioButton* states_[kRateCount][3];
};

class TProgramowanieStawek : public RatesDialog {
  Q_OBJECT
 public:
  explicit TProgramowanieStawek(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
  void FormShown() override;
  void ApplyLayout() override;
  void FillRequest(VatRatesRequest* r) const override;

 private:
  QRadioButton* modes_[3];
  QGroupBox* when_group_;
  QDateEdit* date_;
  QLineEdit* hour_;
  bool schedule_available_ = false;
};

class TProgramowanieStawekPTUBus : public RatesDialog {
  Q_OBJECT
 public:
  explicit TProgramowanieStawekPTUBus(QWidget* parent = nullptr);

 protected:
  void FillRequest(VatRatesRequest* r) const override;

 private:
  QRadioButton* foreign_yes_;
};

}  // namespace kelm::dialogs
