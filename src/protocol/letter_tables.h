// The eighteen Polish letters in the four 8-bit codings the printer knows, and recoding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelm {

enum LetterCodingIndex : uint8_t { kMazovia = 0, kLatin = 1, kIsoLatin = 2, kWindows = 3 };

inline constexpr int kLetterCodingCount = 4;
inline constexpr int kPolishLetterCount = 18;

// Bytes of ą ć ę ł ń ó ś ź ż Ą Ć Ę Ł Ń Ó Ś Ź Ż, per coding index.
extern const uint8_t kPolishLetters[kLetterCodingCount][kPolishLetterCount];
// "MAZOVIA", "LATIN", "ISOLATIN", "WINDOWS".
extern const char* const kLetterCodingKeywords[kLetterCodingCount];

// Converts a NUL-terminated text in place from coding `from` to coding `to`; returns its
// length. Only the eighteen letters change; an index outside 0..3 leaves the text alone.
size_t RecodeLetters(char* text, int from, int to);

}  // namespace kelm
