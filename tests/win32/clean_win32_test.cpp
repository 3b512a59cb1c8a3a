// The system-area cleaners on the real services: the URL cache, the folders
// of the file system and the shell, the Recycle Bin and the URL history.
#include <windows.h>
#include <objbase.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dialog_parts.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/url_cache_win32.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/win32/moved_services_win32.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::AnsweringPrompts;
using testing::FileExists;
using testing::MovedRecentShell;
using testing::MovedTempFileSystem;
using testing::ScratchTrash;
using testing::MakeFolder;
using testing::TempDir;
using testing::WriteBytes;

constexpr char kCookieUrl[] = "http://cookies.velnor.example/";

// ---------------------------------------------------------------------------
// The URL cache

struct SeenEntry {
    std::string url;
    uint32_t type;
};

// Every entry of the real cache, walked with the program's own walk.
std::vector<SeenEntry> CacheEntries() {
    Win32UrlCache cache;
    std::vector<SeenEntry> seen;
    std::vector<uint8_t> buffer;
    uint32_t size = 4096;
    UrlCacheEntry entry;
    uint32_t error = 0;
    IUrlCache::Handle walk = nullptr;
    for (int guard = 0; guard < 100000; ++guard) {
        buffer.assign(size, 0);
        std::memcpy(buffer.data(), &size, sizeof size);
        const bool found = walk ? cache.FindNext(walk, buffer, size, entry, error)
                                : (walk = cache.FindFirst(buffer, size, entry, error)) != nullptr;
        if (found) {
            seen.push_back({entry.sourceUrlName, entry.entryType});
            size = static_cast<uint32_t>(buffer.size());
        } else if (error != kErrorInsufficientBuffer) {
            break;
        }
    }
    if (walk) cache.FindClose(walk);
    return seen;
}

bool InCache(const std::string& url) {
    for (const SeenEntry& e : CacheEntries())
        if (e.url == url) return true;
    return false;
}

std::optional<SeenEntry> CookieEntryFor(const std::string& host) {
    for (const SeenEntry& e : CacheEntries())
        if ((e.type & kCookieCacheEntry) && e.url.find(host) != std::string::npos) return e;
    return std::nullopt;
}

// An ordinary page in the cache, with its local file; `headers` makes the
// entry's record as large as wanted.
bool AddPage(const std::string& url, const std::string& headers = std::string()) {
    char file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) return false;
    WriteBytes(file, "<html>velnor</html>");
    FILETIME zero = {};
    return ::CommitUrlCacheEntryA(url.c_str(), file, zero, zero, NORMAL_CACHE_ENTRY,
                                  headers.empty() ? nullptr : reinterpret_cast<BYTE*>(const_cast<char*>(headers.data())),
                                  static_cast<DWORD>(headers.size()), "htm", nullptr) != FALSE;
}

// The real cache behind a walk that remembers what it was shown and asked.
struct RecordingUrlCache : Win32UrlCache {
    std::vector<SeenEntry> seen;
    std::vector<std::string> deleted;
    int tooSmall = 0;
    Handle FindFirst(std::vector<uint8_t>& buffer, uint32_t& size, UrlCacheEntry& entry, uint32_t& error) override {
        Handle walk = Win32UrlCache::FindFirst(buffer, size, entry, error);
        Note(walk != nullptr, entry, error);
        return walk;
    }
    bool FindNext(Handle walk, std::vector<uint8_t>& buffer, uint32_t& size, UrlCacheEntry& entry,
                  uint32_t& error) override {
        const bool found = Win32UrlCache::FindNext(walk, buffer, size, entry, error);
        Note(found, entry, error);
        return found;
    }
    bool DeleteEntry(const std::string& url) override {
        deleted.push_back(url);
        return Win32UrlCache::DeleteEntry(url);
    }
    void Note(bool found, const UrlCacheEntry& entry, uint32_t error) {
        if (found)
            seen.push_back({entry.sourceUrlName, entry.entryType});
        else if (error == kErrorInsufficientBuffer)
            ++tooSmall;
    }
};

