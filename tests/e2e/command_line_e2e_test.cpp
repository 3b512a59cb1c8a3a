// The program run from the command line, as a scheduled task or a script runs
// it: /scan and /preview list exactly what the window's scan lists, /clean
// removes exactly that in each removal mode, the exit codes tell a bad
// command line, a profile that cannot be read and a file that stayed, and no
// window ever appears.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include <nlohmann/json.hpp>

#include "platform/win32/win32_platform.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/junk_tree.h"

namespace velnor::e2e {
namespace {

// What a report says of one file.
struct Listed {
    uint64_t size = 0;
    std::string modified;  // ISO 8601 UTC
    std::string result;
    bool operator==(const Listed& o) const { return size == o.size && modified == o.modified && result == o.result; }
};
using Listing = std::map<std::string, Listed>;  // by path

struct Report {
    Listing files;
    std::vector<std::pair<std::string, uint64_t>> areas;
    std::map<std::string, std::pair<uint64_t, uint64_t>> summary;  // what: count, bytes
    int exit = -1;
    std::string error;  // empty when the report could be read
};

// RFC 4180: quoted fields may hold commas, doubled quotes and line breaks.
std::vector<std::vector<std::string>> CsvRows(std::string text) {
    if (text.rfind("\xef\xbb\xbf", 0) == 0) text.erase(0, 3);
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                rows.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += c;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
    return rows;
}

Report ReadCsv(const std::string& text) {
    Report report;
    const std::vector<std::vector<std::string>> rows = CsvRows(text);
    if (rows.empty() || rows[0] != std::vector<std::string>{"Kind", "Name", "Bytes", "Modified", "Result"}) {
        report.error = "no CSV heading in: " + text.substr(0, 200);
        return report;
    }
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string>& row = rows[i];
        if (row.size() != 5) {
            report.error = "row " + std::to_string(i) + " has " + std::to_string(row.size()) + " fields";
            return report;
        }
        if (row[0] == "file") report.files[row[1]] = Listed{std::stoull(row[2]), row[3], row[4]};
        if (row[0] == "area") report.areas.emplace_back(row[1], std::stoull(row[2]));
        if (row[0] == "summary") report.summary[row[1]] = {std::stoull(row[4]), std::stoull(row[2])};
        if (row[0] == "exit") report.exit = std::stoi(row[1]);
    }
    if (report.exit < 0 || rows.back()[0] != "exit") report.error = "the exit row is not last";
    return report;
}

Report ReadJson(const std::string& text) {
    Report report;
    try {
        const nlohmann::json document = nlohmann::json::parse(text);
        for (const nlohmann::json& file : document.at("files"))
            report.files[file.at("path").get<std::string>()] =
                Listed{file.at("bytes").get<uint64_t>(), file.at("modified").get<std::string>(),
                       file.at("result").get<std::string>()};
        for (const nlohmann::json& area : document.at("areas"))
            report.areas.emplace_back(area.at("name").get<std::string>(), area.at("bytes").get<uint64_t>());
        for (const auto& [what, entry] : document.at("summary").items())
            if (entry.is_object())
                report.summary[what] = {entry.at("count").get<uint64_t>(), entry.at("bytes").get<uint64_t>()};
        report.exit = document.at("summary").at("exit code").get<int>();
    } catch (const std::exception& e) {
        report.error = std::string("not the JSON report: ") + e.what();
    }
    return report;
}

uint64_t FileTimeOf(const std::string& isoUtc) {
    SYSTEMTIME st = {};
    int year, month, day, hour, minute, second;
    if (std::sscanf(isoUtc.c_str(), "%d-%d-%dT%d:%d:%dZ", &year, &month, &day, &hour, &minute, &second) != 6) return 0;
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    FILETIME ft;
    if (!::SystemTimeToFileTime(&st, &ft)) return 0;
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

uint64_t LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// Empty when the run went as a scheduled run must: it ended, and no window
// of its process was ever shown, nor any dialog made.
std::string RanWithoutWindow(const CommandResult& run) {
    if (!run.failure.empty()) return run.failure;
    for (const std::string& window : run.windows)
        if (window.find("(visible)") != std::string::npos || window.rfind("#32770", 0) == 0)
            return "a window appeared: " + window;
    return std::string();
}

// The files that the tree's plan says the scan lists (checked in the window
// or not: the command line takes every file found), by path.
std::set<std::string> PlannedFinds(const JunkTree& tree) {
    std::set<std::string> paths;
    for (const Planned& file : tree.Files())
        if (file.fate != Planned::kNotListed) paths.insert(tree.LocationOf(file));
    return paths;
}

std::set<std::wstring> RelativePaths(const JunkTree& tree, const Listing& files) {
    std::set<std::wstring> relative;
    for (const auto& [path, listed] : files) relative.insert(Widen(path.substr(tree.Root().size() + 1)));
    return relative;
}

std::set<std::string> Paths(const Listing& files) {
    std::set<std::string> paths;
    for (const auto& [path, listed] : files) paths.insert(path);
    return paths;
}

// A profile for the tree, made the way a user makes one: the window's first
// start writes the defaults and Exit saves the options; then every drive is
// unchecked (under Wine Z: is the host's whole file system), the tree is the
// one folder, the removal mode is set and the system areas are left alone,
// unless `withAreas`.
std::string WriteTreeProfile(const Workspace& workspace, const JunkTree& tree, bool recycle, bool withAreas) {
    const std::string folder = workspace / "ProfileMaker";
    {
        Program program(folder);
        if (!program.Started()) return std::string();
        if (!ExitProgram(program).empty()) return std::string();
    }
    std::string text;
    for (const std::string& line : ProfileLines(folder + "\\config.ini")) {
        std::string kept = line;
        if (kept.rfind("PathDrive=", 0) == 0) {
            for (size_t at; (at = kept.find("|1>")) != std::string::npos;) kept.replace(at, 3, "|0>");
        } else if (kept.rfind("PathFolder=", 0) == 0) {
            kept = "PathFolder=<" + tree.Root() + "|1>";
        } else if (kept.rfind("Option=", 0) == 0) {
            auto set = [&](const std::string& token, bool on) {
                const size_t at = kept.find("<" + token + "|");
                if (at != std::string::npos) kept[at + token.size() + 2] = on ? '1' : '0';
            };
            set("remove", recycle);
            set("clean0", true);
            for (const char* area : {"clean1", "clean2", "clean3", "clean4", "clean5"}) set(area, withAreas);
        }
        text += kept + "\r\n";
    }
    const std::string path = workspace / (recycle ? "recycle.ini" : "permanent.ini");
    WriteFileBytes(Widen(path), text);
    return path;
}

TEST(CommandLine, ScanAndPreviewListExactlyWhatTheWindowListsInBothFormats) {
    Workspace workspace;
    JunkTree tree(workspace);
    ASSERT_TRUE(tree.Linked());
    const Snapshot before = TakeSnapshot(Widen(tree.Root()));
    const std::string app = workspace / "App";

    // The window's scan, with the folder chosen as a user chooses it; Exit
    // saves the profile beside the program, which the command line then reads.
    std::map<std::string, std::pair<uint64_t, std::string>> window;  // path: size, time text
    {
        Program program(app);
        ASSERT_TRUE(program.Started()) << program.Error();
        ASSERT_EQ(ChooseOnlyFolder(program, tree.Root(), tree.Root()), "");
        ASSERT_EQ(ScanToEnd(program, tree.Root()), "");
        RemoteList results(program, IDC_RESULT_LIST);
        for (int row = 0; row < results.Count(); ++row)
            window[results.Cell(row, 2)] = {std::stoull(results.Cell(row, 3)), results.Cell(row, 4)};
        ASSERT_EQ(ExitProgram(program), "");
    }
    std::set<std::string> windowPaths;
    for (const auto& [path, cells] : window) windowPaths.insert(path);
    ASSERT_EQ(windowPaths, PlannedFinds(tree));

    const std::string profileOptions = ProfileValue(app + "\\config.ini", "Option");
    for (const char* command : {"/scan", "/preview"}) {
        for (const bool json : {false, true}) {
            SCOPED_TRACE(std::string(command) + (json ? " as JSON to a report file" : " as CSV to the output"));
            const std::string reportFile = workspace / "report.json";
            const CommandResult run =
                RunCommandLine(app, std::string(command) + (json ? " /format json /report \"" + reportFile + "\"" : ""));
            ASSERT_EQ(RanWithoutWindow(run), "");
            EXPECT_EQ(run.exitCode, 0u) << run.error;
            EXPECT_EQ(run.error, "");
            const Report report = json ? ReadJson(ReadFileBytes(reportFile)) : ReadCsv(run.output);
            ASSERT_EQ(report.error, "");
            if (json) EXPECT_EQ(run.output, "");
            EXPECT_EQ(report.exit, 0);
            EXPECT_EQ(Paths(report.files), windowPaths);
            uint64_t bytes = 0;
            for (const auto& [path, listed] : report.files) {
                SCOPED_TRACE(path);
                if (!window.count(path)) continue;
                EXPECT_EQ(listed.size, window[path].first);
                EXPECT_EQ(listed.result, "found");
                const uint64_t time = FileTimeOf(listed.modified);
                EXPECT_EQ(velnor::Win32Locale().FormatModified(time), window[path].second);
                EXPECT_EQ(time / 10000000, LastWriteTime(path) / 10000000);
                bytes += listed.size;
            }
            EXPECT_EQ(report.summary.at("found"), (std::pair<uint64_t, uint64_t>(report.files.size(), bytes)));
            if (std::string(command) == "/preview") {
                // One line per checked area, in the Clean page's order; the
                // total adds the files (their item is on) and the areas.
                size_t checkedAreas = 0;
                for (const char* area : {"clean1", "clean2", "clean3", "clean4", "clean5"})
                    checkedAreas += profileOptions.find(std::string("<") + area + "|1>") != std::string::npos;
                EXPECT_EQ(report.areas.size(), checkedAreas) << profileOptions;
                uint64_t areaBytes = 0;
                for (const auto& [name, size] : report.areas) areaBytes += size;
                ASSERT_TRUE(report.summary.count("to free"));
                EXPECT_EQ(report.summary.at("to free").second, bytes + areaBytes);
            } else {
                EXPECT_TRUE(report.areas.empty());
            }
        }
    }
    EXPECT_EQ(Differences(before, TakeSnapshot(Widen(tree.Root())), {}), "") << "a scan changed the tree";
}

enum class Mode { kRecycle, kPermanent };
class CommandLineClean : public ::testing::TestWithParam<Mode> {};

TEST_P(CommandLineClean, RemovesExactlyWhatTheScanFoundAndLeavesEveryDecoy) {
    const bool recycle = GetParam() == Mode::kRecycle;
    Workspace workspace;
    JunkTree tree(workspace);
    ASSERT_TRUE(tree.Linked());
    const std::string profile = WriteTreeProfile(workspace, tree, recycle, false);
    ASSERT_FALSE(profile.empty()) << "the window could not make the profile";
    const std::string app = workspace / "App";

    const CommandResult scan = RunCommandLine(app, "/scan /profile \"" + profile + "\"");
    ASSERT_EQ(RanWithoutWindow(scan), "");
    const Report found = ReadCsv(scan.output);
    ASSERT_EQ(found.error, "");
    ASSERT_EQ(Paths(found.files), PlannedFinds(tree));

    const Snapshot before = TakeSnapshot(Widen(tree.Root()));
    const Snapshot outsideBefore = TakeSnapshot(Widen(tree.Outside()));
    const std::wstring bin = RecycleBinFiles();
    const Snapshot binBefore = bin.empty() ? Snapshot() : TakeSnapshot(bin);

    const CommandResult clean = RunCommandLine(app, "/clean /profile \"" + profile + "\"");
    ASSERT_EQ(RanWithoutWindow(clean), "");
    EXPECT_EQ(clean.exitCode, 0u) << clean.output << clean.error;
    const Report removed = ReadCsv(clean.output);
    ASSERT_EQ(removed.error, "");
    EXPECT_EQ(Paths(removed.files), Paths(found.files));
    for (const auto& [path, listed] : removed.files) EXPECT_EQ(listed.result, "removed") << path;
    EXPECT_TRUE(removed.areas.empty());
    EXPECT_EQ(removed.summary.at("removed").first, found.files.size());
    EXPECT_EQ(removed.summary.at("left").first, 0u);

    const std::set<std::wstring> gone = RelativePaths(tree, found.files);
    EXPECT_EQ(Differences(before, TakeSnapshot(Widen(tree.Root())), gone), "");
    EXPECT_EQ(Differences(outsideBefore, TakeSnapshot(Widen(tree.Outside())), {}), "");
    if (!bin.empty()) {
        const std::vector<uint64_t> arrived = ArrivedFileHashes(binBefore, TakeSnapshot(bin));
        if (recycle)
            EXPECT_EQ(arrived, FileHashes(before, gone)) << "the Recycle Bin did not take exactly the removed files";
        else
            EXPECT_TRUE(arrived.empty()) << "permanent removal put files into the Recycle Bin";
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, CommandLineClean, ::testing::Values(Mode::kRecycle, Mode::kPermanent),
                         [](const ::testing::TestParamInfo<Mode>& info) {
                             return info.param == Mode::kRecycle ? "RecycleBin" : "Permanent";
                         });

TEST(CommandLine, ExitCodesTellABadSwitchAMissingProfileAndALockedFile) {
    Workspace workspace;
    JunkTree tree(workspace);
    const std::string profile = WriteTreeProfile(workspace, tree, false, false);
    ASSERT_FALSE(profile.empty());
    const std::string app = workspace / "App";
    const Snapshot before = TakeSnapshot(Widen(tree.Root()));

    {
        SCOPED_TRACE("a bad switch: the usage, nothing scanned or removed");
        const CommandResult run = RunCommandLine(app, "/clean /profile \"" + profile + "\" /fromat json");
        ASSERT_EQ(RanWithoutWindow(run), "");
        EXPECT_EQ(run.exitCode, 1u);
        EXPECT_NE(run.error.find("unknown switch /fromat"), std::string::npos) << run.error;
        EXPECT_NE(run.error.find("Usage: VelnorCleaner.exe"), std::string::npos) << run.error;
        EXPECT_EQ(Differences(before, TakeSnapshot(Widen(tree.Root())), {}), "");
    }
    {
        SCOPED_TRACE("a missing profile: said in the report, nothing removed");
        const CommandResult run = RunCommandLine(app, "/clean /profile \"" + (workspace / "missing.ini") + "\"");
        ASSERT_EQ(RanWithoutWindow(run), "");
        EXPECT_EQ(run.exitCode, 2u);
        const Report report = ReadCsv(run.output);
        EXPECT_EQ(report.error, "");
        EXPECT_EQ(report.exit, 2);
        EXPECT_TRUE(report.files.empty());
        EXPECT_NE(run.error.find("missing.ini"), std::string::npos) << run.error;
        EXPECT_EQ(Differences(before, TakeSnapshot(Widen(tree.Root())), {}), "");
        EXPECT_FALSE(PathExists(Widen(workspace / "missing.ini"))) << "the command line wrote a profile";
    }
    {
        SCOPED_TRACE("a file held open by another program stays, and is named");
        const std::string locked = tree.Root() + "\\a.tmp";
        HANDLE holder = ::CreateFileW(Widen(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        const CommandResult run = RunCommandLine(app, "/clean /profile \"" + profile + "\" /format json");
        ::CloseHandle(holder);
        ASSERT_EQ(RanWithoutWindow(run), "");
        EXPECT_EQ(run.exitCode, 3u);
        const Report report = ReadJson(run.output);
        ASSERT_EQ(report.error, "");
        EXPECT_EQ(report.exit, 3);
        const std::string lockedListed = Lower(tree.Root()) + "\\a.tmp";
        ASSERT_TRUE(report.files.count(lockedListed));
        EXPECT_EQ(report.files.at(lockedListed).result, "left");
        EXPECT_EQ(report.summary.at("left").first, 1u);
        std::set<std::wstring> gone = RelativePaths(tree, report.files);
        gone.erase(L"a.tmp");
        EXPECT_EQ(Differences(before, TakeSnapshot(Widen(tree.Root())), gone), "");
        EXPECT_EQ(report.files.size(), PlannedFinds(tree).size());
    }
}

}  // namespace
}  // namespace velnor::e2e
