// The run dialog of the test transactions.
#include "sales/dialogs/TDrukTransTest.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include "sales/test_run.h"

namespace kelm::dialogs {

TDrukTransTest::TDrukTransTest(QWidget* parent) : WaitShell(parent) {
  setObjectName("TDrukTransTest");
  setWindowTitle(QString::fromUtf8(TestRunEngine::kCaption));
  auto* heading = new QLabel(QString::fromUtf8(TestRunEngine::kHeading), this);
  heading->setObjectName("Label1");
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);
  AddAboveBar(heading);
  receipt_ = AddField("Edit1", "Nr paragonu");
  line_ = AddField("Edit2", "Nr pozycji");
  receipt_sum_ = AddField("Edit3", "Suma paragonu");
  grand_total_ = AddField("Edit4", "Suma całkowita");
  line_slider_ = AddSlider("TrackBar1", "Opóźnienie między pozycjami paragonu");
  receipt_slider_ = AddSlider("TrackBar2", "Opóźnienie między paragonami");
  wait_text_ = new QLabel(QString::fromUtf8(TestRunEngine::kWaitText), this);
  wait_text_->setObjectName("Label2");
  AddAboveBar(wait_text_);
  // A slider takes effect at once: a run waiting out the long table's 861 s is not left to finish
  // that wait after the operator has moved the slider back.
  connect(line_slider_, &QSlider::valueChanged, this, [this](int position) {
    if (CurrentWait() == nullptr) return;
    Current<TestRunEngine>().SetLineSlider(position);
    if (timer_.isActive()) timer_.start(CurrentWait()->IntervalMs());
  });
  connect(receipt_slider_, &QSlider::valueChanged, this, [this](int position) {
    if (CurrentWait() == nullptr) return;
    Current<TestRunEngine>().SetReceiptSlider(position);
    if (timer_.isActive()) timer_.start(CurrentWait()->IntervalMs());
  });
  // "&Przerwij" asks first, as Esc does.
  auto* interrupt = findChild<QPushButton*>("Button1");
  disconnect(interrupt, &QPushButton::clicked, this, nullptr);
  connect(interrupt, &QPushButton::clicked, this, [this] {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    keyPressEvent(&esc);
  });
  setMinimumWidth(420);
}

QLineEdit* TDrukTransTest::AddField(const char* name, const char* caption) {
  auto* row = new QWidget(this);
  auto* form = new QFormLayout(row);
  form->setContentsMargins(0, 0, 0, 0);
  auto* edit = new QLineEdit(row);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  form->addRow(QString::fromUtf8(caption), edit);
  AddAboveBar(row);
  return edit;
}

QSlider* TDrukTransTest::AddSlider(const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), this);
  AddAboveBar(label);
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setObjectName(name);
  slider->setRange(0, 5);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setPageStep(1);
  AddAboveBar(slider);
  return slider;
}

void TDrukTransTest::Started() {
  // Both sliders start at 0 with every run.
  line_slider_->setValue(0);
  receipt_slider_->setValue(0);
  Ticked();
}

void TDrukTransTest::Ticked() {
  const auto& engine = Current<TestRunEngine>();
  receipt_->setText(QString::fromStdString(engine.receipt_text));
  line_->setText(QString::fromStdString(engine.line_text));
  receipt_sum_->setText(QString::fromStdString(engine.receipt_sum_text));
  grand_total_->setText(QString::fromStdString(engine.grand_total_text));
  wait_text_->setVisible(engine.wait_visible);
  Bar()->setVisible(engine.wait_visible);
  Bar()->setValue(engine.progress_position);
}

}  // namespace kelm::dialogs
