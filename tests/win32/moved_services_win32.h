#pragma once
// Real services of the Windows build with the folders that a clean empties
// moved into test folders, and prompts that answer by themselves.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/win32/shell_win32.h"
#include "platform/win32/win32_platform.h"

namespace velnor::testing {

// The real file system with the temporary folder moved into a test folder.
class MovedTempFileSystem : public Win32FileSystem {
public:
    std::string tempPath;
    std::string modulePath;
    int tempPathCalls = 0;
    std::string TempPath() override {
        ++tempPathCalls;
        return tempPath;
    }
    std::string ModulePath() override { return modulePath.empty() ? Win32FileSystem::ModulePath() : modulePath; }
};

// The real shell with Recent Documents moved into a test folder, and the
// Recycle Bin emptied for real only when the bin is a scratch one.
class MovedRecentShell : public Win32Shell {
public:
    std::string recent;
    bool realBin = false;
    int binEmptied = 0;
    std::optional<std::string> SpecialFolderPath(int csidl) override {
        if (csidl == kCsidlRecent && !recent.empty()) return recent;
        return Win32Shell::SpecialFolderPath(csidl);
    }
    long EmptyRecycleBin(unsigned flags) override {
        ++binEmptied;
        return realBin ? Win32Shell::EmptyRecycleBin(flags) : S_OK;
    }
};

class AnsweringPrompts : public IPrompts {
public:
    int answer = IDOK;
    int asked = 0;
    int waitDepth = 0, deepest = 0;
    int MessageBox(const std::string&, const std::string&, unsigned) override {
        ++asked;
        return answer;
    }
    std::optional<std::string> ChooseFolder() override { return std::nullopt; }
    void BeginWaitCursor() override { deepest = std::max(deepest, ++waitDepth); }
    void EndWaitCursor() override { --waitDepth; }
};

// Under Wine the Recycle Bin is the desktop's trash folder: emptying it for
// real is only safe in a trash made for the test run (tools/test.sh gives
// each run its own).
inline bool ScratchTrash() {
    const char* data = std::getenv("XDG_DATA_HOME");
    return data && std::string(data).find("/tmp/") == 0;
}

}  // namespace velnor::testing
