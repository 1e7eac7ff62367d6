// The customer display's pictures.
#include "graphics/dialogs/TGrafikiReklamowe.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "graphics/bmp_file.h"
#include "graphics/dialogs/PictureFiles.h"
#include "graphics/picture_runs.h"
#include "link/program_folder.h"
#include "protocol/operator.h"

namespace kelm::dialogs {
namespace {

QSlider* Slider(QWidget* parent, const char* name, int min, int max) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setObjectName(name);
  s->setRange(min, max);
  s->setValue(1);
  s->setTickPosition(QSlider::TicksBelow);
  s->setPageStep(1);
  return s;
}

}  // namespace

TGrafikiReklamowe::TGrafikiReklamowe(QWidget* parent) : QDialog(parent) {
  setObjectName("TGrafikiReklamowe");
  setWindowTitle("GrafikiReklamowe");
  auto* top = new QVBoxLayout(this);
  auto* title = new QLabel("Grafiki reklamowo-informacyjne dla wyświetlacza klienta.", this);
  title->setObjectName("Label1");
  top->addWidget(title);

  auto* grid = new QGridLayout;
  for (int i = 0; i < kSlotCount; ++i) {
    previews_[i] = MonoPicture::White(kDisplayWidth, kDisplayHeight);
    // The red frame sits behind the picture, 4 dots wider on every side.
    auto* cell = new QWidget(this);
    cell->setFixedSize(kDisplayWidth + 8, kDisplayHeight + 8);
    frames_[i] = new QFrame(cell);
    frames_[i]->setObjectName(QString("Ramka%1").arg(i + 1));
    frames_[i]->setGeometry(0, 0, kDisplayWidth + 8, kDisplayHeight + 8);
    frames_[i]->setStyleSheet("background: red;");
    frames_[i]->setVisible(i == 0);
    images_[i] = new QLabel(cell);
    images_[i]->setObjectName(QString("Image%1").arg(i + 1));
    images_[i]->setGeometry(4, 4, kDisplayWidth, kDisplayHeight);
    images_[i]->installEventFilter(this);
    auto* number = new QLabel(QString::number(i + 1), this);
    number->setObjectName(QString("Numer%1").arg(i + 1));
    grid->addWidget(number, i / 2, (i % 2) * 2);
    grid->addWidget(cell, i / 2, (i % 2) * 2 + 1);
    ShowPreview(i);
  }
  top->addLayout(grid);

  auto* open_row = new QHBoxLayout;
  auto* open = new QToolButton(this);
  open->setObjectName("SpeedButton1");
  open->setText("...");
  open->setToolTip("Wybierz plik graficzny.");
  connect(open, &QToolButton::clicked, this, &TGrafikiReklamowe::OpenFiles);
  auto* open_label = new QLabel("Wybierz plik graficzny. ( 192 / 64 punkty ).", this);
  open_label->setObjectName("Label2");
  open_row->addWidget(open);
  open_row->addWidget(open_label, 1);
  top->addLayout(open_row);

  auto* settings = new QHBoxLayout;
  auto* group = new QGroupBox("Tryb wyświetlania", this);
  group->setObjectName("TrybWyswietlania");
  auto* group_column = new QVBoxLayout(group);
  modes_ = new QButtonGroup(this);
  for (int m = 0; m < kDisplayModeCount; ++m) {
    auto* radio = new QRadioButton(QString::fromUtf8(kDisplayModeTexts[m]), group);
    radio->setObjectName(QString("TrybWyswietlania%1").arg(m));
    modes_->addButton(radio, m);
    group_column->addWidget(radio);
  }
  modes_->button(0)->setChecked(true);
  connect(modes_, &QButtonGroup::idClicked, this, [this](int) { ModeChanged(); });
  settings->addWidget(group);
  auto* sliders = new QVBoxLayout;
  speed_label_ = new QLabel("Szybkość przewijania:", this);
  speed_label_->setObjectName("LabelSzybkosc");
  speed_ = Slider(this, "TrackBar1", 0, 9);
  step_label_ = new QLabel("Skok:", this);
  step_label_->setObjectName("LabelSkok");
  step_ = Slider(this, "TrackBar2", 1, 3);
  interval_label_ = new QLabel("Odstęp pomiędzy przesunięciami", this);
  interval_label_->setObjectName("LabelOdstep");
  interval_ = Slider(this, "TrackBar3", 0, 9);
  for (QWidget* w : {static_cast<QWidget*>(speed_label_), static_cast<QWidget*>(speed_),
                     static_cast<QWidget*>(step_label_), static_cast<QWidget*>(step_),
                     static_cast<QWidget*>(interval_label_), static_cast<QWidget*>(interval_)}) {
    sliders->addWidget(w);
  }
  sliders->addStretch(1);
  settings->addLayout(sliders, 1);
  top->addLayout(settings);

  auto* buttons = new QHBoxLayout;
  auto* send = new QPushButton("Wyślij grafikę", this);
  send->setObjectName("Button1");
  connect(send, &QPushButton::clicked, this, &TGrafikiReklamowe::Button1Click);
  send_mode_ = new QPushButton("Wyślij tryb", this);
  send_mode_->setObjectName("Button2");
  connect(send_mode_, &QPushButton::clicked, this, &TGrafikiReklamowe::Button2Click);
  erase_ = new QPushButton("Kasuj wybraną grafikę", this);
  erase_->setObjectName("Button3");
  connect(erase_, &QPushButton::clicked, this, &TGrafikiReklamowe::Button3Click);
  progress_ = new QLabel(this);
  progress_->setObjectName("LabelProcent");
  progress_->setVisible(false);
  auto* close = new QPushButton("&Zamknij", this);
  close->setObjectName("Button4");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(send);
  buttons->addWidget(send_mode_);
  buttons->addWidget(erase_);
  buttons->addWidget(progress_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  top->addLayout(buttons);

  menu_ = new QMenu(this);
  menu_->setObjectName("PopupMenu1");
  menu_->addAction("Usuń z programu", this, &TGrafikiReklamowe::RemoveFromProgram);
  menu_->addAction("Usuń z drukarki", this, &TGrafikiReklamowe::Button3Click);
  menu_->addAction("Pobierz z drukarki", this, &TGrafikiReklamowe::ReadFromPrinter);
  menu_->addAction("Zapisz obraz do pliku", this, &TGrafikiReklamowe::SaveToFile);

  // The download file starts as an empty picture of the display's size.
  WriteMonoBmp(DownloadFile(), MonoPicture::White(kDisplayWidth, kDisplayHeight));
}

std::string TGrafikiReklamowe::WorkFile() const {
  return TempFolder() + "/" + kWorkPictureFile;
}

std::string TGrafikiReklamowe::DownloadFile() const {
  return TempFolder() + "/" + kDownloadPictureFile;
}

void TGrafikiReklamowe::showEvent(QShowEvent* event) {
  // The work raster is the selected slot's picture, so what is shown is what gets sent.
  work_raster_.assign(kSlotRasterSize, '\0');
  SelectSlot(selected_);
  ModeChanged();
  QDialog::showEvent(event);
}

void TGrafikiReklamowe::hideEvent(QHideEvent* event) {
  work_raster_.clear();
  QDialog::hideEvent(event);
}

bool TGrafikiReklamowe::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < kSlotCount; ++i) {
    if (watched != images_[i]) continue;
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) {
        clicked_ = i;
        menu_->popup(mouse->globalPosition().toPoint());
      } else {
        clicked_ = i;
        SelectSlot(i);
      }
      return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
      SelectSlot(i);
      OpenFiles();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TGrafikiReklamowe::ShowPreview(int slot) {
  images_[slot]->setPixmap(QPixmap::fromImage(ImageOf(previews_[slot])));
}

