#pragma once
#include "platform/file_system.h"
#include "platform/help.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/url_cache.h"

namespace velnor {

// The services the program reaches the operating system through. The Win32
// build fills it with the real ones, the host tests with fakes.
struct Platform {
    IFileSystem* files = nullptr;
    IShell* shell = nullptr;
    IUrlCache* urlCache = nullptr;
    IUrlHistory* urlHistory = nullptr;
    IPrompts* prompts = nullptr;
    IMessagePump* pump = nullptr;
    ILocale* locale = nullptr;
    IHelp* help = nullptr;
    IProcesses* processes = nullptr;
};

}  // namespace velnor
