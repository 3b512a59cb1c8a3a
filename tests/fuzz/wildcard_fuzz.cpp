// The matcher and the scan's prepared pattern lists against a plain
// backtracking matcher of the same syntax and the same fold of letter case.
// The input is NUL-separated: a text, then up to eight patterns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scan/filter_set.h"
#include "scan/upper_case_table.h"
#include "scan/wildcard.h"
#include "tests/fuzz/fuzz_check.h"
#include "scan/utf8.h"

namespace {

// The fold written out plainly: the character's run in the upper-case table
// found by walking the whole table, then A to Z lowered.
char32_t ReferenceFold(char32_t c) {
    for (const velnor::UpperCaseRun& run : velnor::kUpperCaseRuns) {
        if (c >= run.first && c <= run.last && (c - run.first) % run.step == 0) {
            c = static_cast<char16_t>(c + run.delta);
            break;
        }
    }
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// One character of a text or pattern, folded: the code point of a well-formed
// sequence, else each of its bytes on its own, above every code point, so
// that it equals only the same byte.
std::vector<char32_t> FoldedUnits(const std::string& s, size_t at, size_t length) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[at + k]); };
    char32_t c = 0;
    bool wellFormed = true;
    if (length == 1) {
        c = byte(0);
        wellFormed = c < 0x80;
    } else {
        c = byte(0) & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) c = (c << 6) | (byte(k) & 0x3F);
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        wellFormed = c >= kLeast[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    }
    if (wellFormed) return {ReferenceFold(c)};
    std::vector<char32_t> raw;
    for (size_t k = 0; k < length; ++k) raw.push_back(0x110000 + byte(k));
    return raw;
}

// Whole text against whole pattern, character by character: `*` any run of
// characters, `?` one character (a well-formed UTF-8 sequence, or else a
// single byte), any other character itself once both are folded. The memo
// keeps runs of stars from going exponential; it changes nothing about the
// answer.
class Reference {
public:
    Reference(const std::string& text, const std::string& pattern)
        : text_(text), pattern_(pattern), memo_((text.size() + 1) * (pattern.size() + 1), kUnknown) {}
    bool Match() { return MatchFrom(0, 0); }

private:
    static constexpr signed char kUnknown = -1;

    bool MatchFrom(size_t t, size_t p) {
        signed char& known = memo_[t * (pattern_.size() + 1) + p];
        if (known != kUnknown) return known != 0;
        bool result;
        if (p == pattern_.size())
            result = t == text_.size();
        else if (pattern_[p] == '*')
            result = MatchFrom(t, p + 1) || (t < text_.size() && MatchFrom(t + CharLength(text_, t), p));
        else if (t == text_.size())
            result = false;
        else if (pattern_[p] == '?')
            result = MatchFrom(t + CharLength(text_, t), p + 1);
        else
            result = SameCharacter(t, p) && MatchFrom(t + CharLength(text_, t), p + CharLength(pattern_, p));
        known = result ? 1 : 0;
        return result;
    }

    bool SameCharacter(size_t t, size_t p) const {
        return FoldedUnits(text_, t, CharLength(text_, t)) == FoldedUnits(pattern_, p, CharLength(pattern_, p));
    }

    static size_t CharLength(const std::string& s, size_t at) { return velnor::Utf8CharLengthAt(s, at); }

    const std::string& text_;
    const std::string& pattern_;
    std::vector<signed char> memo_;
};

bool ReferenceMatch(const std::string& text, const std::string& pattern) {
    return Reference(text, pattern).Match();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kMaxPatterns = 8;
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0) {
            parts.back().push_back(static_cast<char>(data[i]));
        } else if (parts.size() == kMaxPatterns + 1) {
            break;
        } else {
            parts.emplace_back();
        }
    }
    const std::string& text = parts[0];
    // The program holds its patterns in UTF-8 (the profile reader and the edit
    // boxes see to that); for a pattern that breaks a character apart, the
    // fast matcher is free to take a `*` to a byte inside a character.
    std::vector<std::string> patterns;
    for (size_t i = 1; i < parts.size(); ++i)
        if (velnor::IsValidUtf8(parts[i])) patterns.push_back(parts[i]);

    std::vector<bool> matches;
    for (const std::string& pattern : patterns) {
        const bool expected = ReferenceMatch(text, pattern);
        FUZZ_CHECK(velnor::MatchWildcard(text, pattern) == expected);
        matches.push_back(expected);
    }

    // Every other pattern an include, the rest exceptions; all of them folder
    // exclusions too. The lists group their patterns for speed, which must
    // not change a single answer.
    velnor::FilterSet set;
    bool anyInclude = false, anyException = false, anyPattern = false;
    for (size_t i = 0; i < patterns.size(); ++i) {
        if (i % 2 == 0) {
            set.AddInclude(patterns[i]);
            anyInclude = anyInclude || matches[i];
        } else {
            set.AddException(patterns[i]);
            anyException = anyException || matches[i];
        }
        set.AddFolderExclusion(patterns[i]);
        anyPattern = anyPattern || matches[i];
    }
    FUZZ_CHECK(set.IsFileWanted(text) == (anyInclude && !anyException));
    FUZZ_CHECK(set.IsFolderExcluded(text) == anyPattern);
    return 0;
}
