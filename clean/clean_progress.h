#pragma once

namespace velnor {

// Start Clean's progress bar: the checked junk files fill the first share,
// each system area to empty one more share after it.
constexpr int kJunkProgressShare = 75;
constexpr int kAreaProgressShare = 5;

}  // namespace velnor
