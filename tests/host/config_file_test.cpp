#include "profile/config_file.h"

#include <gtest/gtest.h>

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
}

TEST(ConfigParseFolders, SkipsShortEntriesAndGoesOn) {
    const std::vector<ParsedFolder> folders = ParseFolders("<C:\\Temp|0><C:\\|1><D:\\Work|1><>");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].path, "C:\\Temp");
    EXPECT_FALSE(folders[0].checked);
    EXPECT_EQ(folders[1].path, "D:\\Work");
    EXPECT_TRUE(folders[1].checked);
    EXPECT_TRUE(ParseFolders(">C:\\Temp|1>").empty());  // ">" first ends the value
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
    };
    for (const Case& c : cases) {
        ScanOptions expected;
        for (F::Flag f : c.on) expected[f] = true;
        EXPECT_EQ(ParseOptions(c.value), expected) << c.value;
    }
}

TEST(ConfigOptionLine, ElevenTokensInTheFixedOrder) {
    ScanOptions options = ScanOptions::FileDefaults();
    options[ScanOptions::kClean5] = true;
    EXPECT_EQ(OptionLine(options),
              "Option=<read|1><system|0><hide|1><zero|0><remove|1><clean0|1><clean1|0><clean2|0><clean3|0>"
              "<clean4|0><clean5|1>");
    EXPECT_EQ(ParseOptions(OptionLine(options)), options);
}

TEST(ConfigFirstStart, FourLinesWithoutEmptyLinesOrOptions) {
    ListModel exclusions;
    exclusions.InsertColumn("Exclude Folders", 360);
    AddExclusionRow(exclusions, "?:\\x");
    ListModel filters;
    for (const char* h : {"", "File Name", "Type", "Description", "Exclude"}) filters.InsertColumn(h, 60);
    AddFilterRow(filters, "*.tmp", "Temp", true, FilterType::Include);
    AddFilterRow(filters, "*.bak", "", false, FilterType::Exclude);
    EXPECT_EQ(FirstStartText({"C:\\", "D:\\"}, exclusions, filters),
              "PathDrive=<C:|1><D:|1>\nPathFolder=\nPathExclude=<?:\\x>\n"
              "Filter=<*.tmp|Temp|1|0><*.bak||0|1>\n");
    EXPECT_EQ(FirstStartText({}, ListModel(), ListModel()), "PathDrive=\nPathFolder=\nPathExclude=\nFilter=\n");
}

}  // namespace
}  // namespace velnor::config_file
