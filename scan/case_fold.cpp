#include "scan/case_fold.h"

#include <algorithm>
#include <iterator>

#include "scan/upper_case_table.h"
#include "scan/utf8.h"

namespace velnor {

char32_t SimpleUpperCase(char32_t c) {
    if (c < 'a' || c > 0xFFFF) return c;
    const auto run = std::lower_bound(std::begin(kUpperCaseRuns), std::end(kUpperCaseRuns), c,
                                      [](const UpperCaseRun& r, char32_t code) { return r.last < code; });
    if (run == std::end(kUpperCaseRuns) || c < run->first || (c - run->first) % run->step != 0) return c;
    return static_cast<char16_t>(c + run->delta);
}

char32_t FoldCharacter(char32_t c) {
    const char32_t upper = SimpleUpperCase(c);
    return upper >= 'A' && upper <= 'Z' ? upper - 'A' + 'a' : upper;
}

size_t FoldCaseBeyondAscii(const char* text, size_t length, char* out) {
    size_t written = 0;
    for (size_t i = 0; i < length;) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out[written++] = LowerAsciiLetter(text[i++]);
            continue;
        }
        char32_t c = 0;
        const size_t taken = Utf8DecodeAt(text, length, i, c);
        if (taken == 0) {
            out[written++] = text[i++];
            continue;
        }
        written += Utf8Encode(FoldCharacter(c), out + written);
        i += taken;
    }
    return written;
}

std::string FoldCase(const std::string& text) {
    std::string folded(FoldedCapacity(text.size()), '\0');
    folded.resize(FoldCase(text.data(), text.size(), &folded[0]));
    return folded;
}

}  // namespace velnor
