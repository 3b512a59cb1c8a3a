#pragma once
// Drives the real program from outside, as a user would: it is started from a
// fresh folder, found by its window title, given control commands by id, and
// its texts, list rows and message boxes are read and answered through its
// windows only. Nothing here links to the program's code.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velnor::e2e {

constexpr char kWindowTitle[] = "Velnor Disk Cleaner";
constexpr char kScanFinished[] = "Scaning: Scan Completed! Please Click 'Next' to Continue...";
constexpr char kScanAgain[] = "Scaning:Please click 'start scan' .";
constexpr char kCleanCompleted[] = "Clean Completed!";

// The program under test: "--program=PATH" on the command line, else the
// VELNOR_E2E_PROGRAM environment variable, else dist\VelnorCleaner.exe in a
// folder above this test program. A Unix path (from the scripts) is read
// through the Z: drive.
std::string ProgramUnderTest();

// Under Wine without a window manager (Xvfb), every top-level window that
// closes makes the X11 driver wait about two seconds for a manager that never
// answers. Telling Wine that the program's windows are not managed (for this
// program's name only) removes the wait. Does nothing outside Wine.
void UnmanageProgramWindowsUnderWine();

// With VELNOR_E2E_TRACE set, prints a step and the time since the last one.
void Trace(const std::string& step);

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);  // UTF-8, for messages
std::string Lower(std::string text);

// A fresh folder C:\VelnorE2E\<process>-<n>; removed at the end without ever
// following a link out of it.
class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    const std::string& Root() const { return root_; }
    std::string operator/(const std::string& relative) const { return root_ + "\\" + relative; }

private:
    std::string root_;
};

// Files made with the wide interface, so that names the ANSI interface cannot
// hold can be made too. Folders on the way are created.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
void MakeFolders(const std::wstring& path);
std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::wstring& path);
// The host's path of a Windows path, and a directory link made by the host's
// own `ln -s` (the only kind of link that Wine shows as a reparse point).
std::string UnixPathOf(const std::wstring& path);
bool MakeDirectoryLink(const std::wstring& link, const std::wstring& target);
// Runs a host program and waits for it; true when it exited with 0.
bool RunHostProgram(const std::string& unixProgram, const std::string& arguments);

// Every file and folder below a root, by relative path, with size and hash.
// Directory links are recorded but not entered.
struct Entry {
    bool folder = false;
    bool link = false;
    uint64_t size = 0;
    uint64_t hash = 0;
    DWORD attributes = 0;
    bool operator==(const Entry& o) const {
        return folder == o.folder && link == o.link && size == o.size && hash == o.hash;
    }
};
using Snapshot = std::map<std::wstring, Entry>;
Snapshot TakeSnapshot(const std::wstring& root);
// Empty when `after` is `before` without exactly the files in `gone`
// (relative paths, compared without regard to case); else the differences.
std::string Differences(const Snapshot& before, const Snapshot& after, const std::set<std::wstring>& gone);
// The hashes of the named files of a snapshot, sorted.
std::vector<uint64_t> FileHashes(const Snapshot& snapshot, const std::set<std::wstring>& paths);
// The hashes of the files that `after` holds and `before` did not, sorted:
// what arrived in a folder between two snapshots of it.
std::vector<uint64_t> ArrivedFileHashes(const Snapshot& before, const Snapshot& after);

bool UnderWine();
// Where the Recycle Bin keeps the files it takes. Under Wine that is the
// host's trash, $XDG_DATA_HOME/Trash/files (else ~/.local/share/Trash/files),
// reached through Z:; empty outside Wine.
std::wstring RecycleBinFiles();

// Waits up to `ms` for `condition`; true when it became true.
template <class F>
bool WaitUntil(F condition, DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(15);
    }
}

// Memory in another process, for messages whose parameters point to memory.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    void* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    void Write(size_t offset, const void* data, size_t size);
    void Read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_;
    void* address_;
};

