// The config.ini reader from the file's bytes on: the decoding (a legacy file
// in Windows-1252), the key lookup and the entry parsers. Beyond not crashing:
// everything that comes out is UTF-8, no entry reaches into the one beside it,
// the entry limit holds, and what loads is written back and loads the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "profile/config_file.h"
#include "tests/fakes/windows_1252.h"
#include "tests/fuzz/fuzz_check.h"
#include "scan/utf8.h"

namespace velnor {
namespace {

class Western : public ILocale {
public:
    std::optional<double> ParseDate(const std::string&) override { return std::nullopt; }
    std::string FormatModified(uint64_t) override { return std::string(); }
    std::string Lower(const std::string& text) override { return text; }
    bool UsesUtf8() override { return true; }
    std::string LegacyAnsiToUtf8(const std::string& text) override { return testing::Windows1252ToUtf8(text); }
};

size_t Count(const std::string& text, char c) {
    size_t n = 0;
    for (char x : text) n += x == c;
    return n;
}

// A field inside an entry: the entry ends at the first ">".
void CheckField(const std::string& field) {
    FUZZ_CHECK(IsValidUtf8(field));
    FUZZ_CHECK(field.find('>') == std::string::npos);
}

void CheckFilters(const std::string& value) {
    const config_file::ParsedFilters parsed = config_file::ParseFilters(value);
    FilterTable list;
    for (const config_file::ParsedFilter& f : parsed.filters) {
        CheckField(f.pattern);
        CheckField(f.description);
        FUZZ_CHECK(!f.pattern.empty());
        FUZZ_CHECK(f.pattern.find('|') == std::string::npos);
        FUZZ_CHECK(f.pattern.size() + 1 + f.description.size() + 4 <= kMaxEntryChars);
        AddFilterRow(list, f.pattern, f.description, f.checked, f.type);
    }
    const std::string line = config_file::FilterLine(list);
    const config_file::ParsedFilters again = config_file::ParseFilters(line.substr(line.find('=') + 1));
    FUZZ_CHECK(again.filters.size() == parsed.filters.size());
    for (size_t i = 0; i < parsed.filters.size(); ++i) {
        FUZZ_CHECK(again.filters[i].pattern == parsed.filters[i].pattern);
        FUZZ_CHECK(again.filters[i].description == parsed.filters[i].description);
        FUZZ_CHECK(again.filters[i].checked == parsed.filters[i].checked);
        FUZZ_CHECK(again.filters[i].type == parsed.filters[i].type);
    }
}

void CheckFolders(const std::string& value) {
    const std::vector<config_file::ParsedFolder> folders = config_file::ParseFolders(value);
    LocationTable list;
    for (const config_file::ParsedFolder& folder : folders) {
        CheckField(folder.path);
        FUZZ_CHECK(folder.path.size() + 2 <= kMaxEntryChars);
        list.AppendRow(MakeFolderLocation(folder.path, folder.checked));
    }
    const std::string line = config_file::FolderLine(list);
    const std::vector<config_file::ParsedFolder> again = config_file::ParseFolders(line.substr(line.find('=') + 1));
    // A folder whose text ends like a drive row is written under "PathDrive".
    size_t asFolders = 0;
    for (int i = 0; i < list.RowCount(); ++i) asFolders += list.At(i).kind == LocationKind::Folder;
    FUZZ_CHECK(again.size() == asFolders);
}

void CheckExclusions(const std::string& value) {
    ExclusionTable list;
    for (const std::string& pattern : config_file::ParseExclusions(value)) {
        CheckField(pattern);
        FUZZ_CHECK(pattern.size() >= 2);
        AddExclusionRow(list, pattern);
    }
    const std::string line = config_file::ExcludeLine(list);
    const std::vector<std::string> again = config_file::ParseExclusions(line.substr(line.find('=') + 1));
    FUZZ_CHECK(static_cast<int>(again.size()) == list.RowCount());
    for (size_t i = 0; i < again.size(); ++i) FUZZ_CHECK(again[i] == list.At(static_cast<int>(i)).pattern);
}

}  // namespace
}  // namespace velnor

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velnor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Western locale;
    const std::string text = config_file::FileTextAsUtf8(bytes, locale);
    FUZZ_CHECK(IsValidUtf8(text));
    // Decoding never makes or swallows a line end.
    FUZZ_CHECK(Count(text, '\n') == Count(bytes, '\n'));

    for (const char* key : {"PathDrive", "PathFolder", "PathExclude", "Filter", "Option"}) {
        const std::string value = config_file::FindValue(text, key);
        FUZZ_CHECK(IsValidUtf8(value));
        FUZZ_CHECK(value.find('\n') == std::string::npos);
    }
    CheckFolders(config_file::FindValue(text, "PathFolder"));
    CheckExclusions(config_file::FindValue(text, "PathExclude"));
    CheckFilters(config_file::FindValue(text, "Filter"));
    const ScanOptions options = config_file::ParseOptions(config_file::FindValue(text, "Option"));
    FUZZ_CHECK(config_file::ParseOptions(config_file::OptionLine(options).substr(7)) == options);
    return 0;
}
