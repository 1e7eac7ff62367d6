// The receiving dialog.
#include "link/dialogs/TOdbieranie.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/reception.h"

namespace kelm::dialogs {

TOdbieranie::TOdbieranie(QWidget* parent) : WaitShell(parent) {
  setObjectName("TOdbieranie");
  setWindowTitle(kelm::TOdbieranie::kCaption);
  auto* layout = new QVBoxLayout(this);
  text_box_ = new QLineEdit(QString::fromUtf8(kelm::TOdbieranie::kWaitingText), this);
  text_box_->setObjectName("Edit1");
  text_box_->setReadOnly(true);
  QFont font = text_box_->font();
  font.setPixelSize(16);
  text_box_->setFont(font);
  text_box_->setMinimumWidth(320);
  layout->addWidget(text_box_);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  layout->addWidget(bar_);
  counter_ = new QLabel(this);
  counter_->setObjectName("Label1");
  layout->addWidget(counter_);
  auto* button = new QPushButton("&Przerwij", this);
  button->setObjectName("Button1");
  layout->addWidget(button, 0, Qt::AlignHCenter);
  connect(button, &QPushButton::clicked, this, &TOdbieranie::Cancel);
}

void TOdbieranie::Started() {
  bar_->setValue(0);
  counter_->setVisible(false);
}

void TOdbieranie::Ticked() {
  auto* engine = static_cast<kelm::TOdbieranie*>(CurrentWait());
  bar_->setValue(engine->progress_position);
  counter_->setVisible(engine->counter_visible);
  counter_->setText(QString::fromStdString(engine->counter_text));
  if (engine->focus_text_box) {
    engine->focus_text_box = false;
    text_box_->setFocus();
  }
}

}  // namespace kelm::dialogs
