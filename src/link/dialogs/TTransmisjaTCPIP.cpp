// The TCP/IP link dialog.
#include "link/dialogs/TTransmisjaTCPIP.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/settings.h"
#include "link/tcp_link.h"

namespace kelm::dialogs {

TTransmisjaTCPIP::TTransmisjaTCPIP(QWidget* parent) : QDialog(parent) {
  setObjectName("TTransmisjaTCPIP");
  setWindowTitle("Transmisja TCP/IP");
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel("Transmisja TCP / IP", this);
  title->setObjectName("Label1");
  layout->addWidget(title);
  active_ = new QCheckBox("Aktywna transmisja TCP/IP.", this);
  active_->setObjectName("CheckBox1");
  active_->setAttribute(Qt::WA_TransparentForMouseEvents);
  active_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(active_);
  auto* form = new QFormLayout;
  address_ = new QLineEdit("192.168.1.78", this);
  address_->setObjectName("Edit1");
  port_ = new QLineEdit("50001", this);
  port_->setObjectName("Edit2");
  form->addRow("Adres TCP/IP", address_);
  form->addRow("Port", port_);
  layout->addLayout(form);
  shared_ = new QCheckBox(
      QString::fromUtf8(
          "Sprawdź status przed paragonem.. Jednoczesna fiskalizacja z dwóch stanowisk."),
      this);
  shared_->setObjectName("CheckBox2");
  layout->addWidget(shared_);
  button_ = new QPushButton("Połącz", this);
  button_->setObjectName("Button1");
  button_->setDefault(true);
  layout->addWidget(button_, 0, Qt::AlignHCenter);
  connect(button_, &QPushButton::clicked, this, &TTransmisjaTCPIP::Button1Click);
}

void TTransmisjaTCPIP::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TTransmisjaTCPIP::FormShow() {
  const bool active = LinkSettings.TcpActive == 1;
  active_->setChecked(active);
  for (QLineEdit* field : {address_, port_}) {
    field->setEnabled(!active);
    QPalette p = field->palette();
    p.setColor(QPalette::Base, active ? p.color(QPalette::Light) : QColor(Qt::white));
    field->setPalette(p);
  }
  button_->setText(active ? QString::fromUtf8("Rozłącz") : QString::fromUtf8("Połącz"));
}

void TTransmisjaTCPIP::Button1Click() {
  if (active_->isChecked()) {
    SharedPrinterMode = 0;
    TcpDisconnect();
    FormShow();
    accept();
    return;
  }
  if (TcpConnect(address_->text().toStdString(), port_->text().toStdString(),
                 shared_->isChecked()) != kTcpConnected) {
    return;
  }
  FormShow();
  accept();
}

}  // namespace kelm::dialogs
