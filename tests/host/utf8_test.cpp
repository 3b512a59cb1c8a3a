#include "scan/utf8.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(Utf8, ValidityFollowsTheEncodingRules) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"", true},
        {"C:\\Temp", true},
        {"Donn\xC3\xA9" "es", true},
        {"\xE6\x97\xA5\xE6\x9C\xAC", true},           // three-byte characters
        {"\xF0\x9F\x98\x80", true},                   // outside the basic plane
        {"\xF4\x8F\xBF\xBF", true},                   // U+10FFFF, the last code point
        {"Donn\xE9" "es", false},                     // a legacy byte
        {"\x80", false},                              // a continuation byte alone
        {"\xC3", false},                              // cut short at the end
        {"\xE6\x97", false},
        {"\xE6\x97" "a", false},
        {"\xC0\xAF", false},                          // overlong "/"
        {"\xE0\x80\xAF", false},
        {"\xF0\x80\x80\xAF", false},
        {"\xED\xA0\x80", false},                      // a surrogate
        {"\xF4\x90\x80\x80", false},                  // above U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.text), c.valid) << ::testing::PrintToString(c.text);
}

TEST(Utf8, PrefixNeverEndsInsideACharacter) {
    const struct {
        const char* text;
        size_t maxBytes;
        const char* prefix;
    } cases[] = {
        {"abc", 5, "abc"},
        {"abc", 2, "ab"},
        {"abc", 0, ""},
        {"a\xC3\xA9", 3, "a\xC3\xA9"},
        {"a\xC3\xA9", 2, "a"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", 5, "\xE6\x97\xA5"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", 4, "\xE6\x97\xA5"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", 2, ""},
        {"x\xF0\x9F\x98\x80", 4, "x"},
        {"x\xF0\x9F\x98\x80", 5, "x\xF0\x9F\x98\x80"},
        // A buffer that the platform filled to the brim: the broken-off end goes.
        {"ab\xE6\x97", 10, "ab"},
        {"ab\xC3", 10, "ab"},
        // Stray bytes that start no character are kept, not taken for half a one.
        {"ab\x80\x80", 4, "ab\x80\x80"},
        {"ab\xE9" "c", 4, "ab\xE9" "c"},
        {"\x80\x80\x80\x80\x80", 5, "\x80\x80\x80\x80\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8Prefix(c.text, c.maxBytes), c.prefix) << ::testing::PrintToString(c.text) << " " << c.maxBytes;
}

TEST(Utf8, CharCountSkipsContinuationBytes) {
    EXPECT_EQ(Utf8CharCount(""), 0u);
    EXPECT_EQ(Utf8CharCount("Menu"), 4u);
    EXPECT_EQ(Utf8CharCount("Donn\xC3\xA9" "es"), 7u);
    EXPECT_EQ(Utf8CharCount("\xE6\x97\xA5\xF0\x9F\x98\x80"), 2u);
    EXPECT_EQ(Utf8CharCount("e\xCC\x81\xCC\x81"), 3u);  // combining marks are characters of their own
}

}  // namespace
}  // namespace velnor
