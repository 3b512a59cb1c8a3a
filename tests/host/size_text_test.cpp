#include "ui/size_text.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(SizeText, SwitchesUnitsAtTheirBoundaries) {
    struct Case {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 Byte(s)"},
        {1023, "1023 Byte(s)"},
        {1024, "1.00 KB"},
        {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"},
        // The part below one KB is dropped before dividing: not 1.01 MB.
        {1048576 + 5 * 1024 + 512, "1.00 MB"},
        {3000000000ull, "2861.02 MB"},
        {UINT64_MAX, "17592186044416.00 MB"},
    };
    for (const Case& c : cases) EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;
}

TEST(SizeText, DecimalTextCoversTheWholeUnsignedRange) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(3000000000ull), "3000000000");
    EXPECT_EQ(DecimalText(UINT64_MAX), "18446744073709551615");
}

}  // namespace
}  // namespace velnor
