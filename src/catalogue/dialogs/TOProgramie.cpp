// The about dialog.
#include "catalogue/dialogs/TOProgramie.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogue/model.h"

namespace kelm::dialogs {

const MakerContacts kMakerContacts = {
    "KELM Sp. z o.o.",
    "ul. Składowa 14",
    "61-897 Poznań",
    {"tel. 61 852 40 10", "tel. 61 852 40 11 (serwis)", "tel. 61 852 40 12 (fax)"},
    "www.kelm.pl",
    "serwis@kelm.pl",
};

namespace {

// The program's mark: a receipt coming out of a printer, drawn rather than shipped as a file.
QPixmap ProgramPicture() {
  QPixmap picture(72, 72);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 2));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(QRectF(20, 6, 32, 30));
  for (int y = 13; y <= 27; y += 7) p.drawLine(25, y, 47, y);
  p.setBrush(QColor(0, 84, 147));
  p.drawRoundedRect(QRectF(6, 34, 60, 30), 5, 5);
  p.setPen(Qt::white);
  p.setFont(QFont("Sans", 11, QFont::Bold));
  p.drawText(QRectF(6, 34, 60, 30), Qt::AlignCenter, "KELM");
  return picture;
}

QLabel* NewLabel(QWidget* parent, const QString& text, int number) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString("Label%1").arg(number));
  return label;
}

// A link label; the desktop's default handler opens it.
QLabel* NewLink(QWidget* parent, const QString& shown, const QString& url, int number) {
  QLabel* label = NewLabel(parent, QString("<a href=\"%1\">%2</a>").arg(url, shown), number);
  label->setTextFormat(Qt::RichText);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setOpenExternalLinks(false);
  QObject::connect(label, &QLabel::linkActivated, label,
                   [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
  return label;
}

}  // namespace

TOProgramie::TOProgramie(QWidget* parent) : QDialog(parent) {
  setObjectName("TOProgramie");
  setWindowTitle("O programie");
  auto* row = new QHBoxLayout(this);
  auto* image = new QLabel(this);
  image->setObjectName("Image1");
  image->setPixmap(ProgramPicture());
  image->setAlignment(Qt::AlignTop);
  row->addWidget(image);
  auto* column = new QVBoxLayout;
  program_ = NewLabel(this, QString(), 1);
  column->addWidget(program_);
  column->addWidget(NewLabel(this, "Moduł odczytu pamięci fiskalnej:", 2));
  module_ = NewLabel(this, QString(), 3);
  column->addWidget(module_);
  column->addSpacing(8);
  column->addWidget(NewLabel(this, "Pytania i uwagi na temat programu", 4));
  column->addWidget(NewLabel(this, "proszę kierować na adres:", 5));
  column->addSpacing(4);
  const MakerContacts& c = kMakerContacts;
  int number = 6;
  for (const char* line : {c.company, c.street, c.city, c.phones[0], c.phones[1], c.phones[2]}) {
    column->addWidget(NewLabel(this, QString::fromUtf8(line), number++));
  }
  column->addWidget(NewLink(this, c.web, QString("https://") + QString::fromUtf8(c.web), number++));
  column->addWidget(
      NewLink(this, c.email, QString("mailto:") + QString::fromUtf8(c.email), number++));
  auto* close = new QPushButton("&Zamknij", this);
  close->setObjectName("Button1");
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  column->addLayout(buttons);
  row->addLayout(column, 1);
}

// The reading module's name follows the model chosen since the last showing.
void TOProgramie::showEvent(QShowEvent* event) {
  program_->setText(QString::fromStdString(ProgramDesignation(0)));
  module_->setText(QString::fromStdString(ProgramDesignation(1)));
  QDialog::showEvent(event);
}

}  // namespace kelm::dialogs
