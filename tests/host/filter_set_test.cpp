#include "scan/filter_set.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "profile/defaults.h"
#include "scan/wildcard.h"

namespace velnor {
namespace {

FilterSet Filters(std::vector<std::string> includes, std::vector<std::string> exceptions) {
    FilterSet set;
    for (const std::string& p : includes) set.AddInclude(p);
    for (const std::string& p : exceptions) set.AddException(p);
    return set;
}

TEST(IsFileWanted, ExceptionsOnlyTakeAway) {
    const FilterSet set = Filters({"*.bak", "*.tmp"}, {"data.bak", "*.log"});
    EXPECT_TRUE(set.IsFileWanted("old.BAK"));
    EXPECT_FALSE(set.IsFileWanted("Data.bak"));  // include and exception
    EXPECT_FALSE(set.IsFileWanted("setup.log"));  // exception only
    EXPECT_FALSE(set.IsFileWanted("readme.txt"));  // neither
    EXPECT_FALSE(Filters({}, {"*.log"}).IsFileWanted("a.log"));
    EXPECT_FALSE(Filters({}, {}).IsFileWanted("a.tmp"));
}

TEST(IsFileWanted, PatternsAndNamesInAnyCaseAndScript) {
    const FilterSet set = Filters({"*.ТМП", "Σ*"}, {"ВАЖНОЕ.*", "σημείωση.*"});
    EXPECT_TRUE(set.IsFileWanted("отчёт.тмп"));
    EXPECT_TRUE(set.IsFileWanted("ОТЧЁТ.Тмп"));
    EXPECT_FALSE(set.IsFileWanted("важное.тмп"));
    EXPECT_TRUE(set.IsFileWanted("σύνοψη.txt"));
    EXPECT_FALSE(set.IsFileWanted("ΣΗΜΕΊΩΣΗ.txt"));
    EXPECT_FALSE(set.IsFileWanted("отчёт.tmp"));  // Latin letters are not Cyrillic ones
}

TEST(IsFileWanted, KeepsPatternsAsTheRowsHoldThem) {
    FilterSet set = Filters({"*.TMP"}, {"Calendar.tmp"});
    EXPECT_EQ(set.Includes(), std::vector<std::string>{"*.TMP"});
    EXPECT_EQ(set.Exceptions(), std::vector<std::string>{"Calendar.tmp"});
    set.Clear();
    EXPECT_TRUE(set.Includes().empty());
    EXPECT_FALSE(set.IsFileWanted("a.tmp"));
}

TEST(IsFolderExcluded, DefaultExclusionsCoverTheirFoldersOnly) {
    FilterSet set;
    for (const char* pattern : kDefaultExclusions) set.AddFolderExclusion(pattern);
    struct Case {
        const char* path;
        bool excluded;
    } cases[] = {
        {"c:\\windows\\temp", true},
        {"D:\\WINNT\\Temp", true},
        {"c:\\windows\\temp2", false},
        {"c:\\recycler", true},
        {"c:\\recycle", false},
        {"c:\\documents and settings\\u\\local settings\\temporary internet files", true},
        {"c:\\documents and settings\\u\\local settings\\temporary internet files.old", false},
        {"c:\\Documents and Settings\\u\\Local Settings\\Temp", true},
        {"c:\\documents and settings\\u\\local settings\\temp\\sub", false},  // inside, but not itself
        {"c:", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(set.IsFolderExcluded(c.path), c.excluded) << c.path;
}

// Browse fills an exclusion with the folder's on-disk case; the walk reaches
// the folder through a location lowered in full, with the names below it as
// the disk spells them.
TEST(IsFolderExcluded, ExclusionsInAnyCaseAndScript) {
    FilterSet set;
    for (const char* pattern : {"C:\\Доки\\Важное", "C:\\Έγγραφα\\Προσωρινά", "D:\\DONNÉES\\Été", "*\\ΚΡΥΦΆ"})
        set.AddFolderExclusion(pattern);
    struct Case {
        const char* path;
        bool excluded;
    } cases[] = {
        {"c:\\доки\\Важное", true},
        {"c:\\доки\\важное", true},
        {"C:\\ДОКИ\\ВАЖНОЕ", true},
        {"c:\\доки\\важное2", false},
        {"c:\\доки\\важное\\внутри", false},
        {"c:\\έγγραφα\\Προσωρινά", true},
        {"c:\\ΈΓΓΡΑΦΑ\\προσωρινά", true},
        {"d:\\données\\Été", true},
        {"d:\\donnees\\ete", false},
        {"e:\\x\\κρυφά", true},
    };
    for (const Case& c : cases) EXPECT_EQ(set.IsFolderExcluded(c.path), c.excluded) << c.path;
}

// The plain loop, one MatchWildcard after another: the indexed lists must
// answer the same for every list and name.
bool OneByOneIsFileWanted(const FilterSet& set, const std::string& name) {
    for (const std::string& include : set.Includes()) {
        if (!MatchWildcard(name, include)) continue;
        for (const std::string& exception : set.Exceptions())
            if (MatchWildcard(name, exception)) return false;
        return true;
    }
    return false;
}

TEST(IsFileWanted, AgreesWithTheOneByOneLoop) {
    std::mt19937 random(7);
    // Characters of one to four bytes, so that a `?` has to take each whole.
    const std::vector<std::string> characters = {"a", "B", ".", "~", "$", "\xe9", "?", "*", "\u03b1", "\u0391",
                                                 "\u0131", "\u0250", "\u2c6f", "\u65e5", "\U0001F600"};
    auto make = [&](int maxLength) {
        std::string s;
        for (int i = random() % (maxLength + 1); i > 0; --i) s += characters[random() % characters.size()];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        FilterSet set;
        for (int i = random() % 6; i > 0; --i) set.AddInclude(make(5));
        for (int i = random() % 4; i > 0; --i) set.AddException(make(5));
        for (int i = random() % 4; i > 0; --i) set.AddFolderExclusion(make(5));
        for (int n = 0; n < 300; ++n) {
            std::string name = make(7);
            for (char& c : name)
                if (c == '?' || c == '*') c = 'x';  // a name never holds them
            ASSERT_EQ(set.IsFileWanted(name), OneByOneIsFileWanted(set, name)) << name;
            bool excluded = false;
            for (const std::string& p : set.FolderExclusions()) excluded = excluded || MatchWildcard(name, p);
            ASSERT_EQ(set.IsFolderExcluded(name), excluded) << name;
        }
    }
}

TEST(IsFileWanted, DefaultFiltersAsAFreshProfileHasThem) {
    FilterSet set;
    for (const DefaultFilter& f : kDefaultFilters) {
        if (!f.checked) continue;
        if (f.type == FilterType::Exclude)
            set.AddException(f.pattern);
        else
            set.AddInclude(f.pattern);
    }
    struct Case {
        const char* name;
        bool wanted;
    } cases[] = {
        {"~WRL0001.tmp", true}, {"setup.TMP", true},      {"Calendar.tmp", false}, {"DonotDelete.TMP", false},
        {"x.bak", false},       {"notes.txt", false},     {"scandisk.log", true},  {"Install.log", false},
        {"twain123.mtx", true}, {"chklist.ms", true},     {"file.$$$", true},      {"a.b$c", true},
        {"config.tmp", false},  {"WebPoolFileFile", false}, {"", false},           {"data", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(set.IsFileWanted(c.name), c.wanted) << c.name;
        EXPECT_EQ(OneByOneIsFileWanted(set, c.name), c.wanted) << c.name;
    }
}

}  // namespace
}  // namespace velnor
