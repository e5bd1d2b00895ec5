#include "compiler/ladder_check.h"

#include "compiler/compile_context.h"
#include "workspace/ladder_editor.h"
#include "workspace/project.h"

#include <algorithm>
#include <array>

namespace k7 {

namespace {

enum Direction { Left = 0, Right = 1, Up = 2, Down = 3 };

// For each kind and direction, character n tells whether a neighbour of
// kind n is allowed ("O") or wrong ("X") on that side.
constexpr std::array<std::array<const char*, 4>, LadderKindCount> NeighbourTable = {{
    {"OXOXXOXXXO", "OXOXXXXXXX", "OOXXOOOOOX", "OOXOXXOOOX"}, // 1 empty
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "OOXOXXOOOX"}, // 2 horizontal line
    {"OXOXXOXXXO", "OXOXXXXXXX", "XXOOXXXXXO", "XXOXOOXXXO"}, // 3 vertical line
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "XXOXOOXXXO"}, // 4 branch down
    {"XOXOOXOOOX", "XOXOOOOOOO", "XXOOXXXXXO", "OOXOXXOOOX"}, // 5 branch up
    {"XOXOOXOOOX", "OXOXXXXXXX", "XXOOXXXXXO", "OOXOXXOOOX"}, // 6 junction
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "OOXOXXOOOX"}, // 7 closed contact
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "OOXOXXOOOX"}, // 8 open contact
    {"XOXOOXOOOX", "XOXXXXXXXX", "OOXXOOOOOX", "OOXOXXOOOX"}, // 9 coil
    {"XOXOOXOOOX", "OXOXXXXXXX", "XXOOXXXXXO", "XXOXOOXXXO"}, // 10 branch left
}};

bool KnownKind(int32_t kind) {
    return kind >= KindBlank && kind <= LadderKindCount;
}

// A neighbour of kind 0 (left of column 1) or of a kind the table does not
// know is never wrong; an unknown kind is reported at its own cell.
bool NeighbourWrong(int32_t kind, Direction direction, int32_t neighbour) {
    if (!KnownKind(neighbour))
        return false;
    return NeighbourTable[kind - 1][direction][neighbour - 1] == 'X';
}

int32_t KindAt(const Project& project, int row, int column) {
    return CountedKind(project.Ladder[row].CellKinds[column]);
}

bool CellFits(const Project& project, int row, int column) {
    const int32_t kind = KindAt(project, row, column);
    if (!KnownKind(kind))
        return false;
    const int32_t left = column == 1 ? KindNone : KindAt(project, row, column - 1);
    int32_t right = kind;
    if (column < LadderColumns)
        right = KindAt(project, row, column + 1);
    else if (kind == KindCoil)
        right = KindLineH;
    const int32_t up = row == 0 ? KindBlank : KindAt(project, row - 1, column);
    // The grid's last row has nothing below it.
    const int32_t down =
        row + 1 >= project.LadderRows ? KindBlank : KindAt(project, row + 1, column);
    return !NeighbourWrong(kind, Left, left) && !NeighbourWrong(kind, Right, right) &&
           !NeighbourWrong(kind, Up, up) && !NeighbourWrong(kind, Down, down);
}

std::string RungCell(int row, int column) {
    return std::to_string(row + 1) + ", cell " + std::to_string(column);
}

} // namespace

std::vector<LadderFinding> LadderFindings(const Project& project) {
    std::vector<LadderFinding> findings;
    const int rows = std::min(project.LadderRows, LadderMaxRows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c <= LadderColumns; ++c) {
            if (!CellFits(project, r, c)) {
                findings.push_back({r, "Schematic error in ladder rung " + RungCell(r, c)});
                break;
            }
            const int32_t kind = KindAt(project, r, c);
            const bool named = kind == KindClosed || kind == KindOpen || kind == KindCoil;
            if (named && project.Ladder[r].CellNames[c].size() < 3)
                findings.push_back({r, "Missing tag in ladder rung " + RungCell(r, c)});
        }
    }
    return findings;
}

std::vector<std::string> LadderFaults(const Project& project) {
    std::vector<std::string> faults;
    for (LadderFinding& finding : LadderFindings(project))
        faults.push_back(std::move(finding.Message));
    return faults;
}

bool LadderCheck(CompileContext& context) {
    const std::vector<std::string> faults = LadderFaults(context.project);
    for (const std::string& fault : faults)
        context.ReportInPass2(fault);
    return faults.empty();
}

} // namespace k7
