// The picture runs from and to one-bit BMP files.
#include "graphics/picture_file_runs.h"

#include "graphics/bmp_file.h"
#include "graphics/picture_fit.h"
#include "graphics/raster.h"
#include "protocol/operator.h"

namespace kelm {
namespace {

bool Load(const std::string& path, MonoPicture* picture, int* bits = nullptr) {
  std::string message;
  if (ReadMonoBmp(path, picture, &message, bits)) return true;
  TheOperator().ShowMessage(message);
  return false;
}

// A slot or farewell picture fitted to the screen, with the dialogs' size message.
bool LoadScreen(const std::string& path, int width, std::string* raster) {
  MonoPicture loaded;
  if (!Load(path, &loaded)) return false;
  bool wrong_size = false;
  const MonoPicture fitted = FitToScreen(loaded, width, kDisplayHeight, &wrong_size);
  if (wrong_size) TheOperator().ShowMessage(WrongSizeMessage(loaded.width, loaded.height));
  *raster = FileLayout(fitted);
  return true;
}

}  // namespace

PictureRun UploadSlotFile(int slot, const std::string& path) {
  std::string raster;
  if (!LoadScreen(path, kDisplayWidth, &raster)) return PictureRun::kNoPicture;
  return UploadSlot(slot, raster);
}

PictureRun ReadSlotToFile(int slot, const std::string& path) {
  std::string raster;
  const PictureRun run = ReadSlot(slot, &raster);
  if (run != PictureRun::kDone) return run;
  if (!WriteMonoBmp(path, FromFileLayout(raster, kDisplayWidth))) {
    TheOperator().ShowMessage("Nie mogę zapisać pliku " + path + ".");
    return PictureRun::kNoPicture;
  }
  return PictureRun::kDone;
}

PictureRun SendHeaderFile(const std::string& path, HeaderSend how) {
  MonoPicture loaded;
  int bits = 1;
  if (!Load(path, &loaded, &bits)) return PictureRun::kNoPicture;
  // A colour bitmap is stretched to 416 x 96, as the header dialog does it.
  const HeaderPicture header = PrepareHeaderPicture(loaded, bits > 1);
  if (header.converted) TheOperator().ShowMessage(kHeaderConvertedText);
  how.width_bytes = header.width_bytes;
  return SendHeaderRows(HeaderRows(header.source), how);
}

PictureRun SendFarewellFile(const std::string& path) {
  std::string raster;
  if (!LoadScreen(path, kFarewellWidth, &raster)) return PictureRun::kNoPicture;
  return SendFarewell(raster);
}

}  // namespace kelm
