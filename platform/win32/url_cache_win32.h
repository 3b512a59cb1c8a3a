#pragma once
// The real URL cache and URL history of the Windows build (WinINet and the
// history object behind the browser's History folder).
#include "platform/url_cache.h"

namespace velnor {

class Win32UrlCache : public IUrlCache {
public:
    Handle FindFirst(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                     uint32_t& error) override;
    bool FindNext(Handle walk, std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                  uint32_t& error) override;
    void FindClose(Handle walk) override;
    bool DeleteEntry(const std::string& sourceUrlName) override;
};

class Win32UrlHistory : public IUrlHistory {
public:
    // Creates the history object on the calling thread, clears it and lets it
    // go again; returns the last COM result.
    long ClearHistory() override;
};

}  // namespace velnor
