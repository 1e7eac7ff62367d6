// The goods-base table dialogs.
#include "sales/dialogs/BaseTableDialogs.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "sales/sequences.h"

namespace kelm::dialogs {
namespace {
constexpr int kRows = 20;
}

BaseTableDialog::BaseTableDialog(QWidget* parent, const char* name, const char* caption,
                                 const char* heading, const char* const kinds[3],
                                 const QStringList& titles, std::vector<int> percent,
                                 unsigned kind_offset)
    : SalesDialog(parent, name, caption, true, "&Wyślij", "&Anuluj"),
      percent_(std::move(percent)),
      kind_offset_(kind_offset) {
  if (heading != nullptr) {
    auto* label = new QLabel(QString::fromUtf8(heading), this);
    label->setObjectName("Label1");
    body_->addWidget(label);
  }
  auto* group = new QGroupBox("Rodzaj raportu", this);
  group->setObjectName("RadioGroup1");
  auto* column = new QVBoxLayout(group);
  for (int i = 0; i < 3; ++i) {
    kinds_[i] = new QRadioButton(QString::fromUtf8(kinds[i]), group);
    kinds_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    column->addWidget(kinds_[i]);
  }
  kinds_[0]->setChecked(true);
  body_->addWidget(group);
  grid_ = new QTableWidget(kRows, static_cast<int>(percent_.size()), this);
  grid_->setObjectName("StringGrid1");
  grid_->horizontalHeader()->setVisible(false);
  grid_->verticalHeader()->setVisible(false);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int c = 0; c < grid_->columnCount(); ++c) {
    auto* title = new QTableWidgetItem(titles.value(c));
    title->setFlags(Qt::ItemIsEnabled);
    grid_->setItem(0, c, title);
  }
  const int height = kinds_[0]->sizeHint().height() * 6 / 5;
  for (int r = 0; r < kRows; ++r) grid_->setRowHeight(r, kind_offset_ ? 15 : height);
  grid_->setMinimumSize(520, 360);
  body_->addWidget(grid_);
}

void BaseTableDialog::resizeEvent(QResizeEvent* event) {
  SalesDialog::resizeEvent(event);
  const int width = grid_->viewport()->width();
  for (int c = 0; c < grid_->columnCount(); ++c) {
    grid_->setColumnWidth(c, width * percent_[static_cast<size_t>(c)] / 100);
  }
}

void BaseTableDialog::Button1Click() {
  unsigned kind = 0;
  for (unsigned i = 0; i < 3; ++i) {
    if (kinds_[i]->isChecked()) kind = i;
  }
  std::vector<std::array<std::string, 4>> rows(kRows);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < grid_->columnCount() && c < 4; ++c) {
      const QTableWidgetItem* cell = grid_->item(r, c);
      if (cell != nullptr) rows[static_cast<size_t>(r)][c] = cell->text().toStdString();
    }
  }
  CloseAfter(SendBaseTable(kind + kind_offset_, rows));
}

namespace {
const char* const kGoodsKinds[3] = {"Przyporządkowanie towaru/usługi do stawki PTU",
                                    "Zminany przyporządkowania towarów/usług do stawek PTU",
                                    "Towary/usługi zablokowane do sprzedaży"};
const char* const kTicketKinds[3] = {"Przyporządkowanie towaru/usługi do stawi PTU",
                                     "Zminany przyporządkowania towarów/usług do stawek PTU",
                                     "Towary/usługi zablokowane do sprzedaży"};
}  // namespace

TPelnaKontrolaBazy::TPelnaKontrolaBazy(QWidget* parent)
    : BaseTableDialog(parent, "TPelnaKontrolaBazy", "Pełna kontrola bazy towarowej", nullptr,
                      kGoodsKinds, {"Nazwa towaru/usługi", "Stawka PTU"}, {75, 19}, 0) {}

TKontrolaBazyTowarowejDlaBus::TKontrolaBazyTowarowejDlaBus(QWidget* parent)
    : BaseTableDialog(parent, "TKontrolaBazyTowarowejDlaBus",
                      "Kontrola bazy towarowej dla biletów w drukarce autobusowej",
                      "Kontrola bazy towarowej dla biletów", kTicketKinds,
                      {"Nazwa biletu", "Nazwa pozycji biletu", "PTU", "PTU Dopłata"},
                      {34, 34, 14, 14}, 4) {}

}  // namespace kelm::dialogs
