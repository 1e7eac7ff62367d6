// The shared part of the transfer dialogs.
#include "readout/dialogs/TransferShell.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelm::dialogs {

TransferShell::TransferShell(FileReception& reception, QWidget* parent)
    : WaitShell(parent), reception_(reception) {
  chooseTarget = [this] {
    return ChooseFile("Wybierz plik do którego zostaną zapsane dane odebrane.", true);
  };
}

QPushButton* TransferShell::Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QLineEdit* TransferShell::FileEdit(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setMinimumWidth(320);
  return e;
}

QString TransferShell::ChooseFile(const char* title, bool save) {
  QFileDialog dialog(this, QString::fromUtf8(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

void TransferShell::AddTargetGroup(const char* object_name) {
  auto* target = new QGroupBox(QString::fromUtf8("Pobierz do pliku"), this);
  target->setObjectName(object_name);
  auto* grid = new QGridLayout(target);
  edit2_ = FileEdit(target, "Edit2");
  button3_ = Button(target, "Button3", "...");
  button5_ = Button(target, "Button5", "&Odbierz");
  label3_ = new QLabel(target);
  label3_->setObjectName("Label3");
  grid->addWidget(edit2_, 0, 0);
  grid->addWidget(button3_, 0, 1);
  grid->addWidget(button5_, 1, 0, Qt::AlignLeft);
  grid->addWidget(label3_, 2, 0);
  AddAboveBar(target);
  connect(button3_, &QPushButton::clicked, this, [this] {
    const QString name = chooseTarget();
    if (!name.isEmpty()) reception_.ChooseTarget(name.toStdString());
    Refresh();
  });
  connect(button5_, &QPushButton::clicked, this, [this] {
    BeforeReceive();
    reception_.ReceiveClick();
    AfterAction();
  });
}

int TransferShell::exec() {
  Run(reception_);
  return result();
}

void TransferShell::AfterAction() {
  if (reception_.close_requested()) {
    Cancel();
    return;
  }
  if (Running()) timer_.start(reception_.IntervalMs());
  Refresh();
}

void TransferShell::Refresh() {
  edit2_->setText(QString::fromStdString(reception_.edit2()));
  label3_->setText(QString::fromStdString(reception_.label3()));
  label3_->setVisible(reception_.label3_visible());
  button5_->setText(QString::fromUtf8(reception_.ReceiveCaption()));
  button5_->setEnabled(reception_.receive_enabled());
  button3_->setEnabled(reception_.choose_target_enabled());
}

}  // namespace kelm::dialogs
