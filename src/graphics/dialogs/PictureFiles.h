// Picture files on the dialogs' side: decoding BMP, JPEG and PNG through QImage, reduction to one
// bit, the previews, and the file choices of the picture dialogs.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <string>

#include "graphics/raster.h"

class QWidget;

namespace kelm::dialogs {

// A decoded picture: bitmap when the name's last three letters hold "bmp", JPEG when they hold
// "jp", otherwise whatever QImage recognises (PNG). A null image when it cannot be read or has a
// side longer than kMaxPictureSide.
QImage DecodePicture(const QString& path);
// True for a bitmap file of more than one bit per dot.
bool IsColourBitmap(const QString& path, const QImage& image);
// One bit per dot: transparent parts count as white, dots darker than middle grey are black.
MonoPicture MonoOf(const QImage& image);
// A preview of a one-bit picture.
QImage ImageOf(const MonoPicture& picture);

// Loads a slot or farewell picture as the dialogs do: decode, reduce to one bit, report a wrong
// size (`report_size`), fit to `width` x `height`, save to `work_file` and read it back from
// there. False (message shown) when the file cannot be decoded or the work file not written.
bool LoadScreenPicture(const QString& path, int width, int height, bool report_size,
                       const std::string& work_file, MonoPicture* shown);

// The file dialogs ("FileDialog" for tests to find).
QStringList ChoosePictureFiles(QWidget* parent, bool several);
QString ChooseBitmapToSave(QWidget* parent);

}  // namespace kelm::dialogs
