// "Ekran pożegnalny": the printer's farewell screen, a 128 x 64 picture sent in eight parts.
#pragma once

#include <QDialog>
#include <string>

#include "graphics/raster.h"

class QLabel;
class QProgressBar;

namespace kelm::dialogs {

class TEkranPozegnalny : public QDialog {
  Q_OBJECT
 public:
  explicit TEkranPozegnalny(QWidget* parent = nullptr);

  void OpenFile();  // "Wybierz plik graficzny. ( 128 / 64 punkty )."
  void LoadFile(const QString& path);
  void Button1Click();  // "&Wyślij"

  const MonoPicture& Picture() const { return picture_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  MonoPicture picture_;
  std::string work_raster_;  // only while the dialog is shown
  QLabel* image_;
  QProgressBar* bar_;
};

}  // namespace kelm::dialogs
