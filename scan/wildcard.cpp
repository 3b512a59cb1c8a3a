#include "scan/wildcard.h"

#include <algorithm>
#include <cstring>

#include "scan/utf8.h"

namespace velnor {

namespace {

bool SegmentMatchesAt(const char* text, const char* segment, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (segment[i] != '?' && segment[i] != text[i]) return false;
    return true;
}

// FindSegment on counted strings.
long FindSegmentIn(const char* text, size_t textLength, const char* segment, size_t segmentLength, size_t start) {
    if (textLength < start + segmentLength) return -1;
    if (segmentLength == 0) return static_cast<long>(start);
    const size_t last = textLength - segmentLength;
    if (segment[0] != '?') {
        // Only positions holding the segment's first byte can start it.
        const char* from = text + start;
        const char* end = text + last + 1;
        while (from < end) {
            const void* hit = std::memchr(from, segment[0], static_cast<size_t>(end - from));
            if (!hit) return -1;
            const char* at = static_cast<const char*>(hit);
            if (SegmentMatchesAt(at + 1, segment + 1, segmentLength - 1)) return static_cast<long>(at - text);
            from = at + 1;
        }
        return -1;
    }
    for (size_t i = start; i <= last; ++i)
        if (SegmentMatchesAt(text + i, segment, segmentLength)) return static_cast<long>(i);
    return -1;
}

bool HasNonAsciiByte(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return true;
    return false;
}

// The plain matcher for a `?` over text beyond ASCII, where one character can
// take up to four bytes: `?` takes one whole character and `*` ends only
// between characters. A failure goes back to the last `*` and lets it take one
// character more, which finds a match whenever there is one.
bool MatchByCharacters(const char* text, size_t n, const char* pattern, size_t m) {
    size_t p = 0, t = 0;
    size_t afterStar = 0, starText = 0;
    bool haveStar = false;
    while (t < n) {
        if (p < m && pattern[p] == '*') {
            haveStar = true;
            afterStar = ++p;
            starText = t;
        } else if (p < m && pattern[p] == '?') {
            t += Utf8CharLengthAt(text, n, t);
            ++p;
        } else if (p < m && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (haveStar) {
            starText += Utf8CharLengthAt(text, n, starText);
            t = starText;
            p = afterStar;
        } else {
            return false;
        }
    }
    while (p < m && pattern[p] == '*') ++p;
    return p == m;
}

}  // namespace

std::string PreparePattern(const char* pattern) {
    std::string prepared;
    if (!pattern) return prepared;
    const size_t length = std::strlen(pattern);
    prepared.resize(FoldedCapacity(length));
    prepared.resize(FoldCase(pattern, length, &prepared[0]));
    const auto starRun = [](char a, char b) { return a == '*' && b == '*'; };
    prepared.erase(std::unique(prepared.begin(), prepared.end(), starRun), prepared.end());
    return prepared;
}

bool MatchPrepared(const char* text, size_t n, const char* pattern, size_t m) {
    if (m == 0) return n == 0;
    // Below, every byte is a character: true of any text in ASCII, and of the
    // rest as long as no `?` has to take a character of several bytes.
    if (std::memchr(pattern, '?', m) && HasNonAsciiByte(text, n)) return MatchByCharacters(text, n, pattern, m);
    size_t p = 0, t = 0;
    while (p < m) {
        const char c = pattern[p];
        if (c == '*') {
            if (p + 1 == m) return true;
            const size_t segment = p + 1;
            const char* nextStar = static_cast<const char*>(std::memchr(pattern + segment, '*', m - segment));
            const size_t segmentEnd = nextStar ? static_cast<size_t>(nextStar - pattern) : m;
            const size_t length = segmentEnd - segment;
            if (n - t < length) return false;
            if (nextStar) {
                // Leftmost occurrence of a middle segment: what follows it is
                // again free to start anywhere, so no later occurrence can do better.
                const long at = FindSegmentIn(text, n, pattern + segment, length, t);
                if (at < 0) return false;
                t = static_cast<size_t>(at) + length;
                p = segmentEnd;
                continue;
            }
            // The final segment can only sit at the very end of the text.
            for (size_t i = length; i-- > 0;) {
                const char s = pattern[segment + i];
                if (s != '?' && s != text[n - length + i]) return false;
            }
            return true;
        }
        if (t >= n) return false;
        if (c != '?' && c != text[t]) return false;
        if (p + 1 == m && t + 1 < n) return false;
        ++p;
        ++t;
    }
    return true;
}

bool MatchWildcard(const char* text, const char* pattern) {
    if (!text || !pattern) return false;
    if (!*pattern) return !*text;
    const FoldedText folded(text);
    const std::string prepared = PreparePattern(pattern);
    return MatchPrepared(folded.Data(), folded.Length(), prepared.data(), prepared.size());
}

int FindSegment(const char* text, const char* segment, int start) {
    if (!text || !segment || start < 0) return -1;
    return static_cast<int>(
        FindSegmentIn(text, std::strlen(text), segment, std::strlen(segment), static_cast<size_t>(start)));
}

}  // namespace velnor
