// The currency dialog.
#include "sales/dialogs/TWaluty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "sales/currency.h"

namespace kelm::dialogs {

TWaluty::TWaluty(QWidget* parent) : QDialog(parent) {
  setObjectName("TWaluty");
  setWindowTitle("Waluty");
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel("Wpłata w walucie obcej", this);
  heading->setObjectName("Label1");
  layout->addWidget(heading);
  for (int i = 0; i < 3; ++i) {
    Group& g = groups_[i];
    g.check = new QCheckBox(QString("Waluta %1").arg(i + 1), this);
    g.check->setObjectName(QString("CheckBox%1").arg(i + 1));
    g.box = new QGroupBox(this);
    g.box->setObjectName(QString("GroupBox%1").arg(i + 1));
    auto* row = new QHBoxLayout(g.box);
    g.multiplier = new QComboBox(g.box);
    g.multiplier->setObjectName(QString("ComboBox%1").arg(i + 1));
    g.multiplier->addItems({"1", "10", "100", "1000", "10000"});
    g.code = new QLineEdit("EUR", g.box);
    g.code->setObjectName(QString("MaskEdit%1").arg(i + 1));
    g.code->setInputMask(">AAA");
    g.rate = new QLineEdit("3,7887", g.box);
    g.rate->setObjectName(QString("Edit%1").arg(2 * i + 1));
    // The table keeps the rate's text in 20 bytes.
    g.rate->setMaxLength(static_cast<int>(kRateTextSize - 1));
    g.amount = new QLineEdit("0", g.box);
    g.amount->setObjectName(QString("Edit%1").arg(2 * i + 2));
    g.code_label = new QLabel(g.box);
    g.code_label->setObjectName(QString("Label%1").arg(i + 2));
    row->addWidget(g.multiplier);
    row->addWidget(g.code);
    row->addWidget(new QLabel("=", g.box));
    row->addWidget(new QLabel("Przelicznik", g.box));
    row->addWidget(g.rate);
    row->addWidget(new QLabel("Wartość wpłaty w walucie", g.box));
    row->addWidget(g.amount);
    row->addWidget(g.code_label);
    g.box->setVisible(false);
    layout->addWidget(g.check);
    layout->addWidget(g.box);
    connect(g.check, &QCheckBox::toggled, this, [this, i](bool on) {
      groups_[i].box->setVisible(on);
      RefreshLabels();
    });
    connect(g.code, &QLineEdit::editingFinished, this, [this] { RefreshLabels(); });
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  auto* cancel = new QPushButton("Anuluj", this);
  cancel->setObjectName("Button2");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TWaluty::showEvent(QShowEvent* event) {
  RefreshLabels();
  QDialog::showEvent(event);
}

void TWaluty::RefreshLabels() {
  for (Group& g : groups_) g.code_label->setText(g.code->text());
}

void TWaluty::OkClick() {
  for (int i = 0; i < 3; ++i) {
    const Group& g = groups_[i];
    const CurrencyGroupText text{g.multiplier->currentText().toStdString(),
                                 g.code->text().toStdString(), g.rate->text().toStdString(),
                                 g.amount->text().toStdString()};
    if (!TakeCurrencyGroup(i, text)) return;
  }
  for (int i = 0; i < 3; ++i) CurrencyTable[i].enabled = groups_[i].check->isChecked() ? 1 : 0;
  accept();
}

}  // namespace kelm::dialogs
