// The small single-frame dialogs of the additional tree: cash in and out, cash state, paper
// feed, the three order steps and the three goods-base report steps. One family on the shared
// sales dialog; each class holds only its fields and its send step.
#pragma once

#include "sales/dialogs/SalesDialog.h"
#include "sales/sales_frames.h"

class QRadioButton;

namespace kelm::dialogs {

class TWplataDoKasy : public SalesDialog {
  Q_OBJECT
 public:
  explicit TWplataDoKasy(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QLineEdit* amount_;
};

class TWyplataZKasy : public SalesDialog {
  Q_OBJECT
 public:
  explicit TWyplataZKasy(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QLineEdit* amount_;
};

class TStanKasy : public SalesDialog {
  Q_OBJECT
 public:
  explicit TStanKasy(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
};

class TWysuwPapieru : public SalesDialog {
  Q_OBJECT
 public:
  explicit TWysuwPapieru(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QLineEdit* lines_;
};

// The order dialogs share "Dodatkowe linie" with its multi-line field.
class OrderDialog : public SalesDialog {
  Q_OBJECT
 protected:
  OrderDialog(QWidget* parent, const char* name, const char* caption);
  void AddExtraLines();
  OrderText ExtraLines() const;
  QCheckBox* lines_check_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
};

class TPoczatekZamowienia : public OrderDialog {
  Q_OBJECT
 public:
  explicit TPoczatekZamowienia(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QLineEdit* orderer_;
};

class TLinijkaZamowienia : public OrderDialog {
  Q_OBJECT
 public:
  explicit TLinijkaZamowienia(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QLineEdit* article_;
  QLineEdit* quantity_;
};

class TZakonczenieZamowienia : public OrderDialog {
  Q_OBJECT
 public:
  explicit TZakonczenieZamowienia(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
};

class TPoczateRaportuBazy : public SalesDialog {
  Q_OBJECT
 public:
  explicit TPoczateRaportuBazy(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QRadioButton* kinds_[3];
};

class TPozycjaRaportuBazy : public SalesDialog {
  Q_OBJECT
 public:
  explicit TPozycjaRaportuBazy(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;

 private:
  QLineEdit* name_;
  QComboBox* vat_;
};

class TZakonczenieRaportuBazy : public SalesDialog {
  Q_OBJECT
 public:
  explicit TZakonczenieRaportuBazy(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
};

}  // namespace kelm::dialogs
