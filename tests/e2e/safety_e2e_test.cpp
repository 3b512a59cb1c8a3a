// What must never happen to a user's files or profile: a file locked by
// another program during the clean, Exit while a scan runs, a read-only
// profile, a folder location that has gone or whose paths run past the
// platform's limit. Nothing that the user did not check is ever removed.
#include <gtest/gtest.h>

#include <set>

#include "tests/e2e/e2e_steps.h"

namespace velnor::e2e {
namespace {

std::string Bytes(const std::wstring& tag) { return "content of " + Narrow(tag) + "\n"; }

// Files below a root, each holding a text that names it.
void MakeFiles(const std::string& root, const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) WriteFileBytes(Widen(root) + L"\\" + file, Bytes(file));
}

class LockedFile : public ::testing::TestWithParam<bool> {};

// A checked file that another program holds open without sharing can be
// neither deleted nor moved to the Recycle Bin (under Wine the shell's move to
// the host's trash is refused too): it stays whole, the other checked files
// still go (a read-only one among them: the user checked it), and the clean
// completes, telling that one checked file was left, whose row stays checked.
// In Recycle Bin mode every file that went is in the bin with its bytes;
// deleted, none is.
TEST_P(LockedFile, StaysWholeWhileTheOtherCheckedFilesGo) {
    const bool recycle = GetParam();
    Workspace workspace;
    const std::string root = workspace / "Tree";
    const std::vector<std::wstring> junk = {L"one.tmp", L"locked.tmp", L"two.old", L"Sub\\three.chk",
                                            L"readonly.tmp"};
    MakeFiles(root, junk);
    MakeFiles(root, {L"keep.txt", L"Sub\\keep.doc"});
    const std::wstring readOnly = Widen(root) + L"\\readonly.tmp";
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const Snapshot before = TakeSnapshot(Widen(root));
    const std::wstring bin = RecycleBinFiles();
    ASSERT_FALSE(bin.empty()) << "no Recycle Bin folder to look in";
    const Snapshot binBefore = TakeSnapshot(bin);

    Program program(workspace / "App");
    ASSERT_TRUE(program.Started()) << program.Error();
    ASSERT_EQ(ChooseOnlyFolder(program, root, root), "");
    ASSERT_TRUE(program.Click(IDC_PAGE_OPTIONS));
    ASSERT_TRUE(program.Click(recycle ? IDC_RECYCLE_MODE : IDC_PERMANENT_MODE));
    ASSERT_EQ(ScanToEnd(program, root), "");
    ASSERT_EQ(ResultRows(program).size(), junk.size());
    ASSERT_TRUE(program.Click(IDC_NEXT));

    HANDLE lock = ::CreateFileW((Widen(root) + L"\\locked.tmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const std::string cleaned = StartCleanAndAnswer(program, true, root, "Clean Completed! Left: 1 file.");
    ::CloseHandle(lock);
    ASSERT_EQ(cleaned, "");
    const std::vector<ResultRow> rows = ResultRows(program);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].checked);
    EXPECT_EQ(Lower(rows[0].location), Lower(root + "\\locked.tmp"));

    const Snapshot after = TakeSnapshot(Widen(root));
    const std::set<std::wstring> gone = {L"one.tmp", L"two.old", L"Sub\\three.chk", L"readonly.tmp"};
    EXPECT_EQ(Differences(before, after, gone), "") << "locked.tmp was checked but held open: it must stay whole";
    EXPECT_EQ(ArrivedFileHashes(binBefore, TakeSnapshot(bin)),
              recycle ? FileHashes(before, gone) : std::vector<uint64_t>())
        << (recycle ? "the removed files, and only they, must be in the Recycle Bin" : "nothing goes to the bin");
    ASSERT_EQ(ExitProgram(program), "");
}

INSTANTIATE_TEST_SUITE_P(EachRemovalMode, LockedFile, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("RecycleBin") : std::string("Permanent");
                         });

