// What the main window shows, kept apart from its widgets: the refresh steps every action ends
// with, the two window heights and the flags of the first showing and of the raw edit box.
#pragma once

#include <cstdint>
#include <string>

namespace kelm {

extern bool FirstShow;
// Set while the raw panel's edit box has the focus; the window's shortcuts are off meanwhile.
extern bool RawEditFocused;
void ResetMainWindowState();

// The height of the window without the raw panel, from the height recorded at creation.
int CollapsedHeight(int full_height);

// The parts of the window a refresh changes. A refresh only touches what its steps name, so a
// field keeps its last value when no step applies.
struct MainView {
  std::string coding_keyword;
  std::string sent_text;      // CommandFrame as display text
  std::string received_text;  // AnswerBuffer as display text
  bool cash_group_visible = true;
  bool status_visible = true;
  std::string status_text = "Brak odpowiedzi od drukarki.";
  bool fetch_enabled = true;  // "Pobierz dane"
  // The fields PTU_A..PTU_G and TOT_A..TOT_G of the group "Dane z drukarki".
  std::string rates[7];
  std::string totals[7];
};

inline constexpr const char* kNoAnswerText = "Brak odpowiedzi od drukarki.";

// Steps 2 to 8 of the refresh, in order, from the process-wide records; `answer_received` is the
// reception flag (1 data came, 0 cancelled, 255 nothing asked yet). Step 1, the port opening of
// the first showing, is the window's, since it shows messages.
void RefreshMainView(MainView& view, uint8_t answer_received);

}  // namespace kelm
