// The full transaction dialog.
#include "sales/dialogs/TPelnaTranskacja.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "link/settings.h"
#include "protocol/operator.h"
#include "sales/dialogs/LinesGrid.h"
#include "sales/receipt_commands.h"

namespace kelm::dialogs {
namespace {

constexpr int kDataRows = kFullTransactionRows - 1;

// The payment table: one row per payment form of the family, under its titles.
class PaymentGrid : public QTableWidget {
 public:
  explicit PaymentGrid(QWidget* parent) : QTableWidget(1, 3, parent) {
    setObjectName("StringGrid2");
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const char* titles[] = {"Płatność", "Kwota", "Nazwa"};
    for (int c = 0; c < 3; ++c) {
      auto* title = new QTableWidgetItem(QString::fromUtf8(titles[c]));
      title->setFlags(Qt::ItemIsEnabled);
      setItem(0, c, title);
    }
  }
  void SetForms(int count) {
    static const char* kForms[] = {"Gotówka", "Karta", "Czek", "Bon"};
    setRowCount(count + 1);
    for (int r = 1; r <= count; ++r) {
      auto* form = new QTableWidgetItem(QString::fromUtf8(kForms[r - 1]));
      form->setFlags(Qt::ItemIsEnabled);
      setItem(r, 0, form);
    }
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QTableWidget::resizeEvent(event);
    const int width = viewport()->width();
    setColumnWidth(0, width * 18 / 100);
    setColumnWidth(1, width * 30 / 100);
    setColumnWidth(2, width * 47 / 100);
  }
};

std::string CellText(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* cell = table->item(row, column);
  return cell ? cell->text().toStdString() : std::string();
}

}  // namespace

TPelnaTranskacja::TPelnaTranskacja(QWidget* parent)
    : SalesDialog(parent, "TPelnaTranskacja", "Pełna transakcja", false, "&Wyślij", "&Anuluj") {
  auto* top = new QHBoxLayout;
  top->addStretch();
  QToolButton* open = NewFileButton(this, "SpeedButton1", "Odczytaj linijki z pliku", false);
  QToolButton* save = NewFileButton(this, "SpeedButton2", "Zapisz linijki do pliku", true);
  top->addWidget(open);
  top->addWidget(save);
  body_->insertLayout(0, top);
  // Columns 4 and 5 are kept (and saved) but never shown or sent.
  grid_ = new LinesGrid(this, kFullTransactionRows, {"Nazwa towaru/usługi", "Ilość", "PTU", "Cena"},
                        {46, 20, 8, 20, 0, 0});
  grid_->setMinimumSize(560, 260);
  body_->insertWidget(1, grid_);
  auto* sums = new QGroupBox(this);
  sums->setObjectName("GroupBox1");
  auto* sums_form = new QFormLayout(sums);
  auto* add_up = new QPushButton("Podlicz", sums);
  add_up->setObjectName("Button3");
  add_up->setAutoDefault(false);
  sums_form->addRow(add_up);
  total_ = AddEdit("Razem", "0.00", sums_form);
  discount_ = AddEdit("Rabat %", "0.00", sums_form);
  cashier_ = AddEdit("Kasjer", "", sums_form);
  payments_ = new PaymentGrid(this);
  payments_->setMinimumHeight(130);
  auto* middle = new QHBoxLayout;
  middle->addWidget(sums);
  middle->addWidget(payments_, 1);
  body_->insertLayout(2, middle);
  form_->addRow(new QLabel("Dodatkowe linie tekstu", this));
  lines_ = AddMemo();
  nip_check_ = NewCheck("NIP Nabywcy");
  nip_ = NewEdit("123-456-78-90");
  nip_->setEnabled(false);
  form_->addRow(nip_check_, nip_);
  qr_check_ = NewCheck("Kod QR");
  qr_ = NewEdit("12345");
  qr_->setEnabled(false);
  form_->addRow(qr_check_, qr_);
  connect(nip_check_, &QCheckBox::toggled, nip_, &QWidget::setEnabled);
  connect(qr_check_, &QCheckBox::toggled, this, [this](bool on) {
    qr_->setEnabled(on);
    if (on && LinkSettings.CopyMode != 2) {
      TheOperator().ShowMessage("Kod QR dostępny tylko dla drukarki SALVO.");
    }
  });
  connect(add_up, &QPushButton::clicked, this, [this] { PodliczClick(); });
  connect(open, &QToolButton::clicked, this, [this] { LoadLinesFile(this, grid_, kDataRows); });
  connect(save, &QToolButton::clicked, this, [this] { SaveLinesFile(this, grid_, kDataRows); });
}

void TPelnaTranskacja::showEvent(QShowEvent* event) {
  static_cast<PaymentGrid*>(payments_)->SetForms(LinkSettings.ModelFamily == 0 ? 1 : 4);
  QLabel probe("Ag");
  const int height = probe.sizeHint().height() * 6 / 5;
  grid_->SetRowHeight(height);
  for (int r = 0; r < payments_->rowCount(); ++r) payments_->setRowHeight(r, height);
  SalesDialog::showEvent(event);
}

FullTransactionFields TPelnaTranskacja::Fields() const {
  FullTransactionFields f;
  f.rows = grid_->Rows();
  f.total = Text(total_);
  f.discount = Text(discount_);
  f.cashier = Text(cashier_);
  for (int i = 0; i < kPaymentRows && i + 1 < payments_->rowCount(); ++i) {
    f.amounts[i] = CellText(payments_, i + 1, 1);
    f.names[i] = CellText(payments_, i + 1, 2);
  }
  f.lines = MemoText(lines_);
  f.nip = nip_check_->isChecked();
  f.nip_text = Text(nip_);
  f.qr = qr_check_->isChecked();
  f.qr_text = Text(qr_);
  return f;
}

void TPelnaTranskacja::PodliczClick() {
  FullTransactionFields f = Fields();
  AddUpFullTransaction(&f);
  SetText(total_, f.total);
}

void TPelnaTranskacja::Button1Click() {
  FullTransactionFields f = Fields();
  const int result = SendFullTransaction(&f);
  SetText(total_, f.total);
  // Past the zero-sum check the dialog closes however the sequence ended.
  if (result != kFieldRefused) accept();
}

}  // namespace kelm::dialogs
