// The whole scan as the program runs it: the real main window (CMainDialog with
// its result list bound to the model, its texts and its message drain after
// every folder) scanning a big tree with a fresh profile, against a bare
// breadth-first FindFirstFileA/FindNextFileA walk of the same tree in the same
// process. Also measures how long the window goes without handling a message:
// a second thread posts a time-stamped probe to a window of the user-interface
// thread, waits until it has been handled and posts the next.
// With the hits listed, it sorts them by size with a click on the heading and
// times the click until the list has repainted; then it copies the hits twice
// (same folders, names and sizes) beside ROOT, scans the first copy and times
// Start Clean in permanent mode on it against a bare DeleteFileA loop over the
// second.
// Usage: scan_window_bench ROOT [EXPECTED_ROWS] [clean [ROUNDS]]; with "clean"
// only the clean is timed, ROUNDS times over the hits of one scan.
#include <windows.h>
#include <psapi.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <set>
#include <vector>
#include <string>

#include "app/main_dialog_win32.h"
#include "bench/win32/bench_walk.h"
#include "platform/win32/win32_platform.h"
#include "profile/profile.h"
#include "res/resource.h"

namespace {

using bench::BareWalk;
using bench::Counts;
using bench::Seconds;

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The program believes it lives in a scratch folder, so that its config.ini
// (written on the first start) lands there.
class ScratchFileSystem : public velnor::Win32FileSystem {
public:
    explicit ScratchFileSystem(std::string folder) : exe_(std::move(folder) + "\\VelnorCleaner.exe") {}
    std::string ModulePath() override { return exe_; }

private:
    std::string exe_;
};

// The program's pump, also timing the stretches between two drains and the
// drains themselves (what the window did with the messages it found).
class TimedPump : public velnor::Win32MessagePump {
public:
    void Drain() override {
        const double now = Seconds();
        if (last_ > 0 && now - last_ > longestGap) longestGap = now - last_;
        ++drains;
        velnor::Win32MessagePump::Drain();
        last_ = Seconds();
        if (last_ - now > longestDrain) longestDrain = last_ - now;
    }
    void Start() { last_ = Seconds(); }
    double longestGap = 0;
    double longestDrain = 0;
    long long drains = 0;

private:
    double last_ = 0;
};

// Probes: posted by a thread of their own, answered by a window of the
// user-interface thread whenever that thread handles its messages. The next
// probe goes 10 ms after the answer; the thread waits on an event rather than
// polling, since under Wine every wait is a request to the same server that
// the scan itself needs for each folder.
constexpr UINT kProbe = WM_APP + 17;
constexpr DWORD kProbeInterval = 10;
std::atomic<double> g_probePosted{0};
std::atomic<bool> g_probing{false};
HANDLE g_probeAnswered = nullptr;
double g_longestProbeWait = 0;
long long g_probes = 0;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        const double waited = Seconds() - g_probePosted.load();
        if (waited > g_longestProbeWait) g_longestProbeWait = waited;
        ++g_probes;
        ::SetEvent(g_probeAnswered);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

DWORD WINAPI ProbeThread(LPVOID window) {
    const HWND probeWindow = static_cast<HWND>(window);
    while (g_probing) {
        ::Sleep(kProbeInterval);
        g_probePosted = Seconds();
        ::PostMessageA(probeWindow, kProbe, 0, 0);
        while (g_probing && ::WaitForSingleObject(g_probeAnswered, 100) == WAIT_TIMEOUT) {
        }
    }
    return 0;
}

// Start Clean asks first; the benchmark says OK.
class ConfirmingPrompts : public velnor::Win32Prompts {
public:
    int MessageBox(const std::string&, const std::string&, unsigned) override { return IDOK; }
};

// A click on a heading of the list, handled to the end, then the repaint.
double TimedHeadingClick(HWND list, int column) {
    HWND header = ListView_GetHeader(list);
    RECT r;
    Header_GetItemRect(header, column, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    const double start = Seconds();
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(header, WM_LBUTTONUP, 0, at);
    PumpMessages();
    ::UpdateWindow(list);
    return Seconds() - start;
}

struct Hit {
    std::string relative;  // below the scanned root, with its leading backslash
    unsigned long long size;
};

// Writes the hits below a new root: the same folders, names and sizes (the
// files are sparse). Returns the full paths.
std::vector<std::string> CopyHits(const std::vector<Hit>& hits, const std::string& root) {
    std::vector<std::string> paths;
    std::set<std::string> made;
    ::CreateDirectoryA(root.c_str(), nullptr);
    for (const Hit& hit : hits) {
        const std::string path = root + hit.relative;
        for (size_t slash = path.find('\\', root.size() + 1); slash != std::string::npos;
             slash = path.find('\\', slash + 1)) {
            const std::string folder = path.substr(0, slash);
            if (made.insert(folder).second) ::CreateDirectoryA(folder.c_str(), nullptr);
        }
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(hit.size);
        ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        ::CloseHandle(file);
        paths.push_back(path);
    }
    return paths;
}

struct CleanFigures {
    int rows = 0;
    unsigned long long left = 0;
};

// Copies the rows listed below ROOT twice, scans the first copy and times
// Start Clean in permanent mode on it against a bare DeleteFileA loop over the
// second; prints the figures.
std::vector<Hit> HitsListed(velnor::CMainDialog& dialog, const std::string& root) {
    std::vector<Hit> hits;
    for (int row = 0; row < dialog.parts.results.RowCount(); ++row) {
        const velnor::FoundFile item = dialog.parts.results.Item(row);
        hits.push_back({item.Path().substr(root.size()), item.size});
    }
    return hits;
}

template <typename ScanOnly>
CleanFigures CleanAgainstDelete(velnor::CMainDialog& dialog, const std::string& root, const std::vector<Hit>& hits,
                                const ScanOnly& scanOnly) {
    const std::vector<std::string> cleanCopy = CopyHits(hits, root + "-clean");
    CopyHits(hits, root + "-delete");
    scanOnly(root + "-clean");
    dialog.parts.scan.OnStartScan();
    PumpMessages();
    CleanFigures figures;
    figures.rows = dialog.parts.results.RowCount();
    // The bare deletion takes the files in the order that the clean takes
    // them, the order of its rows. Both copies were made in the order of the
    // hits, which a sort of the list changes, and a file system deletes files
    // faster in the order they were made.
    std::vector<std::string> deleteOrder;
    for (const Hit& hit : HitsListed(dialog, root + "-clean")) deleteOrder.push_back(root + "-delete" + hit.relative);

    const double deleteStart = Seconds();
    for (const std::string& path : deleteOrder) ::DeleteFileA(path.c_str());
    const double deleteSeconds = Seconds() - deleteStart;

    dialog.parts.clean.OnPermanentMode();
    dialog.parts.options.SetOption(velnor::ScanOptions::kClean0, true);
    for (auto area : {velnor::ScanOptions::kClean1, velnor::ScanOptions::kClean2, velnor::ScanOptions::kClean3,
                      velnor::ScanOptions::kClean4, velnor::ScanOptions::kClean5})
        dialog.parts.options.SetOption(area, false);
    const double cleanStart = Seconds();
    dialog.parts.clean.OnStartClean();
    PumpMessages();
    const double cleanSeconds = Seconds() - cleanStart;
    for (const std::string& path : cleanCopy) figures.left += ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;

    std::printf("clean_50k_rows: %d (%zu files copied, %llu left after the clean)\n", figures.rows, cleanCopy.size(),
                figures.left);
    std::printf("delete_50k_seconds: %.3f\n", deleteSeconds);
    std::printf("clean_50k_seconds: %.3f\n", cleanSeconds);
    std::printf("clean_50k_vs_delete: %.3f\n", cleanSeconds / deleteSeconds);
    std::fflush(stdout);
    return figures;
}

// What the process holds at one moment: its working set, its private bytes and
// the bytes in use in its heaps (the C++ allocations among them), in MB.
std::string MemoryNow() {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    HANDLE heaps[64];
    const DWORD count = ::GetProcessHeaps(64, heaps);
    unsigned long long busy = 0, blocks = 0, committed = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_REGION) committed += entry.Region.dwCommittedSize;
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                busy += entry.cbData;
                ++blocks;
            }
        }
        ::HeapUnlock(heaps[i]);
    }
    char text[200];
    std::snprintf(text, sizeof text, "working set %.1f, private %.1f, heaps %.1f in %llu blocks (%.1f committed)",
                  static_cast<double>(memory.WorkingSetSize) / 1048576.0,
                  static_cast<double>(memory.PagefileUsage) / 1048576.0, static_cast<double>(busy) / 1048576.0,
                  blocks, static_cast<double>(committed) / 1048576.0);
    return text;
}