void TGrafikiReklamowe::ReadWorkRasterFrom(const std::string& file) {
  std::string raster, message;
  if (ReadWorkRaster(file, kDisplayWidth, kSlotRasterSize, &raster, &message)) {
    work_raster_ = raster;
  } else {
    TheOperator().ShowMessage(message);
  }
}

void TGrafikiReklamowe::SelectSlot(int slot) {
  if (slot < 0 || slot >= kSlotCount) return;
  selected_ = slot;
  for (int i = 0; i < kSlotCount; ++i) frames_[i]->setVisible(i == slot);
  const SlotDisplay& d = displays_[slot];
  if (QAbstractButton* b = modes_->button(d.mode)) b->setChecked(true);
  step_->setValue(d.step);
  speed_->setValue(d.speed);
  interval_->setValue(d.interval);
  ModeChanged();
  if (!WriteMonoBmp(WorkFile(), previews_[slot])) {
    TheOperator().ShowMessage("Nie mogę zapisać pliku " + WorkFile() + ".");
    return;
  }
  ReadWorkRasterFrom(WorkFile());
}

void TGrafikiReklamowe::ModeChanged() {
  const ModeControls c = ControlsForMode(modes_->checkedId());
  speed_->setEnabled(c.speed);
  speed_label_->setEnabled(c.speed);
  step_->setEnabled(c.step);
  step_label_->setEnabled(c.step);
  interval_->setEnabled(c.interval);
  interval_label_->setEnabled(c.interval);
}

