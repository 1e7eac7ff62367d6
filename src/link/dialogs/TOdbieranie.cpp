// The receiving dialog.
#include "link/dialogs/TOdbieranie.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "link/reception.h"

namespace kelm::dialogs {

TOdbieranie::TOdbieranie(QWidget* parent) : WaitShell(parent) {
  setObjectName("TOdbieranie");
  setWindowTitle(AnswerReception::kCaption);
  text_box_ = new QLineEdit(QString::fromUtf8(AnswerReception::kWaitingText), this);
  text_box_->setObjectName("Edit1");
  text_box_->setReadOnly(true);
  QFont font = text_box_->font();
  font.setPixelSize(16);
  text_box_->setFont(font);
  text_box_->setMinimumWidth(320);
  AddAboveBar(text_box_);
  counter_ = new QLabel(this);
  counter_->setObjectName("Label1");
  AddBelowBar(counter_);
}

void TOdbieranie::Started() {
  WaitShell::Started();
  counter_->setVisible(false);
}

void TOdbieranie::Ticked() {
  auto& engine = Current<AnswerReception>();
  Bar()->setValue(engine.progress_position);
  counter_->setVisible(engine.counter_visible);
  counter_->setText(QString::fromStdString(engine.counter_text));
  if (engine.focus_text_box) {
    engine.focus_text_box = false;
    text_box_->setFocus();
  }
}

}  // namespace kelm::dialogs
