// The goods-base control from a table, for goods and for the tickets of a bus printer.
#pragma once

#include "sales/dialogs/SalesDialog.h"

class QRadioButton;
class QTableWidget;

namespace kelm::dialogs {

// Three report kinds over a grid of 20 rows; `kind_offset` is added to the kind sent.
class BaseTableDialog : public SalesDialog {
  Q_OBJECT
 public:
  QTableWidget* grid() const { return grid_; }

 protected:
  BaseTableDialog(QWidget* parent, const char* name, const char* caption, const char* heading,
                  const char* const kinds[3], const QStringList& titles, std::vector<int> percent,
                  unsigned kind_offset);
  void Button1Click() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRadioButton* kinds_[3];
  QTableWidget* grid_;
  std::vector<int> percent_;
  unsigned kind_offset_;
};

class TPelnaKontrolaBazy : public BaseTableDialog {
  Q_OBJECT
 public:
  explicit TPelnaKontrolaBazy(QWidget* parent = nullptr);
};

class TKontrolaBazyTowarowejDlaBus : public BaseTableDialog {
  Q_OBJECT
 public:
  explicit TKontrolaBazyTowarowejDlaBus(QWidget* parent = nullptr);
};

}  // namespace kelm::dialogs