void TGrafikiReklamowe::OpenFiles() {
  LoadFiles(ChoosePictureFiles(this, true));
}

void TGrafikiReklamowe::LoadFiles(const QStringList& files) {
  if (files.size() == 1) {
    MonoPicture shown;
    if (!LoadScreenPicture(files[0], kDisplayWidth, kDisplayHeight, true, WorkFile(), &shown)) {
      return;
    }
    previews_[selected_] = shown;
    ShowPreview(selected_);
    ReadWorkRasterFrom(WorkFile());
    return;
  }
  // Several files fill the slots from the first; the selected slot and its raster stay.
  for (int i = 0; i < files.size() && i < kSlotCount; ++i) {
    MonoPicture shown;
    if (!LoadScreenPicture(files[i], kDisplayWidth, kDisplayHeight, false, WorkFile(), &shown)) {
      continue;
    }
    previews_[i] = shown;
    ShowPreview(i);
  }
}

void TGrafikiReklamowe::Button1Click() {
  const PictureRun run = UploadSlot(selected_, work_raster_, [this](int percent) {
    if (percent == 0) {
      send_mode_->setEnabled(false);
      erase_->setEnabled(false);
      progress_->setVisible(true);
    }
    progress_->setText(QString("%1%").arg(percent));
    progress_->repaint();
  });
  if (run == PictureRun::kNotSent) return;
  send_mode_->setEnabled(true);
  erase_->setEnabled(true);
  progress_->setVisible(false);
}

void TGrafikiReklamowe::Button2Click() {
  SlotDisplay& d = displays_[selected_];
  d.mode = static_cast<uint8_t>(modes_->checkedId() < 0 ? 0 : modes_->checkedId());
  d.step = static_cast<uint8_t>(step_->value());
  d.speed = static_cast<uint8_t>(speed_->value());
  d.interval = static_cast<uint8_t>(interval_->value());
  SendSlotMode(selected_, d);
}

void TGrafikiReklamowe::Button3Click() {
  if (EraseSlot(selected_) != 0) return;
  previews_[selected_] = MonoPicture::White(kDisplayWidth, kDisplayHeight);
  ShowPreview(selected_);
}

void TGrafikiReklamowe::RemoveFromProgram() {
  previews_[clicked_] = MonoPicture::White(kDisplayWidth, kDisplayHeight);
  ShowPreview(clicked_);
}

void TGrafikiReklamowe::ReadFromPrinter() {
  std::string raster;
  if (ReadSlot(clicked_, &raster) != PictureRun::kDone) return;
  if (!WriteMonoBmp(DownloadFile(), FromFileLayout(raster, kDisplayWidth))) {
    TheOperator().ShowMessage("Nie mogę zapisać pliku " + DownloadFile() + ".");
    return;
  }
  MonoPicture shown;
  std::string message;
  if (!ReadMonoBmp(DownloadFile(), &shown, &message)) {
    TheOperator().ShowMessage(message);
    return;
  }
  previews_[clicked_] = shown;
  ShowPreview(clicked_);
  SelectSlot(clicked_);
}

void TGrafikiReklamowe::SaveToFile() {
  const QString name = ChooseBitmapToSave(this);
  if (name.isEmpty()) return;
  if (!WriteMonoBmp(name.toStdString(), previews_[clicked_])) {
    TheOperator().ShowMessage("Nie mogę zapisać pliku " + name.toStdString() + ".");
  }
}

}  // namespace kelm::dialogs
