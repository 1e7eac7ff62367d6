// The graphic header and footer.
#include "graphics/dialogs/TNaglowekGraficzny.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "graphics/dialogs/PictureFiles.h"
#include "graphics/picture_runs.h"
#include "protocol/operator.h"

namespace kelm::dialogs {

TNaglowekGraficzny::TNaglowekGraficzny(QWidget* parent) : QDialog(parent) {
  setObjectName("TNaglowekGraficzny");
  setWindowTitle("NaglowekGraficzny");
  auto* top = new QVBoxLayout(this);
  auto* title = new QLabel("Programowanie nagłówka / stopki graficznej", this);
  title->setObjectName("Label1");
  QFont big = title->font();
  big.setBold(true);
  title->setFont(big);
  top->addWidget(title);

  auto* open_row = new QHBoxLayout;
  auto* open = new QToolButton(this);
  open->setObjectName("SpeedButton1");
  open->setText("...");
  open->setToolTip("Otwórz plik z nagłówkiem");
  connect(open, &QToolButton::clicked, this, &TNaglowekGraficzny::OpenFile);
  auto* open_label =
      new QLabel("Otwórz plik z grafiką ( 416 / 96 punkty ) monochromatyczny (bmp lub jpg).", this);
  open_label->setObjectName("Label2");
  image1_ = new QLabel(this);
  image1_->setObjectName("Image1");
  image1_->setFixedSize(104, 24);
  image1_->setScaledContents(true);
  open_row->addWidget(open);
  open_row->addWidget(open_label, 1);
  open_row->addWidget(image1_);
  top->addLayout(open_row);

  image2_ = new QLabel(this);
  image2_->setObjectName("Image2");
  image2_->setFixedSize(kHeaderWidth, 100);
  image2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image2_->setStyleSheet("background: white; border: 1px solid gray;");
  top->addWidget(image2_, 0, Qt::AlignHCenter);

  auto* size_row = new QHBoxLayout;
  auto* size_label = new QLabel("Rozmiar:", this);
  auto* width_label = new QLabel(QString::number(kHeaderWidth), this);
  width_label->setObjectName("LabelSzerokosc");
  height_label_ = new QLabel("0", this);
  height_label_->setObjectName("LabelWysokosc");
  size_row->addWidget(size_label);
  size_row->addWidget(width_label);
  size_row->addWidget(new QLabel("x", this));
  size_row->addWidget(height_label_);
  size_row->addStretch(1);
  top->addLayout(size_row);

  // The five arrows: each a pair of buttons, "up" first.
  auto* arrows = new QGridLayout;
  for (int a = 0; a < kHeaderArrowCount; ++a) {
    const HeaderArrowInfo& info = kHeaderArrows[a];
    auto* box = new QWidget(this);
    box->setObjectName(QString("UpDown%1").arg(a + 1));
    box->setToolTip(QString::fromUtf8(info.hint));
    auto* pair = new QHBoxLayout(box);
    pair->setContentsMargins(0, 0, 0, 0);
    for (bool up : {false, true}) {
      auto* b = new QToolButton(box);
      b->setObjectName(QString("UpDown%1%2").arg(a + 1).arg(up ? "Up" : "Down"));
      const bool sideways = a == 1 || a == 3;
      b->setArrowType(up ? (sideways ? Qt::RightArrow : Qt::UpArrow)
                         : (sideways ? Qt::LeftArrow : Qt::DownArrow));
      b->setToolTip(QString::fromUtf8(info.hint));
      b->setAutoRepeat(true);
      connect(b, &QToolButton::clicked, this,
              [this, a, up] { Arrow(static_cast<HeaderArrow>(a), up); });
      pair->addWidget(b);
    }
    auto* caption = new QLabel(QString::fromUtf8(info.hint), this);
    arrows->addWidget(box, a / 3, (a % 3) * 2);
    arrows->addWidget(caption, a / 3, (a % 3) * 2 + 1);
  }
  auto* reset = new QPushButton("RESET OBRAZU", this);
  reset->setObjectName("Button2");
  connect(reset, &QPushButton::clicked, this, &TNaglowekGraficzny::Button2Click);
  arrows->addWidget(reset, 1, 4, 1, 2);
  top->addLayout(arrows);

  information_ = new QLabel(this);
  information_->setObjectName("Informacja");
  top->addWidget(information_);

  // The alignment is fixed at "Wyśrodkuj": the choice is kept but not offered.
  const char* const alignments[3] = {"Wyrównaj do lewej", "Wyśrodkuj", "Wyrównaj do prawej"};
  for (int i = 0; i < 3; ++i) {
    alignment_[i] = new QRadioButton(alignments[i], this);
    alignment_[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    alignment_[i]->setVisible(false);
  }
  alignment_[1]->setChecked(true);

  without_confirmation_ = new QCheckBox("Bez potwierdzenia.", this);
  without_confirmation_->setObjectName("CheckBox1");
  top->addWidget(without_confirmation_);

  auto* progress_row = new QHBoxLayout;
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  percent_ = new QLabel("0", this);
  percent_->setObjectName("LabelProcent");
  progress_row->addWidget(bar_, 1);
  progress_row->addWidget(percent_);
  top->addLayout(progress_row);

  auto* buttons = new QGridLayout;
  const struct {
    const char* name;
    const char* caption;
    void (TNaglowekGraficzny::*action)(bool);
    bool footer;
  } rows[] = {{"Button4", "Wyślij nagłówek", &TNaglowekGraficzny::Send, false},
              {"Button3", "Wyślij stopkę", &TNaglowekGraficzny::Send, true},
              {"Button5", "Kasuj nagłówek", &TNaglowekGraficzny::Erase, false},
              {"Button6", "Kasuj stopkę", &TNaglowekGraficzny::Erase, true}};
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(rows[i].caption, this);
    b->setObjectName(rows[i].name);
    const auto action = rows[i].action;
    const bool footer = rows[i].footer;
    connect(b, &QPushButton::clicked, this, [this, action, footer] { (this->*action)(footer); });
    buttons->addWidget(b, i % 2, i / 2);
  }
  auto* help = new QToolButton(this);
  help->setObjectName("SpeedButton2");
  help->setText("?");
  help->setToolTip("Procedura zmiany stopki graficznej");
  connect(help, &QToolButton::clicked, this, &TNaglowekGraficzny::HelpClick);
  buttons->addWidget(help, 0, 2);
  auto* close = new QPushButton("Zamknij", this);
  close->setObjectName("Button1");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(close, 1, 2);
  top->addLayout(buttons);
}

void TNaglowekGraficzny::OpenFile() {
  const QStringList files = ChoosePictureFiles(this, false);
  if (!files.isEmpty()) LoadFile(files.first());
}

void TNaglowekGraficzny::LoadFile(const QString& path) {
  information_->clear();
  const QImage image = DecodePicture(path);
  if (image.isNull()) {
    TheOperator().ShowMessage("Nie mogę wczytać grafiki z pliku " + path.toStdString() + ".");
    return;
  }
  const bool colour = IsColourBitmap(path, image);
  const MonoPicture mono = MonoOf(image);
  // The small preview shows what was loaded before it became 416 dots wide.
  if (colour || !path.right(3).toLower().contains("bmp")) {
    image1_->setPixmap(QPixmap::fromImage(colour ? image : ImageOf(mono)));
  }
  loaded_ = PrepareHeaderPicture(mono, colour);
  if (loaded_.converted) information_->setText(QString::fromUtf8(kHeaderConvertedText));
  height_label_->setText(QString::number(loaded_.rows));
  placement_.Reset(loaded_.source.width, loaded_.source.height);
  Redraw();
}

void TNaglowekGraficzny::Arrow(HeaderArrow arrow, bool up) {
  if (placement_.Click(arrow, up)) Redraw();
}

void TNaglowekGraficzny::Button2Click() {
  placement_.Reset(loaded_.source.width, loaded_.source.height);
  Redraw();
}

void TNaglowekGraficzny::Redraw() {
  work_ = DrawHeaderWork(loaded_.source, placement_);
  image2_->setPixmap(QPixmap::fromImage(ImageOf(work_)));
}

char TNaglowekGraficzny::Alignment() const {
  if (alignment_[0]->isChecked()) return '2';
  if (alignment_[2]->isChecked()) return '1';
  return '0';
}

void TNaglowekGraficzny::Send(bool footer) {
  HeaderSend how;
  how.footer = footer;
  how.without_confirmation = without_confirmation_->isChecked();
  how.width_bytes = loaded_.width_bytes;
  how.alignment = Alignment();
  const std::vector<std::string> rows =
      loaded_.rows == 0 ? std::vector<std::string>() : HeaderRows(work_);
  SendHeaderRows(rows, how, [this](int i, int count) {
    percent_->setText(QString::number(i * 100 / count));
    bar_->setValue(i);
    percent_->repaint();
    bar_->repaint();
  });
  bar_->setValue(0);
  percent_->setText("0");
}

void TNaglowekGraficzny::Erase(bool footer) {
  EraseHeaderPicture(footer);
}

void TNaglowekGraficzny::HelpClick() {
  TheOperator().ShowMessage(kHelpText);
}

}  // namespace kelm::dialogs
