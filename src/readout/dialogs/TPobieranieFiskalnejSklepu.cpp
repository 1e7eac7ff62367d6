// The download dialog of a readout pass.
#include "readout/dialogs/TPobieranieFiskalnejSklepu.h"

#include <QLabel>
#include <QProgressBar>

#include "readout/readout_session.h"

namespace kelm::dialogs {

TPobieranieFiskalnejSklepu::TPobieranieFiskalnejSklepu(QWidget* parent) : WaitShell(parent) {
  setObjectName("TPobieranieFiskalnejSklepu");
  setWindowTitle(QString::fromUtf8("Pobieranie zawartości pamięci fiskalnej"));
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setMinimumWidth(380);
  AddAboveBar(label1_);
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  AddAboveBar(label2_);
  // This bar counts records, so it shows how far the pass has come.
  Bar()->setTextVisible(true);
}

void TPobieranieFiskalnejSklepu::Started() {
  label1_->clear();
  Ticked();
}

void TPobieranieFiskalnejSklepu::Ticked() {
  const auto& engine = Current<DownloadEngine>();
  label1_->setText(QString::fromStdString(engine.label1()));
  label2_->setText(QString::fromStdString(engine.label2()));
  Bar()->setRange(0, engine.progressMax());
  Bar()->setValue(engine.progressPosition());
  Bar()->setVisible(engine.progressVisible());
}

}  // namespace kelm::dialogs
