// The extended closing dialog.
#include "sales/dialogs/TZatwierdzenieRozszerzone.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "sales/currency.h"
#include "sales/dialogs/TWaluty.h"
#include "sales/dialogs/TZatwierdzenieTransakcji.h"
#include "sales/receipt.h"
#include "sales/receipt_commands.h"

namespace kelm::dialogs {

TZatwierdzenieRozszerzone::TZatwierdzenieRozszerzone(QWidget* parent)
    : SalesDialog(parent, "TZatwierdzenieRozszerzone", "Zatwierdzenie rozszerzone", false) {
  auto* heading = new QLabel("Rozszerzone zatwierdzenie transakcji", this);
  heading->setObjectName("Label1");
  body_->insertWidget(0, heading);
  total_ = AddEdit("TOTAL", "0.00");
  cashier_ = AddEdit("Kod Kasjera", "");
  // The payment forms in the order the operator reads them; each box enables its amount.
  static const struct {
    int form;
    const char* caption;
  } kForms[] = {{kCash, "Wpłata"},
                {kChange, "Reszta"},
                {kDepositTaken, "Kaucja pobrana"},
                {kDepositReturned, "Kaucja zwrócona"},
                {kCard, "Karta"},
                {kCheque, "Czek"},
                {kVoucher, "Bon"}};
  auto* grid = new QGridLayout;
  int row = 0;
  for (const auto& f : kForms) {
    QCheckBox* check = NewCheck(f.caption);
    QLineEdit* amount = NewEdit("0.00");
    amount->setEnabled(false);
    checks_[f.form] = check;
    amounts_[f.form] = amount;
    grid->addWidget(check, row, 0);
    grid->addWidget(amount, row, 1);
    connect(check, &QCheckBox::toggled, amount, &QWidget::setEnabled);
    ++row;
  }
  const struct {
    int form;
    const char* caption;
    QLineEdit** name;
  } kNames[] = {{kCard, "Nazwa karty", &card_name_},
                {kCheque, "Nazwa czeku", &cheque_name_},
                {kVoucher, "Nazwa bonu", &voucher_name_}};
  for (const auto& n : kNames) {
    *n.name = NewEdit("");
    (*n.name)->setEnabled(false);
    const int at = n.form == kCard ? 4 : n.form == kCheque ? 5 : 6;
    grid->addWidget(new QLabel(QString::fromUtf8(n.caption), this), at, 2);
    grid->addWidget(*n.name, at, 3);
    connect(checks_[n.form], &QCheckBox::toggled, *n.name, &QWidget::setEnabled);
  }
  form_->addRow(grid);
  discount_type_ = AddCombo("Rodzaj rabatu", ReceiptDiscountTypes());
  discount_ = AddEdit("RABAT", "0.00");
  discount_->setEnabled(false);
  lines_check_ = AddCheck("Dodatkowe linie");
  lines_ = AddMemo();
  lines_->setPlainText("\n");
  lines_->setEnabled(false);
  auto* currencies = new QPushButton("Waluty", this);
  currencies->setObjectName("Button3");
  currencies->setAutoDefault(false);
  form_->addRow(currencies);
  currencies_ = new TWaluty(this);
  connect(discount_type_, &QComboBox::currentIndexChanged, this,
          [this](int index) { discount_->setEnabled(index != 0); });
  connect(lines_check_, &QCheckBox::toggled, lines_, &QWidget::setEnabled);
  connect(currencies, &QPushButton::clicked, this, [this] { WalutyClick(); });
}

void TZatwierdzenieRozszerzone::showEvent(QShowEvent* event) {
  SetText(total_, TwoDecimals(ReceiptState.ReceiptTotal));
  SalesDialog::showEvent(event);
}

void TZatwierdzenieRozszerzone::WalutyClick() {
  currencies_->exec();
  // Whichever button closed it, the lines follow the table; the operator sets the box to send
  // them.
  lines_->setPlainText(QString::fromStdString(CurrencyLines()));
}

void TZatwierdzenieRozszerzone::Button1Click() {
  ExtendedClosingFields f;
  f.total = Text(total_);
  f.cashier = Text(cashier_);
  for (int i = 0; i < kExtendedPayments; ++i) {
    f.set[i] = checks_[i]->isChecked();
    f.amounts[i] = Text(amounts_[i]);
  }
  f.card_name = Text(card_name_);
  f.cheque_name = Text(cheque_name_);
  f.voucher_name = Text(voucher_name_);
  f.discount_type = discount_type_->currentIndex();
  f.discount = Text(discount_);
  f.extra_lines = lines_check_->isChecked();
  f.lines = MemoText(lines_);
  CloseAfter(SendExtendedClosing(f));
}

}  // namespace kelm::dialogs
