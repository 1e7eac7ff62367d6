// "NaglowekGraficzny": the graphic header or footer of print-outs: a picture of up to 416 x 96
// dots, shifted and scaled with five arrows, sent row by row; erasing both.
#pragma once

#include <QDialog>
#include <array>

#include "graphics/header_placement.h"
#include "graphics/picture_fit.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QRadioButton;

namespace kelm::dialogs {

class TNaglowekGraficzny : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kHelpText =
      "Procedura zmiany stopki graficznej dla SALVO 3.\r\n\r\n1. Wybrać plik graficzny ze stopką "
      "wciskając \"Otwórz plik z grafiką\".\r\n2. Wykonać raport dobowy.\r\n3. Skasować aktualną "
      "stopkę wciskając przycisk \"Kasuj stopkę\".\r\n4. Wykonać raport dobowy\r\n5. "
      "Zaprogramować stopkę wciskając przycisk \"Wyślij stopkę\".\r\n";

  explicit TNaglowekGraficzny(QWidget* parent = nullptr);

  void OpenFile();  // the open button
  void LoadFile(const QString& path);
  void Arrow(HeaderArrow arrow, bool up);
  void Button2Click();      // "RESET OBRAZU"
  void Send(bool footer);   // "Wyślij nagłówek" (Button4), "Wyślij stopkę" (Button3)
  void Erase(bool footer);  // "Kasuj nagłówek" (Button5), "Kasuj stopkę" (Button6)
  void HelpClick();

  const MonoPicture& WorkPicture() const { return work_; }
  const HeaderPicture& Loaded() const { return loaded_; }

 private:
  void Redraw();
  char Alignment() const;

  HeaderPicture loaded_;
  HeaderPlacement placement_;
  MonoPicture work_;
  QLabel* image1_;
  QLabel* image2_;
  QLabel* height_label_;
  QLabel* information_;
  QLabel* percent_;
  QProgressBar* bar_;
  QCheckBox* without_confirmation_;
  std::array<QRadioButton*, 3> alignment_{};
};

}  // namespace kelm::dialogs
