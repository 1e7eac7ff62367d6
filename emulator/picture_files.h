// The pictures the virtual printer holds, written out as one-bit BMP files a person can open:
// slot0.bmp .. slot9.bmp (192 x 64), header.bmp and footer.bmp (416 wide, one line per row
// received), farewell.bmp (128 x 64). Files of pictures no longer held are removed.
#pragma once

#include <string>

#include "emulator/printer_state.h"

namespace kelm::emu {

// A picture as rows from the top, one char per dot ('#' black, '.' white).
using DotRows = std::vector<std::string>;

DotRows SlotDots(const std::string& band_raster, int width);  // 8 bands of `width` columns
DotRows RowDots(const std::vector<std::string>& rows);        // rows of 52 bytes, MSB left

std::string BmpOf(const DotRows& dots);
// Writes every picture of `state` into `dir`; false when a file could not be written.
bool WritePictureFiles(const std::string& dir, const PrinterState& state);

}  // namespace kelm::emu
