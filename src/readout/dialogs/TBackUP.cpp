// The back-up to the computer dialog.
#include "readout/dialogs/TBackUP.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "link/command_execution.h"
#include "link/printer_identity.h"
#include "link/settings.h"

namespace kelm::dialogs {
namespace {

QLabel* Label(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TBackUP::TBackUP(QWidget* parent) : QDialog(parent) {
  setObjectName("TBackUP");
  setWindowTitle(QString::fromUtf8("Włącz/Wyłącz backup na komputer"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  const char* radioNames[] = {"RadioButton1", "RadioButton2", "RadioButton3"};
  for (int i = 0; i < 3; ++i) {
    radio_[i] = new QRadioButton(this);
    radio_[i]->setObjectName(radioNames[i]);
    connect(radio_[i], &QRadioButton::clicked, this, &TBackUP::RadioClick);
  }
  radio_[1]->setText(QString::fromUtf8("Wyłącz backup na komputer."));

  auto link = [this](const char* name, const char* caption, const char* address) {
    auto* label = Label(this, name, "");
    label->setText(QString("<a href=\"%1\">%2</a>")
                       .arg(QString::fromUtf8(address), QString::fromUtf8(caption)));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(label, &QLabel::linkActivated, this, [this](const QString& url) { openUrl(url); });
    return label;
  };

  layout->addWidget(radio_[0]);
  auto* newer = new QHBoxLayout;
  label4_ = Label(this, "Label4", "Komputer automatycznie pobiera brakujące dane.");
  newer->addSpacing(20);
  newer->addWidget(label4_);
  newer->addWidget(Label(this, "Label9", "Wymagany program:"));
  newer->addWidget(link("Label10", "KelmKopia.", kKelmKopiaAddress));
  newer->addStretch();
  layout->addLayout(newer);

  auto* grid = new QGridLayout;
  auto* portLabel = Label(this, "Label2", "Port odczytu kopii:");
  combo1_ = new QComboBox(this);
  combo1_->setObjectName("ComboBox1");
  for (int i = 0; i <= 6; ++i) combo1_->addItem(QString("PORT %1").arg(i));
  combo1_->setCurrentIndex(0);
  auto* speedLabel = Label(this, "Label3", "Szybkość transmisji:");
  combo2_ = new QComboBox(this);
  combo2_->setObjectName("ComboBox2");
  combo2_->addItems({"9600", "19200", "38400", "57600", "115200",
                     QString::fromUtf8("256000 (domyślna)"), "512000"});
  combo2_->setCurrentIndex(5);
  grid->addWidget(portLabel, 0, 0);
  grid->addWidget(combo1_, 0, 1);
  grid->addWidget(speedLabel, 1, 0);
  grid->addWidget(combo2_, 1, 1);
  grid->setColumnStretch(2, 1);
  layout->addLayout(grid);
  auto* label6 = Label(this, "Label6",
                       "UWAGA: Jeśli back-up jest wykonywany poprzez interfejs RS-232C to należy");
  auto* label7 = Label(this, "Label7",
                       "ustawić prędkość transmisji 115200[b/s]. Również w programie KelmKopia.");
  auto* label12 = Label(this, "Label12", "Kopia będzie odczytywana z portu innego niż ten,");
  auto* label13 = Label(this, "Label13", " z którego aktualnie korzysta program serwisowy.");
  for (QLabel* l : {label6, label7, label12, label13}) layout->addWidget(l);

  layout->addWidget(radio_[1]);
  layout->addWidget(radio_[2]);
  auto* older = new QHBoxLayout;
  older_[0] = Label(this, "Label5",
                    "Drukarka wysyłane dane w trakcie raportu dobowego z zakresu tego raportu.");
  older_[1] = Label(this, "Label8", "Wymagany program:");
  older_[2] = link("Label11", "KLKopiaSD.", kKLKopiaSDAddress);
  older->addSpacing(20);
  for (QLabel* l : older_) older->addWidget(l);
  older->addStretch();
  layout->addLayout(older);

  speed_[0] = combo2_;
  speed_[1] = speedLabel;
  speed_[2] = label6;
  speed_[3] = label7;
  port_[0] = combo1_;
  port_[1] = portLabel;
  otherPort_[0] = label12;
  otherPort_[1] = label13;

  auto* buttons = new QHBoxLayout;
  auto* send = new QPushButton(QString::fromUtf8("&Wyślij"), this);
  send->setObjectName("Button1");
  send->setDefault(true);
  auto* cancel = new QPushButton("&Anuluj", this);
  cancel->setObjectName("Button2");
  cancel->setAutoDefault(false);
  buttons->addStretch();
  buttons->addWidget(send);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(send, &QPushButton::clicked, this, &TBackUP::Button1Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  openUrl = [](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); };
}

int TBackUP::exec() {
  FormShow();
  return QDialog::exec();
}

void TBackUP::FormShow() {
  DetectPrinterType();
  view_ = BackupOnShow(DetectedType, LinkSettings.ModelFamily, LinkSettings.CopyMode);
  radio_[0]->setText(QString::fromStdString(view_.radio1_caption));
  radio_[2]->setText(QString::fromStdString(view_.radio3_caption));
  radio_[0]->setEnabled(view_.radio1_enabled);
  radio_[2]->setEnabled(view_.radio3_enabled);
  label4_->setEnabled(view_.label4_enabled);
  Apply();
}

void TBackUP::RadioClick() {
  for (int i = 0; i < 3; ++i)
    if (radio_[i]->isChecked()) view_.checked = static_cast<BackupChoice>(i + 1);
  ApplyBackupVisibility(&view_, DetectedType, LinkSettings.ModelFamily, LinkSettings.CopyMode);
  Apply();
}

void TBackUP::Apply() {
  radio_[static_cast<int>(view_.checked) - 1]->setChecked(true);
  radio_[2]->setVisible(view_.older_visible);
  for (QLabel* l : older_) l->setVisible(view_.older_visible);
  for (QWidget* w : speed_) w->setVisible(view_.speed_visible);
  for (QWidget* w : port_) w->setVisible(view_.port_visible);
  for (QWidget* w : otherPort_) w->setVisible(view_.other_port_note_visible);
}

void TBackUP::Button1Click() {
  view_.port_index = combo1_->currentIndex();
  view_.speed_index = combo2_->currentIndex();
  if (SendBackupFrame(ChooseBackupFrame(view_, DetectedType)) != kCommandNotSent) accept();
}

}  // namespace kelm::dialogs
