#pragma once
#include <string>
#include <vector>

namespace velnor {

// The programs running on the machine.
class IProcesses {
public:
    virtual ~IProcesses() = default;
    // The executable file name of every running process ("msedge.exe"), as
    // the system lists it, in its order and with its letter case; a program
    // that runs several times is listed as often. Empty when the list cannot
    // be had.
    virtual std::vector<std::string> RunningNames() = 0;
};

}  // namespace velnor