// Exit while the walk is in the middle of a big tree: the walk stops, the
// profile is saved, the program ends, and no file is touched.
TEST(Safety, ExitDuringAScanSavesAndEndsWithoutTouchingFiles) {
    Workspace workspace;
    const std::string root = workspace / "Big";
    Trace("exit-during-scan: start");
    // Some 2,500 folders: the walk takes a while over them (it drains the
    // queue after every folder), Exit comes within milliseconds.
    for (int i = 0; i < 50; ++i) {
        for (int j = 0; j < 50; ++j) {
            const std::wstring folder = Widen(root) + L"\\d" + std::to_wstring(i) + L"\\e" + std::to_wstring(j);
            if (j % 2 == 0)
                WriteFileBytes(folder + L"\\x" + std::to_wstring(j) + L".tmp", "junk");
            else
                MakeFolders(folder);
        }
    }
    const Snapshot before = TakeSnapshot(Widen(root));
    Trace("exit-during-scan: tree of " + std::to_string(before.size()) + " entries");

    Program program(workspace / "App");
    ASSERT_TRUE(program.Started()) << program.Error();
    ASSERT_EQ(ChooseOnlyFolder(program, root, root), "");
    ASSERT_EQ(OnlyInsideChecked(program, root), "");
    program.PostClick(IDC_START_SCAN);
    // The status line names the folder being walked from the first folder on.
    const std::string walking = "Scaning: " + Lower(root);
    ASSERT_TRUE(WaitUntil([&] { return program.Text(IDC_SCAN_STATUS).rfind(walking, 0) == 0; }, kStepMs))
        << program.Text(IDC_SCAN_STATUS);
    const std::string status = program.Text(IDC_SCAN_STATUS);
    const int rowsThen = RemoteList(program, IDC_RESULT_LIST).Count();
    ASSERT_NE(status, kScanFinished) << "the walk ended before Exit could be pressed; the tree is too small";
    EXPECT_EQ(status.rfind(walking, 0), 0u) << status;
    Trace("exit-during-scan: scan running with " + std::to_string(rowsThen) + " rows");

    const ULONGLONG pressed = ::GetTickCount64();
    ASSERT_EQ(ExitProgram(program), "");
    Trace("exit-during-scan: ended after " + std::to_string(::GetTickCount64() - pressed) + " ms");

    EXPECT_EQ(Differences(before, TakeSnapshot(Widen(root)), {}), "");
    Trace("exit-during-scan: compared");
    const std::vector<std::string> lines = ProfileLines(program.ProfilePath());
    ASSERT_EQ(lines.size(), 10u) << "Exit saves the profile";
    EXPECT_EQ(lines[2], "PathFolder=<" + root + "|1>");
    EXPECT_EQ(lines[8].rfind("Option=<read|1>", 0), 0u);
}

// Which file a path names now: a file put in its place is another one.
std::string FileIdentity(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<cannot open>";
    BY_HANDLE_FILE_INFORMATION info = {};
    const BOOL known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!known) return "<unknown>";
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
           std::to_string(info.nFileIndexLow) + ":" + std::to_string(info.ftLastWriteTime.dwHighDateTime) + ":" +
           std::to_string(info.ftLastWriteTime.dwLowDateTime);
}

