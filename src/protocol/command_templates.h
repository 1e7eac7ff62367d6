// Templates that more than one builder formats, kept once here so that the builders and the
// protocol catalogue read the same bytes.
#pragma once

namespace kelm {

inline constexpr char kOpenReceiptTemplate[] = "%cP0$hxx%c%c";
inline constexpr char kCancelTransactionTemplate[] = "%cP0$exx%c%c";
inline constexpr char kDrawerTemplate[] = "%cP1$d%c%c";
inline constexpr char kErrorHandlingTemplate[] = "%cP%d#ecc%c%c";
inline constexpr char kDiscountMethodTemplate[] = "%cP%d$rcc%c%c";
inline constexpr char kExtendedClosingTemplate[] =
    "%cP%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d$x%s\r%s%s\r%s\r%s\r%s/%s/%s/%s/%s/%s/%s/%s/%s/xx%c%c";

}  // namespace kelm
