// The daily report control number dialog.
#include "control/dialogs/TNrKontrolnyRapDobowego.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "control/dialogs/PrintoutHelp.h"

namespace kelm::dialogs {

TNrKontrolnyRapDobowego::TNrKontrolnyRapDobowego(QWidget* parent)
    : ControlNumberDialog(parent, "TNrKontrolnyRapDobowego",
                          "Sprawdzenie numeru kontrolnego raportu dobowego", "&Wyślij", "&Anuluj") {
  help_ = new TPomocNrKontrolnyRapDobowego(this);
  top_->addWidget(Label("Label1", "Data raportu"), 0, 0);
  top_->addWidget(date_, 0, 1);
  top_->addWidget(Label("Label2", "Numer raportu"), 1, 0);
  document_->setText("0");
  top_->addWidget(document_, 1, 1);
  // The amounts are typed as printed: always two digits after the comma.
  auto* note = new QVBoxLayout;
  note->setSpacing(0);
  const char* const pieces[][2] = {{"Label3", "SPRZED"},
                                   {"Label4", "PTU"},
                                   {"Label5", "zawsze"},
                                   {"Label6", "2 cyfry"},
                                   {"Label7", "po przecinku"}};
  for (const auto& piece : pieces) note->addWidget(Label(piece[0], piece[1]));
  top_->addLayout(note, 0, 2, 2, 1);
  top_->setColumnStretch(3, 1);

  auto* grids = new QHBoxLayout;
  taxed_ = Grid(this, "StringGrid1", kDailyGridRows, "PTU (litera A-G)", "SPRZED. OPOD. PTU");
  exempt_ = Grid(this, "StringGrid2", kDailyGridRows, "PTU (litera A-G)", "SPRZED. ZWOL. PTU");
  for (QTableWidget* grid : {taxed_, exempt_}) {
    grid->setMinimumHeight(200);
    grids->addWidget(grid);
  }
  column_->addLayout(grids, 1);

  auto* values = new QGridLayout;
  vat_ = Edit(this, "Edit2");
  receipts_ = Edit(this, "Edit3");
  invoices_ = Edit(this, "Edit5");
  running_ = Edit(this, "Edit4");
  values->addWidget(Label("Label8", "ŁĄCZNA KWOTA PTU"), 0, 0);
  values->addWidget(vat_, 0, 1);
  values->addWidget(Label("Label9", "ILOŚĆ PARAGONÓW"), 1, 0);
  values->addWidget(receipts_, 1, 1);
  invoices_label_ = Label("Label10", "ILOŚĆ FAKTUR");
  values->addWidget(invoices_label_, 2, 0);
  values->addWidget(invoices_, 2, 1);
  auto* running = new QVBoxLayout;
  running->setSpacing(0);
  running->addWidget(Label("Label11", "KWOTY ŁĄCZNE OD RAP. 1 DO N"));
  running->addWidget(Label("Label12", "ŁĄCZNA KWOTA PTU"));
  values->addLayout(running, 3, 0);
  values->addWidget(running_, 3, 1);
  values->setColumnStretch(2, 1);
  column_->addLayout(values);
  AddCommonBottom();
}

void TNrKontrolnyRapDobowego::showEvent(QShowEvent* event) {
  ControlNumberDialog::showEvent(event);
  // The type query and the setting query open the receiving dialog, which needs this one on the
  // screen first.
  QTimer::singleShot(0, this, [this] {
    if (isVisible()) FormShow();
  });
}

// The invoice count is asked for only from a printer that keeps invoices; otherwise it is
// emptied, so that nothing of an earlier printer is sent.
void TNrKontrolnyRapDobowego::FormShow() {
  setting_ = ReadInvoiceSetting();
  const bool shown = setting_.InvoiceFieldShown();
  if (!shown) invoices_->clear();
  invoices_->setVisible(shown);
  invoices_label_->setVisible(shown);
}

DailyControlData TNrKontrolnyRapDobowego::Data() const {
  DailyControlData d;
  d.date = Text(date_);
  d.report_number = Text(document_);
  for (int row = 0; row < kDailyGridRows; ++row) {
    d.taxed.push_back({Cell(taxed_, row, 0), Cell(taxed_, row, 1)});
    d.exempt.push_back({Cell(exempt_, row, 0), Cell(exempt_, row, 1)});
  }
  d.vat_total = Text(vat_);
  d.receipt_count = Text(receipts_);
  d.invoice_count = Text(invoices_);
  d.running_vat = Text(running_);
  d.unique_letters = Text(unique_letters_);
  d.unique_digits = Text(unique_digits_);
  d.control_number = Text(control_);
  d.print_all = print_all_->isChecked();
  return d;
}

void TNrKontrolnyRapDobowego::Send() {
  Finish(VerifyDailyReport(Data(), setting_));
}

}  // namespace kelm::dialogs
