// The ladder section: the neighbour check of every cell, then the rung
// records. Rungs are written from the last grid row up, so that the record
// storing a junction always comes before the records that read it.
#include "compiler/compile_context.h"
#include "compiler/ladder_check.h"
#include "compiler/sections.h"
#include "workspace/ladder_editor.h"
#include "workspace/linescan.h"
#include "workspace/project.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace k7 {

namespace {

constexpr uint32_t StoreMarker = 0x232C;  // the rung stores its result in a junction
constexpr uint32_t BranchMarker = 0x232D; // the rung merges into a junction below
constexpr uint32_t CoilMarker = 0x232E;
constexpr uint32_t JunctionRecordBytes = 40;
constexpr uint32_t CoilRecordBytes = 56;
constexpr uint32_t ClosedContactBit = 0x80000000;

class RungWriter {
  public:
    RungWriter(CompileContext& context, int row) : context_(context), row_(row) {}

    // Writes the records of the rung; a name that does not resolve
    // abandons the rest of it.
    void Compile() {
        address_ = context_.FlashCursor;
        const TLadderRung& rung = context_.project.Ladder[row_];
        for (int c = 1; c <= LadderColumns; ++c) {
            switch (CountedKind(rung.CellKinds[c])) {
            case KindBlank:
            case KindLineH:
            case KindLineV:
                cells_.emplace_back();
                break;
            case KindClosed:
            case KindOpen:
                if (!Contact(rung, c))
                    return;
                break;
            case KindJunction:
                EmptyCellsFrom(c);
                WriteRecord(StoreMarker, JunctionRecordBytes,
                            {LookupName(context_, JunctionName(row_, c))});
                return;
            case KindDown:
            case KindLeft:
                Branch(rung, c);
                break;
            case KindCoil:
                Coil(rung, c);
                return;
            default: // branch up: no cell word
                break;
            }
        }
    }

  private:
    std::string RungText() const { return std::to_string(row_ + 1); }
    std::string CellText(int column) const {
        return RungText() + ", cell " + std::to_string(column);
    }

    void NameError(const std::string& message) {
        context_.ReportInPass2(message);
        context_.ModuleError = true;
    }

    void EmptyCellsFrom(int column) {
        for (int c = column; c <= LadderColumns - 1; ++c)
            cells_.emplace_back();
    }

    bool Contact(const TLadderRung& rung, int column) {
        const std::string& text = rung.CellNames[column];
        const std::string word = LookupName(context_, text);
        if (word.empty()) {
            NameError("Cannot find " + text + " in ladder rung " + CellText(column));
            return false;
        }
        const bool closed = CountedKind(rung.CellKinds[column]) == KindClosed;
        cells_.push_back(closed ? HexText(HexValue(word) | ClosedContactBit) : word);
        return true;
    }

    // The first junction below this rung in the column, if any.
    std::optional<int> JunctionBelow(int column) const {
        const int rows = std::min(context_.project.LadderRows, LadderMaxRows);
        for (int r = row_ + 1; r < rows; ++r)
            if (CountedKind(context_.project.Ladder[r].CellKinds[column]) == KindJunction)
                return r;
        return std::nullopt;
    }

    void Branch(const TLadderRung& rung, int column) {
        const std::optional<int> junctionRow = JunctionBelow(column);
        if (!junctionRow)
            return;
        const std::string junction = LookupName(context_, JunctionName(*junctionRow, column));
        EmptyCellsFrom(column);
        WriteRecord(BranchMarker, JunctionRecordBytes, {junction});
        // The rest of the rung reads the junction in this column; after a
        // branch left it starts afresh.
        address_ = context_.FlashCursor;
        cells_.clear();
        if (CountedKind(rung.CellKinds[column]) == KindDown) {
            cells_.assign(static_cast<size_t>(column - 1), std::string());
            cells_.push_back(junction);
        }
    }

    void Coil(const TLadderRung& rung, int column) {
        const std::string& tag = rung.CellNames[column];
        const std::string coil = LookupName(context_, tag);
        if (coil.empty()) {
            NameError("Cannot find coil " + tag + " in ladder rung " + CellText(column));
            return;
        }
        const std::string onDelay = LookupName(context_, rung.OnDelay);
        const std::string offDelay = LookupName(context_, rung.OffDelay);
        const std::string onTimer = LookupName(context_, tag + "ONdly");
        const std::string offTimer = LookupName(context_, tag + "OFFdly");
        if (onDelay.empty())
            NameError("Cannot find ON delay reference " + rung.OnDelay + " in ladder rung " +
                      RungText());
        if (offDelay.empty()) {
            NameError("Cannot find OFF delay reference " + rung.OffDelay + " in ladder rung " +
                      RungText());
            return;
        }
        if (onTimer.empty()) {
            NameError("Cannot find ON delay reference " + tag + "ONdly" + " in ladder rung " +
                      RungText());
            return;
        }
        WriteRecord(CoilMarker, CoilRecordBytes, {coil, onDelay, offDelay, onTimer, offTimer});
    }

    // address|marker|next|cells...|tail...|\ ; the cell list is written as
    // it came out, the record's size is fixed.
    void WriteRecord(uint32_t marker, uint32_t bytes, const std::vector<std::string>& tail) {
        const uint32_t next = address_ + bytes;
        if (DownloadImage* image = context_.PassImage()) {
            std::string line =
                HexText(address_) + "|" + HexText(marker) + "|" + HexText(next) + "|";
            for (const std::string& cell : cells_)
                line += cell + "|";
            for (const std::string& word : tail)
                line += word + "|";
            image->Add(line + "\\");
        }
        context_.FlashCursor = next;
    }

    CompileContext& context_;
    int row_;
    uint32_t address_ = 0;
    std::vector<std::string> cells_;
};

} // namespace

void LadderCompile(CompileContext& context) {
    if (!LadderCheck(context))
        return;
    const int rows = std::min(context.project.LadderRows, LadderMaxRows);
    for (int r = rows - 1; r >= 0; --r) {
        if (CountedKind(context.project.Ladder[r].CellKinds[1]) == KindBlank)
            continue;
        RungWriter(context, r).Compile();
    }
}

} // namespace k7
