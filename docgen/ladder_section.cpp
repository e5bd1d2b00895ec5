// The ladder section: each rung as text art, a line of cell names over a
// line of cell symbols.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"

#include <algorithm>
#include <array>

namespace k7 {

namespace {

constexpr const char* VerticalName = "    |      ";

const char* CellPiece(int kind) {
    switch (kind) {
    case 2:
        return "------------";
    case 3:
        return "      |     ";
    case 4:
        return "------*-----";
    case 6:
        return "------|     ";
    case 7:
        return "-----|/|----";
    case 8:
        return "-----| |----";
    case 9:
        return "( )";
    case 10:
        return "------*     ";
    default:
        return "            "; // empty cells, branch up, and kinds that do not occur
    }
}

// Vertical lines and the two branches continue into the rung below.
bool CarriesVertical(int kind) {
    return kind == 3 || kind == 4 || kind == 10;
}

} // namespace

void WriteLadderSection(const DocSource& source, DocLines& out) {
    AppendIntroBlock(source.intro, 'L', out);
    const Project& project = source.project;
    const int rows = std::min(project.LadderRows, LadderStorageRows);
    if (rows < 2)
        return;
    std::array<bool, LadderColumns + 1> vertical{}; // marks of the element line written last
    for (int r = 0; r < rows; ++r) {
        const TLadderRung& rung = project.Ladder[r];
        if (rung.CellKinds[1] < 2)
            continue;
        std::string names = "  ";
        for (int c = 1; c <= LadderColumns; ++c)
            names += CutOrPad(vertical[c] ? VerticalName : rung.CellNames[c], 11) + " ";
        out.push_back(names);
        vertical.fill(false);

        std::string elements;
        for (int c = 1; c <= LadderColumns; ++c) {
            elements += CellPiece(rung.CellKinds[c]);
            vertical[c] = CarriesVertical(rung.CellKinds[c]);
        }
        if (rung.CellKinds[LadderColumns] == 9)
            elements += " ON=" + rung.OnDelay + " OFF=" + rung.OffDelay;
        out.push_back(elements);
    }
}

} // namespace k7
