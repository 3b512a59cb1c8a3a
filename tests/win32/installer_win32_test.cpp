// The installer of the program: a silent per-user installation, the installed
// program started and left with Exit (which writes its profile), and the
// silent uninstallation, with what each of them leaves behind.
//
// The build names the installer in VELNOR_TEST_INSTALLER (the environment
// variable of that name, when set, is taken instead): the release package's
// installer, which carries both programs, where the tests are 32-bit, else a
// 64-bit installer that the release script makes of the build's own program.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win32/support/win_test_support.h"

namespace velnor {
namespace {

using testing::FileExists;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr char kProduct[] = "Velnor Disk Cleaner";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VelnorDiskCleaner";
constexpr DWORD kTimeoutMs = 60000;

// A path as the build wrote it: under Wine a Unix path is reached through Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
    return path;
}

// A name with a wildcard (the release installer carries the version in its
// name) stands for the file that matches it.
std::string Matching(const std::string& path) {
    if (path.find('*') == std::string::npos) return path;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return path;
    ::FindClose(find);
    return path.substr(0, path.find_last_of('\\') + 1) + data.cFileName;
}

std::string InstallerPath() {
    if (const char* named = std::getenv("VELNOR_TEST_INSTALLER")) return Matching(WindowsPath(named));
#ifdef VELNOR_TEST_INSTALLER
    return Matching(WindowsPath(VELNOR_TEST_INSTALLER));
#else
    return std::string();
#endif
}

// The machine a program is built for, from its file header (0 when the file
// is no Windows program).
WORD MachineOf(const std::string& exe) {
    const std::string bytes = ReadBytes(exe);
    DWORD header = 0;
    if (bytes.size() < 0x40) return 0;
    std::memcpy(&header, bytes.data() + 0x3c, sizeof header);
    if (header > bytes.size() - 6 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) return 0;
    WORD machine = 0;
    std::memcpy(&machine, bytes.data() + header + 4, sizeof machine);
    return machine;
}

bool RunningOn64BitWindows() {
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    return path;
}

// Starts a program; returns its process handle (null when it could not start).
HANDLE Start(const std::string& commandLine, DWORD* processId = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    ::CloseHandle(process.hThread);
    if (processId) *processId = process.dwProcessId;
    return process.hProcess;
}

// Runs a program to its end; its exit code, or -1 when it did not start or end.
long RunToEnd(const std::string& commandLine) {
    HANDLE process = Start(commandLine);
    if (!process) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process, kTimeoutMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    return static_cast<long>(code);
}

// Waits (for a minute at most) until a condition holds.
template <typename Condition>
bool WaitFor(Condition condition) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 100) {
        if (condition()) return true;
        ::Sleep(100);
    }
    return condition();
}

bool KeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

std::string KeyValue(const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    if (::RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

std::string ShortcutTarget(const std::string& link) {
    std::string target;
    IShellLinkA* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&shellLink))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    char title[64] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    if (owner != search->processId || !::IsWindowVisible(hwnd) || std::string(title) != kProduct) return TRUE;
    search->found = hwnd;
    return FALSE;
}

bool IsSameFile(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        installer = InstallerPath();
        if (installer.empty() || !FileExists(installer))
            GTEST_SKIP() << "no installer to test (" << (installer.empty() ? "the build named none" : installer)
                         << "); it is built when makensis is installed";
        const std::string local = ShellFolder(CSIDL_LOCAL_APPDATA);
        const std::string programs = ShellFolder(CSIDL_PROGRAMS);
        ASSERT_FALSE(local.empty());
        ASSERT_FALSE(programs.empty());
        folder = local + "\\Programs\\" + kProduct;
        shortcut = programs + "\\" + kProduct + ".lnk";
        // A copy that the user installed is never touched.
        if (FileExists(folder + "\\VelnorCleaner.exe") || KeyExists())
            GTEST_SKIP() << "the program is installed for this user already: " << folder;
    }
    void TearDown() override {
        if (folder.empty()) return;
        for (const std::string& name : FolderEntries(folder)) ::DeleteFileA((folder + "\\" + name).c_str());
        ::RemoveDirectoryA(folder.c_str());
        ::DeleteFileA(shortcut.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    }

    std::string Exe() const { return folder + "\\VelnorCleaner.exe"; }
    std::string Uninstaller() const { return folder + "\\Uninstall.exe"; }
    std::string Config() const { return folder + "\\config.ini"; }

    void Install() {
        ASSERT_EQ(RunToEnd("\"" + installer + "\" /S"), 0);
        ASSERT_TRUE(FileExists(Exe())) << Exe();
    }
    // The uninstaller hands its work to a copy of itself in the temporary
    // folder and returns: done when its own file and the key are gone.
    void Uninstall(const std::string& switches) {
        ASSERT_EQ(RunToEnd("\"" + Uninstaller() + "\" " + switches), 0);
        EXPECT_TRUE(WaitFor([&] { return !FileExists(Uninstaller()) && !KeyExists(); }))
            << "the uninstaller did not finish";
        // Its last step removes the folder when nothing is left in it.
        ::Sleep(500);
    }

    std::string installer, folder, shortcut;
};

