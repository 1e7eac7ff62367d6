// The receipt-lines grid dialog.
#include "sales/dialogs/TLinijkiParagonu.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "protocol/operator.h"
#include "sales/dialogs/LinesGrid.h"
#include "sales/receipt_commands.h"

namespace kelm::dialogs {

const char* const kReceiptLinesHelp =
    "Jeśli nie ma potrzeby dodawania rabatu do pozycji okno Rabat należy pozostawić puste.\r\n"
    "Aby dodać rabat kwotowy należy wpisać w pozycji Rabat kwotę rabatu np. \"333\".\r\n"
    "Aby dodać dopłatę kwotową należy wpisać w pozycji Rabat kwotę dopłaty ze znakiem \"-\" np. "
    "\"-333\".\r\n"
    "Aby dodać rabat procentowy należy wpisać w pozycji Rabat kwotę rabatu zakończoną znakiem "
    "\"%\" np. \"3%\".\r\n"
    "Aby dodać dopłatę procentową należy wpisać w pozycji Rabat kwotę dopłaty zakończoną znakiem "
    "\"%\" i poprzedzoną znakiem '-' np. \"-3%\".";

namespace {
constexpr int kGridRows = 17;
constexpr int kDataRows = 16;
}  // namespace

TLinijkiParagonu::TLinijkiParagonu(QWidget* parent)
    : SalesDialog(parent, "TLinijkiParagonu", "LinijkiParagonu", false, "&Wyślij", "&Anuluj") {
  auto* top = new QHBoxLayout;
  auto* heading = new QLabel("Linijki paragonu", this);
  heading->setObjectName("Label1");
  top->addWidget(heading);
  top->addStretch();
  QToolButton* open = NewFileButton(this, "SpeedButton1", "Odczytaj linijki z pliku", false);
  QToolButton* save = NewFileButton(this, "SpeedButton2", "Zapisz linijki do pliku", true);
  auto* help = new QToolButton(this);
  help->setObjectName("SpeedButton3");
  help->setText("?");
  top->addWidget(open);
  top->addWidget(save);
  top->addWidget(help);
  body_->insertLayout(0, top);
  grid_ = new LinesGrid(this, kGridRows,
                        {"Nazwa towaru/usługi", "Ilość", "PTU", "Cena", "Brutto", "Rabat"},
                        {36, 12, 10, 12, 12, 12});
  grid_->setMinimumSize(640, 420);
  body_->addWidget(grid_);
  connect(open, &QToolButton::clicked, this, [this] { LoadLinesFile(this, grid_, kDataRows); });
  connect(save, &QToolButton::clicked, this, [this] { SaveLinesFile(this, grid_, kDataRows); });
  connect(help, &QToolButton::clicked, this, [this] { HelpClick(); });
}

void TLinijkiParagonu::showEvent(QShowEvent* event) {
  QLabel probe("Ag");
  grid_->SetRowHeight(probe.sizeHint().height() * 6 / 5);
  SalesDialog::showEvent(event);
}

void TLinijkiParagonu::HelpClick() {
  TheOperator().ShowMessage(kReceiptLinesHelp);
}

void TLinijkiParagonu::Button1Click() {
  CloseAfter(SendGridLines(grid_->Rows()));
}

}  // namespace kelm::dialogs
