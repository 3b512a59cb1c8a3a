#include "ui/size_text.h"

#include <cstdio>

namespace velnor {

std::string SizeText(uint64_t bytes) {
    char text[64];
    if (bytes >= 1048576) {
        std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes / 1024) / 1024.0);
    } else if (bytes >= 1024) {
        std::snprintf(text, sizeof text, "%.2f KB", static_cast<double>(bytes) / 1024.0);
    } else {
        std::snprintf(text, sizeof text, "%.0f Byte(s)", static_cast<double>(bytes));
    }
    return text;
}

std::string DecimalText(uint64_t value) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::string text;
    text.reserve(n);
    while (n > 0) text.push_back(digits[--n]);
    return text;
}

}  // namespace velnor
