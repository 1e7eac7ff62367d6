// Windows-1250 text: the code page of the printer's files and of operator text on the wire.
#pragma once

#include <string>
#include <string_view>

namespace kelm {

// UTF-8 to Windows-1250. A character the code page lacks, and every byte of malformed
// UTF-8, becomes "?".
std::string Utf8ToCp1250(std::string_view utf8);

// Windows-1250 to UTF-8. The five byte values the code page leaves undefined (81h, 83h, 88h,
// 90h, 98h) map to the C1 control characters of the same number, so no byte is lost.
std::string Cp1250ToUtf8(std::string_view cp1250);

}  // namespace kelm
