#include "profile/config_file.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"

namespace velnor::config_file {
namespace {

TEST(ConfigFindValue, FirstLineWithTheExactKeyWins) {
    struct Case {
        const char* text;
        const char* key;
        const char* value;
    } cases[] = {
        {" Filter = <*.tmp|Temp|1|0> \n", "Filter", "<*.tmp|Temp|1|0>"},
        {"filter=<*.tmp|Temp|1|0>\n", "Filter", ""},
        {"Filter=<a>\nFilter=<b>\n", "Filter", "<a>"},
        {"Filter=<a>\r\nOption=<read|0>\r\n", "Option", "<read|0>"},  // CR LF lines
        {"Option=<read|0>", "Option", "<read|0>"},                   // no line end at all
        {"=Filter=<a>\nFilter=<b>\n", "Filter", "<b>"},               // "=" first: ignored
        {"Filter<a>\nFilter=<b>\n", "Filter", "<b>"},                 // no "=": ignored
        {" \t=<a>\nFilter=<b>\n", "Filter", "<b>"},                   // blank key
        {"\n\nFilter=\nFilter=<b>\n", "Filter", ""},                  // an empty value still counts
        {"Filter=<a=b|c|1|0>\n", "Filter", "<a=b|c|1|0>"},            // only the first "=" splits
        {"\tFilter\v=\f<x>\r\n", "Filter", "<x>"},
        {"PathDrive=<C:|1>\n", "Path", ""},
        {"", "Filter", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FindValue(c.text, c.key), c.value) << c.text;
}

// The fake locale's legacy code page is Windows-1252.
TEST(ConfigFileText, Utf8AsItIsAnythingElseFromTheLegacyCodePage) {
    struct Case {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"PathFolder=<C:\\Temp|1>\n", "PathFolder=<C:\\Temp|1>\n"},
        {"PathFolder=<C:\\Donn\xC3\xA9" "es|1>\n", "PathFolder=<C:\\Donn\xC3\xA9" "es|1>\n"},
        {"PathFolder=<C:\\Donn\xE9" "es|1>\n", "PathFolder=<C:\\Donn\xC3\xA9" "es|1>\n"},
        {"Filter=<*.\x80|\x9F\xFF|1|0>", "Filter=<*.\xE2\x82\xAC|\xC5\xB8\xC3\xBF|1|0>"},
        // One stray byte makes the whole file the old program's, its UTF-8-looking
        // lines included; every line still ends where it did.
        {"PathFolder=<\xC3\xA9|1>\nFilter=<\xE9||1|0>\n",
         "PathFolder=<\xC3\x83\xC2\xA9|1>\nFilter=<\xC3\xA9||1|0>\n"},
        // Overlong forms and surrogates are no UTF-8 either.
        {"<\xC0\xAF>", "<\xC3\x80\xC2\xAF>"},
        {"<\xED\xA0\x80>", "<\xC3\xAD\xC2\xA0\xE2\x82\xAC>"},
        // An editor's byte-order mark is left out; alone it leaves nothing.
        {"\xEF\xBB\xBFPathDrive=<C:|0>\n", "PathDrive=<C:|0>\n"},
        {"\xEF\xBB\xBF", ""},
        {"\xEF\xBB\xBFOption=<\xE9>", "Option=<\xC3\xA9>"},
        {"", ""},
    };
    testing::FakeLocale locale;
    for (const Case& c : cases)
        EXPECT_EQ(FileTextAsUtf8(c.bytes, locale), c.text) << ::testing::PrintToString(c.bytes);
}

TEST(ConfigParseFilters, EntriesAsTheLoaderReadsThem) {
    struct Case {
        const char* value;
        std::vector<ParsedFilter> filters;
        bool allChecked;
    } cases[] = {
        {"<*.tmp|Temp|1|0>", {{"*.tmp", "Temp", true, FilterType::Include}}, true},
        {"<*.tmp||1|0>", {{"*.tmp", "", true, FilterType::Include}}, true},
        {"<*.x|a|b|0|1>", {{"*.x", "a|b", false, FilterType::Exclude}}, false},
        {"<a||1|0><b|B|0|1>", {{"a", "", true, FilterType::Include}, {"b", "B", false, FilterType::Exclude}}, false},
        // Fewer than 2 characters left after the flags: loading ends there.
        {"<a||1|0><|1|0><b||1|0>", {{"a", "", true, FilterType::Include}}, true},
        // No bar, or a bar first: loading ends there.
        {"<a||1|0><abc|1|0>", {{"a", "", true, FilterType::Include}}, true},
        {"<a||1|0><|abc|1|0>", {{"a", "", true, FilterType::Include}}, true},
        // The unchecked mark of an entry that then breaks still counts.
        {"<a||1|0><|abc|0|0>", {{"a", "", true, FilterType::Include}}, false},
        {"<a||1|0", {}, true},   // no ">"
        {"<a|>", {}, true},      // 4 characters or fewer
        {"<a|1><b||1|0>", {}, true},      // ">" at index 4 or lower
        {"<ab|1|0><c||1|0>", {}, true},   // no bar before the flags
        // An entry's first character is dropped whole, whatever it is, and the
        // flags' place is cut by characters: no field keeps half a character.
        {"<a||1|0>\xC3\xA9" "b|c|1|0>", {{"a", "", true, FilterType::Include}, {"b", "c", true, FilterType::Include}}, true},
        {"<p|ab\xC3\xA9xy>", {{"p", "a", false, FilterType::Include}}, false},
        {"<a||1|0>\xF0\x9F\x98\x80" "a>", {{"a", "", true, FilterType::Include}}, true},
        {"", {}, true},
    };
    for (const Case& c : cases) {
        const ParsedFilters parsed = ParseFilters(c.value);
        ASSERT_EQ(parsed.filters.size(), c.filters.size()) << c.value;
        for (size_t i = 0; i < c.filters.size(); ++i) {
            EXPECT_EQ(parsed.filters[i].pattern, c.filters[i].pattern) << c.value;
            EXPECT_EQ(parsed.filters[i].description, c.filters[i].description) << c.value;
            EXPECT_EQ(parsed.filters[i].checked, c.filters[i].checked) << c.value;
            EXPECT_EQ(parsed.filters[i].type, c.filters[i].type) << c.value;
        }
        EXPECT_EQ(parsed.allChecked, c.allChecked) << c.value;
    }
}

TEST(ConfigParseExclusions, StopsAtAnEntryOfFewerThanTwoCharacters) {
    EXPECT_EQ(ParseExclusions("<ab><c><de>"), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(ParseExclusions("<?:\\win*\\temp><*\\x>"), (std::vector<std::string>{"?:\\win*\\temp", "*\\x"}));
    EXPECT_EQ(ParseExclusions("<ab"), std::vector<std::string>{});
    EXPECT_EQ(ParseExclusions("<a>"), std::vector<std::string>{});  // 3 characters or fewer
    // The first character goes whole, even when it is no "<".
    EXPECT_EQ(ParseExclusions("<ab>\xE6\x97\xA5" "cd>\xE6\x97\xA5" "c><ef>"), (std::vector<std::string>{"ab", "cd"}));
}

TEST(ConfigParseFolders, SkipsShortEntriesAndGoesOn) {
    const std::vector<ParsedFolder> folders = ParseFolders("<C:\\Temp|0><C:\\|1><D:\\Work|1><>");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].path, "C:\\Temp");
    EXPECT_FALSE(folders[0].checked);
    EXPECT_EQ(folders[1].path, "D:\\Work");
    EXPECT_TRUE(folders[1].checked);
    EXPECT_TRUE(ParseFolders(">C:\\Temp|1>").empty());  // ">" first ends the value
    const std::vector<ParsedFolder> cut = ParseFolders("<C:\\Donn\xC3\xA9>");  // no "|" flag: its place is cut by characters
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].path, "C:\\Don");
    // Short is counted in characters: a path of fewer than four would not load again once saved.
    EXPECT_TRUE(ParseFolders("<c\xC3\xBF\xC3\xBF" "0>").empty());
}

