// The two letter-coding dialogs share their caption, label and four radio buttons; they differ
// in their buttons and in what choosing does.
#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace kelm::dialogs {

class LetterCodingDialog : public QDialog {
  Q_OBJECT
 public:
  int CheckedCoding() const;
  void CheckCoding(int index);

 protected:
  LetterCodingDialog(QWidget* parent, const char* name, const char* ok_caption,
                     const char* cancel_caption);
  // The first button ("Wyślij" or "&Zastosuj"), also Enter.
  virtual void Button1Click() = 0;
  QRadioButton* radio_[4];
};

// The coding command of the configuration tree: keeps the last choice between showings.
class TKodowaniePolskich : public LetterCodingDialog {
  Q_OBJECT
 public:
  explicit TKodowaniePolskich(QWidget* parent = nullptr);

 protected:
  void Button1Click() override;
};

// The menu's coding setting: shows the current coding; only family 2 is told by command.
class TUstawKodLiter : public LetterCodingDialog {
  Q_OBJECT
 public:
  explicit TUstawKodLiter(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void Button1Click() override;
};

}  // namespace kelm::dialogs
