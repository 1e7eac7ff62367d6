// The option dialogs with a field instead of choices, and the run of default values.
#pragma once

#include "config/dialogs/ConfigDialog.h"

class QComboBox;
class QPlainTextEdit;

namespace kelm::dialogs {

class TParametrySzuflady : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TParametrySzuflady(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;
  void FormShown() override;

 private:
  QLineEdit* edit_;
  QLabel* range_;
};

class TMinimalnyCzasSterZwijacz : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TMinimalnyCzasSterZwijacz(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;

 private:
  QLineEdit* edit_;
};

// Neither Enter nor Esc is handled.
class TBlokadaKlawiatury : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TBlokadaKlawiatury(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;
  void FormShow() override;

 private:
  QCheckBox* lock_;
  QLineEdit* seconds_;
};

class TWpisanieTypuIWersji : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TWpisanieTypuIWersji(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;
  void FormShow() override;

 private:
  QRadioButton* standard_;
  QRadioButton* custom_;
  QLabel* choose_;
  QComboBox* list_;
};

// Sends sixteen frames without waiting between them; stays open afterwards.
class TWartosciDomyslne : public ConfigDialog {
  Q_OBJECT
 public:
  explicit TWartosciDomyslne(QWidget* parent = nullptr);

 protected:
  SendOutcome Send() override;
};

}  // namespace kelm::dialogs
