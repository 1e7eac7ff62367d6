// The raw memory readout dialog.
#include "readout/dialogs/TOdczytBloku.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace kelm::dialogs {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TOdczytBloku::TOdczytBloku(QWidget* parent) : WaitShell(parent) {
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

  auto* target = new QGroupBox(QString::fromUtf8("Pobierz do pliku"), this);
  target->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(target);
  edit2_ = new QLineEdit(target);
  edit2_->setObjectName("Edit2");
  edit2_->setReadOnly(true);
  edit2_->setMinimumWidth(320);
  button3_ = Button(target, "Button3", "...");
  button5_ = Button(target, "Button5", "&Odbierz");
  label3_ = new QLabel(target);
  label3_->setObjectName("Label3");
  grid->addWidget(edit2_, 0, 0);
  grid->addWidget(button3_, 0, 1);
  grid->addWidget(button5_, 1, 0, Qt::AlignLeft);
  grid->addWidget(label3_, 2, 0);
  AddAboveBar(target);

  // The shell's Button1 is this dialog's beep; the dialog closes with Esc or its frame.
  QPushButton* beep = CancelButton();
  beep->setText(QString::fromUtf8("&Sygnał dźwiękowy"));
  beep->setAutoDefault(false);
  beep->disconnect(this);

  chooseTarget = [this] {
    QFileDialog dialog(this,
                       QString::fromUtf8("Wybierz plik do którego zostaną zapsane dane odebrane."));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  connect(edit1_, &QLineEdit::textEdited, this,
          [this](const QString& text) { engine_.edit1 = text.toStdString(); });
  connect(button3_, &QPushButton::clicked, this, [this] {
    const QString name = chooseTarget();
    if (!name.isEmpty()) engine_.ChooseTarget(name.toStdString());
    Refresh();
  });
  connect(button5_, &QPushButton::clicked, this, [this] {
    engine_.edit1 = edit1_->text().toStdString();
    engine_.ReceiveClick();
    AfterAction();
  });
  connect(beep, &QPushButton::clicked, this, [this] { engine_.BeepClick(); });
}

int TOdczytBloku::exec() {
  Run(engine_);
  return result();
}

void TOdczytBloku::AfterAction() {
  if (engine_.close_requested()) {
    Cancel();
    return;
  }
  if (engine_.receiving()) timer_.start(engine_.IntervalMs());
  Refresh();
}

void TOdczytBloku::Refresh() {
  edit2_->setText(QString::fromStdString(engine_.edit2()));
  label3_->setText(QString::fromStdString(engine_.label3()));
  label3_->setVisible(engine_.label3_visible());
  button5_->setText(QString::fromUtf8(engine_.ReceiveCaption()));
  button5_->setEnabled(engine_.receive_enabled());
  button3_->setEnabled(engine_.choose_target_enabled());
}

}  // namespace kelm::dialogs
