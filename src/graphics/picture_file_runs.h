// The picture runs from and to BMP files, as kelmctl and scripts use them: the same reduction to
// one bit and fitting as the dialogs (size message, stretching when too tall, cutting or
// padding), without decoding JPEG or PNG (that needs the desktop's image library).
#pragma once

#include <string>

#include "graphics/picture_runs.h"

namespace kelm {

// Each shows its messages to the operator; a file that cannot be read or written gives
// kNoPicture with the file's message.
PictureRun UploadSlotFile(int slot, const std::string& path);
PictureRun ReadSlotToFile(int slot, const std::string& path);
// W, H and the rows come from the picture as the header dialog prepares an unadjusted one.
PictureRun SendHeaderFile(const std::string& path, HeaderSend how);
PictureRun SendFarewellFile(const std::string& path);

}  // namespace kelm
