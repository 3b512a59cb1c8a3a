#pragma once
#include <cstdint>
#include <string>

namespace velnor {

// Compiled HTML Help, the viewer of the user manual.
class IHelp {
public:
    virtual ~IHelp() = default;
    // HtmlHelpA with HH_HELP_CONTEXT: opens the help file at the topic mapped
    // to a context number. A missing file is reported by the viewer.
    virtual void ShowContext(const std::string& helpFile, uint32_t context) = 0;
};

}  // namespace velnor
