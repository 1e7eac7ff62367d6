// The download dialog of a readout pass.
#include "readout/dialogs/TPobieranieFiskalnejSklepu.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "readout/readout_session.h"

namespace kelm::dialogs {

TPobieranieFiskalnejSklepu::TPobieranieFiskalnejSklepu(QWidget* parent) : WaitShell(parent) {
  setObjectName("TPobieranieFiskalnejSklepu");
  setWindowTitle(QString::fromUtf8("Pobieranie zawartości pamięci fiskalnej"));
  auto* layout = new QVBoxLayout(this);
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setMinimumWidth(380);
  layout->addWidget(label1_);
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  layout->addWidget(label2_);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  layout->addWidget(bar_);
  auto* button = new QPushButton("&Przerwij", this);
  button->setObjectName("Button1");
  layout->addWidget(button, 0, Qt::AlignHCenter);
  connect(button, &QPushButton::clicked, this, &TPobieranieFiskalnejSklepu::Cancel);
}

void TPobieranieFiskalnejSklepu::Started() {
  label1_->clear();
  Ticked();
}

void TPobieranieFiskalnejSklepu::Ticked() {
  const auto* engine = static_cast<const DownloadEngine*>(CurrentWait());
  label1_->setText(QString::fromStdString(engine->label1()));
  label2_->setText(QString::fromStdString(engine->label2()));
  bar_->setRange(0, engine->progressMax());
  bar_->setValue(engine->progressPosition());
  bar_->setVisible(engine->progressVisible());
}

}  // namespace kelm::dialogs