// A read-only profile counts as missing, even where the process could write
// it (Wine run by the super-user): no setting is taken from it, it is never
// rewritten or replaced whatever the user does, and nothing is written beside it.
TEST(Safety, ReadOnlyProfileIsLeftExactlyAsItIs) {
    Workspace workspace;
    const std::string app = workspace / "App";
    const std::string listed = workspace / "Listed";
    const std::string root = workspace / "Tree";
    MakeFiles(listed, {L"a.tmp"});
    MakeFiles(root, {L"b.tmp"});
    ::CreateDirectoryA(app.c_str(), nullptr);
    const std::string profile = app + "\\config.ini";
    std::string drives;
    for (char drive = 'A'; drive <= 'Z'; ++drive) drives += std::string("<") + drive + ":|0>";
    const std::string original = "PathDrive=" + drives + "\r\nPathFolder=<" + listed +
                                 "|1>\r\nPathExclude=<*\\sendto>\r\n"
                                 "Filter=<*.tmp|Temporary Files|1|0>\r\nOption=<read|0><remove|0>\r\n";
    WriteFileBytes(Widen(profile), original);
    ASSERT_TRUE(::SetFileAttributesA(profile.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string identity = FileIdentity(profile);

    Program program(app);
    ASSERT_TRUE(program.Started()) << program.Error();
    RemoteList filters(program, IDC_FILTER_LIST);
    RemoteList exclusions(program, IDC_EXCLUDE_LIST);
    RemoteList locations(program, IDC_LOCATION_LIST);
    {
        SCOPED_TRACE("nothing taken from the file");
        // Read, the file would give one filter, one exclusion, the listed
        // folder and every drive unticked; with no file at all the program
        // would have written one with the 84 default filters.
        EXPECT_EQ(filters.Count(), 0);
        EXPECT_EQ(exclusions.Count(), 0);
        ASSERT_GE(locations.Count(), 1);
        for (int row = 0; row < locations.Count(); ++row) {
            EXPECT_TRUE(locations.Checked(row)) << locations.Cell(row, 1);
            EXPECT_FALSE(StartsWithNoCase(locations.Cell(row, 1), listed)) << locations.Cell(row, 1);
        }
    }

    // Every saving action: Add (through the chooser), Remove, an option,
    // Default, Exit.
    ASSERT_EQ(ChooseOnlyFolder(program, root, root), "");
    const int added = locations.Count() - 1;
    ASSERT_TRUE(locations.ClickRow(added));
    ASSERT_TRUE(program.Click(IDC_REMOVE));
    EXPECT_EQ(locations.Count(), added);
    ASSERT_TRUE(program.Click(IDC_PAGE_OPTIONS));
    ASSERT_TRUE(program.Click(IDC_OPT_SYSTEM));
    ASSERT_TRUE(program.Click(IDC_PAGE_FILTERS));
    ASSERT_TRUE(program.Click(IDC_DEFAULT));
    EXPECT_EQ(filters.Count(), 84);
    ASSERT_EQ(ExitProgram(program), "");

    EXPECT_EQ(ReadFileBytes(profile), original);
    EXPECT_EQ(FileIdentity(profile), identity) << "the profile was replaced or written";
    const DWORD attributes = ::GetFileAttributesA(profile.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY));
    const Snapshot beside = TakeSnapshot(Widen(app));
    EXPECT_EQ(beside.size(), 2u) << "only the program and its profile";
    ::SetFileAttributesA(profile.c_str(), FILE_ATTRIBUTE_NORMAL);
}

class DeepFolders : public ::testing::TestWithParam<bool> {};

// A saved folder location that no longer exists yields nothing and no
// message. Below a location, folders as deep as today's disks hold them (CJK
// names whose paths are well under 260 characters but over 260 bytes, ASCII
// paths past 300 and 1,000 characters) are walked and their junk listed. A
// deletion names each file exactly, however long its path; the Recycle Bin
// takes plain paths only, so a file whose path is past the limit stays there,
// its row stays checked, and the end of the clean says so.
TEST_P(DeepFolders, EveryJunkFileIsListedAndGoesWhereTheModeCanReachIt) {
    const bool recycle = GetParam();
    Workspace workspace;
    const std::string app = workspace / "App";
    const std::string gone = workspace / "Gone";
    const std::string deep = workspace / "Deep";
    MakeFiles(gone, {L"a.tmp"});

    // One chain of CJK folders up to a path of some 250 characters, and one of
    // ASCII folders of 40 characters each down to past 1,000.
    std::vector<std::wstring> files;
    const size_t base = Widen(deep).size() + 1;
    std::wstring folder = L"\u6587\u4EF6";
    while (base + folder.size() + 30 < 250) {
        folder += L"\\" + std::wstring(24, L'\u65E5');
        files.push_back(folder + L"\\\u65E7" + std::to_wstring(files.size()) + L".tmp");
        files.push_back(folder + L"\\keep" + std::to_wstring(files.size()) + L".txt");
    }
    folder = L"ascii";
    while (base + folder.size() < 1040) {
        folder += L"\\" + std::wstring(39, L'x');
        files.push_back(folder + L"\\junk" + std::to_wstring(files.size()) + L".tmp");
        files.push_back(folder + L"\\keep" + std::to_wstring(files.size()) + L".txt");
    }
    MakeFiles(deep, files);
    const Snapshot before = TakeSnapshot(Widen(deep));
    ASSERT_GT(before.size(), files.size()) << "the deep folders could not be made";

    {
        Program first(app);
        ASSERT_TRUE(first.Started()) << first.Error();
        ASSERT_EQ(ChooseOnlyFolder(first, gone, workspace.Root()), "");
        ASSERT_EQ(ChooseOnlyFolder(first, deep, workspace.Root()), "");
        ASSERT_EQ(ExitProgram(first), "");
    }
    ::DeleteFileA((gone + "\\a.tmp").c_str());
    ASSERT_TRUE(::RemoveDirectoryA(gone.c_str()));

    Program program(app);
    ASSERT_TRUE(program.Started()) << program.Error();
    {
        SCOPED_TRACE("the saved profile came back");
        RemoteList locations(program, IDC_LOCATION_LIST);
        std::set<std::string> checked;
        for (int row = 0; row < locations.Count(); ++row)
            if (locations.Checked(row)) checked.insert(Lower(locations.Cell(row, 1)));
        EXPECT_EQ(checked, (std::set<std::string>{Lower(gone), Lower(deep)}));
    }
    ASSERT_TRUE(program.Click(IDC_PAGE_OPTIONS));
    ASSERT_TRUE(program.Click(recycle ? IDC_RECYCLE_MODE : IDC_PERMANENT_MODE));
    ASSERT_EQ(ScanToEnd(program, workspace.Root()), "");

    const auto locationOf = [&](const std::wstring& file) { return Widen(Lower(deep)) + L"\\" + file; };
    std::set<std::string> expectListed;
    std::set<std::wstring> removed;
    size_t beyondTheLimit = 0;
    for (const std::wstring& file : files) {
        if (file.find(L".tmp") == std::wstring::npos) continue;
        expectListed.insert(Lower(Narrow(locationOf(file))));
        const bool beyond = locationOf(file).size() >= MAX_PATH;
        beyondTheLimit += beyond;
        if (!recycle || !beyond) removed.insert(file);
    }
    const size_t pastTheLimit = recycle ? beyondTheLimit : 0;
    std::set<std::string> listed;
    for (const ResultRow& row : ResultRows(program)) listed.insert(Lower(row.location));
    EXPECT_EQ(listed, expectListed);

    ASSERT_TRUE(program.Click(IDC_NEXT));
    ASSERT_GT(beyondTheLimit, 5u);
    ASSERT_EQ(StartCleanAndAnswer(program, true, workspace.Root(),
                                  recycle ? "Clean Completed! Left: " + std::to_string(pastTheLimit) + " files."
                                          : std::string(kCleanCompleted)),
              "");
    EXPECT_EQ(Differences(before, TakeSnapshot(Widen(deep)), removed), "");
    std::set<std::string> stillListed;
    for (const ResultRow& row : ResultRows(program)) {
        EXPECT_TRUE(row.checked) << row.location;
        stillListed.insert(Lower(row.location));
    }
    EXPECT_EQ(stillListed.size(), pastTheLimit);
    ASSERT_EQ(ExitProgram(program), "");
    EXPECT_EQ(ProfileValue(program.ProfilePath(), "PathFolder"), "<" + gone + "|1><" + deep + "|1>");
}

INSTANTIATE_TEST_SUITE_P(EachRemovalMode, DeepFolders, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("RecycleBin") : std::string("Permanent");
                         });

}  // namespace
}  // namespace velnor::e2e