TEST_F(Installer, InstallsPerUserRunsSavesAndUninstallsKeepingTheProfile) {
    Install();
    // The program for this Windows: the 64-bit build where Windows is 64-bit.
    EXPECT_EQ(MachineOf(Exe()), RunningOn64BitWindows() ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
    EXPECT_TRUE(FileExists(folder + "\\ReadMe.txt"));
    EXPECT_TRUE(FileExists(Uninstaller()));
    EXPECT_FALSE(FileExists(Config())) << "the installer writes no profile";
    ASSERT_TRUE(FileExists(shortcut)) << shortcut;
    EXPECT_TRUE(IsSameFile(ShortcutTarget(shortcut), Exe())) << ShortcutTarget(shortcut);
    ASSERT_TRUE(KeyExists());
    EXPECT_EQ(KeyValue("DisplayName"), kProduct);
    EXPECT_EQ(KeyValue("DisplayVersion"), "1.13");
    EXPECT_EQ(KeyValue("Publisher"), "Velnor Software");
    EXPECT_TRUE(IsSameFile(KeyValue("InstallLocation"), folder)) << KeyValue("InstallLocation");
    EXPECT_TRUE(IsSameFile(KeyValue("UninstallString"), "\"" + Uninstaller() + "\"")) << KeyValue("UninstallString");

    // The installed copy: its first start writes the defaults beside it; once
    // that file is gone again, only Exit can bring it back.
    DWORD processId = 0;
    HANDLE program = Start("\"" + Exe() + "\"", &processId);
    ASSERT_NE(program, nullptr);
    WindowSearch search = {processId, nullptr};
    EXPECT_TRUE(WaitFor([&] {
        search.found = nullptr;
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    })) << "the installed program showed no window";
    if (search.found) {
        EXPECT_TRUE(WaitFor([&] { return FileExists(Config()); }));
        ::DeleteFileA(Config().c_str());
        ::PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDC_EXIT, STN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(search.found, IDC_EXIT)));
    }
    if (::WaitForSingleObject(program, kTimeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the installed program did not end on Exit";
        ::TerminateProcess(program, 1);
        ::WaitForSingleObject(program, kTimeoutMs);
    }
    ::CloseHandle(program);
    ASSERT_TRUE(FileExists(Config())) << "Exit wrote no profile";
    const std::string profile = ReadBytes(Config());
    for (const char* key : {"PathDrive=", "PathFolder=", "PathExclude=", "Filter=", "Option="})
        EXPECT_NE(profile.find(key), std::string::npos) << key;

    // A silent uninstallation keeps the profile and nothing else.
    Uninstall("/S");
    EXPECT_FALSE(FileExists(Exe()));
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_FALSE(KeyExists());
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"config.ini"});
    ASSERT_TRUE(FileExists(Config())) << "the silent uninstallation removed the profile";
    EXPECT_TRUE(ReadBytes(Config()) == profile) << "the kept profile changed";
}

TEST_F(Installer, UninstallingWithTheProfileLeavesOnlyWhatTheUserPutThere) {
    Install();
    WriteBytes(Config(), "Option=<1|0|0|0|1|0|0|0|0|0|0>\r\n");
    WriteBytes(folder + "\\my notes.txt", "mine");

    Uninstall("/S /REMOVESETTINGS");
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"my notes.txt"});
    EXPECT_EQ(ReadBytes(folder + "\\my notes.txt"), "mine");

    // Without anything of the user's the folder goes too.
    ::DeleteFileA((folder + "\\my notes.txt").c_str());
    ::RemoveDirectoryA(folder.c_str());
    Install();
    Uninstall("/S /REMOVESETTINGS");
    EXPECT_EQ(::GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
}

}  // namespace
}  // namespace velnor
