#include "tests/e2e/e2e_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace velnor::e2e {

namespace {

constexpr DWORD kMessageTimeoutMs = 15000;

std::string Dirname(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string FromUnixPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (ProcessOf(window) == search->pid) search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
    WindowSearch search{pid, {}};
    ::EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Wide paths past the old limit need the "\\?\" form.
std::wstring Long(const std::wstring& path) {
    if (path.size() < 240 || path.rfind(L"\\\\", 0) == 0) return path;
    return L"\\\\?\\" + path;
}

LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok = nullptr) {
    DWORD_PTR result = 0;
    const LRESULT sent = ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kMessageTimeoutMs, &result);
    if (ok) *ok = sent != 0;
    return static_cast<LRESULT>(result);
}

std::wstring LowerWide(std::wstring text) {
    if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

uint64_t Fnv1a(const char* data, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

bool HashFile(const std::wstring& path, uint64_t& size, uint64_t& hash) {
    HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    size = 0;
    hash = 14695981039346656037ull;
    char buffer[65536];
    DWORD n = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) {
        hash = Fnv1a(buffer, n, hash);
        size += n;
    }
    ::CloseHandle(file);
    return true;
}

void Walk(const std::wstring& root, const std::wstring& relative, Snapshot& snapshot) {
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(Long(folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring rel = relative.empty() ? name : relative + L"\\" + name;
        Entry entry;
        entry.attributes = data.dwFileAttributes;
        entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (!entry.folder && !HashFile(folder + L"\\" + name, entry.size, entry.hash)) {
            entry.size = ~0ull;  // present but unreadable: still compared by presence
        }
        snapshot[rel] = entry;
        if (entry.folder && !entry.link) Walk(root, rel, snapshot);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

void RemoveTreeW(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(Long(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ::SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // Never entered: what lies behind a link is not ours to remove.
        if (!::RemoveDirectoryW(Long(path).c_str()) && !::DeleteFileW(Long(path).c_str()))
            RunHostProgram("/bin/rm", "-f \"" + UnixPathOf(path) + "\"");
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileW(Long(path).c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(Long(path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") RemoveTreeW(path + L"\\" + name);
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(Long(path).c_str());
}

}  // namespace

std::string ProgramUnderTest() {
    for (int i = 1; i < __argc; ++i) {
        const std::string arg = __argv[i];
        if (arg.rfind("--program=", 0) == 0) return FromUnixPath(arg.substr(10));
    }
    if (const char* env = std::getenv("VELNOR_E2E_PROGRAM"); env && *env) return FromUnixPath(env);
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    for (std::string folder = Dirname(self); !folder.empty(); folder = Dirname(folder)) {
        const std::string candidate = folder + "\\dist\\VelnorCleaner.exe";
        if (::GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
        if (folder.size() <= 3) break;
    }
    return "dist\\VelnorCleaner.exe";
}

void UnmanageProgramWindowsUnderWine() {
    if (!UnderWine()) return;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VelnorCleaner.exe\\X11 Driver", 0, nullptr,
                          0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    ::RegCloseKey(key);
}

void Trace(const std::string& step) {
    static const bool on = std::getenv("VELNOR_E2E_TRACE") != nullptr;
    static ULONGLONG last = ::GetTickCount64();
    if (!on) return;
    const ULONGLONG now = ::GetTickCount64();
    std::fprintf(stderr, "  [trace %6llu ms] %s\n", static_cast<unsigned long long>(now - last), step.c_str());
    last = now;
}

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                        nullptr);
    std::string text(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

Workspace::Workspace() {
    static int counter = 0;
    ::CreateDirectoryA("C:\\VelnorE2E", nullptr);
    root_ = "C:\\VelnorE2E\\Run" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RemoveTreeW(Widen(root_));
    ::CreateDirectoryA(root_.c_str(), nullptr);
}

Workspace::~Workspace() { RemoveTreeW(Widen(root_)); }

void MakeFolders(const std::wstring& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') ::CreateDirectoryW(Long(path.substr(0, i)).c_str(), nullptr);
    }
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const size_t cut = path.find_last_of(L'\\');
    if (cut != std::wstring::npos) MakeFolders(path.substr(0, cut));
    HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    ::CloseHandle(file);
    return bytes;
}

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string UnixPathOf(const std::wstring& path) {
    // Wine's own export; absent on Windows, where no host tools exist either.
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert =
        reinterpret_cast<Convert>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!convert) return std::string();
    char* unix = convert(path.c_str());
    if (!unix) return std::string();
    std::string result = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

bool RunHostProgram(const std::string& unixProgram, const std::string& arguments) {
    const std::string image = FromUnixPath(unixProgram);
    std::string commandLine = unixProgram + " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(image.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    const bool finished = ::WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return finished && code == 0;
}

bool MakeDirectoryLink(const std::wstring& link, const std::wstring& target) {
    const std::string unixTarget = UnixPathOf(target);
    const std::string unixLink = UnixPathOf(link);
    if (unixTarget.empty() || unixLink.empty()) return false;
    RunHostProgram("/bin/ln", "-s \"" + unixTarget + "\" \"" + unixLink + "\"");
    // Wine may report a host program ended before it has done its work.
    return WaitUntil(
        [&] {
            const DWORD attributes = ::GetFileAttributesW(link.c_str());
            return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
        },
        5000);
}

Snapshot TakeSnapshot(const std::wstring& root) {
    Snapshot snapshot;
    Walk(root, std::wstring(), snapshot);
    return snapshot;
}

std::string Differences(const Snapshot& before, const Snapshot& after, const std::set<std::wstring>& gone) {
    std::set<std::wstring> goneLower;
    for (const std::wstring& path : gone) goneLower.insert(LowerWide(path));
    std::map<std::wstring, const Entry*> afterLower;
    for (const auto& [path, entry] : after) afterLower[LowerWide(path)] = &entry;

    std::string report;
    std::set<std::wstring> seen;
    for (const auto& [path, entry] : before) {
        const std::wstring key = LowerWide(path);
        seen.insert(key);
        const auto found = afterLower.find(key);
        const bool expectGone = goneLower.count(key) != 0;
        if (expectGone && found != afterLower.end()) report += "  still there (was checked): " + Narrow(path) + "\n";
        if (!expectGone && found == afterLower.end()) report += "  REMOVED (was not checked): " + Narrow(path) + "\n";
        if (!expectGone && found != afterLower.end() && !(*found->second == entry))
            report += "  CHANGED: " + Narrow(path) + "\n";
    }
    for (const auto& [key, entry] : afterLower)
        if (!seen.count(key)) report += "  appeared: " + Narrow(key) + "\n";
    for (const std::wstring& key : goneLower)
        if (!seen.count(key)) report += "  expected to go but never existed: " + Narrow(key) + "\n";
    return report;
}

std::vector<uint64_t> FileHashes(const Snapshot& snapshot, const std::set<std::wstring>& paths) {
    std::vector<uint64_t> hashes;
    for (const std::wstring& path : paths)
        if (const auto found = snapshot.find(path); found != snapshot.end()) hashes.push_back(found->second.hash);
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

std::vector<uint64_t> ArrivedFileHashes(const Snapshot& before, const Snapshot& after) {
    std::vector<uint64_t> hashes;
    for (const auto& [path, entry] : after)
        if (!entry.folder && !before.count(path)) hashes.push_back(entry.hash);
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

bool UnderWine() { return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

std::wstring RecycleBinFiles() {
    if (!UnderWine()) return std::wstring();
    std::string data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        data = std::string(home) + "/.local/share";
    else
        return std::wstring();
    return Widen(FromUnixPath(data + "/Trash/files"));
}

RemoteMemory::RemoteMemory(HANDLE process, size_t size)
    : process_(process), address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteMemory::~RemoteMemory() {
    if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteMemory::Write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    ::WriteProcessMemory(process_, Address(offset), data, size, &done);
}

void RemoteMemory::Read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    if (!::ReadProcessMemory(process_, Address(offset), data, size, &done)) std::memset(data, 0, size);
}

Program::Program(const std::string& folder, const std::string& exeName) : folder_(folder) {
    const std::string source = ProgramUnderTest();
    const std::string exe = folder + "\\" + exeName;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    if (!::CopyFileA(source.c_str(), exe.c_str(), FALSE)) {
        error_ = "cannot copy the program from " + source + " (error " + std::to_string(::GetLastError()) + ")";
        return;
    }
    std::string commandLine = "\"" + exe + "\"";
    // Started from another folder: the profile must still be found beside the program.
    const std::string startIn = Dirname(folder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, startIn.c_str(),
                          &startup, &process_)) {
        error_ = "cannot start " + exe + " (error " + std::to_string(::GetLastError()) + ")";
        return;
    }
    ::WaitForInputIdle(process_.hProcess, 30000);
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(process_.dwProcessId)) {
                char title[128] = {};
                ::GetWindowTextA(window, title, sizeof title);
                if (std::strcmp(title, kWindowTitle) == 0 && ::IsWindowVisible(window)) {
                    window_ = window;
                    return true;
                }
            }
            return !Running();
        },
        30000);
    if (!window_) error_ = Running() ? "no window titled \"Velnor Disk Cleaner\" within 30 s" : "the program ended at start";
}

namespace {

// Reads a pipe to its end on a thread of its own, so that neither pipe can
// fill up and stop the program while the other is read.
class PipeReader {
public:
    PipeReader() {
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        if (!::CreatePipe(&read_, &write_, &inheritable, 0)) read_ = write_ = nullptr;
        if (read_) ::SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
    }
    ~PipeReader() {
        CloseWriteEnd();
        if (thread_.joinable()) thread_.join();
        if (read_) ::CloseHandle(read_);
    }
    bool Ok() const { return read_ != nullptr; }
    HANDLE WriteEnd() const { return write_; }
    // After the child has its copy: the pipe ends when the child's does.
    void Start() {
        CloseWriteEnd();
        thread_ = std::thread([this] {
            char chunk[65536];
            DWORD got = 0;
            while (::ReadFile(read_, chunk, sizeof chunk, &got, nullptr) && got > 0) text_.append(chunk, got);
        });
    }
    std::string Finish() {
        if (thread_.joinable()) thread_.join();
        return text_;
    }

private:
    void CloseWriteEnd() {
        if (write_) ::CloseHandle(write_);
        write_ = nullptr;
    }
    HANDLE read_ = nullptr, write_ = nullptr;
    std::thread thread_;
    std::string text_;
};

}  // namespace

CommandResult RunCommandLine(const std::string& folder, const std::string& arguments, DWORD ms) {
    CommandResult result;
    const std::string exe = folder + "\\VelnorCleaner.exe";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    if (::GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !::CopyFileA(ProgramUnderTest().c_str(), exe.c_str(), FALSE)) {
        result.failure = "cannot copy the program into " + folder;
        return result;
    }
    PipeReader output, error;
    if (!output.Ok() || !error.Ok()) {
        result.failure = "cannot make the pipes";
        return result;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.WriteEnd();
    startup.hStdError = error.WriteEnd();
    std::wstring commandLine = L"\"" + Widen(exe) + L"\" " + Widen(arguments);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(Widen(exe).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          Widen(Dirname(folder)).c_str(), &startup, &process)) {
        result.failure = "cannot start " + exe + " (error " + std::to_string(::GetLastError()) + ")";
        return result;
    }
    output.Start();
    error.Start();
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        for (HWND window : TopLevelWindowsOf(process.dwProcessId))
            result.windows.insert(ClassOf(window) + (::IsWindowVisible(window) ? " (visible)" : " (hidden)"));
        if (::WaitForSingleObject(process.hProcess, 2) != WAIT_TIMEOUT) break;
        if (::GetTickCount64() >= end) {
            ::TerminateProcess(process.hProcess, 99);
            ::WaitForSingleObject(process.hProcess, 10000);
            result.failure = "the program did not end within " + std::to_string(ms) + " ms";
            break;
        }
    }
    ::GetExitCodeProcess(process.hProcess, &result.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    result.output = output.Finish();
    result.error = error.Finish();
    return result;
}

Program::~Program() {
    Kill();
    if (process_.hThread) ::CloseHandle(process_.hThread);
    if (process_.hProcess) ::CloseHandle(process_.hProcess);
}

void Program::Kill() {
    if (Running()) {
        ::TerminateProcess(process_.hProcess, 99);
        ::WaitForSingleObject(process_.hProcess, 10000);
    }
}

HWND Program::Control(int id) const { return window_ ? ::GetDlgItem(window_, id) : nullptr; }

bool Program::Click(int id) {
    bool ok = false;
    SendTimed(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)), &ok);
    return ok;
}

void Program::PostClick(int id) {
    ::PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

std::string Program::TextOf(HWND window) const {
    if (!window) return "<no such control>";
    char buffer[4096] = {};
    SendTimed(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string Program::Text(int id) const { return TextOf(Control(id)); }

bool Program::WaitForText(int id, const std::string& expected, DWORD ms) {
    return WaitUntil([&] { return Text(id) == expected || !Running(); }, ms) && Text(id) == expected;
}

bool Program::Running() const {
    return process_.hProcess && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD ms) {
    return process_.hProcess && ::WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
}

std::vector<HWND> Program::OtherWindows() const {
    std::vector<HWND> others;
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId))
        if (window != window_ && ::IsWindowVisible(window)) others.push_back(window);
    return others;
}

HWND Program::WaitForMessageBox(const std::string& caption, DWORD ms) const {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : OtherWindows()) {
                char title[256] = {};
                ::GetWindowTextA(window, title, sizeof title);
                if (ClassOf(window) == "#32770" && caption == title) {
                    box = window;
                    return true;
                }
            }
            return !Running();
        },
        ms);
    return box;
}

std::string Program::DialogTexts(HWND dialog) const {
    std::string texts;
    for (HWND child : ChildrenOf(dialog)) {
        if (_stricmp(ClassOf(child).c_str(), "Static") != 0) continue;
        const std::string text = TextOf(child);
        if (text.empty()) continue;
        if (!texts.empty()) texts += "\n";
        texts += text;
    }
    return texts;
}

RemoteList::RemoteList(const Program& program, int id) : program_(program), list_(program.Control(id)) {}

int RemoteList::Count() const { return static_cast<int>(SendTimed(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteList::Cell(int row, int column) const {
    constexpr size_t kTextChars = 2048;
    RemoteMemory memory(program_.Process(), sizeof(LVITEMA) + kTextChars);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = static_cast<char*>(memory.Address(sizeof(LVITEMA)));
    item.cchTextMax = kTextChars;
    memory.Write(0, &item, sizeof item);
    const char zero = 0;
    memory.Write(sizeof(LVITEMA), &zero, 1);
    SendTimed(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(memory.Address()));
    std::string text(kTextChars, '\0');
    memory.Read(sizeof(LVITEMA), text.data(), kTextChars);
    text.resize(std::strlen(text.c_str()));
    return text;
}

int RemoteList::Columns() const {
    HWND header = reinterpret_cast<HWND>(SendTimed(list_, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendTimed(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool RemoteList::Checked(int row) const {
    const LRESULT state = SendTimed(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool RemoteList::Selected(int row) const {
    return (SendTimed(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int RemoteList::Focused() const { return static_cast<int>(SendTimed(list_, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)); }

int RemoteList::HeadingImage(int column) const {
    HWND header = reinterpret_cast<HWND>(SendTimed(list_, LVM_GETHEADER, 0, 0));
    RemoteMemory memory(program_.Process(), sizeof(HDITEMA));
    HDITEMA item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    memory.Write(0, &item, sizeof item);
    if (!header || !SendTimed(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(memory.Address()))) return -1;
    memory.Read(0, &item, sizeof item);
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

POINT RemoteList::CheckBoxPoint(int row) const {
    SendTimed(list_, LVM_ENSUREVISIBLE, row, FALSE);
    RemoteMemory memory(program_.Process(), sizeof(RECT) + sizeof(LVHITTESTINFO));
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    memory.Write(0, &bounds, sizeof bounds);
    if (!SendTimed(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory.Address()))) return POINT{-1, -1};
    memory.Read(0, &bounds, sizeof bounds);
    const int y = (bounds.top + bounds.bottom) / 2;
    for (int x = std::max(0L, bounds.left); x < bounds.left + 40; ++x) {
        LVHITTESTINFO hit = {};
        hit.pt = POINT{x, y};
        memory.Write(sizeof(RECT), &hit, sizeof hit);
        SendTimed(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(memory.Address(sizeof(RECT))));
        memory.Read(sizeof(RECT), &hit, sizeof hit);
        // Aim at the middle of the box rather than its edge. LVHT_ONITEM holds
        // the state-icon bit too: only the exact flag is the box.
        if (hit.iItem == row && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON) return POINT{x + 5, y};
    }
    return POINT{-1, -1};
}

POINT RemoteList::CellPoint(int row, int column) const {
    SendTimed(list_, LVM_ENSUREVISIBLE, row, FALSE);
    RemoteMemory memory(program_.Process(), sizeof(RECT));
    RECT r = {};
    r.top = column;
    r.left = LVIR_LABEL;
    memory.Write(0, &r, sizeof r);
    const UINT message = column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT;
    if (!SendTimed(list_, message, row, reinterpret_cast<LPARAM>(memory.Address()))) return POINT{-1, -1};
    memory.Read(0, &r, sizeof r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The list view may wait in a drag check after a press, so input is posted, as
// it arrives from the mouse and keyboard. A change of the list's hover time is
// posted behind it: the list does not track the pointer, so the time means
// nothing to it, and once the list reads it back, the input before it has
// been handled.
bool RemoteList::PostAndSettle(std::initializer_list<Input> input) {
    const LRESULT hoverTime = SendTimed(list_, LVM_GETHOVERTIME, 0, 0);
    const LPARAM marker = hoverTime == 4321 ? 4322 : 4321;
    for (const Input& message : input) ::PostMessageA(list_, message.message, message.wParam, message.lParam);
    ::PostMessageA(list_, LVM_SETHOVERTIME, 0, marker);
    const bool settled = WaitUntil([&] { return SendTimed(list_, LVM_GETHOVERTIME, 0, 0) == marker; }, kMessageTimeoutMs);
    SendTimed(list_, LVM_SETHOVERTIME, 0, hoverTime);
    return settled;
}

bool RemoteList::ClickCheckBox(int row) {
    const bool before = Checked(row);
    const POINT point = CheckBoxPoint(row);
    if (point.x < 0) return false;
    const LPARAM at = MAKELPARAM(point.x, point.y);
    return PostAndSettle({Input{WM_LBUTTONDOWN, MK_LBUTTON, at}, Input{WM_LBUTTONUP, 0, at}}) &&
           Checked(row) != before;
}

bool RemoteList::ClickRow(int row, int column) {
    const POINT point = CellPoint(row, column);
    if (point.x < 0) return false;
    const LPARAM at = MAKELPARAM(point.x, point.y);
    return PostAndSettle({Input{WM_LBUTTONDOWN, MK_LBUTTON, at}, Input{WM_LBUTTONUP, 0, at}});
}

bool RemoteList::PressSpace() {
    return PostAndSettle({Input{WM_KEYDOWN, VK_SPACE, 1}, Input{WM_KEYUP, VK_SPACE, LPARAM(0xC0000001)}});
}

bool RemoteList::ClickHeading(int column) {
    HWND header = reinterpret_cast<HWND>(SendTimed(list_, LVM_GETHEADER, 0, 0));
    if (!header) return false;
    RemoteMemory memory(program_.Process(), sizeof(RECT));
    RECT bounds = {};
    if (!SendTimed(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(memory.Address()))) return false;
    memory.Read(0, &bounds, sizeof bounds);
    const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    // Sent, not posted: a message sent from another thread is handled before
    // the posted ones, so a read right after a posted click could see the
    // rows half before and half after the sort.
    bool down = false, up = false;
    SendTimed(header, WM_LBUTTONDOWN, MK_LBUTTON, at, &down);
    SendTimed(header, WM_LBUTTONUP, 0, at, &up);
    return down && up;
}

// The chooser's folder tree, clicked through as a user would: open the drive's
// node, then each folder's node on the way, and select the last one.
class ChooserTree {
public:
    ChooserTree(const Program& program, HWND tree)
        : tree_(tree), memory_(program.Process(), sizeof(TVITEMA) + kTextChars) {}

    std::string Select(const std::string& folder) {
        if (folder.size() < 3 || folder[1] != ':') return "not a drive path: " + folder;
        const std::string drive = "(" + Lower(folder.substr(0, 2)) + ")";
        // The drive is found below the top nodes (the desktop, the computer).
        HTREEITEM node = nullptr;
        const HTREEITEM root = Next(nullptr, TVGN_ROOT);
        std::vector<HTREEITEM> level = {root};
        for (int depth = 0; depth < 3 && !node; ++depth) {
            std::vector<HTREEITEM> below;
            for (HTREEITEM item : level) {
                Expand(item);
                for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
                    const std::string text = Lower(Text(child));
                    if (text.size() >= drive.size() && text.compare(text.size() - drive.size(), drive.size(), drive) == 0) {
                        node = child;
                        break;
                    }
                    below.push_back(child);
                }
                if (node) break;
            }
            level = below;
        }
        if (!node) return "the folder chooser shows no node for drive " + folder.substr(0, 2);

        size_t start = 3;
        while (start < folder.size()) {
            size_t end = folder.find('\\', start);
            if (end == std::string::npos) end = folder.size();
            const std::string part = Lower(folder.substr(start, end - start));
            start = end + 1;
            Expand(node);
            HTREEITEM found = nullptr;
            std::string seen;
            for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
                const std::string text = Text(child);
                if (Lower(text) == part) {
                    found = child;
                    break;
                }
                seen += " \"" + text + "\"";
            }
            if (!found) return "the folder chooser has no node \"" + part + "\"; it shows" + seen;
            node = found;
        }
        SendTimed(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
        if (reinterpret_cast<HTREEITEM>(SendTimed(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0)) != node)
            return "the folder chooser did not select " + folder;
        return std::string();
    }

private:
    static constexpr size_t kTextChars = 1024;

    HTREEITEM Next(HTREEITEM item, UINT how) const {
        return reinterpret_cast<HTREEITEM>(SendTimed(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }
    void Expand(HTREEITEM item) const { SendTimed(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
    std::string Text(HTREEITEM item) {
        TVITEMA request = {};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = static_cast<char*>(memory_.Address(sizeof(TVITEMA)));
        request.cchTextMax = kTextChars;
        memory_.Write(0, &request, sizeof request);
        const char zero = 0;
        memory_.Write(sizeof(TVITEMA), &zero, 1);
        SendTimed(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_.Address()));
        std::string text(kTextChars, '\0');
        memory_.Read(sizeof(TVITEMA), text.data(), kTextChars - 1);
        text.resize(std::strlen(text.c_str()));
        return text;
    }

    HWND tree_;
    RemoteMemory memory_;
};

std::string ChooseFolderInChooser(const Program& program, const std::string& folder, DWORD ms) {
    HWND chooser = nullptr;
    HWND tree = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : program.OtherWindows()) {
                for (HWND child : ChildrenOf(window)) {
                    if (ClassOf(child) == WC_TREEVIEWA) {
                        chooser = window;
                        tree = child;
                        return true;
                    }
                }
            }
            return !program.Running();
        },
        ms);
    if (!chooser) return "the folder chooser did not open";

    if (folder.empty()) {
        ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else {
        ChooserTree walk(program, tree);
        if (std::string error = walk.Select(folder); !error.empty()) return error;
        ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDOK)));
    }
    if (!WaitUntil([&] { return !::IsWindow(chooser) || !::IsWindowVisible(chooser); }, ms))
        return "the folder chooser did not close";
    return std::string();
}

std::vector<std::string> ProfileLines(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string ProfileValue(const std::string& path, const std::string& key, bool* found) {
    for (const std::string& line : ProfileLines(path)) {
        if (line.rfind(key + "=", 0) == 0) {
            if (found) *found = true;
            return line.substr(key.size() + 1);
        }
    }
    if (found) *found = false;
    return std::string();
}

}  // namespace velnor::e2e
