#pragma once
#include <cstddef>
#include <cstring>
#include <string>

namespace velnor {

// Anchored match of a whole text against a pattern of `*` (any run, also none)
// and `?` (exactly one character, of however many UTF-8 bytes); only A to Z
// are compared without regard to case. A missing (null) text or pattern never
// matches.
bool MatchWildcard(const char* text, const char* pattern);
inline bool MatchWildcard(const std::string& text, const std::string& pattern) {
    return MatchWildcard(text.c_str(), pattern.c_str());
}

// Leftmost index at or after start where the segment matches the text (`?`
// matching any one character), or -1.
int FindSegment(const char* text, const char* segment, int start);

// The matcher's own steps, for callers that keep their patterns prepared: the
// text lowered with LowerAsciiLetters, the pattern with PreparePattern. Gives
// exactly the answer of MatchWildcard on the unprepared strings.
bool MatchPrepared(const char* text, size_t textLength, const char* pattern, size_t patternLength);
// A to Z lowered, every other byte kept.
char LowerAsciiLetter(char c);
void LowerAsciiLetters(const char* text, size_t length, char* out);
// Lowered, and every run of `*` reduced to one.
std::string PreparePattern(const char* pattern);

// A text lowered with LowerAsciiLetters, up to its first NUL. Copies long
// enough for any file name or search path stay on the stack.
class LoweredText {
public:
    explicit LoweredText(const char* text) : length_(std::strlen(text)) {
        char* out = inline_;
        if (length_ >= kInlineChars) {
            heap_.resize(length_);
            out = &heap_[0];
        }
        LowerAsciiLetters(text, length_, out);
        data_ = out;
    }
    LoweredText(const LoweredText&) = delete;
    LoweredText& operator=(const LoweredText&) = delete;
    const char* Data() const { return data_; }
    size_t Length() const { return length_; }

private:
    static constexpr size_t kInlineChars = 512;
    size_t length_;
    const char* data_ = nullptr;
    char inline_[kInlineChars];
    std::string heap_;
};

}  // namespace velnor
