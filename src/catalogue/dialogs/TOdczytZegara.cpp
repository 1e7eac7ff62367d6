// The clock dialog.
#include "catalogue/dialogs/TOdczytZegara.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/diagnostics_queries.h"
#include "link/reception.h"

namespace kelm::dialogs {

TOdczytZegara::TOdczytZegara(QWidget* parent)
    : DiagnosticDialog(parent, "TOdczytZegara", "Odczyt Zegara") {
  auto* title = new QLabel("Odczyt zegara", this);
  title->setObjectName("Label1");
  body_->addWidget(title);
  auto* group = new QGroupBox("Zegar w drukarce", this);
  group->setObjectName("GroupBox1");
  auto* form = new QFormLayout(group);
  date_ = NewField("MaskEdit1");
  date_->setInputMask("9999-99-99;_");
  time_ = NewField("MaskEdit2");
  time_->setInputMask("99:99;_");
  auto* date_caption = new QLabel("Data (rrrr-mm-dd)", group);
  date_caption->setObjectName("Label2");
  auto* time_caption = new QLabel("Godzina (gg:mm) ", group);
  time_caption->setObjectName("Label3");
  form->addRow(date_caption, date_);
  form->addRow(time_caption, time_);
  body_->addWidget(group);
  connect(AddButton("&Pobierz"), &QPushButton::clicked, this, &TOdczytZegara::Button1Click);
  AddCloseButton("&Zamknij");
}

void TOdczytZegara::FormShow() {
  Button1Click();
}

void TOdczytZegara::Button1Click() {
  ReadPrinterClock();
  date_->setText(QString::fromStdString(ClockDateText()));
  time_->setText(QString::fromStdString(ClockTimeText()));
  if (AnswerReceived == 0) CloseAtNextPaint();
}

}  // namespace kelm::dialogs
