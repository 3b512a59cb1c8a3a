#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velnor {

constexpr uint32_t kCookieCacheEntry = 0x00100000;
constexpr uint32_t kErrorInsufficientBuffer = 122;
constexpr uint32_t kErrorNoMoreItems = 259;

struct UrlCacheEntry {
    std::string sourceUrlName;
    uint32_t entryType = 0;
};

// The URL cache walk, kept close to the platform's calls: the caller owns the
// entry buffer and grows it when the platform asks for more room.
class IUrlCache {
public:
    virtual ~IUrlCache() = default;
    using Handle = void*;
    // FindFirstUrlCacheEntryA with no search pattern. On success returns a
    // handle and fills entry; on failure returns null and sets error (and, for a
    // too small buffer, bufferSize to the size needed).
    virtual Handle FindFirst(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                             uint32_t& error) = 0;
    virtual bool FindNext(Handle walk, std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                          uint32_t& error) = 0;
    virtual void FindClose(Handle walk) = 0;
    virtual bool DeleteEntry(const std::string& sourceUrlName) = 0;
};

// The URL history object: CoInitialize, CoCreateInstance, ClearHistory, CoUninitialize.
class IUrlHistory {
public:
    virtual ~IUrlHistory() = default;
    virtual long ClearHistory() = 0;
};

}  // namespace velnor
