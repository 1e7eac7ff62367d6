// The grid dialogs' table and file buttons.
#include "sales/dialogs/LinesGrid.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QStyle>
#include <QToolButton>

namespace kelm::dialogs {

LinesGrid::LinesGrid(QWidget* parent, int rows, const QStringList& titles, std::vector<int> percent)
    : QTableWidget(rows, static_cast<int>(percent.size()), parent), percent_(std::move(percent)) {
  setObjectName("StringGrid1");
  horizontalHeader()->setVisible(false);
  verticalHeader()->setVisible(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int c = 0; c < columnCount(); ++c) {
    auto* title = new QTableWidgetItem(c < titles.size() ? titles[c] : QString());
    title->setFlags(Qt::ItemIsEnabled);
    title->setBackground(palette().button());
    setItem(0, c, title);
  }
}

std::string LinesGrid::Cell(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->text().toStdString() : std::string();
}

void LinesGrid::SetCell(int row, int column, const std::string& utf8) {
  if (row <= 0 || row >= rowCount() || column >= columnCount()) return;
  setItem(row, column, new QTableWidgetItem(QString::fromStdString(utf8)));
}

std::vector<ReceiptLineRow> LinesGrid::Rows() const {
  std::vector<ReceiptLineRow> rows(static_cast<size_t>(rowCount()));
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < kReceiptLineCells && c < columnCount(); ++c) {
      rows[static_cast<size_t>(r)][c] = Cell(r, c);
    }
  }
  return rows;
}

void LinesGrid::SetDataRows(const std::vector<ReceiptLineRow>& rows) {
  for (size_t i = 0; i < rows.size(); ++i) {
    for (int c = 0; c < kReceiptLineCells; ++c) SetCell(static_cast<int>(i) + 1, c, rows[i][c]);
  }
}

void LinesGrid::SetRowHeight(int height) {
  for (int r = 0; r < rowCount(); ++r) setRowHeight(r, height);
}

void LinesGrid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  const int width = viewport()->width();
  for (int c = 0; c < columnCount(); ++c) {
    setColumnWidth(c, width * percent_[static_cast<size_t>(c)] / 100);
  }
}

QToolButton* NewFileButton(QWidget* parent, const char* name, const char* hint, bool save) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setToolTip(QString::fromUtf8(hint));
  button->setIcon(parent->style()->standardIcon(save ? QStyle::SP_DialogSaveButton
                                                     : QStyle::SP_DialogOpenButton));
  return button;
}

void LoadLinesFile(QWidget* parent, LinesGrid* grid, int data_rows) {
  const QString path =
      QFileDialog::getOpenFileName(parent, "Otwórz plik z lnijkami paragonu.", QDir::currentPath(),
                                   "Linijki paragonu (*.lin *.LIN)");
  if (path.isEmpty()) return;
  std::vector<ReceiptLineRow> rows(static_cast<size_t>(data_rows));
  if (ReadReceiptLinesFile(path.toStdString(), &rows)) grid->SetDataRows(rows);
}

void SaveLinesFile(QWidget* parent, const LinesGrid* grid, int data_rows) {
  QFileDialog dialog(parent, "Zapisz linijki paragonu do pliku.", QDir::currentPath(),
                     "Linijki paragonu (*.lin *.LIN)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("lin");
  // The question about an existing file is ours, with its own wording.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  std::vector<ReceiptLineRow> all = grid->Rows();
  std::vector<ReceiptLineRow> rows(all.begin() + 1, all.begin() + 1 + data_rows);
  SaveReceiptLinesFile(dialog.selectedFiles().first().toStdString(), rows);
}

}  // namespace kelm::dialogs
