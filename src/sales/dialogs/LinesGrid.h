// The editable table of the grid dialogs: fixed rows and columns, the title row, proportional
// column widths, and the rows as the headless routines take them.
#pragma once

#include <QTableWidget>
#include <string>
#include <vector>

#include "sales/receipt_lines_file.h"

class QToolButton;

namespace kelm::dialogs {

class LinesGrid : public QTableWidget {
  Q_OBJECT
 public:
  // `percent` gives each column's share of the grid's width; row 0 holds `titles`.
  LinesGrid(QWidget* parent, int rows, const QStringList& titles, std::vector<int> percent);
  std::string Cell(int row, int column) const;
  void SetCell(int row, int column, const std::string& utf8);
  // Rows 0 .. rowCount-1, six cells each (missing columns read as empty).
  std::vector<ReceiptLineRow> Rows() const;
  // Rows 1.. from `rows[0..]`.
  void SetDataRows(const std::vector<ReceiptLineRow>& rows);
  void SetRowHeight(int height);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<int> percent_;
};

// The two file buttons of the grid dialogs: read a ".lin" file into the data rows, and save the
// data rows (asking before an existing file is replaced).
QToolButton* NewFileButton(QWidget* parent, const char* name, const char* hint, bool save);
void LoadLinesFile(QWidget* parent, LinesGrid* grid, int data_rows);
void SaveLinesFile(QWidget* parent, const LinesGrid* grid, int data_rows);

}  // namespace kelm::dialogs
