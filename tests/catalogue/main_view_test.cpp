// The refresh steps of the main window, in their order.
#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "catalogue/main_view.h"
#include "link/settings.h"
#include "protocol/frame.h"
#include "support/scripted_operator.h"

namespace kelm {
namespace {

TEST(MainView, WithoutALinkNothingOfThePrinterIsShown) {
  test::SeamGuard guard;
  MainView view;
  for (uint8_t state : {0, 1, 2}) {
    CashInfoState = state;
    RefreshMainView(view, 0);
    EXPECT_FALSE(view.cash_group_visible);
    EXPECT_FALSE(view.status_visible);
    EXPECT_FALSE(view.fetch_enabled);
  }
}

TEST(MainView, CancelledReceptionReplacesOldCashData) {
  test::SeamGuard guard;
  LinkSettings.PortNumber = 1;
  MainView view;
  CashInfoState = 1;
  RefreshMainView(view, 1);
  EXPECT_TRUE(view.cash_group_visible);
  EXPECT_FALSE(view.status_visible);
  EXPECT_TRUE(view.fetch_enabled);
  RefreshMainView(view, 0);
  EXPECT_FALSE(view.cash_group_visible);
  EXPECT_TRUE(view.status_visible);
  EXPECT_EQ(view.status_text, "Brak odpowiedzi od drukarki.");
  // The next answer empties the label; cash data still read shows again.
  RefreshMainView(view, 1);
  EXPECT_TRUE(view.status_text.empty());
  EXPECT_TRUE(view.cash_group_visible);
}

TEST(MainView, CashFieldsFollowTheFamily) {
  test::SeamGuard guard;
  LinkSettings.PortNumber = 1;
  CashInfoState = 1;
  CashInfo.Rates[0] = 23;
  CashInfo.Rates[1] = 100;
  CashInfo.Rates[2] = 101;
  CashInfo.Totals[0] = 1234.5;
  MainView view;
  RefreshMainView(view, 1);
  EXPECT_EQ(view.rates[0], "23.00");
  EXPECT_EQ(view.rates[1], "ZWOLN");
  EXPECT_EQ(view.rates[2], "BRAK");
  EXPECT_EQ(view.totals[0], "1234.50");
  LinkSettings.ModelFamily = 1;
  RefreshMainView(view, 1);
  EXPECT_EQ(view.rates[1], "100.00");
}

TEST(MainView, TcpLinkCountsAsALink) {
  test::SeamGuard guard;
  LinkSettings.TcpActive = 1;
  MainView view;
  CashInfoState = 1;
  RefreshMainView(view, 255);
  EXPECT_TRUE(view.fetch_enabled);
  EXPECT_TRUE(view.cash_group_visible);
}

TEST(MainView, NoStepAppliesKeepsWhatWasShown) {
  test::SeamGuard guard;
  LinkSettings.PortNumber = 1;
  MainView view;
  view.cash_group_visible = true;
  view.status_visible = true;
  CashInfoState = 0;  // a failed read that was not a cancelled reception
  RefreshMainView(view, 255);
  EXPECT_TRUE(view.cash_group_visible);
  EXPECT_TRUE(view.status_visible);
}

TEST(MainView, ShowsTheBuffersAndTheCoding) {
  test::SeamGuard guard;
  std::strcpy(CommandFrame, "\x1bP1#v\x1b\\");
  std::strcpy(AnswerBuffer, "\x74\xb9");
  LinkSettings.LetterCoding = 2;
  MainView view;
  RefreshMainView(view, 1);
  EXPECT_EQ(view.sent_text, "<ESC>P1#v<ESC>\\");
  EXPECT_EQ(view.received_text, "t<B9H>");
  EXPECT_EQ(view.coding_keyword, "ISOLATIN");
}

TEST(MainView, CollapsedHeightTruncates) {
  EXPECT_EQ(CollapsedHeight(584), 331);  // 331.99999...
  EXPECT_EQ(CollapsedHeight(531), 301);
  EXPECT_EQ(CollapsedHeight(0), 0);
}

}  // namespace
}  // namespace kelm
