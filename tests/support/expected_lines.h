// Whole outputs compared with expected files written by hand: every line is
// compared, so a missing or extra line shows where it is.
#pragma once

#include "workspace/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace k7::test {

inline std::vector<std::string> ExpectedLines(const std::string& folder, const std::string& name) {
    TextFile file = ReadTextLines(folder + name);
    EXPECT_TRUE(file.Ok) << file.Error;
    return file.Lines;
}

inline void ExpectLines(const std::vector<std::string>& actual,
                        const std::vector<std::string>& expected, const std::string& name) {
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i)
        EXPECT_EQ(i < actual.size() ? actual[i] : "<missing>",
                  i < expected.size() ? expected[i] : "<none>")
            << "line " << i + 1 << " of " << name;
}

} // namespace k7::test
