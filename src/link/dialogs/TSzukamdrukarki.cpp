// The printer search dialog.
#include "link/dialogs/TSzukamdrukarki.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelm::dialogs {

TSzukamdrukarki::TSzukamdrukarki(QWidget* parent) : QDialog(parent) {
  setObjectName("TSzukamdrukarki");
  setWindowTitle("Szukanie drukarek fiskalnych");
  auto* layout = new QVBoxLayout(this);
  searching_ = new QLabel("Szukam drukarek fiskalnych", this);
  searching_->setObjectName("Label1");
  wait_ = new QLabel("Czekaj ...", this);
  wait_->setObjectName("Label2");
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, PrinterSearch::kProgressMax);
  list_caption_ = new QLabel("Lista znalezionych drukarek fiskalnych", this);
  list_caption_->setObjectName("Label3");
  choose_caption_ = new QLabel("Wybierz drukarkę", this);
  choose_caption_->setObjectName("Label4");
  list_ = new QListWidget(this);
  list_->setObjectName("CheckListBox1");
  list_->setMinimumWidth(420);
  for (QWidget* w : {static_cast<QWidget*>(searching_), static_cast<QWidget*>(wait_),
                     static_cast<QWidget*>(bar_), static_cast<QWidget*>(list_caption_),
                     static_cast<QWidget*>(choose_caption_), static_cast<QWidget*>(list_)}) {
    layout->addWidget(w);
  }
  auto* buttons = new QHBoxLayout;
  choose_ = new QPushButton("&Wybierz", this);
  choose_->setObjectName("Button1");
  cancel_ = new QPushButton("&Anuluj", this);
  cancel_->setObjectName("Button2");
  buttons->addStretch(1);
  buttons->addWidget(choose_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  timer_.setSingleShot(true);
  timer_.setInterval(1);
  connect(&timer_, &QTimer::timeout, this, &TSzukamdrukarki::Timer1Timer);
  connect(list_, &QListWidget::itemChanged, this, &TSzukamdrukarki::ItemChanged);
  connect(choose_, &QPushButton::clicked, this, &TSzukamdrukarki::Button1Click);
  connect(cancel_, &QPushButton::clicked, this, &TSzukamdrukarki::reject);
}

void TSzukamdrukarki::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  for (QWidget* w : {static_cast<QWidget*>(searching_), static_cast<QWidget*>(wait_),
                     static_cast<QWidget*>(bar_)}) {
    w->setVisible(true);
  }
  for (QWidget* w : {static_cast<QWidget*>(list_caption_), static_cast<QWidget*>(choose_caption_),
                     static_cast<QWidget*>(list_), static_cast<QWidget*>(choose_)}) {
    w->setVisible(false);
  }
  bar_->setValue(0);
  cancelled_ = false;
  search_.Begin();
  timer_.start();
}

// The timer stays off during a tick, which may block in a read for up to 100 ms.
void TSzukamdrukarki::Timer1Timer() {
  if (search_.Tick()) {
    bar_->setValue(search_.progress);
    if (search_.found.empty()) {
      done(QDialog::Rejected);
    } else {
      ShowList();
    }
    return;
  }
  bar_->setValue(search_.progress);
  timer_.start();
}

void TSzukamdrukarki::ShowList() {
  list_->clear();
  for (const PrinterSearch::Item& found : search_.found) {
    auto* item = new QListWidgetItem(QString::fromStdString(found.text), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  searching_->setVisible(false);
  wait_->setVisible(false);
  bar_->setVisible(false);
  list_caption_->setVisible(true);
  choose_caption_->setVisible(true);
  list_->setVisible(true);
  choose_->setVisible(true);
  choose_->setEnabled(false);
}

// One choice at a time: a ticked item greys the others until it is unticked.
void TSzukamdrukarki::ItemChanged(QListWidgetItem* changed) {
  const bool ticked = changed->checkState() == Qt::Checked;
  if (ticked) list_->setCurrentItem(changed);
  QSignalBlocker block(list_);
  for (int i = 0; i < list_->count(); ++i) {
    QListWidgetItem* item = list_->item(i);
    if (item == changed) continue;
    Qt::ItemFlags flags = item->flags();
    flags.setFlag(Qt::ItemIsEnabled, !ticked);
    item->setFlags(flags);
  }
  choose_->setEnabled(ticked);
}

void TSzukamdrukarki::Button1Click() {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  search_.Choose(selected.isEmpty() ? -1 : list_->row(selected.first()));
  done(QDialog::Accepted);
}

void TSzukamdrukarki::reject() {
  if (!cancelled_) {
    cancelled_ = true;
    timer_.stop();
    search_.Cancel();
  }
  done(QDialog::Rejected);
}

void TSzukamdrukarki::done(int result) {
  timer_.stop();
  search_.End();
  list_->clear();
  QDialog::done(result);
}

}  // namespace kelm::dialogs
