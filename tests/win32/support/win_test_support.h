#pragma once
// Helpers of the Windows suite: real folders, a parent window for real controls
// and message pumping.
#include <windows.h>

#include <string>

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

// Handles whatever is waiting in this thread's queue.
void PumpMessages();

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