std::string ScratchFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "velnor-bench-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan_window_bench ROOT [EXPECTED_ROWS] [clean [ROUNDS]]\n");
        return 2;
    }
    const std::string root = argv[1];
    const long long expectedRows = argc > 2 ? std::atoll(argv[2]) : -1;
    const int cleanRounds = argc > 3 && std::string(argv[3]) == "clean" ? (argc > 4 ? std::atoi(argv[4]) : 1) : 0;

    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);

    const double bareStart = Seconds();
    const Counts counts = cleanRounds > 0 ? Counts{} : BareWalk(root);
    const double bareFirst = Seconds() - bareStart;

    const std::string scratch = ScratchFolder();
    ScratchFileSystem files(scratch);
    velnor::Win32Locale locale;
    ConfirmingPrompts prompts;
    TimedPump pump;
    velnor::Platform services;
    services.files = &files;
    services.locale = &locale;
    services.prompts = &prompts;
    services.pump = &pump;
    auto dialog = std::make_unique<velnor::CMainDialog>(services);
    dialog->SetMessagePump(&pump);
    if (!dialog->Create(nullptr)) {
        std::fprintf(stderr, "the main window could not be created\n");
        return 1;
    }
    ::ShowWindow(dialog->Hwnd(), SW_SHOW);
    PumpMessages();
    const std::string memoryBefore = MemoryNow();

    // A fresh profile: the defaults of the first start, only the tree checked.
    auto& locations = dialog->parts.profile.locations;
    const auto scanOnly = [&](const std::string& location) {
        for (int row = 0; row < locations.RowCount(); ++row) locations.SetChecked(row, false);
        dialog->parts.store.AddLocationRow(locations.RowCount(), velnor::MakeFolderLocation(location, true));
        PumpMessages();
    };
    scanOnly(root);
    if (cleanRounds > 0) {
        // Only the clean: the hits listed once, then cleaned on fresh copies.
        dialog->parts.scan.OnStartScan();
        PumpMessages();
        const std::vector<Hit> hits = HitsListed(*dialog, root);
        bool ok = !hits.empty();
        for (int round = 0; round < cleanRounds; ++round) {
            const CleanFigures clean = CleanAgainstDelete(*dialog, root, hits, scanOnly);
            ok = ok && clean.rows == static_cast<int>(hits.size()) && clean.left == 0;
        }
        ::ExitProcess(ok ? 0 : 1);
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelnorBenchProbe";
    ::RegisterClassA(&wc);
    HWND probeWindow = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    g_probeAnswered = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_probing = true;
    HANDLE prober = ::CreateThread(nullptr, 0, ProbeThread, probeWindow, 0, nullptr);

    // The click on Start Scan, then whatever painting the scan left behind.
    const double scanStart = Seconds();
    pump.Start();
    dialog->parts.scan.OnStartScan();
    PumpMessages();
    const double scanSeconds = Seconds() - scanStart;

    g_probing = false;
    ::WaitForSingleObject(prober, INFINITE);
    ::CloseHandle(prober);
    PumpMessages();

    const int rows = dialog->parts.results.RowCount();
    const HWND list = dialog->Item(IDC_RESULT_LIST);
    const long long shownRows = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    char totalFiles[64] = {}, selectedFiles[64] = {};
    ::GetWindowTextA(dialog->Item(IDC_TOTAL_FILES), totalFiles, sizeof totalFiles);
    ::GetWindowTextA(dialog->Item(IDC_SELECTED_FILES), selectedFiles, sizeof selectedFiles);

    const double secondStart = Seconds();
    BareWalk(root);
    const double bareSecond = Seconds() - secondStart;
    const double bare = bareFirst < bareSecond ? bareFirst : bareSecond;

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);

    std::printf("tree1m_folders: %llu\n", counts.folders);
    std::printf("tree1m_files: %llu\n", counts.files);
    std::printf("scan_1m_rows: %d (list view %lld, \"%s\", \"%s\")\n", rows, shownRows, totalFiles, selectedFiles);
    std::printf("enumeration_1m_seconds: %.3f (%.3f and %.3f)\n", bare, bareFirst, bareSecond);
    std::printf("scan_1m_seconds: %.3f\n", scanSeconds);
    std::printf("scan_1m_vs_enumeration: %.3f\n", scanSeconds / bare);
    std::printf("scan_1m_peak_working_set_mb: %.1f\n", static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0);
    std::printf("scan_1m_memory_mb: before the scan %s; after it %s\n", memoryBefore.c_str(), MemoryNow().c_str());
    std::printf("scan_1m_longest_unanswered_ms: %.1f (%lld probes)\n", g_longestProbeWait * 1000.0, g_probes);
    std::printf("scan_1m_longest_between_drains_ms: %.1f (%lld drains)\n", pump.longestGap * 1000.0, pump.drains);
    std::printf("scan_1m_longest_drain_ms: %.1f\n", pump.longestDrain * 1000.0);
    std::fflush(stdout);

    const double sortSeconds = TimedHeadingClick(list, 3);
    std::printf("sort_50k_ms: %.1f (%d rows)\n", sortSeconds * 1000.0, dialog->parts.results.RowCount());
    std::fflush(stdout);

    // Start Clean against a bare DeleteFileA loop, each on its own copy of the hits.
    const CleanFigures clean = CleanAgainstDelete(*dialog, root, HitsListed(*dialog, root), scanOnly);

    ::DeleteFileA((scratch + "\\config.ini").c_str());
    ::RemoveDirectoryA(scratch.c_str());
    const bool ok = rows == shownRows && (expectedRows < 0 || rows == expectedRows) && clean.rows == rows && clean.left == 0;
    if (expectedRows >= 0 && rows != expectedRows)
        std::fprintf(stderr, "the scan listed %d rows, the tree holds %lld junk names\n", rows, expectedRows);
    // Tearing the window down with every row in it takes long and measures nothing.
    ::ExitProcess(ok ? 0 : 1);
}
