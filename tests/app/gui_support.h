// Helpers for tests that drive real widgets offscreen: the one application object, acting on
// the next modal dialog, waiting for a condition while events run, and finding children.
#pragma once

#include <QApplication>
#include <QWidget>
#include <functional>
#include <string>

namespace kelm::test {

// The application of the test program (created on first use).
QApplication& TestApp();

// Runs `act` on the next modal widget once it is shown (a dialog's exec, a message box).
void WhenModal(std::function<void(QWidget*)> act);

// Runs `act` once `ready` holds, checked from the event loop (for dialogs that change while
// they are shown).
void WhenTrue(std::function<bool()> ready, std::function<void()> act);

// Processes events until `done` holds or `ms` have passed; returns `done()`.
bool WaitFor(const std::function<bool()>& done, int ms = 5000);

// The child of `parent` with the object name `name`; fails the test when missing.
template <class T>
T* Child(QObject* parent, const char* name) {
  T* w = parent->findChild<T*>(QString::fromUtf8(name));
  if (w == nullptr) throw std::runtime_error(std::string("no child ") + name);
  return w;
}

}  // namespace kelm::test
