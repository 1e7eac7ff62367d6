// The about dialog "O programie": the program's designations and the maker's contact block.
#pragma once

#include <QDialog>

class QLabel;

namespace kelm::dialogs {

// The maker's contacts as the dialog shows them.
struct MakerContacts {
  const char* company;
  const char* street;
  const char* city;
  const char* phones[3];
  const char* web;    // opened in the default browser
  const char* email;  // a new message in the default mail program
};
extern const MakerContacts kMakerContacts;

class TOProgramie : public QDialog {
  Q_OBJECT
 public:
  explicit TOProgramie(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* program_;
  QLabel* module_;
};

}  // namespace kelm::dialogs
