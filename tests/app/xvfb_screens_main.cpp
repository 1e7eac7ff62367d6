// The program as a person sees it, on a real X server: every registered dialog is opened, and a
// periodic readout shows its message box, its download dialog and its end dialog, against
// kelmemu on COM1. Each window is photographed from the screen (by ScreenWatch, on its own
// thread) once it has been there for a moment; a window that is one colour, smaller than its
// contents, or with tabs hidden behind scroll arrows fails the run. The pictures stay in the
// folder given as the first argument for a person to look at.
//   xvfb_screens OUT_DIR [--wm PROGRAM]
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/QtOperator.h"
#include "app/TMainForm.h"
#include "app/application.h"
#include "catalogue/main_view.h"
#include "gui_support.h"
#include "link/settings.h"
#include "protocol/operator.h"
#include "readout/dialogs/ReportViewer.h"
#include "readout/dialogs/TOdczytajRaportOkresowy.h"
#include "readout/dialogs/TZakonczonoOdczytywanie.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/temp_dir.h"
#include "x_display.h"

namespace kelm::test {
namespace {

constexpr int kSkipped = 77;
// A window not photographed by then was never on the screen long enough to be seen.
constexpr int kGiveUpMs = 4000;

std::vector<std::string> failures;
// Where a window opens is the window manager's business when there is one.
bool check_placement = true;

void Fail(const std::string& what) {
  failures.push_back(what);
  std::fprintf(stderr, "FAIL: %s\n", what.c_str());
}

// The object name, else the class name without its namespace (it names the picture's file).
std::string NameOf(const QWidget* w) {
  if (!w->objectName().isEmpty()) return w->objectName().toStdString();
  const std::string name = w->metaObject()->className();
  const size_t colon = name.rfind(':');
  return colon == std::string::npos ? name : name.substr(colon + 1);
}

// What a window holds must fit in it: its layout's minimum, every visible child, every tab.
void CheckContents(QWidget* window) {
  const std::string name = NameOf(window);
  const QSize least = window->minimumSizeHint();
  if (least.isValid() && (window->width() < least.width() || window->height() < least.height())) {
    Fail(name + ": window " + std::to_string(window->width()) + "x" +
         std::to_string(window->height()) + " is smaller than its contents " +
         std::to_string(least.width()) + "x" + std::to_string(least.height()));
  }
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->isVisibleTo(window) || child->window() != window) continue;
    const QRect area(child->mapTo(window, QPoint(0, 0)), child->size());
    if (!window->rect().contains(area)) {
      Fail(name + ": " + NameOf(child) + " reaches outside the window");
    }
  }
  // Without a window manager a dialog opens over the window it belongs to.
  if (QWidget* parent = check_placement ? window->parentWidget() : nullptr) {
    if (!parent->window()->frameGeometry().intersects(window->frameGeometry())) {
      Fail(name + ": opens away from " + NameOf(parent->window()));
    }
  }
  for (QTabBar* bar : window->findChildren<QTabBar*>()) {
    if (!bar->isVisibleTo(window)) continue;
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->rect().contains(bar->tabRect(i))) {
        Fail(name + ": tab \"" + bar->tabText(i).toStdString() + "\" is not fully visible");
        break;
      }
    }
  }
}

// Registers every window shown with the watcher, and closes the top modal window once it has
// been photographed (or never was), so no dialog of the tour waits for a person.
class Tour : public QObject {
 public:
  explicit Tour(ScreenWatch& watch) : watch_(watch) {
    qApp->installEventFilter(this);
    closer_.setInterval(20);
    connect(&closer_, &QTimer::timeout, this, &Tour::CloseSeen);
    closer_.start();
  }
  ~Tour() override { qApp->removeEventFilter(this); }

  // Instead of closing `window` when it has been seen, run `finish` on it.
  void FinishWith(QWidget* window, std::function<void(QWidget*)> finish) {
    finishers_[window] = std::move(finish);
  }
  // Windows of this name are left to end by themselves.
  void LetRun(const std::string& name, bool run) {
    if (run) {
      let_run_.insert(name);
    } else {
      let_run_.erase(name);
    }
  }
  void Keep(QWidget* window, bool keep) {
    if (keep) {
      kept_.insert(window);
    } else {
      kept_.erase(window);
    }
  }
  // Processes events until every window shown so far is photographed or gone.
  void WaitForPictures() {
    WaitFor(
        [this] {
          for (const auto& [id, when] : shown_) {
            if (!watch_.Settled(id) && when.elapsed() < kGiveUpMs) return false;
          }
          return true;
        },
        kGiveUpMs + 1000);
  }
  uint32_t IdOf(QWidget* w) const { return uint32_t(w->winId()); }
  bool Settled(QWidget* w) {
    auto it = shown_.find(IdOf(w));
    return it == shown_.end() || watch_.Settled(it->first) || it->second.elapsed() >= kGiveUpMs;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (w == nullptr || !w->isWindow()) return false;
    const Qt::WindowType type = w->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop) return false;
    // The native window exists by now and is mapped only after this event.
    const uint32_t id = IdOf(w);
    watch_.Shown(id, NameOf(w));
    shown_[id].start();
    return false;
  }

 private:
  void CloseSeen() {
    QWidget* top = QApplication::activeModalWidget();
    if (top == nullptr || !top->isVisible() || kept_.count(top) > 0 || !Settled(top)) return;
    // The receiving and flow-control waits end by themselves when the printer answers.
    const std::string name = NameOf(top);
    if (name == "TOdbieranie" || name == "TCzekajNaRs" || let_run_.count(name) > 0) return;
    CheckContents(top);
    auto finish = finishers_.find(top);
    if (finish != finishers_.end()) {
      auto act = finish->second;
      finishers_.erase(finish);
      act(top);
      return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(top)) {
      dialog->reject();
    } else {
      top->close();
    }
  }

  ScreenWatch& watch_;
  QTimer closer_;
  std::map<uint32_t, QElapsedTimer> shown_;
  std::set<QWidget*> kept_;
  std::set<std::string> let_run_;
  std::map<QWidget*, std::function<void(QWidget*)>> finishers_;
};

