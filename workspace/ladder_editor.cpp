#include "workspace/ladder_editor.h"

#include "workspace/databases.h"
#include "workspace/instance_editor.h"
#include "workspace/workspace.h"

#include <algorithm>

namespace k7 {

int32_t CountedKind(int32_t stored) {
    return stored == KindNone ? KindBlank : stored;
}

bool IsPaletteKind(int32_t kind) {
    return kind >= KindBlank && kind <= LadderKindCount && kind != KindUp;
}

const char* CellBitmap(int32_t kind) {
    static const char* const bitmaps[] = {"CBlank.BMP", "CLineH.BMP", "CLineV.BMP",  "CDown.BMP",
                                          "CUp.BMP",    "CAngle.BMP", "CClosed.BMP", "COpen.BMP",
                                          "CCoil.BMP",  "CLeft.BMP"};
    const int32_t counted = CountedKind(kind);
    if (counted < KindBlank || counted > LadderKindCount)
        return "";
    return bitmaps[counted - 1];
}

int CellPictureOffset(int32_t kind) {
    return kind == KindClosed || kind == KindOpen || kind == KindCoil ? 11 : 0;
}

std::string JunctionName(int row, int column) {
    return "Ladr." + std::to_string(row) + std::to_string(column - 1);
}

LadderEditor::LadderEditor(Workspace& workspace) : workspace_(workspace) {}

void LadderEditor::OpenPage() {
    tool_ = KindCoil;
    dialog_ = CoilDialog{};
}

bool LadderEditor::SelectTool(int32_t kind) {
    if (!IsPaletteKind(kind))
        return false;
    tool_ = kind;
    return true;
}

int LadderEditor::RowCount() const {
    return workspace_.project.LadderRows;
}

bool LadderEditor::InGrid(int column, int row) const {
    return column >= 1 && column <= LadderColumns && row >= 0 && row < RowCount() &&
           row < LadderMaxRows;
}

bool LadderEditor::RefuseText(const std::string& text, StoredField field, size_t maxLength) {
    return RefuseStoredText(workspace_.Ui(), text, field, maxLength);
}

void LadderEditor::Changed(bool namesChanged) {
    if (namesChanged)
        RebuildDatabases(workspace_.project, workspace_.library);
    workspace_.MarkProjectChanged(ProjectPart::Ladder);
}

bool LadderEditor::ClickCell(int column, int row) {
    if (!InGrid(column, row))
        return false;
    Project& project = workspace_.project;
    // Clicking near the bottom keeps two spare rows below the drawing.
    if (row > project.LadderRows - 2)
        project.LadderRows = std::min(project.LadderRows + 2, LadderMaxRows);

    TLadderRung& rung = project.Ladder[row];
    bool namesChanged = false;
    if (tool_ == KindBlank || (tool_ != KindCoil && column != CoilColumn)) {
        rung.CellKinds[column] = tool_;
        if (tool_ == KindBlank) {
            namesChanged = column == CoilColumn && !rung.CellNames[column].empty();
            rung.CellNames[column].clear();
        }
    } else if (tool_ == KindCoil && column == CoilColumn) {
        rung.CellKinds[column] = KindCoil;
        dialog_ = CoilDialog{true, row, rung.CellNames[column], rung.OnDelay, rung.OffDelay};
    }
    Changed(namesChanged);
    return true;
}

bool LadderEditor::DropName(int column, int row, const std::string& name) {
    if (!InGrid(column, row) || column == CoilColumn || RefuseText(name, StoredField::Inside))
        return false;
    workspace_.project.Ladder[row].CellNames[column] = name;
    Changed(false);
    return true;
}

bool LadderEditor::CoilDialogOk(const std::string& tag, const std::string& onDelay,
                                const std::string& offDelay) {
    if (!dialog_.Open || dialog_.Row < 0 || dialog_.Row >= LadderMaxRows)
        return false;
    // The tag names a coil variable, which a speech line's enable cell can hold.
    if (RefuseText(tag, StoredField::LineStart) ||
        RefuseText(onDelay, StoredField::Inside, MaxDelayText) ||
        RefuseText(offDelay, StoredField::Inside, MaxDelayText))
        return false;
    TLadderRung& rung = workspace_.project.Ladder[dialog_.Row];
    // An empty tag stays empty, so that the compile reports the missing tag
    // instead of compiling a coil named ".Coil".
    const bool qualified = tag.empty() || tag.find('.') != std::string::npos;
    rung.CellNames[CoilColumn] = qualified ? tag : tag + ".Coil";
    rung.OnDelay = onDelay;
    rung.OffDelay = offDelay;
    // A fresh word at the next compile: the tag may now name another coil.
    rung.RungWord = 0;
    dialog_.Open = false;
    Changed(true);
    return true;
}

static bool RungIsEmpty(const TLadderRung& rung) {
    for (int c = 1; c <= LadderColumns; ++c)
        if (CountedKind(rung.CellKinds[c]) != KindBlank || !rung.CellNames[c].empty())
            return false;
    return true;
}

bool LadderEditor::InsertRung(int row) {
    Project& project = workspace_.project;
    if (row < 0 || row >= project.LadderRows)
        return false;
    const int last = project.LadderRows - 1;
    if (project.LadderRows >= LadderMaxRows) {
        // The grid cannot grow: the last rung falls off, which only an
        // empty rung may do.
        if (!RungIsEmpty(project.Ladder[last])) {
            workspace_.Ui().ShowError(LadderFullMessage);
            return false;
        }
        for (int r = last; r > row; --r)
            project.Ladder[r] = project.Ladder[r - 1];
    } else {
        ++project.LadderRows;
        for (int r = last + 1; r > row; --r)
            project.Ladder[r] = project.Ladder[r - 1];
    }
    project.Ladder[row] = TLadderRung{};
    Changed(false);
    return true;
}

bool LadderEditor::DeleteRung(int row) {
    Project& project = workspace_.project;
    if (row < 0 || row >= project.LadderRows)
        return false;
    for (int r = row; r + 1 < project.LadderRows; ++r)
        project.Ladder[r] = project.Ladder[r + 1];
    // Leaving the last rung in place would show it twice and compile its
    // coil twice on one stored word.
    project.Ladder[project.LadderRows - 1] = TLadderRung{};
    Changed(true);
    return true;
}

} // namespace k7
