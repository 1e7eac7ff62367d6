// The farewell screen.
#include "graphics/dialogs/TEkranPozegnalny.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphics/bmp_file.h"
#include "graphics/dialogs/PictureFiles.h"
#include "graphics/picture_runs.h"
#include "protocol/operator.h"

namespace kelm::dialogs {

TEkranPozegnalny::TEkranPozegnalny(QWidget* parent)
    : QDialog(parent), picture_(MonoPicture::White(kFarewellWidth, kDisplayHeight)) {
  setObjectName("TEkranPozegnalny");
  setWindowTitle("Ekran pożegnalny");
  auto* top = new QVBoxLayout(this);
  auto* title = new QLabel("Ekran pożegnalny drukarki", this);
  title->setObjectName("Label1");
  QFont big = title->font();
  big.setBold(true);
  title->setFont(big);
  top->addWidget(title);
  auto* open = new QPushButton("Wybierz plik graficzny. ( 128 / 64 punkty ).", this);
  open->setObjectName("Button3");
  connect(open, &QPushButton::clicked, this, &TEkranPozegnalny::OpenFile);
  top->addWidget(open);
  image_ = new QLabel(this);
  image_->setObjectName("Image1");
  image_->setFixedSize(kFarewellWidth + 2, kDisplayHeight + 2);
  image_->setStyleSheet("border: 1px solid gray;");
  image_->setPixmap(QPixmap::fromImage(ImageOf(picture_)));
  top->addWidget(image_, 0, Qt::AlignHCenter);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 7);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  top->addWidget(bar_);
  auto* buttons = new QHBoxLayout;
  auto* send = new QPushButton("&Wyślij", this);
  send->setObjectName("Button1");
  send->setDefault(true);
  connect(send, &QPushButton::clicked, this, &TEkranPozegnalny::Button1Click);
  auto* cancel = new QPushButton("&Anuluj", this);
  cancel->setObjectName("Button2");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(send);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  top->addLayout(buttons);
}

void TEkranPozegnalny::showEvent(QShowEvent* event) {
  work_raster_ = FileLayout(picture_);
  QDialog::showEvent(event);
}

void TEkranPozegnalny::hideEvent(QHideEvent* event) {
  work_raster_.clear();
  QDialog::hideEvent(event);
}

void TEkranPozegnalny::OpenFile() {
  const QStringList files = ChoosePictureFiles(this, false);
  if (!files.isEmpty()) LoadFile(files.first());
}

void TEkranPozegnalny::LoadFile(const QString& path) {
  // This dialog keeps its work file in the current folder.
  MonoPicture shown;
  if (!LoadScreenPicture(path, kFarewellWidth, kDisplayHeight, true, kWorkPictureFile, &shown)) {
    return;
  }
  picture_ = shown;
  image_->setPixmap(QPixmap::fromImage(ImageOf(picture_)));
  std::string raster, message;
  if (!ReadWorkRaster(kWorkPictureFile, kFarewellWidth, kFarewellRasterSize, &raster, &message)) {
    TheOperator().ShowMessage(message);
    return;
  }
  work_raster_ = raster;
}

void TEkranPozegnalny::Button1Click() {
  if (work_raster_.size() != kFarewellRasterSize) work_raster_ = FileLayout(picture_);
  SendFarewell(work_raster_, [this](int part) {
    bar_->setValue(part);
    bar_->repaint();
  });
  bar_->setValue(0);
}

}  // namespace kelm::dialogs
