#pragma once
// Letter case folded as the Windows file system compares names: two names are
// the same when every UTF-16 unit of one upper-cases, by a fixed one-to-one
// table, to the unit of the other. The fold gives each character that upper
// case, with A to Z then lowered again, so that ASCII text folds as it always
// did and a character whose upper case is ASCII (dotless i, long s) folds with
// the ASCII letter.
#include <cstddef>
#include <cstring>
#include <string>

namespace velnor {

// A to Z lowered, every other byte kept.
inline char LowerAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The character's simple upper case; itself where it has none, and above
// U+FFFF (two UTF-16 units, which the file system never folds).
char32_t SimpleUpperCase(char32_t c);

// The folded character: SimpleUpperCase, and A to Z then lowered.
char32_t FoldCharacter(char32_t c);

// Folding can lengthen UTF-8 text by half (a character of two bytes whose
// upper case takes three), never more.
constexpr size_t FoldedCapacity(size_t length) { return length + length / 2; }

// FoldCase for text that holds bytes beyond ASCII.
size_t FoldCaseBeyondAscii(const char* text, size_t length, char* out);

// Writes the folded text to out, which holds FoldedCapacity(length) bytes, and
// gives its length. Each well-formed character becomes one well-formed
// character; every other byte is kept as it is, so no character is split or
// joined with its neighbour. Inline, as the scan folds every name it meets:
// plain ASCII, by far the most names, stays in one loop free of branches.
inline size_t FoldCase(const char* text, size_t length, char* out) {
    unsigned char seen = 0;
    for (size_t i = 0; i < length; ++i) {
        seen |= static_cast<unsigned char>(text[i]);
        out[i] = LowerAsciiLetter(text[i]);
    }
    return seen < 0x80 ? length : FoldCaseBeyondAscii(text, length, out);
}
std::string FoldCase(const std::string& text);

// A text folded with FoldCase, up to its first NUL. Copies long enough for any
// file name or search path stay on the stack.
class FoldedText {
public:
    explicit FoldedText(const char* text) {
        const size_t length = std::strlen(text);
        char* out = inline_;
        if (FoldedCapacity(length) > kInlineChars) {
            heap_.resize(FoldedCapacity(length));
            out = &heap_[0];
        }
        length_ = FoldCase(text, length, out);
        data_ = out;
    }
    FoldedText(const FoldedText&) = delete;
    FoldedText& operator=(const FoldedText&) = delete;
    const char* Data() const { return data_; }
    size_t Length() const { return length_; }

private:
    static constexpr size_t kInlineChars = 768;
    size_t length_ = 0;
    const char* data_ = nullptr;
    char inline_[kInlineChars];
    std::string heap_;
};

}  // namespace velnor