TEST(UrlCacheOnWine, CleanDeletesThePagesAndKeepsTheCookies) {
    const std::string pages[] = {"http://www.velnor.example/index.html", "http://www.velnor.example/logo.gif",
                                 "http://other.velnor.example/page.htm"};
    for (const std::string& page : pages) ASSERT_TRUE(AddPage(page)) << page << " " << ::GetLastError();
    // A page whose record does not fit the walk's first 4096 bytes.
    const std::string big = "http://www.velnor.example/big.html";
    ASSERT_TRUE(AddPage(big, "X-Velnor: " + std::string(9000, 'v') + "\r\n\r\n"));
    // A lasting cookie is kept in the cache as a cookie entry.
    ASSERT_TRUE(::InternetSetCookieA(kCookieUrl, "keep", "me; expires=Fri, 01-Jan-2038 00:00:00 GMT"));
    const std::optional<SeenEntry> cookieBefore = CookieEntryFor("cookies.velnor.example");
    ASSERT_TRUE(cookieBefore) << "the cookie did not reach the cache";
    for (const std::string& page : pages) ASSERT_TRUE(InCache(page)) << page;

    RecordingUrlCache cache;
    Platform platform;
    platform.urlCache = &cache;
    MainDialogParts model(platform);
    EXPECT_TRUE(model.clean.CleanUrlCache());

    for (const std::string& page : pages) {
        EXPECT_FALSE(InCache(page)) << page;
        EXPECT_NE(std::find(cache.deleted.begin(), cache.deleted.end(), page), cache.deleted.end()) << page;
    }
    EXPECT_FALSE(InCache(big));
    EXPECT_GE(cache.tooSmall, 1) << "the large entry should have asked for more room";
    // The walk saw the cookie and left it alone.
    const auto sawCookie = std::find_if(cache.seen.begin(), cache.seen.end(), [&](const SeenEntry& e) {
        return e.url == cookieBefore->url;
    });
    EXPECT_NE(sawCookie, cache.seen.end());
    EXPECT_EQ(std::find(cache.deleted.begin(), cache.deleted.end(), cookieBefore->url), cache.deleted.end());
    const std::optional<SeenEntry> cookieAfter = CookieEntryFor("cookies.velnor.example");
    ASSERT_TRUE(cookieAfter);
    EXPECT_EQ(cookieAfter->url, cookieBefore->url);
    for (const SeenEntry& e : CacheEntries()) EXPECT_TRUE(e.type & kCookieCacheEntry) << e.url;
}

TEST(UrlHistoryOnWine, ClearHistoryCreatesTheObjectAndBalancesCom) {
    Win32UrlHistory history;
    history.ClearHistory();
    // The thread's own COM set-up is still in place afterwards.
    EXPECT_EQ(::CoInitialize(nullptr), S_FALSE);
    ::CoUninitialize();
}

// ---------------------------------------------------------------------------
// Folders, the shell and the Recycle Bin

class FoldersOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        temp = dir / "Temp\\";
        recent = dir / "Recent";
        MakeFolder(dir / "Temp");
        MakeFolder(recent);
        files.tempPath = temp;
        shell.recent = recent;
        shell.realBin = ScratchTrash();
        platform.files = &files;
        platform.shell = &shell;
        platform.prompts = &prompts;
        platform.urlCache = &urlCache;
        platform.urlHistory = &urlHistory;
        model = std::make_unique<MainDialogParts>(platform);
        model->LayoutControls();
        model->scan.SetupResultList();
    }
    void Put(const std::string& path, size_t bytes, DWORD attributes = 0) {
        WriteBytes(path, std::string(bytes, 'j'));
        if (attributes) ::SetFileAttributesA(path.c_str(), attributes);
    }
    void Folder(const std::string& path, DWORD attributes = 0) {
        MakeFolder(path);
        if (attributes) ::SetFileAttributesA(path.c_str(), attributes);
    }
    void CheckOnly(std::initializer_list<ScanOptions::Flag> on) {
        for (ScanOptions::Flag f : {ScanOptions::kClean0, ScanOptions::kClean1, ScanOptions::kClean2,
                                    ScanOptions::kClean3, ScanOptions::kClean4, ScanOptions::kClean5})
            model->options.SetOption(f, std::find(on.begin(), on.end(), f) != on.end());
    }
    uint64_t Size(CleanArea area) { return model->clean.AreaSize(area); }
    std::string Text(int id) { return model->controls.StateOf(id).text; }

    TempDir dir;
    std::string temp, recent;
    MovedTempFileSystem files;
    MovedRecentShell shell;
    AnsweringPrompts prompts;
    Win32UrlCache urlCache;
    Win32UrlHistory urlHistory;
    Platform platform;
    std::unique_ptr<MainDialogParts> model;
};

