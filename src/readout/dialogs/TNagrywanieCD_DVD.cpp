// The disc writing dialog.
#include "readout/dialogs/TNagrywanieCD_DVD.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
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

TNagrywanieCD_DVD::TNagrywanieCD_DVD(QWidget* parent)
    : WaitShell(parent),
      engine_(std::make_unique<BurnEngine>()),
      writer_(std::make_unique<DiscWriter>(*engine_)) {
  setObjectName("TNagrywanieCD_DVD");
  setWindowTitle(QString::fromUtf8("Nagrywanie płyty CD/DVD"));
  auto* fields = new QWidget(this);
  auto* grid = new QGridLayout(fields);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(QString::fromUtf8("Wybrany napęd"), this), 0, 0);
  combo_ = new QComboBox(this);
  combo_->setObjectName("ComboBox1");
  combo_->setMinimumWidth(360);
  grid->addWidget(combo_, 0, 1);
  grid->addWidget(new QLabel(QString::fromUtf8("Nazwa pliku"), this), 1, 0);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName("Edit1");
  edit1_->setReadOnly(true);
  grid->addWidget(edit1_, 1, 1);
  AddAboveBar(fields);
  check1_ = new QCheckBox(QString::fromUtf8("Zamknij płytę po nagraniu tego pliku"), this);
  check1_->setObjectName("CheckBox1");
  AddAboveBar(check1_);
  // The previous session is always imported, so nothing written before is hidden.
  check2_ = new QCheckBox(QString::fromUtf8("Importuj poprzednią sesję"), this);
  check2_->setObjectName("CheckBox2");
  check2_->setChecked(true);
  check2_->setVisible(false);
  AddAboveBar(check2_);
  label5_ = new QLabel(this);
  label5_->setObjectName("Label5");
  AddAboveBar(label5_);
  status_ = new QLabel(this);
  status_->setObjectName("Label2");
  status_->setVisible(false);
  AddAboveBar(status_);
  // The shell's bar moves to and fro while writing; its Button1 is "&Zakończ", which asks first.
  bar_ = Bar();
  bar_->setRange(0, DiscWriter::kProgressMax);
  bar_->setVisible(false);
  auto* row = new QWidget(this);
  auto* buttons = new QHBoxLayout(row);
  buttons->setContentsMargins(0, 0, 0, 0);
  write_ = Button(row, "Button2", "&Nagraj");
  write_->setDefault(true);
  eject_ = Button(row, "Button3", "&Wysuń płytę");
  buttons->addWidget(write_);
  buttons->addWidget(eject_);
  buttons->addStretch();
  AddBelowBar(row);
  QPushButton* close = CancelButton();
  close->setText(QString::fromUtf8("&Zakończ"));
  close->setAutoDefault(false);
  close->disconnect(this);

  connect(combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!filling_ && index >= 0) writer_->SelectDrive(index);
  });
  connect(write_, &QPushButton::clicked, this, [this] {
    writer_->close_disc = check1_->isChecked();
    writer_->import_previous = check2_->isChecked();
    writer_->WriteClick();
    Refresh();
  });
  connect(eject_, &QPushButton::clicked, this, [this] { writer_->EjectClick(); });
  connect(close, &QPushButton::clicked, this, [this] {
    if (writer_->CloseClick()) Cancel();
  });
}

TNagrywanieCD_DVD::~TNagrywanieCD_DVD() = default;

void TNagrywanieCD_DVD::Show(const std::string& source, const std::string& name) {
  writer_->SetFile(source, name);
  Run(*writer_);
}

void TNagrywanieCD_DVD::Refresh() {
  QStringList drives;
  for (const std::string& drive : writer_->drives()) drives << QString::fromStdString(drive);
  QStringList shown;
  for (int i = 0; i < combo_->count(); ++i) shown << combo_->itemText(i);
  if (shown != drives) {
    filling_ = true;
    combo_->clear();
    combo_->addItems(drives);
    filling_ = false;
  }
  if (writer_->selected() >= 0) combo_->setCurrentIndex(writer_->selected());
  combo_->setEnabled(!writer_->timer_running());
  edit1_->setText(QString::fromStdString(writer_->edit1()));
  label5_->setText(QString::fromStdString(writer_->Label5()));
  status_->setText(QString::fromStdString(writer_->status()));
  status_->setVisible(writer_->status_visible());
  bar_->setVisible(writer_->progress_visible());
  bar_->setEnabled(writer_->progress_enabled());
  bar_->setValue(writer_->progress_position());
  write_->setEnabled(writer_->write_enabled());
  eject_->setEnabled(writer_->eject_enabled());
}

}  // namespace kelm::dialogs
