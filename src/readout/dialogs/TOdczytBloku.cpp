// The raw memory readout dialog.
#include "readout/dialogs/TOdczytBloku.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace kelm::dialogs {

TOdczytBloku::TOdczytBloku(QWidget* parent) : TransferShell(engine_, parent) {
  setObjectName("TOdczytBloku");
  setWindowTitle("OdczytBloku");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  Bar()->hide();
  auto* title = new QLabel(QString::fromUtf8("Odczyt zawartości pamięci fiskalnej"), this);
  title->setObjectName("Label1");
  AddAboveBar(title);

  auto* sizeRow = new QWidget(this);
  auto* size = new QHBoxLayout(sizeRow);
  size->setContentsMargins(0, 0, 0, 0);
  auto* sizeLabel = new QLabel(QString::fromUtf8("Wielkość pamięci"), this);
  sizeLabel->setObjectName("Label2");
  edit1_ = new QLineEdit(QString::fromUtf8(MemoryBlockReadout::kDefaultSize), this);
  edit1_->setObjectName("Edit1");
  size->addWidget(sizeLabel);
  size->addWidget(edit1_);
  AddAboveBar(sizeRow);
  AddTargetGroup("GroupBox1");

  // The shell's Button1 is this dialog's beep; the dialog closes with Esc or its frame.
  QPushButton* beep = CancelButton();
  beep->setText(QString::fromUtf8("&Sygnał dźwiękowy"));
  beep->setAutoDefault(false);
  beep->disconnect(this);

  connect(edit1_, &QLineEdit::textEdited, this,
          [this](const QString& text) { engine_.edit1 = text.toStdString(); });
  connect(beep, &QPushButton::clicked, this, [this] { engine_.BeepClick(); });
}

void TOdczytBloku::BeforeReceive() {
  engine_.edit1 = edit1_->text().toStdString();
}

}  // namespace kelm::dialogs
