// What CreateApplication sets up: under a Polish locale the frames keep "." as the decimal point,
// Qt's own texts speak Polish, and long combo lists keep to their visible item count.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "app/application.h"
#include "protocol/frame.h"

namespace kelm {
namespace {

TEST(Start, PolishLocaleTextsAndLists) {
  ASSERT_EQ(setenv("LC_ALL", "pl_PL.UTF-8", 1), 0);
  // The locale must exist here, or the test would prove nothing.
  ASSERT_NE(std::setlocale(LC_ALL, "pl_PL.UTF-8"), nullptr) << "pl_PL.UTF-8 is not generated";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.2f", 0.01);
  ASSERT_STREQ(probe, "0,01");
  std::setlocale(LC_ALL, "C");

  static int argc = 1;
  static char name[] = "kldiag";
  static char* argv[] = {name, nullptr};
  auto app = CreateApplication(argc, argv);
  // Qt has taken the user's locale for everything but numbers.
  EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "pl_PL.UTF-8");
  ASSERT_GT(FormatCommand("%cP%.2f;%1.2f#x%c%c", kEsc, 0.01, 12.5, kEsc, kBackslash), 0);
  EXPECT_STREQ(CommandFrame, "\x1bP0.01;12.50#x\x1b\\");
  // Qt's own buttons and dialogs speak Polish too.
  for (const auto& [english, polish] :
       {std::pair{"Cancel", "Anuluj"}, std::pair{"&Yes", "&Tak"}, std::pair{"&No", "&Nie"}}) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", english).toStdString(), polish);
  }
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As").toStdString(), "Zachowaj jako");

  // A long list drops down as a list of the box's visible items, not a screen-high column.
  QComboBox ports;
  for (int i = 1; i <= 65; ++i) ports.addItem(QString("COM %1").arg(i));
  ports.show();
  ports.showPopup();
  const int row = ports.view()->sizeHintForRow(0);
  EXPECT_LE(ports.view()->window()->height(), row * (ports.maxVisibleItems() + 2));
  ports.hidePopup();
}

}  // namespace
}  // namespace kelm
