#pragma once
// Helpers of the Windows suite: real folders, a parent window for real controls
// and message pumping.
#include <windows.h>

#include <string>

#include "platform/win32/win32_platform.h"

namespace velnor::testing {

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
void MakeFolder(const std::string& path);
void RemoveTree(const std::string& path);
// A symbolic link to a file or a folder. Under Wine it is a Unix symbolic link
// made by the host's ln, which listings show as a reparse point for a folder
// and as the file it leads to for a file; on Windows it is a real one.
bool MakeLink(const std::string& link, const std::string& target);

// The line that ends a clean of every item here: Wine's history object has no
// ClearHistory yet (it answers E_NOTIMPL), Windows' clears, and the clean
// tells which.
std::string CleanEndWithHistory();

// The real file system, with the program living in a test folder so that its
// config.ini lands there.
class ProgramInFolder : public Win32FileSystem {
public:
    explicit ProgramInFolder(const std::string& folder) : exe_(folder + "\\VelnorCleaner.exe") {}
    std::string ModulePath() override { return exe_; }

private:
    std::string exe_;
};

// Handles whatever is waiting in this thread's queue.
void PumpMessages();

// A key pressed and let go on the focused control of `dialog`, as the
// dialog's message loop hands it on.
void PressKey(HWND dialog, WPARAM key);

// A plain top-level window that hands the notifications and commands of its
// children back to their window objects, as a dialog of the framework does.
class HostWindow {
public:
    HostWindow(int width = 700, int height = 560);
    ~HostWindow();
    HWND Hwnd() const { return hwnd_; }
    // A report list view child with the styles of the program's templates.
    HWND CreateListView(int id, int x, int y, int width, int height);

private:
    HWND hwnd_;
};

// Process-wide GDI and USER object counts, to see that nothing piles up.
DWORD GdiObjects();
DWORD UserObjects();

}  // namespace velnor::testing
