#pragma once
// The one place for the rules of UTF-8 text: every std::string the program
// holds is UTF-8, the process code page, and a limit or a fixed buffer must
// never leave half a character behind.
#include <cstddef>
#include <string>

namespace velnor {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// True when every byte belongs to a well-formed sequence: no stray
// continuation bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text);

// The longest start of the text of at most maxBytes bytes that does not end
// inside a character. A sequence that the text itself breaks off at its end
// (a fixed buffer filled to the brim) counts as unfinished and is left out
// too; a stray byte that starts no sequence is kept as it is.
std::string Utf8Prefix(const std::string& text, size_t maxBytes);

// Bytes of the character that starts at `at`: a whole well-formed sequence,
// else the one byte.
size_t Utf8CharLengthAt(const std::string& text, size_t at);
size_t Utf8CharLengthAt(const char* text, size_t length, size_t at);

// The code point of the well-formed sequence that starts at `at` and its
// length in bytes; 0 (and no code point) where no well-formed sequence starts.
size_t Utf8DecodeAt(const char* text, size_t length, size_t at, char32_t& codePoint);
// Writes the code point's sequence (1 to 4 bytes) to out; gives its length.
size_t Utf8Encode(char32_t codePoint, char* out);

// The text without its last `count` characters.
std::string Utf8WithoutLast(const std::string& text, size_t count);

// Characters in the text: every byte that is not a continuation byte starts one.
size_t Utf8CharCount(const std::string& text);

}  // namespace velnor