TEST(ConfigEntryLimit, OverlongEntriesAreDroppedWholeAndTheirNeighboursStay) {
    const std::string atLimit(kMaxEntryChars - 2, 'p');  // with "|1", exactly 999 characters
    const std::string overLimit(kMaxEntryChars - 1, 'p');
    const std::vector<ParsedFolder> folders =
        ParseFolders("<C:\\A|1><" + overLimit + "|1><" + atLimit + "|0><C:\\B|1>");
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0].path, "C:\\A");
    EXPECT_EQ(folders[1].path, atLimit);
    EXPECT_EQ(folders[2].path, "C:\\B");

    const std::string filterAtLimit = std::string(kMaxEntryChars - 5, 'q') + "||1|0";
    const std::string filterOverLimit = std::string(kMaxEntryChars - 4, 'q') + "||0|0";
    const ParsedFilters filters = ParseFilters("<a||1|0><" + filterOverLimit + "><" + filterAtLimit + "><b||1|1>");
    ASSERT_EQ(filters.filters.size(), 3u);
    EXPECT_EQ(filters.filters[0].pattern, "a");
    EXPECT_EQ(filters.filters[1].pattern.size(), kMaxEntryChars - 5);
    EXPECT_EQ(filters.filters[2].pattern, "b");
    EXPECT_TRUE(filters.allChecked);  // the dropped entry's unchecked mark is not read
}

