// Shared pieces of the ladder compile tests: drawing rungs and compiling a
// project whose image is compared with one written by hand.
#pragma once

#include "session/project_compile.h"
#include "tests/support/expected_lines.h"
#include "tests/support/test_library.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace k7::test {

// Sets the eight kinds of a rung; names are set by the test.
inline void Draw(Project& project, int row, std::initializer_list<int32_t> kinds) {
    int column = 1;
    for (int32_t kind : kinds)
        project.Ladder[row].CellKinds[column++] = kind;
}

// The data lines of one image section: after its marker, up to the next one.
inline std::vector<std::string> SectionLines(const DownloadImage& image,
                                             const std::string& marker) {
    std::vector<std::string> lines;
    auto it = std::find(image.Lines.begin(), image.Lines.end(), marker);
    if (it == image.Lines.end())
        return lines;
    for (++it; it != image.Lines.end() && (*it).rfind('#', 0) != 0; ++it)
        lines.push_back(*it);
    return lines;
}

} // namespace k7::test
