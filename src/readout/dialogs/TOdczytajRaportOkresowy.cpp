// The periodic report readout dialog.
#include "readout/dialogs/TOdczytajRaportOkresowy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/program_designation.h"
#include "link/settings.h"
#include "readout/dialogs/TZakonczonoOdczytywanie.h"
#include "readout/readout_controls.h"
#include "readout/readout_run.h"

namespace kelm::dialogs {
namespace {

QLineEdit* MaskEdit(QWidget* parent, const char* name, const char* mask) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setInputMask(mask);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(mask).section(';', 0, 0)) +
                        16);
  return edit;
}

std::string Text(const QLineEdit* edit) {
  return edit->text().left(49).toStdString();
}

}  // namespace

TOdczytajRaportOkresowy::TOdczytajRaportOkresowy(QWidget* parent) : QDialog(parent) {
  setObjectName("TOdczytajRaportOkresowy");
  setWindowTitle("Odczytaj raport okresowy");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  layout->addWidget(label1_);
  label10_ = new QLabel("Tylko dla drukarki z programem sterującym 2.00 lub nowszym", this);
  label10_->setObjectName("Label10");
  layout->addWidget(label10_);

  const char* radioNames[] = {"RadioButton1", "RadioButton2", "RadioButton3"};
  const char* groupNames[] = {"GroupBox1", "GroupBox2", "GroupBox3"};
  const char* captions[] = {"Miesięczny", "Według dat", "Według numerów"};
  auto* modes = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    auto* column = new QVBoxLayout;
    radio_[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
    radio_[i]->setObjectName(radioNames[i]);
    column->addWidget(radio_[i]);
    // The radio button above names the group; a title on the frame would say it twice.
    group_[i] = new QGroupBox(this);
    group_[i]->setObjectName(groupNames[i]);
    column->addWidget(group_[i]);
    modes->addLayout(column);
    connect(radio_[i], &QRadioButton::clicked, this, &TOdczytajRaportOkresowy::ApplyControls);
  }
  radio_[0]->setChecked(true);
  layout->addLayout(modes);

  auto* month = new QGridLayout(group_[0]);
  mask_edit3_ = MaskEdit(group_[0], "MaskEdit3", "99/9999;_");
  month->addWidget(new QLabel("Miesiąc (mm/rrrr)", group_[0]), 0, 0);
  month->addWidget(mask_edit3_, 0, 1);
  auto* dates = new QGridLayout(group_[1]);
  mask_edit1_ = MaskEdit(group_[1], "MaskEdit1", "99/99/9999;_");
  mask_edit2_ = MaskEdit(group_[1], "MaskEdit2", "99/99/9999;_");
  dates->addWidget(new QLabel("Od (dd/mm/rrrr)", group_[1]), 0, 0);
  dates->addWidget(mask_edit1_, 0, 1);
  dates->addWidget(new QLabel("Do (dd/mm/rrrr)", group_[1]), 1, 0);
  dates->addWidget(mask_edit2_, 1, 1);
  auto* numbers = new QGridLayout(group_[2]);
  edit3_ = new QLineEdit(group_[2]);
  edit3_->setObjectName("Edit3");
  edit4_ = new QLineEdit(group_[2]);
  edit4_->setObjectName("Edit4");
  numbers->addWidget(new QLabel("Od nr", group_[2]), 0, 0);
  numbers->addWidget(edit3_, 0, 1);
  numbers->addWidget(new QLabel("Do nr", group_[2]), 1, 0);
  numbers->addWidget(edit4_, 1, 1);

  check_box1_ = new QCheckBox("Odczyt w trybie awaryjnym", this);
  check_box1_->setObjectName("CheckBox1");
  layout->addWidget(check_box1_);
  check_box2_ = new QCheckBox("Pełny raport", this);
  check_box2_->setObjectName("CheckBox2");
  check_box2_->setChecked(true);
  layout->addWidget(check_box2_);
  connect(check_box1_, &QCheckBox::clicked, this, &TOdczytajRaportOkresowy::ApplyControls);
  connect(check_box2_, &QCheckBox::clicked, this, &TOdczytajRaportOkresowy::ApplyControls);

  auto* speed = new QHBoxLayout;
  speed->addWidget(new QLabel("Liczba bitów na sekunde", this));
  combo_box2_ = new QComboBox(this);
  combo_box2_->setObjectName("ComboBox2");
  for (unsigned long s : kReadoutSpeeds) combo_box2_->addItem(QString::number(s));
  speed->addWidget(combo_box2_);
  layout->addLayout(speed);

  label11_ = new QLabel(this);
  label11_->setObjectName("Label11");
  layout->addWidget(label11_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* read = new QPushButton("&Odczytaj", this);
  read->setObjectName("Button1");
  auto* cancel = new QPushButton("&Anuluj", this);
  cancel->setObjectName("Button2");
  // Enter belongs to the dialog (it reads whatever has the focus), so no button takes it.
  read->setAutoDefault(false);
  cancel->setAutoDefault(false);
  buttons->addWidget(read);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  connect(read, &QPushButton::clicked, this, &TOdczytajRaportOkresowy::Button1Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  end_ = new TZakonczonoOdczytywanie(this);
}

void TOdczytajRaportOkresowy::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TOdczytajRaportOkresowy::FormShow() {
  combo_box2_->setCurrentText(QString::number(kDefaultReadoutSpeed));
  const ReadoutLabels labels =
      ReadoutDialogLabels(LinkSettings.ModelFamily, LinkSettings.CopyMode,
                          LinkSettings.PrinterVariant, ProgramDesignation(1));
  label1_->setText(QString::fromStdString(labels.label1));
  label1_->setIndent(labels.label1_left);
  label10_->setVisible(labels.label10_visible);
  label11_->setText(QString::fromStdString(labels.label11));
  ApplyControls();
}

void TOdczytajRaportOkresowy::ApplyControls() {
  ReadoutMode checked = ReadoutMode::kMonthly;
  if (radio_[1]->isChecked()) checked = ReadoutMode::kByDates;
  if (radio_[2]->isChecked()) checked = ReadoutMode::kByNumbers;
  const ReadoutControls c =
      ApplyReadoutControls(LinkSettings.ModelFamily, check_box1_->isChecked(), checked);
  radio_[int(c.checked)]->setChecked(true);
  for (int i = 0; i < 3; ++i) {
    radio_[i]->setEnabled(c.radio_enabled[i]);
    group_[i]->setEnabled(c.group_enabled[i]);
    // Fields of the active group are white, the others the light 3-D grey.
    const QString colour = c.group_enabled[i] ? "white" : "#e3e3e3";
    group_[i]->setStyleSheet("QLineEdit { background: " + colour + "; }");
  }
}

ReadoutFields TOdczytajRaportOkresowy::Fields() const {
  ReadoutFields f;
  f.mode = radio_[2]->isChecked()   ? ReadoutMode::kByNumbers
           : radio_[1]->isChecked() ? ReadoutMode::kByDates
                                    : ReadoutMode::kMonthly;
  f.emergency = check_box1_->isChecked();
  f.full = check_box2_->isChecked();
  f.first_date = Text(mask_edit1_);
  f.last_date = Text(mask_edit2_);
  f.month = Text(mask_edit3_);
  f.first_number = Text(edit3_);
  f.last_number = Text(edit4_);
  f.speed = combo_box2_->currentText().toULong();
  return f;
}

void TOdczytajRaportOkresowy::Button1Click() {
  const ReadoutOutcome outcome = ReadPeriodicReportToFile(Fields());
  if (outcome.end == ReadoutEnd::kStayOpen) return;
  if (outcome.end == ReadoutEnd::kShowEndDialog) end_->Show(outcome.title, outcome.file_name);
  accept();
}

void TOdczytajRaportOkresowy::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Button1Click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kelm::dialogs
