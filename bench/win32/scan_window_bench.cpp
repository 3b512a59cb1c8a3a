// The whole scan as the program runs it: the real main window (CMainDialog with
// its result list bound to the model, its texts and its message drain after
// every folder) scanning a big tree with a fresh profile, against a bare
// breadth-first FindFirstFileA/FindNextFileA walk of the same tree in the same
// process. Also measures how long the window goes without handling a message:
// a second thread posts a time-stamped probe to a window of the user-interface
// thread, waits until it has been handled and posts the next.
// Usage: scan_window_bench ROOT [EXPECTED_ROWS]
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
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

// The program's pump, also timing the stretches between two drains.
class TimedPump : public velnor::Win32MessagePump {
public:
    void Drain() override {
        const double now = Seconds();
        if (last_ > 0 && now - last_ > longestGap) longestGap = now - last_;
        ++drains;
        velnor::Win32MessagePump::Drain();
        last_ = Seconds();
    }
    void Start() { last_ = Seconds(); }
    double longestGap = 0;
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
        std::fprintf(stderr, "usage: scan_window_bench ROOT [EXPECTED_ROWS]\n");
        return 2;
    }
    const std::string root = argv[1];
    const long long expectedRows = argc > 2 ? std::atoll(argv[2]) : -1;

    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);

    const double bareStart = Seconds();
    const Counts counts = BareWalk(root);
    const double bareFirst = Seconds() - bareStart;

    const std::string scratch = ScratchFolder();
    ScratchFileSystem files(scratch);
    velnor::Win32Locale locale;
    velnor::Win32Prompts prompts;
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

    // A fresh profile: the defaults of the first start, only the tree checked.
    velnor::ListModel& locations = dialog->profile.locations;
    for (int row = 0; row < locations.RowCount(); ++row) locations.SetChecked(row, false);
    dialog->AddLocationRow(locations.RowCount(), root, "", "", velnor::kFolderImage, true);
    PumpMessages();

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
    dialog->OnStartScan();
    PumpMessages();
    const double scanSeconds = Seconds() - scanStart;

    g_probing = false;
    ::WaitForSingleObject(prober, INFINITE);
    ::CloseHandle(prober);
    PumpMessages();

    const int rows = dialog->results.RowCount();
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
    std::printf("scan_1m_longest_unanswered_ms: %.1f (%lld probes)\n", g_longestProbeWait * 1000.0, g_probes);
    std::printf("scan_1m_longest_between_drains_ms: %.1f (%lld drains)\n", pump.longestGap * 1000.0, pump.drains);
    std::fflush(stdout);

    ::DeleteFileA((scratch + "\\config.ini").c_str());
    ::RemoveDirectoryA(scratch.c_str());
    const bool ok = rows == shownRows && (expectedRows < 0 || rows == expectedRows);
    if (expectedRows >= 0 && rows != expectedRows)
        std::fprintf(stderr, "the scan listed %d rows, the tree holds %lld junk names\n", rows, expectedRows);
    // Tearing the window down with every row in it takes long and measures nothing.
    ::ExitProcess(ok ? 0 : 1);
}