// Opens the named dialog and, once it is shown, runs `act` inside it (the dialog is kept open
// meanwhile and closed afterwards if `act` left it open).
void OpenWith(TMainForm& form, Tour& tour, const char* name, std::function<void(QWidget*)> act) {
  QDialog* dialog = form.FindDialog(name);
  if (dialog == nullptr) {
    Fail(std::string("no dialog ") + name);
    return;
  }
  tour.Keep(dialog, true);
  WhenModal([&tour, dialog, act](QWidget*) {
    WaitFor([&] { return tour.Settled(dialog); });
    act(dialog);
    tour.Keep(dialog, false);
  });
  form.OpenDialog(name);
  tour.Keep(dialog, false);
}

// A wait that asks before giving in to Esc, as the flow-control wait does.
class AskingWait : public ModalWait {
 public:
  const char* DialogName() const override { return "TTestWait"; }
  int IntervalMs() const override { return 50; }
  void Begin() override {}
  bool Tick() override { return false; }
  void Abort() override {}
  bool Escape() override {
    ++escapes;
    return TheOperator().AskYesNo("Czy przerwać oczekiwanie?");
  }
  int escapes = 0;
};

// A real key press through the X server, to whichever window has the input focus.
void PressEscape() {
  if (std::system("xdotool key Escape") != 0) Fail("xdotool could not press Esc");
}

// Esc reaches a wait dialog again after the question its first Esc asked was answered No.
void EscapeAfterQuestion(Tour& tour) {
  AskingWait wait;
  WhenModal([&tour, &wait](QWidget* shell) {
    tour.Keep(shell, true);
    WaitFor([&] { return tour.Settled(shell); });
    PressEscape();
    WaitFor([&] { return wait.escapes == 1 && QApplication::activeModalWidget() == shell; });
    WaitFor([] { return false; }, 300);
    PressEscape();
    if (!WaitFor([&] { return wait.escapes == 2; }, 3000)) {
      Fail("Esc no longer reaches the wait dialog after a message box");
    }
    WaitFor([&] { return QApplication::activeModalWidget() == shell; });
    tour.Keep(shell, false);
    Child<QAbstractButton>(shell, "Button1")->click();
  });
  TheOperator().RunModal(wait);
}

void Readout(QWidget* dialog, const QString& month, const char* speed) {
  Child<QLineEdit>(dialog, "MaskEdit3")->setText(month);
  Child<QComboBox>(dialog, "ComboBox2")->setCurrentText(speed);
  Child<QAbstractButton>(dialog, "Button1")->click();
}