// One run of the program, copied into `folder` under `exeName` and started
// there. The destructor ends it if it is still running.
class Program {
public:
    explicit Program(const std::string& folder, const std::string& exeName = "VelnorCleaner.exe");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return window_ != nullptr; }
    const std::string& Error() const { return error_; }
    HWND Window() const { return window_; }
    HANDLE Process() const { return process_.hProcess; }
    DWORD Pid() const { return process_.dwProcessId; }
    const std::string& Folder() const { return folder_; }
    std::string ProfilePath() const { return folder_ + "\\config.ini"; }

    HWND Control(int id) const;
    // A click on a control, as its notification reaches the window. Click
    // waits until the handler has run; PostClick does not (for handlers that
    // run long or open a modal box).
    bool Click(int id);
    void PostClick(int id);
    std::string Text(int id) const;
    std::string TextOf(HWND window) const;
    // Waits until the control's text equals `expected`; false on timeout.
    bool WaitForText(int id, const std::string& expected, DWORD ms);

    bool Running() const;
    bool WaitForExit(DWORD ms);
    // Top-level windows of the program's process other than the main window.
    std::vector<HWND> OtherWindows() const;
    // The program's message box with this caption; null on timeout.
    HWND WaitForMessageBox(const std::string& caption, DWORD ms) const;
    // The texts of a dialog's static children, joined by '\n'.
    std::string DialogTexts(HWND dialog) const;
    // Ends the program at once (a failed test must not leave it running).
    void Kill();

private:
    std::string folder_;
    std::string error_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

// One run of the program with arguments, without its window.
struct CommandResult {
    DWORD exitCode = 0;
    std::string output;  // the standard output, read through a pipe
    std::string error;   // the standard error, read through another
    // Every top-level window that the process had while it ran, as
    // "class (visible)" or "class (hidden)".
    std::set<std::string> windows;
    // Empty when the program ran and ended in time.
    std::string failure;
};
// Runs the program copied into `folder` (copied there first when it is not
// there yet), started from the folder above, with `arguments`, until it ends
// (ended after `ms`), looking at its windows every few milliseconds.
CommandResult RunCommandLine(const std::string& folder, const std::string& arguments, DWORD ms = 120000);

// The program's list control with id `id`, read and clicked from outside.
class RemoteList {
public:
    RemoteList(const Program& program, int id);
    int Count() const;
    int Columns() const;
    std::string Cell(int row, int column) const;
    bool Checked(int row) const;
    bool Selected(int row) const;
    int Focused() const;  // -1 for none
    // The image that a column's heading shows; -1 for none.
    int HeadingImage(int column) const;
    // Clicks the row's check box with the mouse, where the list view shows it;
    // true when the check state flipped.
    bool ClickCheckBox(int row);
    // Clicks the middle of a cell's text with the mouse; true once the list
    // has handled the click.
    bool ClickRow(int row, int column = 1);
    // The space bar pressed in the list; true once the list has handled it.
    bool PressSpace();
    // Clicks a column's heading with the mouse; true once the click was handled.
    bool ClickHeading(int column);
    // Waits until the program has handled what was posted to it before (all
    // its windows share one queue); true when it has.
    bool Settle() { return PostAndSettle({}); }

private:
    POINT CheckBoxPoint(int row) const;
    POINT CellPoint(int row, int column) const;
    struct Input {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    bool PostAndSettle(std::initializer_list<Input> input);
    const Program& program_;
    HWND list_;
};

// The shell's folder chooser opened by the program: waits for it, selects the
// folder and presses OK (or Cancel when `folder` is empty). The error text is
// empty on success.
std::string ChooseFolderInChooser(const Program& program, const std::string& folder, DWORD ms);

// The profile file split into its lines (without line ends).
std::vector<std::string> ProfileLines(const std::string& path);
// Value of the first line "key=..." or "" (and `found` false).
std::string ProfileValue(const std::string& path, const std::string& key, bool* found = nullptr);

}  // namespace velnor::e2e
