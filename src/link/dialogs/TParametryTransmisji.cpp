// The serial parameters dialog.
#include "link/dialogs/TParametryTransmisji.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelm::dialogs {
namespace {

QComboBox* List(QWidget* parent, const char* name, const char* const* items, int count) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (int i = 0; i < count; ++i) box->addItem(QString::fromUtf8(items[i]));
  return box;
}

// Lists without a port are painted in the light 3D colour, with one in white.
void Paint(QComboBox* box, bool enabled) {
  QPalette p = box->palette();
  p.setColor(QPalette::Base, enabled ? QColor(Qt::white) : p.color(QPalette::Light));
  p.setColor(QPalette::Button, enabled ? QColor(Qt::white) : p.color(QPalette::Light));
  box->setPalette(p);
  box->setEnabled(enabled);
}

}  // namespace

TParametryTransmisji::TParametryTransmisji(QWidget* parent) : QDialog(parent) {
  setObjectName("TParametryTransmisji");
  setWindowTitle("Parametry transmisji");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Nr portu szeregowego COM", this));
  port_ = new QComboBox(this);
  port_->setObjectName("ComboBox1");
  for (int i = 1; i <= 64; ++i) port_->addItem(QString("COM %1").arg(i));
  port_->addItem("Brak");
  layout->addWidget(port_);

  port_group_ = new QGroupBox("Ustawienia portu szeregowego", this);
  port_group_->setObjectName("GroupBox1");
  auto* form = new QFormLayout(port_group_);
  speed_ = List(port_group_, "ComboBox2", kSpeedItems, kSpeedItemCount);
  data_bits_ = List(port_group_, "ComboBox3", kDataBitsItems, 4);
  parity_ = List(port_group_, "ComboBox4", kParityItems, 5);
  stop_bits_ = List(port_group_, "ComboBox5", kStopBitsItems, 3);
  form->addRow("Szybkość", speed_);
  form->addRow("Bity danych", data_bits_);
  form->addRow("Parzystość", parity_);
  form->addRow("Bity stopu", stop_bits_);
  layout->addWidget(port_group_);

  flow_group_ = new QGroupBox("Sterowanie przepływem", this);
  flow_group_->setObjectName("GroupBox2");
  auto* flow = new QVBoxLayout(flow_group_);
  xon_ = new QCheckBox("Xon / Xoff", flow_group_);
  xon_->setObjectName("CheckBox1");
  rts_ = new QCheckBox("RTS / CTS", flow_group_);
  rts_->setObjectName("CheckBox2");
  flow->addWidget(xon_);
  flow->addWidget(rts_);
  layout->addWidget(flow_group_);

  auto* buttons = new QHBoxLayout;
  auto* defaults = new QPushButton("&Wartości domyślne", this);
  defaults->setObjectName("Button1");
  auto* apply = new QPushButton("&Zastosuj", this);
  apply->setObjectName("Button2");
  apply->setDefault(true);
  auto* cancel = new QPushButton("&Anuluj", this);
  cancel->setObjectName("Button3");
  buttons->addWidget(defaults);
  buttons->addWidget(apply);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(port_, &QComboBox::currentIndexChanged, this, &TParametryTransmisji::PortChanged);
  connect(defaults, &QPushButton::clicked, this,
          [this] { Fill(DefaultSerialChoice(port_->currentIndex())); });
  connect(apply, &QPushButton::clicked, this, &TParametryTransmisji::Button2Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  Fill(DefaultSerialChoice(0));
}

void TParametryTransmisji::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TParametryTransmisji::FormShow() {
  remembered_ = LinkSettings;
  if (LinkSettings.PortNumber == kNoPort) {
    // Without a port the other fields keep what they showed last, greyed.
    port_->setCurrentIndex(kNoPortItem);
    PortChanged(kNoPortItem);
    return;
  }
  Fill(ChoiceFromSettings(LinkSettings));
}

void TParametryTransmisji::Fill(const SerialChoice& c) {
  port_->setCurrentIndex(c.port_item);
  if (c.speed_item >= 0) speed_->setCurrentIndex(c.speed_item);
  data_bits_->setCurrentIndex(c.data_bits_item);
  parity_->setCurrentIndex(c.parity_item);
  stop_bits_->setCurrentIndex(c.stop_bits_item);
  xon_->setChecked(c.xon_xoff);
  rts_->setChecked(c.rts_cts);
  PortChanged(c.port_item);
}

SerialChoice TParametryTransmisji::Choice() const {
  SerialChoice c;
  c.port_item = port_->currentIndex();
  c.speed_item = speed_->currentIndex();
  c.data_bits_item = data_bits_->currentIndex();
  c.parity_item = parity_->currentIndex();
  c.stop_bits_item = stop_bits_->currentIndex();
  c.xon_xoff = xon_->isChecked();
  c.rts_cts = rts_->isChecked();
  return c;
}

void TParametryTransmisji::PortChanged(int item) {
  const bool port = item != kNoPortItem;
  for (QComboBox* box : {speed_, data_bits_, parity_, stop_bits_}) Paint(box, port);
  port_group_->setEnabled(port);
  flow_group_->setEnabled(port);
}

void TParametryTransmisji::Button2Click() {
  if (ApplySerialChoice(Choice(), remembered_)) {
    accept();
    return;
  }
  Fill(ChoiceFromSettings(LinkSettings));
}

}  // namespace kelm::dialogs
