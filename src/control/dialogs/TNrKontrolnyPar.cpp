// The receipt and invoice control number dialog.
#include "control/dialogs/TNrKontrolnyPar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "control/dialogs/PrintoutHelp.h"

namespace kelm::dialogs {

TNrKontrolnyPar::TNrKontrolnyPar(QWidget* parent)
    : ControlNumberDialog(parent, "TNrKontrolnyPar", "Sprawdzenie numeru kontrolnego paragonu",
                          "Wyślij", "Anuluj") {
  help_ = new TPomocNrKontrolnyPar(this);
  top_->addWidget(Label("Label1", "Data wydruku:"), 0, 0);
  top_->addWidget(date_, 0, 1);
  top_->addWidget(Label("Label2", "(Dla faktury data wystawienia)"), 0, 2);
  top_->addWidget(Label("Label3", "Numer wydruku:"), 1, 0);
  top_->addWidget(document_, 1, 1);
  top_->setColumnStretch(3, 1);

  grid_ = Grid(this, "StringGrid1", kReceiptGridRows, "Nazwa towaru/usługi", "PTU (litera A-G)");
  grid_->setMinimumHeight(200);
  column_->addWidget(grid_, 1);

  auto* totals = new QGridLayout;
  vat_ = Edit(this, "Edit2");
  total_ = Edit(this, "Edit3");
  receipt_ = Edit(this, "Edit4");
  time_ = MaskEdit(this, "MaskEdit2", "99:99:99;_");
  totals->addWidget(Label("Label4", "Suma PTU"), 0, 0);
  totals->addWidget(vat_, 0, 1);
  totals->addWidget(Label("Label5", "SUMA paragonu"), 1, 0);
  totals->addWidget(total_, 1, 1);
  auto* number = new QVBoxLayout;
  number->setSpacing(0);
  number->addWidget(Label("Label6", "Numer paragonu"));
  number->addWidget(Label("Label7", "lub faktury"));
  totals->addLayout(number, 2, 0);
  totals->addWidget(receipt_, 2, 1);
  totals->addWidget(Label("Label8", "Godzina wydruku (gg:mm:ss)"), 3, 0);
  totals->addWidget(time_, 3, 1);
  cancelled_ = new QCheckBox("Paragon anulowany", this);
  cancelled_->setObjectName("CheckBox2");
  totals->addWidget(cancelled_, 0, 2);
  nip_given_ = new QCheckBox("NIP nabywcy:", this);
  nip_given_->setObjectName("CheckBox3");
  nip_ = Edit(this, "Edit5");
  nip_->setEnabled(false);
  totals->addWidget(nip_given_, 1, 2);
  totals->addWidget(nip_, 1, 3);
  totals->setColumnStretch(3, 1);
  column_->addLayout(totals);
  AddCommonBottom();
  connect(cancelled_, &QCheckBox::toggled, this, &TNrKontrolnyPar::CheckBox2Click);
  connect(nip_given_, &QCheckBox::toggled, this, &TNrKontrolnyPar::CheckBox3Click);
}

// A cancelled receipt has no totals and no receipt number: only the unique number's digits and
// the time identify it.
void TNrKontrolnyPar::CheckBox2Click() {
  const bool enabled = !cancelled_->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(vat_), static_cast<QWidget*>(total_),
                     static_cast<QWidget*>(receipt_), static_cast<QWidget*>(unique_letters_)}) {
    w->setEnabled(enabled);
  }
}

void TNrKontrolnyPar::CheckBox3Click() {
  nip_->setEnabled(nip_given_->isChecked());
}

ReceiptControlData TNrKontrolnyPar::Data() const {
  ReceiptControlData d;
  d.date = Text(date_);
  d.document = Text(document_);
  for (int row = 0; row < grid_->rowCount(); ++row) {
    d.lines.push_back({Cell(grid_, row, 0), Cell(grid_, row, 1)});
  }
  d.vat_total = Text(vat_);
  d.total = Text(total_);
  d.receipt_number = Text(receipt_);
  d.cancelled = cancelled_->isChecked();
  d.buyer_nip_given = nip_given_->isChecked();
  d.buyer_nip = Text(nip_);
  d.unique_letters = Text(unique_letters_);
  d.unique_digits = Text(unique_digits_);
  d.time = Text(time_);
  d.control_number = Text(control_);
  d.print_all = print_all_->isChecked();
  return d;
}

void TNrKontrolnyPar::Send() {
  Finish(VerifyReceipt(Data()));
}

}  // namespace kelm::dialogs
