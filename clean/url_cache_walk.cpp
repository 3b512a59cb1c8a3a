#include "clean/url_cache_walk.h"

#include <cstring>
#include <vector>

namespace velnor {

namespace {

constexpr uint32_t kFirstBufferBytes = 4096;
// No cache entry comes near this; a walk that keeps asking for more is broken.
constexpr uint32_t kBufferLimit = 16u << 20;

// The entry buffer's first field is its dwStructSize, a little-endian DWORD.
void NewEntryBuffer(std::vector<uint8_t>& buffer, uint32_t size) {
    buffer.assign(size, 0);
    if (size >= sizeof size) std::memcpy(buffer.data(), &size, sizeof size);
}

}  // namespace

bool WalkUrlCache(IUrlCache& cache, const std::function<void(const UrlCacheEntry&)>& onEntry) {
    std::vector<uint8_t> buffer;
    NewEntryBuffer(buffer, kFirstBufferBytes);
    IUrlCache::Handle walk = nullptr;
    for (;;) {
        UrlCacheEntry entry;
        uint32_t size = static_cast<uint32_t>(buffer.size());
        uint32_t error = 0;
        const bool found = walk ? cache.FindNext(walk, buffer, size, entry, error)
                                : (walk = cache.FindFirst(buffer, size, entry, error)) != nullptr;
        if (found) {
            onEntry(entry);
            continue;
        }
        // A platform that asks for no more than it already had would never be
        // satisfied, so that ends the walk like any other error.
        if (error == kErrorInsufficientBuffer && size > buffer.size() && size <= kBufferLimit) {
            NewEntryBuffer(buffer, size);
            continue;
        }
        if (walk) cache.FindClose(walk);
        return error == kErrorNoMoreItems;
    }
}

}  // namespace velnor
