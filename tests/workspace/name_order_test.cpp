#include "workspace/name_order.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace k7 {
namespace {

// Folded, "tan" < "tank" < "tank2" < "tank_a" ("2" is 0x32, "_" 0x5F); the
// three spellings of "tank" in byte order, upper case first.
TEST(CaseFoldedOrderTest, OneOrderWhateverTheInputOrder) {
    const std::vector<std::string> sorted = {"Tan", "TANK", "Tank", "tank", "Tank2", "tank_a"};
    std::vector<std::string> entries = {"tank", "Tank2", "Tan", "TANK", "tank_a", "Tank"};
    SortIgnoringCase(entries);
    EXPECT_EQ(entries, sorted);
    std::reverse(entries.begin(), entries.end());
    SortIgnoringCase(entries);
    EXPECT_EQ(entries, sorted);
    EXPECT_TRUE(LessIgnoringCase("Tank", "tank"));
    EXPECT_FALSE(LessIgnoringCase("tank", "Tank"));
    EXPECT_FALSE(LessIgnoringCase("tank", "tank"));
}

} // namespace
} // namespace k7
