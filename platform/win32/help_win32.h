#pragma once
// Compiled HTML Help through hhctrl.ocx.
#include "platform/help.h"

namespace velnor {

class Win32Help : public IHelp {
public:
    void ShowContext(const std::string& helpFile, uint32_t context) override;
};

}  // namespace velnor
