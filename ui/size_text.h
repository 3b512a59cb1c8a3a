#pragma once
#include <cstdint>
#include <string>

namespace velnor {

// The one way a byte count is shown: MB and KB with two decimals, else whole bytes.
// The MB form drops the part below one KB first, so 1 MB + 5 KB + 512 bytes reads
// 1.00 MB rather than 1.01 MB.
std::string SizeText(uint64_t bytes);

// "%u" and "%I64u" without depending on the C library's Windows quirks.
std::string DecimalText(uint64_t value);

}  // namespace velnor
