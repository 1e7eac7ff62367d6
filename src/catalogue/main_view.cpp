// The main window's refresh rules.
#include "catalogue/main_view.h"

#include "catalogue/cash_info.h"
#include "catalogue/diagnostics.h"
#include "link/settings.h"
#include "protocol/display_text.h"
#include "protocol/frame.h"
#include "protocol/letter_tables.h"

namespace kelm {

bool FirstShow = true;
bool RawEditFocused = false;

void ResetMainWindowState() {
  FirstShow = true;
  RawEditFocused = false;
}

int CollapsedHeight(int full_height) {
  return static_cast<int>(full_height * 0.5684931506);
}

void RefreshMainView(MainView& view, uint8_t answer_received) {
  const uint8_t coding = LinkSettings.LetterCoding;
  view.coding_keyword = coding < kLetterCodingCount ? kLetterCodingKeywords[coding] : "";
  view.sent_text = FrameToDisplayText(CommandFrame);
  view.received_text = FrameToDisplayText(AnswerBuffer);
  const bool link = !NoLink();
  if (answer_received == 1) view.status_text.clear();
  if (CashInfoState == 2 || !link) {
    view.cash_group_visible = false;
    view.status_visible = false;
  }
  if (CashInfoState == 1 && link) {
    view.cash_group_visible = true;
    view.status_visible = false;
    for (int i = 0; i < 7; ++i) {
      view.rates[i] = RateTextForFamily(CashInfo.Rates[i], LinkSettings.ModelFamily);
      view.totals[i] = AmountText(CashInfo.Totals[i]);
    }
  }
  if (answer_received == 0 && link) {
    view.cash_group_visible = false;
    view.status_visible = true;
    view.status_text = kNoAnswerText;
  }
  view.fetch_enabled = link;
}

}  // namespace kelm