TEST(ConfigParseOptions, OnTokenWinsAndDefaultsFillTheGaps) {
    using F = ScanOptions;
    struct Case {
        const char* value;
        std::vector<F::Flag> on;
    } cases[] = {
        {"", {F::kRead, F::kHide, F::kRemove, F::kClean0}},
        {"<system|1>", {F::kRead, F::kSystem, F::kHide, F::kRemove, F::kClean0}},
        {"<read|0><read|1>", {F::kRead, F::kHide, F::kRemove, F::kClean0}},
        {"<read|0><hide|0><remove|0><clean0|0>", {}},
        {"<zero|0><clean5|1>junk<clean1|1>", {F::kRead, F::kHide, F::kRemove, F::kClean0, F::kClean1, F::kClean5}},
        {"<READ|0><read|0 >", {F::kRead, F::kHide, F::kRemove, F::kClean0}},  // tokens are exact
        // The browsers' caches: off unless the file says on; a token that
        // this program does not know changes nothing.
        {"<clean5|1><clean6|1>", {F::kRead, F::kHide, F::kRemove, F::kClean0, F::kClean5, F::kClean6}},
        {"<clean6|0><clean7|1><cache|1><clean6|>", {F::kRead, F::kHide, F::kRemove, F::kClean0}},
    };
    for (const Case& c : cases) {
        ScanOptions expected;
        for (F::Flag f : c.on) expected[f] = true;
        EXPECT_EQ(ParseOptions(c.value), expected) << c.value;
    }
}

TEST(ConfigOptionLine, TwelveTokensInTheFixedOrder) {
    ScanOptions options = ScanOptions::FileDefaults();
    options[ScanOptions::kClean5] = true;
    EXPECT_EQ(OptionLine(options),
              "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0><clean3|0>"
              "<clean4|0><clean5|1><clean6|0>");
    EXPECT_EQ(ParseOptions(OptionLine(options)), options);
    options[ScanOptions::kClean6] = true;
    const std::string line = OptionLine(options);
    EXPECT_EQ(line.substr(line.size() - 20), "<clean5|1><clean6|1>");
    EXPECT_EQ(ParseOptions(OptionLine(options)), options);
}

TEST(ConfigFirstStart, FourLinesWithoutEmptyLinesOrOptions) {
    ExclusionTable exclusions;
    AddExclusionRow(exclusions, "?:\\x");
    FilterTable filters;
    AddFilterRow(filters, "*.tmp", "Temp", true, FilterType::Include);
    AddFilterRow(filters, "*.bak", "", false, FilterType::Exclude);
    EXPECT_EQ(FirstStartText({"C:\\", "D:\\"}, exclusions, filters),
              "PathDrive=<C:|1><D:|1>\nPathFolder=\nPathExclude=<?:\\x>\n"
              "Filter=<*.tmp|Temp|1|0><*.bak||0|1>\n");
    EXPECT_EQ(FirstStartText({}, ExclusionTable(), FilterTable()), "PathDrive=\nPathFolder=\nPathExclude=\nFilter=\n");
}

}  // namespace
}  // namespace velnor::config_file