TEST_F(FoldersOnDisk, TempSizeCountsHiddenFilesButNotHiddenOrSystemSubfolders) {
    Put(temp + "a.tmp", 1000);
    Put(temp + "hidden.tmp", 200, FILE_ATTRIBUTE_HIDDEN);
    Put(temp + "system.tmp", 30, FILE_ATTRIBUTE_SYSTEM);
    Folder(temp + "Sub");
    Put(temp + "Sub\\b.tmp", 4);
    Folder(temp + "Sub\\Deeper");
    Put(temp + "Sub\\Deeper\\c.tmp", 5);
    Folder(temp + "Sub\\Held", FILE_ATTRIBUTE_HIDDEN);
    Put(temp + "Sub\\Held\\d.tmp", 60000);
    Folder(temp + "Hidden", FILE_ATTRIBUTE_HIDDEN);
    Put(temp + "Hidden\\e.tmp", 70000);
    Folder(temp + "System", FILE_ATTRIBUTE_SYSTEM);
    Put(temp + "System\\f.tmp", 80000);
    ASSERT_TRUE(::GetFileAttributesA((temp + "Hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(::GetFileAttributesA((temp + "System").c_str()) & FILE_ATTRIBUTE_SYSTEM);

    model->clean.MeasureCleanAreas();

    EXPECT_EQ(model->clean.AreaPath(CleanArea::TempFolder), temp);
    EXPECT_EQ(Size(CleanArea::TempFolder), 1239u);
    EXPECT_EQ(Text(IDC_SIZE_TEMP), "1.21 KB");
    // Every other folder counts everything.
    EXPECT_EQ(model->clean.GetFolderSize(temp, true), 1239u + 60000 + 70000 + 80000);
}

TEST_F(FoldersOnDisk, StartCleanEmptiesTempAndRecentButNotTheirFolders) {
    Put(temp + "a.tmp", 10);
    Folder(temp + "Sub");
    Put(temp + "Sub\\b.tmp", 10);
    Put(recent + "\\letter.lnk", 300);
    Put(recent + "\\plan.lnk", 300);
    const std::string outside = dir / "outside.txt";
    Put(outside, 5);
    // Links inside the temporary folder to a folder and a file elsewhere: they
    // hold none of the bytes they lead to, and nothing behind them is reached.
    MakeFolder(dir / "Elsewhere");
    Put(dir / "Elsewhere\\thesis.docx", 7000);
    Put(dir / "precious.docx", 90000);
    ASSERT_TRUE(testing::MakeLink(temp + "folder-link", dir / "Elsewhere"));
    ASSERT_TRUE(testing::MakeLink(temp + "file-link.tmp", dir / "precious.docx"));
    model->clean.MeasureCleanAreas();
    EXPECT_EQ(Text(IDC_SIZE_TEMP), "20 Byte(s)");
    EXPECT_EQ(Text(IDC_SIZE_RECENT), "600 Byte(s)");
    CheckOnly({ScanOptions::kClean2, ScanOptions::kClean5});

    model->clean.OnStartClean();

    EXPECT_EQ(prompts.asked, 1);
    EXPECT_FALSE(FileExists(temp + "a.tmp"));
    EXPECT_FALSE(FileExists(temp + "Sub"));
    EXPECT_FALSE(FileExists(recent + "\\letter.lnk"));
    EXPECT_FALSE(FileExists(recent + "\\plan.lnk"));
    EXPECT_TRUE(FileExists(temp));
    EXPECT_TRUE(FileExists(recent));
    EXPECT_TRUE(FileExists(outside));
    EXPECT_EQ(testing::ReadBytes(dir / "Elsewhere\\thesis.docx"), std::string(7000, 'j'));
    EXPECT_EQ(testing::ReadBytes(dir / "precious.docx"), std::string(90000, 'j'));
    EXPECT_TRUE(FileExists(temp + "folder-link"));
    EXPECT_TRUE(FileExists(temp + "file-link.tmp"));
    EXPECT_EQ(Text(IDC_SIZE_TEMP), "0 Byte(s)");
    EXPECT_EQ(Text(IDC_SIZE_RECENT), "0 Byte(s)");
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed!");
    EXPECT_EQ(model->controls.StateOf(IDC_CLEAN_PROGRESS).rangeMax, 10);
    EXPECT_EQ(model->controls.StateOf(IDC_CLEAN_PROGRESS).position, 10);
    EXPECT_EQ(prompts.waitDepth, 0);
}

// Under Wine a drive letter is a link in the prefix's dosdevices folder. One
// made for the test points at a test folder, so that emptying its root by
// mistake would cost nothing; it goes again with the object.
class TestDrive {
public:
    explicit TestDrive(const std::string& folder) {
        HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
        using UnixName = char*(CDECL*)(LPCWSTR);
        auto unixName = reinterpret_cast<UnixName>(::GetProcAddress(kernel, "wine_get_unix_file_name"));
        const char* prefix = std::getenv("WINEPREFIX");
        if (!unixName || !prefix) return;
        wchar_t wide[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH);
        char* name = unixName(wide);
        std::string target = name ? name : "";
        ::HeapFree(::GetProcessHeap(), 0, name);
        if (target.empty()) return;
        for (char c = 'p'; c <= 'y' && drive_.empty(); ++c) {
            const std::string drive = std::string(1, static_cast<char>(c - 'a' + 'A')) + ":";
            if (::GetFileAttributesA((drive + "\\").c_str()) != INVALID_FILE_ATTRIBUTES) continue;
            link_ = std::string(prefix) + "/dosdevices/" + std::string(1, c) + ":";
            if (Run({"/bin/ln", "-s", target, link_}) &&
                ::GetFileAttributesA((drive + "\\").c_str()) != INVALID_FILE_ATTRIBUTES)
                drive_ = drive;
            else
                Run({"/bin/rm", "-f", link_});
        }
    }
    ~TestDrive() {
        if (!drive_.empty()) Run({"/bin/rm", "-f", link_});
    }
    const std::string& Drive() const { return drive_; }

private:
    static bool Run(std::vector<std::string> args) {
        using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);
        auto spawn = reinterpret_cast<UnixSpawn>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp"));
        if (!spawn) return false;
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        return spawn(argv.data(), 1) == 0;
    }
    std::string link_, drive_;
};

TEST_F(FoldersOnDisk, ATempFolderAtADriveRootIsMeasuredButNeverEmptied) {
    MakeFolder(dir / "Drive");
    const TestDrive mapped(dir / "Drive");
    const std::string& drive = mapped.Drive();
    if (drive.empty()) GTEST_SKIP() << "no drive letter could be made for the test";
    Put(dir / "Drive\\precious.doc", 2048);
    ASSERT_TRUE(FileExists(drive + "\\precious.doc"));
    for (const std::string& root : {drive + "\\", drive}) {
        SCOPED_TRACE(root);
        files.tempPath = root;
        model->clean.MeasureCleanAreas();
        EXPECT_EQ(Size(CleanArea::TempFolder), 2048u);
        CheckOnly({ScanOptions::kClean2});

        model->clean.OnStartClean();

        EXPECT_TRUE(FileExists(dir / "Drive\\precious.doc"));
        // The area was not emptied, and the end of the clean says so.
        EXPECT_EQ(Text(IDC_CLEAN_STATUS), "Clean Completed! Left: Temp Folder.");
        EXPECT_EQ(Text(IDC_SIZE_TEMP), "2.00 KB");
    }
}

TEST_F(FoldersOnDisk, ShellFoldersAreFoundAndMeasured) {
    Win32Shell real;
    for (int csidl : {kCsidlInternetCache, kCsidlHistory, kCsidlRecent}) {
        const std::optional<std::string> path = real.SpecialFolderPath(csidl);
        ASSERT_TRUE(path) << csidl;
        EXPECT_GT(path->size(), 3u) << csidl;
        EXPECT_NE(path->back(), '\\') << csidl;
    }
    model->clean.MeasureCleanAreas();
    EXPECT_EQ(model->clean.AreaPath(CleanArea::InternetCache), *real.SpecialFolderPath(kCsidlInternetCache));
    EXPECT_EQ(model->clean.AreaPath(CleanArea::History), *real.SpecialFolderPath(kCsidlHistory));
    EXPECT_EQ(model->clean.AreaPath(CleanArea::RecentDocuments), recent);
}

TEST_F(FoldersOnDisk, RecycleBinAsFarAsWineKeepsOne) {
    if (!ScratchTrash()) GTEST_SKIP() << "the desktop's own trash is not emptied by the tests";
    model->clean.MeasureCleanAreas();
    const uint64_t before = Size(CleanArea::RecycleBin);

    const std::string doomed = dir / "to-the-bin.tmp";
    Put(doomed, 5000);
    const std::string list = doomed + std::string(2, '\0');
    shell.DeleteFiles(list, kFofAllowUndo | kFofNoConfirmation | kFofNoErrorUi);
    EXPECT_FALSE(FileExists(doomed));
    model->clean.MeasureCleanAreas();
    const uint64_t filled = Size(CleanArea::RecycleBin);
    // Wine answers the bin's size from the desktop's trash; a Wine without a
    // trash answers nothing, and the size stays where it was.
    EXPECT_GE(filled, before + 5000);
    std::printf("[ recycle  ] bin before %llu, after sending 5000 bytes %llu\n",
                static_cast<unsigned long long>(before), static_cast<unsigned long long>(filled));

    CheckOnly({ScanOptions::kClean1});
    model->clean.OnStartClean();
    EXPECT_EQ(shell.binEmptied, 1);
    EXPECT_EQ(Size(CleanArea::RecycleBin), 0u);
    EXPECT_EQ(Text(IDC_SIZE_RECYCLE), "0 Byte(s)");
}

TEST_F(FoldersOnDisk, AllSixItemsEndAtOneHundred) {
    Put(temp + "a.tmp", 10);
    Put(recent + "\\a.lnk", 10);
    ASSERT_TRUE(AddPage("http://all-six.velnor.example/"));
    const std::string junk = dir / "junk.bak";
    Put(junk, 77);
    JunkItem item;
    item.path = junk;
    item.size = 77;
    model->found.Append(item);
    model->state.selectedCount = 1;
    model->state.selectedSize = 77;
    model->options.SetOption(ScanOptions::kRemove, false);  // permanently, not into the bin
    model->clean.MeasureCleanAreas();
    CheckOnly({ScanOptions::kClean0, ScanOptions::kClean1, ScanOptions::kClean2, ScanOptions::kClean3,
               ScanOptions::kClean4, ScanOptions::kClean5});

    // Wine's history object has no ClearHistory yet (E_NOTIMPL); Windows'
    // clears. Whichever answers, the status lines say what it answered.
    const bool historyClears = SUCCEEDED(Win32UrlHistory().ClearHistory());
    std::vector<std::string> statuses;
    model->controls.SetObserver([&](int id, unsigned changes) {
        if (id == IDC_CLEAN_STATUS && (changes & kTextChanged)) statuses.push_back(Text(id));
    });

    model->clean.OnStartClean();

    EXPECT_NE(std::find(statuses.begin(), statuses.end(),
                        historyClears ? "Success: Clean Windows History Folder!" : "Failed: Clean Windows History Folder!"),
              statuses.end());
    EXPECT_FALSE(FileExists(junk));
    EXPECT_FALSE(FileExists(temp + "a.tmp"));
    EXPECT_FALSE(FileExists(recent + "\\a.lnk"));
    EXPECT_FALSE(InCache("http://all-six.velnor.example/"));
    EXPECT_EQ(shell.binEmptied, 1);
    EXPECT_EQ(model->results.RowCount(), 0);
    EXPECT_EQ(model->controls.StateOf(IDC_CLEAN_PROGRESS).rangeMax, 100);
    EXPECT_EQ(model->controls.StateOf(IDC_CLEAN_PROGRESS).position, 100);
    EXPECT_EQ(Text(IDC_CLEAN_STATUS), testing::CleanEndWithHistory());
    EXPECT_FALSE(model->state.cleanBusy);
    EXPECT_EQ(prompts.waitDepth, 0);
}

}  // namespace
}  // namespace velnor
