#include "clean/shell_delete.h"

#include "scan/unusable_name.h"

namespace velnor {

unsigned ShellDeleteFlags(bool permanent) {
    const unsigned flags = kFofNoConfirmation | kFofSimpleProgress | kFofNoErrorUi;
    return permanent ? flags : flags | kFofAllowUndo;
}

int ShellDelete(IShell& shell, const std::string& list, bool permanent) {
    return shell.DeleteFiles(list, ShellDeleteFlags(permanent));
}

std::string DoubleNulList(const std::vector<std::string>& entries) {
    std::string list;
    for (const std::string& entry : entries) {
        list += entry;
        list.push_back('\0');
    }
    list.push_back('\0');
    return list;
}

bool UnsafeForShellList(const std::string& path) {
    return path.empty() || path.find('\0') != std::string::npos || NamesNoFile(path);
}

}  // namespace velnor
