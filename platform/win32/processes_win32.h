#pragma once
// The process list of the Windows build: a Toolhelp snapshot.
#include "platform/processes.h"

namespace velnor {

class Win32Processes : public IProcesses {
public:
    std::vector<std::string> RunningNames() override;
};

}  // namespace velnor
