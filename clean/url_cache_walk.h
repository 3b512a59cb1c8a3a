#pragma once
#include <functional>

#include "platform/url_cache.h"

namespace velnor {

// Walks the whole URL cache, calling onEntry for each entry in the order the
// cache gives them; onEntry may delete the entry it is shown. The entry
// buffer starts at 4096 bytes and is made anew at the size the platform asks
// for; any other error ends the walk. True when the walk reached the cache's
// end, false when it could not start or stopped early.
bool WalkUrlCache(IUrlCache& cache, const std::function<void(const UrlCacheEntry&)>& onEntry);

}  // namespace velnor
