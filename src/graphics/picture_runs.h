// The picture commands run over the printer link: a display slot's upload, mode, erase and
// read-back; the graphic header or footer, row by row, and its erasing; the farewell screen.
// Messages go to the operator; the dialogs and kelmctl show the outcome.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/slot_display.h"

namespace kelm {

enum class PictureRun {
  kDone,
  kNotSent,       // the link refused the opening frame, or the printer refused it (shown)
  kSendFailed,    // a part could not be sent; nothing shown beyond the link's own message
  kNoAnswer,      // "Brak odpowiedzi drukarki!" shown
  kPrinterError,  // the printer's error has been shown
  kNoPicture,     // nothing to send, or nothing came back (message shown)
};

// Uploads a work raster (picture-file layout, 1536 bytes) to a slot. `progress` gets 0 once the
// printer has accepted the opening, then 14 x k after part k was answered. Shows "Grafikę
// wysłano poprawnie." at the end.
PictureRun UploadSlot(int slot, std::string_view work_raster,
                      const std::function<void(int percent)>& progress = {});
// The mode frame for a slot; the CheckLastCommand result, or -1 when it was not sent.
int SendSlotMode(int slot, const SlotDisplay& display);
// Erases a slot; the CheckLastCommand result, or -1 when it was not sent.
int EraseSlot(int slot);

// Reads a slot back: the first 1536 bytes of what the printer sends, converted to picture-file
// layout. Waits 400 ms, then takes what is waiting in rounds 150 ms apart until a round finds
// nothing. kNoPicture ("Brak zaprogramowanej grafiki lub błąd komunikacji" shown) when 1536 bytes
// or fewer came. Works over the serial port and the TCP/IP socket alike.
PictureRun ReadSlot(int slot, std::string* work_raster);

// Sends H header (footer false) or footer rows of 52 bytes, W the picture's width in bytes.
// "Brak wczytanego obrazu!" when there are no rows. `progress` gets (i, H) before row i is sent.
// The header checks every row with CheckLastCommand, the footer every row but the last.
struct HeaderSend {
  bool footer = false;
  bool without_confirmation = false;
  int width_bytes = 52;
  char alignment = '0';
};
PictureRun SendHeaderRows(const std::vector<std::string>& rows, const HeaderSend& how,
                          const std::function<void(int row, int rows)>& progress = {});
// The CheckLastCommand result of an erase, or -1 when it was not sent.
int EraseHeaderPicture(bool footer);

// The farewell screen from its work raster (picture-file layout, 64 rows of 16 bytes): eight
// parts, each checked. `progress` gets the part number after each accepted part.
PictureRun SendFarewell(std::string_view work_raster,
                        const std::function<void(int part)>& progress = {});

}  // namespace kelm
