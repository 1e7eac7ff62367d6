// Bringing a loaded one-bit picture to the size a printer picture needs: the display slots and
// the farewell screen (size message, stretching when too tall, cutting or padding), and the
// graphic header (conversion to 416 dots, H and W, and the arrows' redraw).
#pragma once

#include <string>

#include "graphics/header_placement.h"
#include "graphics/raster.h"

namespace kelm {

// The picture stretched (nearest dot) to `width` x `height`.
MonoPicture Scaled(const MonoPicture& picture, int width, int height);
// The picture cut or padded with white on the right and at the bottom.
MonoPicture Resized(const MonoPicture& picture, int width, int height);
// Copies `from` of `source` stretched into `to` of `target`; dots outside `target` are dropped.
// An empty or inverted rectangle copies nothing.
void CopyStretched(const MonoPicture& source, const CopyRect& from, MonoPicture* target,
                   const CopyRect& to);

// "Niewłaściwa grafika. Ma rozmiar W/H."
std::string WrongSizeMessage(int width, int height);

// A slot or farewell picture: taller than `height`, the whole picture is stretched into
// `width` x `height`; then it is cut or padded to that size. `wrong_size` tells whether the
// loaded size was other than wanted.
MonoPicture FitToScreen(const MonoPicture& loaded, int width, int height, bool* wrong_size);

// The graphic header or footer picture after loading.
struct HeaderPicture {
  MonoPicture source;   // 416 wide, at most 96 high: what the arrows draw from
  int rows = 0;         // H
  int width_bytes = 0;  // W
  bool converted = false;
};
inline constexpr const char* kHeaderConvertedText =
    "Obraz został skonwertowany do wymaganego formatu.";
// `colour_file`: a bitmap file with more than one bit per dot, which is stretched to 416 x 96.
HeaderPicture PrepareHeaderPicture(const MonoPicture& loaded, bool colour_file);
// The work picture: white, with the source rectangle of the source drawn into the destination.
MonoPicture DrawHeaderWork(const MonoPicture& source, const HeaderPlacement& placement);

}  // namespace kelm
