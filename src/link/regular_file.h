// Reading a file the operator named, without being caught by what only looks like one: a FIFO
// (which would wait for a writer for ever), a device or a folder.
#pragma once

#include <cstddef>
#include <string>

namespace kelm {

enum class FileRead { kRead, kMissing, kNotAFile, kCannotRead };

// Reads at most `limit` bytes of the regular file `path` into `text`.
FileRead ReadRegularFile(const std::string& path, size_t limit, std::string* text);

}  // namespace kelm
