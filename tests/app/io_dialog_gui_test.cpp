// The port configuration dialog through its real widgets against a scripted printer: each
// operator action, done on the widgets, leaves the dialog showing what the same action gives in
// the headless state; the refusals reach the operator; the copy refusals follow a read.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

#include "config/dialogs/IoNetworkDialogs.h"
#include "gui_support.h"
#include "link/link_fixture.h"

namespace kelm {
namespace {

using test::Child;
using test::WhenModal;

// The printer's answer to the port query: model, then the port bytes and speeds.
std::string IoAnswer(const std::string& numbers) {
  return "\x1BP" + numbers + "#I00\x1B\\";
}

class IoDialogTest : public test::LinkTest {
 protected:
  IoDialogTest() {
    test::TestApp();
    UseTcp();
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
  // What the widgets show, in one line per column: checked button, enabled and visible ones.
  static std::string Shown(QWidget* d) {
    std::string out;
    for (int p = 0; p < kIoPortCount; ++p) {
      auto* sales = Child<QComboBox>(d, ("ComboBoxSprzedaz" + std::to_string(p + 1)).c_str());
      out += std::to_string(sales->currentIndex()) + (sales->isEnabled() ? "+" : "-");
      if (p < kIoSpeedCount && p != kWlan)
        out += "@" + std::to_string(
                         Child<QComboBox>(d, ("ComboBoxSzybkosc" + std::to_string(p + 1)).c_str())
                             ->currentIndex());
      out += " ";
    }
    for (int column : {3, 4, 5}) {
      out += "|";
      for (int id = 0; id <= kIoPortCount; ++id) {
        auto* r = d->findChild<QRadioButton*>(QString("RadioKolumna%1_%2").arg(column).arg(id));
        if (r == nullptr) continue;
        out += r->isChecked() ? "*" : r->isVisibleTo(d) ? (r->isEnabled() ? "o" : "x") : "_";
      }
    }
    out += "|";
    for (int i = 1; i <= 10; ++i) {
      auto* r = Child<QRadioButton>(d, ("RadioButton" + std::to_string(i)).c_str());
      out += r->isChecked() ? "*" : "o";
      if (i >= 7 && i <= 8) out += r->text().toStdString();
    }
    return out;
  }
  // The same picture drawn from the state, as the dialog is meant to mirror it.
  static std::string Mirror(const IoState& s) {
    std::string out;
    for (int p = 0; p < kIoPortCount; ++p) {
      out += std::to_string(s.sales[p]) + (s.sales_enabled[p] ? "+" : "-");
      if (p < kIoSpeedCount && p != kWlan) out += "@" + std::to_string(s.speed[p]);
      out += " ";
    }
    // A column: its "Brak" button, then its ports; `visible` and `enabled` are asked per port.
    auto column = [&](const std::vector<int>& ports, int checked, auto visible, auto enabled) {
      std::string c = "|";
      c += checked == kIoNone ? "*" : visible(kIoNone) ? "o" : "_";
      for (int p : ports) c += checked == p ? "*" : !visible(p) ? "_" : enabled(p) ? "o" : "x";
      return c;
    };
    auto com_a = [&](int p) { return p != kComA || s.com_a_columns_enabled; };
    out += column(
        {kComA, kComB, kUsb0, kUsb1, kIntCom, kWlan, kEthernet}, s.copy,
        [&](int p) { return p != kUsb0 || s.usb0_copy_visible; },
        [&](int p) { return s.copy_enabled[p]; });
    out += column(
        {kComA, kComB}, s.display, [](int) { return true; }, com_a);
    out += column(
        {kComA, kComB, kUsb1, kIntCom}, s.display2, [&](int) { return s.display2_visible; }, com_a);
    out += "|";
    for (int choice : {kIoNone, int{kComA}, int{kComB}}) out += s.bridge == choice ? "*" : "o";
    for (int choice : {kIoNone, int{kComA}, int{kComB}}) out += s.monitor == choice ? "*" : "o";
    out += (s.com_active ? "*" : "o") + s.com_caption;
    out += (!s.com_active ? "*" : "o") + s.usb_caption;
    out += s.model == 1 ? "*o" : "o*";
    return out;
  }
  // Shows the dialog, waits for its first read, runs `act`.
  void Show(dialogs::TKonfiguracjaWeWy& io, const std::function<void(QWidget*)>& act) {
    WhenModal([&](QWidget* d) {
      ASSERT_TRUE(test::WaitFor([&] { return io.State().sales[kUsb0] == 1; }));
      act(d);
      if (d->isVisible()) static_cast<QDialog*>(d)->reject();
    });
    QTimer::singleShot(20000, &io, &QDialog::reject);  // a dialog left open would hang the run
    io.exec();
  }
  static void Click(QWidget* d, const char* name) { Child<QRadioButton>(d, name)->click(); }
  // Steps the sales list of `port` down by `steps` items, as the arrow key does.
  static void SalesDown(QWidget* d, int port, int steps) {
    auto* box = Child<QComboBox>(d, ("ComboBoxSprzedaz" + std::to_string(port + 1)).c_str());
    for (int i = 0; i < steps; ++i) QTest::keyClick(box, Qt::Key_Down);
  }
};

TEST_F(IoDialogTest, WidgetsMirrorTheRulesAndRefuseWithTheirMessages) {
  // A SALVO 1 with sales on USB 0: the USB pair is active.
  printer->On("2$8", IoAnswer("1;0;0;0;0;1;0;0;0;64;0;0;0;1;0"), 0, 1);
  dialogs::TKonfiguracjaWeWy io;
  Show(io, [&](QWidget* d) {
    IoState expected = io.State();
    EXPECT_EQ(Shown(d), Mirror(expected));
    struct Row {
      const char* name;
      std::function<void(QWidget*)> on_widgets;
      std::function<std::vector<std::string>(IoState*)> on_state;
    };
    auto none = [](std::function<void(IoState*)> f) {
      return [f](IoState* s) {
        f(s);
        return std::vector<std::string>{};
      };
    };
    const Row rows[] = {
        {"COM pair", [](QWidget* w) { Click(w, "RadioButton7"); },
         none([](IoState* s) { ChooseIoPair(s, true); })},
        {"sales on COM B", [](QWidget* w) { SalesDown(w, kComB, 1); },
         none([](IoState* s) { SetIoSales(s, kComB, 1); })},
        {"copy on COM B", [](QWidget* w) { Click(w, "RadioKolumna3_2"); },
         none([](IoState* s) { ChooseIoCopy(s, kComB); })},
        {"bridge on COM B refused by the copy", [](QWidget* w) { Click(w, "RadioButton3"); },
         [](IoState* s) { return ChooseIoBridge(s, kComB); }},
        {"bridge on COM B",
         [](QWidget* w) {
           Click(w, "RadioKolumna3_0");
           Click(w, "RadioButton3");
         },
         [](IoState* s) {
           ChooseIoCopy(s, kIoNone);
           return ChooseIoBridge(s, kComB);
         }},
        {"display on COM B drops the bridge", [](QWidget* w) { Click(w, "RadioKolumna4_2"); },
         none([](IoState* s) { ChooseIoDisplay(s, kComB); })},
        {"monitor on COM B drops the display", [](QWidget* w) { Click(w, "RadioButton6"); },
         none([](IoState* s) { ChooseIoMonitor(s, kComB); })},
        {"USB pair", [](QWidget* w) { Click(w, "RadioButton8"); },
         none([](IoState* s) { ChooseIoPair(s, false); })},
        {"bridge on COM A refused on SALVO 1", [](QWidget* w) { Click(w, "RadioButton2"); },
         [](IoState* s) { return ChooseIoBridge(s, kComA); }},
        {"3 x sales on WLAN", [](QWidget* w) { SalesDown(w, kWlan, 3); }, none([](IoState* s) {
           for (int item = 1; item <= 3; ++item) SetIoSales(s, kWlan, item);
         })},
        {"copy on USB 1", [](QWidget* w) { Click(w, "RadioKolumna3_4"); },
         none([](IoState* s) { ChooseIoCopy(s, kUsb1); })},
        {"sales on USB 1 moves the copy away", [](QWidget* w) { SalesDown(w, kUsb1, 1); },
         none([](IoState* s) { SetIoSales(s, kUsb1, 1); })},
        {"copy on WLAN", [](QWidget* w) { Click(w, "RadioKolumna3_6"); },
         none([](IoState* s) { ChooseIoCopy(s, kWlan); })},
    };
    for (const Row& row : rows) {
      seams.op.messages.clear();
      row.on_widgets(d);
      const std::vector<std::string> messages = row.on_state(&expected);
      EXPECT_EQ(seams.op.messages, messages) << row.name;
      EXPECT_TRUE(io.State() == expected) << row.name;
      EXPECT_EQ(Shown(d), Mirror(expected)) << row.name;
    }
    EXPECT_EQ(seams.op.messages, std::vector<std::string>{}) << "the last row asks nothing";

    // "Wyślij ustawienia" sends the state's bytes; nothing is awaited and the dialog stays.
    ConfigFrame frame;
    std::string refusal;
    ASSERT_TRUE(BuildIoWriteFrame(expected, &frame, &refusal));
    EXPECT_NE(frame.bytes.find("$I"), std::string::npos);
    Child<QPushButton>(d, "Button1")->click();
    ASSERT_TRUE(printer->WaitReceived(frame.bytes.size()));
    EXPECT_NE(printer->Received().find(frame.bytes), std::string::npos);
    EXPECT_TRUE(d->isVisible());

    // A read puts the copy where the rows are still disabled: the write is refused, port by
    // port, in the order the ports are tested.
    struct Refusal {
      const char* answer;
      const char* before;  // a button clicked before the read, or nullptr
      const char* port;
    } refusals[] = {
        {"1;128;4;0;0;1;0;0;0;64;0;64;0;1;0", nullptr, "COM A"},
        {"1;0;0;128;4;0;0;1;0;64;0;64;0;1;0", nullptr, "COM B"},
        {"1;1;0;0;0;128;4;0;0;64;0;64;0;1;0", "RadioButton7", "USB 0"},
        {"1;1;0;0;0;0;0;128;4;64;0;64;0;1;0", nullptr, "USB 1"},
    };
    for (const Refusal& r : refusals) {
      if (r.before != nullptr) Click(d, r.before);
      printer->On("2$8", IoAnswer(r.answer), 0, 1);
      Child<QPushButton>(d, "Button3")->click();  // "Pobierz ustawienia"
      seams.op.messages.clear();
      const size_t sent = printer->Received().size();
      Child<QPushButton>(d, "Button1")->click();
      EXPECT_EQ(seams.op.messages,
                std::vector<std::string>{std::string("Nie jest aktywny ") + r.port +
                                         " więc nie jest możliwy odczyt kopii poprzez ten port."})
          << r.port;
      EXPECT_EQ(printer->Received().size(), sent) << r.port;
      EXPECT_EQ(Shown(d), Mirror(io.State())) << r.port;
    }
  });
}

}  // namespace
}  // namespace kelm
