// Picture files on the dialogs' side.
#include "graphics/dialogs/PictureFiles.h"

#include <QFileDialog>
#include <QImageReader>

#include "graphics/bmp_file.h"
#include "graphics/picture_fit.h"
#include "protocol/operator.h"

namespace kelm::dialogs {

QImage DecodePicture(const QString& path) {
  const QString tail = path.right(3).toLower();
  QImageReader reader(path);
  if (tail.contains("bmp")) {
    reader.setFormat("bmp");
  } else if (tail.contains("jp")) {
    reader.setFormat("jpeg");
  }
  reader.setAutoTransform(true);
  // A file of a few hundred bytes may claim a picture of thousands of dots a side, which would
  // take seconds and hundreds of megabytes to decode and reduce: refused as unreadable.
  const QSize size = reader.size();
  if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) return QImage();
  return reader.read();
}

bool IsColourBitmap(const QString& path, const QImage& image) {
  return path.right(3).toLower().contains("bmp") && image.depth() > 1;
}

MonoPicture MonoOf(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  MonoPicture p = MonoPicture::White(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      const int alpha = qAlpha(line[x]);
      // Over a white background: what shows through a transparent dot is white.
      const int grey = (qGray(line[x]) * alpha + 255 * (255 - alpha)) / 255;
      if (grey < 128) p.Set(x, y, true);
    }
  }
  return p;
}

QImage ImageOf(const MonoPicture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_Mono);
  image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  const size_t stride = picture.Stride();
  for (int y = 0; y < picture.height; ++y) {
    uchar* line = image.scanLine(y);
    for (size_t i = 0; i < stride; ++i) line[i] = static_cast<uchar>(picture.rows[y * stride + i]);
  }
  return image;
}

bool LoadScreenPicture(const QString& path, int width, int height, bool report_size,
                       const std::string& work_file, MonoPicture* shown) {
  const QImage image = DecodePicture(path);
  if (image.isNull()) {
    TheOperator().ShowMessage("Nie mogę wczytać grafiki z pliku " + path.toStdString() + ".");
    return false;
  }
  bool wrong_size = false;
  const MonoPicture fitted = FitToScreen(MonoOf(image), width, height, &wrong_size);
  if (wrong_size && report_size) {
    TheOperator().ShowMessage(WrongSizeMessage(image.width(), image.height()));
  }
  std::string message;
  if (!WriteMonoBmp(work_file, fitted)) {
    TheOperator().ShowMessage("Nie mogę zapisać pliku " + work_file + ".");
    return false;
  }
  if (!ReadMonoBmp(work_file, shown, &message)) {
    TheOperator().ShowMessage(message);
    return false;
  }
  return true;
}

QStringList ChoosePictureFiles(QWidget* parent, bool several) {
  QFileDialog chooser(parent, QString(), QString(),
                      "Bitmap, JPEG (*.bmp *.jpg *.jpeg);;PNG (*.png);;Wszystkie pliki (*)");
  chooser.setObjectName("FileDialog");
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setDefaultSuffix("bmp");
  chooser.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  if (chooser.exec() != QDialog::Accepted) return {};
  return chooser.selectedFiles();
}

QString ChooseBitmapToSave(QWidget* parent) {
  QFileDialog chooser(parent, QString(), QString(), "Bitmap (*.bmp)");
  chooser.setObjectName("FileDialog");
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
  QString name = chooser.selectedFiles().first();
  // The name gets ".bmp" unless the operator typed it already.
  if (!name.endsWith(".bmp", Qt::CaseInsensitive)) name += ".bmp";
  return name;
}

}  // namespace kelm::dialogs
