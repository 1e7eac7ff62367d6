// The one-bit BMP work files ("temp.bmp", "19264.bmp") and saved pictures, written and read by
// our own code: a 14-byte file header, a 40-byte information header and a two-entry colour table
// (black, then white), so the pixel data starts at offset 62, rows from the bottom up, each padded
// to four bytes. A set bit in the file is a white dot: the bytes are our rasters inverted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "graphics/raster.h"

namespace kelm {

inline constexpr size_t kBmpPixelOffset = 62;
// Pictures with a side longer than this are not ours (a header is 416 x 96, a slot 192 x 64):
// they are refused before they are decoded, whatever their format.
inline constexpr int kMaxPictureSide = 8192;

// The work file names, in the TEMP folder (TempFolder) or where a dialog says.
inline constexpr const char* kWorkPictureFile = "temp.bmp";
inline constexpr const char* kDownloadPictureFile = "19264.bmp";

std::string MonoBmpBytes(const MonoPicture& picture);
// Reads an uncompressed BMP of 1, 4, 8, 24 or 32 bits per dot as a one-bit picture: a dot is
// black when its colour is darker than middle grey, whatever the colour table's order. False
// with `message` (Polish, for the operator) for anything else, a size beyond reason, or a file
// cut short. `bits_per_dot` (when given) tells a colour file from a one-bit one.
bool ParseMonoBmp(std::string_view bytes, MonoPicture* picture, std::string* message,
                  int* bits_per_dot = nullptr);

bool WriteMonoBmp(const std::string& path, const MonoPicture& picture);
bool ReadMonoBmp(const std::string& path, MonoPicture* picture, std::string* message,
                 int* bits_per_dot = nullptr);

// A work file's raster: `size` bytes from offset 62, each inverted, as the dialogs read it. False
// with `message` when the file is missing, not a one-bit BMP of `width` dots, or too short.
bool ReadWorkRaster(const std::string& path, int width, size_t size, std::string* raster,
                    std::string* message);

}  // namespace kelm
