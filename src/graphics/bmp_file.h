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

// The work file names, in the TEMP folder (TempFolder) or where a dialog says.
inline constexpr const char* kWorkPictureFile = "temp.bmp";
inline constexpr const char* kDownloadPictureFile = "19264.bmp";

std::string MonoBmpBytes(const MonoPicture& picture);
// Reads a one-bit BMP. False with `message` (Polish, for the operator) when the bytes are not a
// one-bit uncompressed BMP of a sane size or are cut short. Either colour-table order is read
// right (a set bit is black when entry 1 is the darker one).
bool ParseMonoBmp(std::string_view bytes, MonoPicture* picture, std::string* message);

bool WriteMonoBmp(const std::string& path, const MonoPicture& picture);
bool ReadMonoBmp(const std::string& path, MonoPicture* picture, std::string* message);

// A work file's raster: `size` bytes from offset 62, each inverted, as the dialogs read it. False
// with `message` when the file is missing, not a one-bit BMP of `width` dots, or too short.
bool ReadWorkRaster(const std::string& path, int width, size_t size, std::string* raster,
                    std::string* message);

}  // namespace kelm
