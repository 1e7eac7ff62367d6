// The customer display's pictures "GrafikiReklamowe": ten slots with previews, loading picture
// files into them, upload, display mode, erase and read-back of a slot.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "graphics/raster.h"
#include "graphics/slot_display.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;

namespace kelm::dialogs {

class TGrafikiReklamowe : public QDialog {
  Q_OBJECT
 public:
  explicit TGrafikiReklamowe(QWidget* parent = nullptr);

  // For tests and the pop-up menu: the state the operator sees.
  int SelectedSlot() const { return selected_; }
  const MonoPicture& Preview(int slot) const { return previews_[slot]; }
  const SlotDisplay& Display(int slot) const { return displays_[slot]; }
  const std::string& WorkRaster() const { return work_raster_; }

  void SelectSlot(int slot);  // a click on a slot's picture
  void OpenFiles();           // "Wybierz plik graficzny."
  void LoadFiles(const QStringList& files);
  void Button1Click();       // "Wyślij grafikę"
  void Button2Click();       // "Wyślij tryb"
  void Button3Click();       // "Kasuj wybraną grafikę" and "Usuń z drukarki"
  void RemoveFromProgram();  // "Usuń z programu", on the clicked slot
  void ReadFromPrinter();    // "Pobierz z drukarki", on the clicked slot
  void SaveToFile();         // "Zapisz obraz do pliku", on the clicked slot
  void SetClickedSlot(int slot) { clicked_ = slot; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPreview(int slot);
  void ModeChanged();
  void ReadWorkRasterFrom(const std::string& file);
  std::string WorkFile() const;
  std::string DownloadFile() const;

  std::array<MonoPicture, kSlotCount> previews_;
  std::array<SlotDisplay, kSlotCount> displays_{};
  std::array<QLabel*, kSlotCount> images_{};
  std::array<QFrame*, kSlotCount> frames_{};
  int selected_ = 0;
  int clicked_ = 0;
  std::string work_raster_;  // only while the dialog is shown
  QButtonGroup* modes_;
  QSlider* speed_;
  QSlider* step_;
  QSlider* interval_;
  QLabel* speed_label_;
  QLabel* step_label_;
  QLabel* interval_label_;
  QLabel* progress_;
  QPushButton* send_mode_;
  QPushButton* erase_;
  QMenu* menu_;
};

}  // namespace kelm::dialogs
