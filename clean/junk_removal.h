#pragma once
// The removal of the checked found files: each goes to the Recycle Bin or is
// deleted for good, and a file that stays keeps its row, checked.
#include <cstdint>
#include <functional>

#include "platform/platform.h"
#include "scan/found_files.h"

namespace velnor {

enum class RemovalMode { RecycleBin, Permanent };

// Told of each checked file as it is taken (k counts them from 1); false
// stops the removal before that file.
using RemovalStep = std::function<bool(uint32_t k)>;
// Told of each checked file that was taken, once its fate is known.
using RemovalOutcome = std::function<void(const FoundFile& file, bool removed)>;

// Removes every checked file from the top of the list down; the rows taken
// leave the list, but those of the files that stayed. Returns how many
// checked files stayed.
uint32_t RemoveCheckedFiles(FoundFiles& found, const Platform& platform, RemovalMode mode,
                            const RemovalOutcome& onFile, const RemovalStep& beforeFile = {});

}  // namespace velnor
