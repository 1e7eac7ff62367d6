// Message boxes, the beep and modal waits for the desktop program.
#include "app/QtOperator.h"

#include <QApplication>
#include <QMessageBox>

#include "link/dialogs/WaitShell.h"

namespace kelm {
namespace {

QWidget* ActiveParent() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return QApplication::activeWindow();
}

// Runs a message box over the active window and gives that window the keyboard back afterwards:
// without a window manager the X server hands the focus of a closed box to the screen's root,
// and a wait dialog under it would no longer hear its Esc.
int RunBox(QMessageBox& box) {
  QPointer<QWidget> before = QApplication::activeWindow();
  const int result = box.exec();
  if (before != nullptr && before->isVisible()) {
    before->activateWindow();
  }
  return result;
}

}  // namespace

QtOperator::QtOperator() = default;

QtOperator::~QtOperator() {
  delete plain_.data();
}

void QtOperator::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                  QString::fromStdString(text), QMessageBox::Ok, ActiveParent());
  box.setObjectName("MessageBox");
  RunBox(box);
}

bool QtOperator::AskYesNo(const std::string& question) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle),
                  QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                  ActiveParent());
  box.setObjectName("QuestionBox");
  return RunBox(box) == QMessageBox::Yes;
}

void QtOperator::Beep() {
  QApplication::beep();
}

void QtOperator::RunModal(ModalWait& wait) {
  auto it = shells_.find(wait.DialogName());
  dialogs::WaitShell* shell = it != shells_.end() ? it->second.data() : nullptr;
  if (shell == nullptr) {
    if (plain_.isNull()) plain_ = new dialogs::PlainWaitShell(ActiveParent());
    shell = plain_.data();
  }
  shell->Run(wait);
}

void QtOperator::ProcessEvents() {
  QCoreApplication::processEvents();
}

void QtOperator::RegisterWait(const std::string& dialog_name, dialogs::WaitShell* shell) {
  shells_[dialog_name] = shell;
}

}  // namespace kelm
