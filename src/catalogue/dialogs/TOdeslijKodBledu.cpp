// The error-code dialog.
#include "catalogue/dialogs/TOdeslijKodBledu.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "catalogue/diagnostics_views.h"

namespace kelm::dialogs {
namespace {

QLabel* NewPanel(QWidget* parent, const char* name) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setMinimumHeight(24);
  panel->setWordWrap(true);
  return panel;
}

}  // namespace

TOdeslijKodBledu::TOdeslijKodBledu(QWidget* parent)
    : DiagnosticDialog(parent, "TOdeslijKodBledu", "Kod błędu ostatniego rozkazu") {
  auto* title = new QLabel("Pobierz kod błędu ostatniego rozkazu", this);
  title->setObjectName("Label1");
  body_->addWidget(title);
  auto* grid = new QGridLayout;
  auto* code_caption = new QLabel("Kod błędu", this);
  code_caption->setObjectName("Label2");
  auto* text_caption = new QLabel("Opis błędu", this);
  text_caption->setObjectName("Label3");
  code_ = NewPanel(this, "Panel1");
  code_->setAlignment(Qt::AlignCenter);
  code_->setMinimumWidth(60);
  description_ = NewPanel(this, "Panel2");
  description_->setMinimumWidth(320);
  grid->addWidget(code_caption, 0, 0);
  grid->addWidget(text_caption, 0, 1);
  grid->addWidget(code_, 1, 0);
  grid->addWidget(description_, 1, 1);
  grid->setColumnStretch(1, 1);
  body_->addLayout(grid);
  connect(AddButton("&Pobierz"), &QPushButton::clicked, this, &TOdeslijKodBledu::Button1Click);
  AddCloseButton("&Zamknij");
}

void TOdeslijKodBledu::FormShow() {
  Button1Click();
}

void TOdeslijKodBledu::Button1Click() {
  const ErrorCodeView view = FetchLastErrorCode();
  code_->setText(QString::fromStdString(view.code));
  description_->setText(QString::fromStdString(view.description));
  if (!view.answered) CloseAtNextPaint();
}

}  // namespace kelm::dialogs
