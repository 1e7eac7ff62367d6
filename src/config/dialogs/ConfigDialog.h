// What every configuration and report dialog shares: a column of controls named by kind and
// number, the "&Wyślij"/"&Anuluj" row, the keys the dialog previews (Enter sends, Esc closes,
// unless a member says otherwise), and the common ending of a send.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>

#include "config/config_frame.h"

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kelm::dialogs {

class ConfigDialog : public QDialog {
  Q_OBJECT
 public:
  QPushButton* SendButton() const { return send_; }

 protected:
  ConfigDialog(QWidget* parent, const char* name, const char* caption,
               const char* send_caption = "&Wyślij", const char* cancel_caption = "&Anuluj");

  // The send button: builds and sends; the dialog closes when this returns kSent.
  virtual SendOutcome Send() = 0;
  // Runs at every showing, before the dialog is painted.
  virtual void FormShow() {}
  // Runs once the dialog is on the screen (queries that open the receiving dialog over it).
  virtual void FormShown() {}
  // Close also after a failed send (the rate dialogs), not only after one that went out.
  bool close_after_any_send_ = false;
  bool enter_sends_ = true;
  bool esc_closes_ = true;

  // Controls, added to `layout` (the body when null), named Label1, Edit1, CheckBox1, ...
  QLabel* AddLabel(const QString& text, QBoxLayout* layout = nullptr);
  QLineEdit* AddEdit(const QString& label, const QString& text = {}, QBoxLayout* layout = nullptr);
  QCheckBox* AddCheck(const QString& caption, bool checked, QBoxLayout* layout = nullptr);
  QRadioButton* AddRadio(const QString& caption, QBoxLayout* layout = nullptr);
  QDateEdit* AddDate(const QString& label, QBoxLayout* layout = nullptr);
  QPushButton* AddButton(const QString& caption, QBoxLayout* layout = nullptr);
  QGroupBox* AddGroup(const QString& caption, QBoxLayout** inner, QBoxLayout* layout = nullptr);
  // A small help button without caption that shows `text` in a message box.
  QToolButton* AddHelp(std::function<std::string()> text, QBoxLayout* layout);
  QToolButton* AddHelp(const std::string& text, QBoxLayout* layout) {
    return AddHelp([text] { return text; }, layout);
  }
  static QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
  static std::string S(const QString& text) { return text.toStdString(); }

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  QBoxLayout* body_;

 private:
  void SendClick();
  bool PreviewKey(QKeyEvent* key);
  QString Next(const char* kind);

  QPushButton* send_;
  QPushButton* cancel_;
  std::map<std::string, int> counts_;
};

}  // namespace kelm::dialogs