int Run(const std::string& out, const std::string& wm) {
  XvfbServer server;
  if (server.display().empty()) {
    std::fprintf(stderr, "Xvfb did not start (install the xvfb package)\n");
    return kSkipped;
  }
  setenv("DISPLAY", server.display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  std::unique_ptr<Companion> manager;
  check_placement = wm.empty();
  if (!wm.empty()) {
    manager = std::make_unique<Companion>(wm, server.display());
    if (!WaitForWindowManager(server.display(), 10000)) {
      std::fprintf(stderr, "%s did not start\n", wm.c_str());
      return kSkipped;
    }
  }
  ScreenWatch watch(server.display());
  if (!watch.connected()) {
    Fail("cannot watch the screen of " + server.display());
    return 1;
  }

  TempDir dir;
  InFolder in(dir.path());
  std::filesystem::create_directory(dir.File("dosdevices"));
  KelmemuProcess emu({"--pty", "--link", dir.File("dosdevices/com1"), "--model", "vantel",
                      "--history-days", "400", "--pace", "115200"});
  if (!emu.Ready()) {
    Fail("kelmemu did not start: " + emu.ready());
    return 1;
  }
  LinkSettingsRecord settings;
  settings.PortNumber = 1;
  TempDir::Write(dir.File("ustaw.txt"), FormatSettingsText(settings));

  int argc = 1;
  char program[] = "xvfb_screens";
  char* argv[] = {program, nullptr};
  auto app = CreateApplication(argc, argv);
  std::vector<std::string> wanted = {"MainForm", "MessageBox", "TPobieranieFiskalnejSklepu",
                                     "TZakonczonoOdczytywanie", "ReportViewer"};
  QtOperator op;
  InstallOperator(&op);
  {
    Tour tour(watch);
    TMainForm form;
    CreateDialogs(form, op);

    // The first showing asks for the model: "Vantel 57T".
    tour.FinishWith(form.FindDialog("TModelDrukarki"), [](QWidget* d) {
      Child<QAbstractButton>(d, "RadioButton3")->click();
      Child<QAbstractButton>(d, "Button1")->click();
    });
    form.show();
    WaitFor([] { return !FirstShow; }, 10000);
    tour.WaitForPictures();
    // Once more without the model dialog over it, with the trees of the model.
    form.hide();
    form.show();
    tour.WaitForPictures();
    CheckContents(&form);

    for (const std::string& name : form.DialogNames()) {
      wanted.push_back(name);
      form.OpenDialog(name);
      tour.WaitForPictures();
    }

    const QString month = QDate::currentDate().addMonths(-1).toString("MM/yyyy");
    // An empty month: "Data spoza zakresu" over the readout dialog.
    OpenWith(form, tour, "TOdczytajRaportOkresowy", [](QWidget* d) { Readout(d, "", "115200"); });
    // A slow readout: the download dialog, cancelled once seen, and what follows.
    OpenWith(form, tour, "TOdczytajRaportOkresowy",
             [month](QWidget* d) { Readout(d, month, "1200"); });
    // A whole readout: the end dialog, and the text in the program's viewer.
    auto* readout =
        static_cast<dialogs::TOdczytajRaportOkresowy*>(form.FindDialog("TOdczytajRaportOkresowy"));
    tour.FinishWith(readout->endDialog(), [&tour](QWidget* end) {
      auto* viewer = static_cast<dialogs::TZakonczonoOdczytywanie*>(end)->viewer();
      Child<QAbstractButton>(end, "Button2")->click();
      WaitFor([&] { return tour.Settled(viewer); });
      CheckContents(viewer);
      static_cast<QDialog*>(end)->reject();
    });
    tour.LetRun("TPobieranieFiskalnejSklepu", true);
    OpenWith(form, tour, "TOdczytajRaportOkresowy",
             [month](QWidget* d) { Readout(d, month, "115200"); });
    tour.LetRun("TPobieranieFiskalnejSklepu", false);
    tour.WaitForPictures();
    EscapeAfterQuestion(tour);

    // The main window in the other families: "Oxil, Oxil Plus", "Vantel Bus" (all seven tabs)
    // and "Salvo 3/ PRO", chosen from the menu.
    for (const char* radio : {"RadioButton1", "RadioButton5", "RadioButton7"}) {
      tour.FinishWith(form.FindDialog("TModelDrukarki"), [radio](QWidget* d) {
        Child<QAbstractButton>(d, radio)->click();
        Child<QAbstractButton>(d, "Button1")->click();
      });
      Child<QAction>(&form, "Modeldrukarki1")->trigger();
      form.hide();
      form.show();
      tour.WaitForPictures();
      CheckContents(&form);
    }
    form.close();
  }
  InstallOperator(nullptr);

  // Pictures of an earlier run would be taken for this one's.
  QDir folder(QString::fromStdString(out));
  folder.mkpath(".");
  for (const QString& old : folder.entryList({"*.png"}, QDir::Files)) folder.remove(old);
  std::set<std::string> seen;
  int number = 0;
  for (const Shot& shot : watch.Shots()) {
    std::printf("%-28s %s at %d,%d %dx%d, drawn after %d ms\n", shot.name.c_str(),
                shot.taken ? "seen" : "gone before seen", shot.place.x(), shot.place.y(),
                shot.place.width(), shot.place.height(), shot.painted_ms);
    if (!shot.taken) continue;
    seen.insert(shot.name);
    const QString file = QString("%1/%2_%3.png")
                             .arg(QString::fromStdString(out))
                             .arg(++number, 2, 10, QChar('0'))
                             .arg(QString::fromStdString(shot.name));
    shot.image.save(file);
    std::printf("%s\n", qPrintable(file));
    if (OneColour(shot.image)) Fail(shot.name + " is blank on the screen: " + file.toStdString());
  }
  for (const std::string& name : wanted) {
    if (seen.count(name) == 0) Fail(name + " was never on the screen long enough to be seen");
  }
  return failures.empty() ? 0 : 1;
}

}  // namespace
}  // namespace kelm::test

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : "screenshots";
  std::string wm;
  if (argc > 3 && std::string(argv[2]) == "--wm") wm = argv[3];
  if (!kelm::test::KelmemuAvailable()) return kelm::test::kSkipped;
  const int result = kelm::test::Run(out, wm);
  std::printf("%s\n", result == 0 ? "all windows seen" : "some windows were not seen right");
  return result;
}
