#include "scan/wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace velnor {
namespace {

TEST(MatchWildcard, AnchoredStarAndQuestionMark) {
    struct Case {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"", "", true},
        {"a", "", false},
        {"", "*", true},
        {"anything.at.all", "*", true},
        {"", "***", true},
        {"abc", "a***c", true},
        {"abc", "a*c", true},
        {"readme", "*.*", false},
        {"readme.", "*.*", true},
        {".profile", "*.*", true},
        {"REPORT.TMP", "*.tmp", true},
        {"report.tmp", "*.TMP", true},
        {"report.tmp.txt", "*.tmp", false},
        {"~x.doc", "~*.*", true},
        {"x~.doc", "~*.*", false},
        {"xaayb", "*a?b*", true},  // a false start at the second character
        {"ab", "a", false},
        {"a", "ab", false},
        {"a", "?", true},
        {"", "?", false},
        {"ab", "?", false},
        {"abc", "a?", false},
        {"twain001.mtx", "twain???.mtx", true},
        {"twain01.mtx", "twain???.mtx", false},
        {"x.a$b", "*.?$?", true},
        {"x.$b", "*.?$?", false},
        {"file.~1", "*.~*", true},
        {"a__ofidxb.c", "*__ofidx*.*", true},
        {"a__ofidx.c", "*__ofidx*.*", true},
        {"a__ofidxc", "*__ofidx*.*", false},
        {"ab", "*ab*ab", false},  // the segments may not overlap
        {"abab", "*ab*ab", true},
        {"aXbXc", "a*b*c", true},
        {"\xe9t\xe9.tmp", "\xe9*.tmp", true},
        {"\xc9t\xe9.tmp", "\xe9*.tmp", false},  // bytes outside UTF-8 are never folded
        {"?", "?", true},
        {"*", "*", true},
        {"a*b", "a?b", true},
        // `?` is one character however many bytes it takes
        {"\u03b1.tmp", "?.tmp", true},
        {"\u65e5\u672c.txt", "??.txt", true},
        {"\u65e5\u672c.txt", "?.txt", false},
        {"\U0001F600.tmp", "?.tmp", true},
        {"\U0001F600.tmp", "??.tmp", false},
        {"x\u0391\u0392.dat", "*?\u0392.dat", true},
        {"\u0391\u0392", "*?", true},
        {"\u0391\u0392", "\u0391?*", true},
        {"\u0391", "??", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchWildcard(c.text, c.pattern), c.match) << '"' << c.text << "\" against \"" << c.pattern << '"';
}

TEST(MatchWildcard, FolderPatterns) {
    struct Case {
        const char* path;
        const char* pattern;
        bool match;
    } cases[] = {
        {"c:\\windows\\temp", "?:\\win*\\temp", true},
        {"D:\\WINNT\\Temp", "?:\\win*\\temp", true},
        {"c:\\windows\\temp\\sub", "?:\\win*\\temp", false},
        {"c:\\RECYCLED", "?:\\recycle?", true},
        {"c:\\recycler", "?:\\recycle?", true},
        {"c:\\recycle", "?:\\recycle?", false},
        {"c:\\recycler\\s-1-5", "?:\\recycle?", false},
        {"c:\\documents and settings\\u\\local settings\\temporary internet files", "*\\temporary internet files", true},
        {"c:\\temporary internet files.old", "*\\temporary internet files", false},
        {"e:\\x\\microsoft\\money\\2004\\webcache", "*\\microsoft\\money\\*\\webcache", true},
        {"e:\\x\\microsoft\\money\\webcache", "*\\microsoft\\money\\*\\webcache", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchWildcard(c.path, c.pattern), c.match) << c.path << " against " << c.pattern;
}

// A name pattern and an exclusion are typed, pasted or filled in by Browse in
// any case; the walk hands on-disk names. Both fold to the same upper case,
// one character for one, as the file system compares names.
TEST(MatchWildcard, FoldsCaseInEveryScriptAsTheFileSystemDoes) {
    struct Case {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"отчёт.тмп", "*.ТМП", true},
        {"ОТЧЁТ.ТМП", "отчёт.*", true},
        {"c:\\доки\\Важное", "C:\\Доки\\Важное", true},
        {"c:\\доки\\важное2", "C:\\Доки\\Важное", false},
        {"ΣΎΝΟΨΗ.tmp", "σύνοψη.TMP", true},
        {"λόγος", "ΛΌΓΟΣ", true},  // final sigma upper-cases to sigma
        {"c:\\έγγραφα\\ΠΡΟΣΩΡΙΝΆ", "C:\\Έγγραφα\\Προσωρινά", true},
        {"d:\\données\\été", "D:\\DONNÉES\\ÉTÉ", true},
        {"ČEŠTINA.ŁÓD", "čeština.łód", true},  // upper and lower case alternate in the table
        {"ÿ.tmp", "Ÿ.TMP", true},
        {"Œuvre.bak", "œ*", true},
        {"é.tmp", "e.tmp", false},  // an accent is not a case
        // Upper cases that are ASCII fold with the ASCII letter, on both sides.
        {"ı.tmp", "I.TMP", true},
        {"I.tmp", "ı.tmp", true},
        {"i.tmp", "ı.tmp", true},
        {"ſetup.log", "S*.LOG", true},
        {"İ.tmp", "i.tmp", false},  // i upper-cases to I, not to the dotted capital
        {"\u212a.tmp", "k.tmp", false},  // nor to the Kelvin sign
        {"straße", "STRASSE", false},  // one character never becomes two
        {"\U00010428", "\U00010400", false},  // beyond U+FFFF nothing is folded
        // Folding changes how many bytes a character takes; `?` still takes one.
        {"ɐ.tmp", "Ɐ.tmp", true},
        {"x\u2c65y", "x?Y", true},
        {"ı.tmp", "?.tmp", true},
        {"Ж", "??", false},
        // Broken sequences are kept byte for byte and still count as one character each.
        {"Ж\xd0", "ж?", true},
        {"\xd0Ж\xff", "\xd0ж\xff", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchWildcard(c.text, c.pattern), c.match) << '"' << c.text << "\" against \"" << c.pattern << '"';
}

TEST(MatchWildcard, MissingArgumentsNeverMatch) {
    EXPECT_FALSE(MatchWildcard(nullptr, "*"));
    EXPECT_FALSE(MatchWildcard("a", nullptr));
    EXPECT_FALSE(MatchWildcard(nullptr, nullptr));
}

TEST(FindSegment, LeftmostOccurrenceAndLimits) {
    struct Case {
        const char* text;
        const char* segment;
        int start;
        int expected;
    } cases[] = {
        {"xaayb", "a?b", 0, 2},
        {"xaayb", "a?b", 3, -1},
        {"abcabc", "bc", 0, 1},
        {"abcabc", "bc", 2, 4},
        {"abc", "", 2, 2},
        {"abc", "", 3, 3},
        {"abc", "", 4, -1},  // shorter than start plus the segment
        {"abc", "abcd", 0, -1},
        {"abc", "?", -1, -1},
        {"abc", "??c", 0, 0},
        {"a?c", "?", 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindSegment(c.text, c.segment, c.start), c.expected) << c.text << " / " << c.segment;
    EXPECT_EQ(FindSegment(nullptr, "a", 0), -1);
    EXPECT_EQ(FindSegment("a", nullptr, 0), -1);
}

// Plain backtracking over the same syntax: the answers the matcher must give.
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Reference(const char* t, const char* p) {
    if (*p == '\0') return *t == '\0';
    if (*p == '*') {
        for (const char* rest = t;; ++rest) {
            if (Reference(rest, p + 1)) return true;
            if (*rest == '\0') return false;
        }
    }
    if (*t == '\0') return false;
    if (*p != '?' && Fold(*p) != Fold(*t)) return false;
    return Reference(t + 1, p + 1);
}

TEST(MatchWildcard, AgreesWithBacktrackingOnGeneratedCases) {
    std::mt19937 random(20240607);
    const char patternBytes[] = {'a', 'b', 'A', 'B', '.', '\\', '\xe9', '\xc9', '?', '?', '*', '*', '*'};
    const char textBytes[] = {'a', 'b', 'A', 'B', '.', '\\', '\xe9', '\xc9', '?', '*'};
    auto make = [&](const char* bytes, size_t count, int maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s) c = bytes[random() % count];
        return s;
    };
    int matches = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::string pattern = make(patternBytes, sizeof patternBytes, 7);
        const std::string text = make(textBytes, sizeof textBytes, 9);
        const bool expected = Reference(text.c_str(), pattern.c_str());
        matches += expected;
        ASSERT_EQ(MatchWildcard(text, pattern), expected) << '"' << text << "\" against \"" << pattern << '"';
    }
    EXPECT_GT(matches, 10000);  // the generator reaches both answers
}

}  // namespace
}  // namespace velnor
