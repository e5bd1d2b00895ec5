// The ladder editor: the palette, the clicks that draw the rungs, the coil
// dialog, and the insertion and deletion of rungs, over the project's
// ladder rows. The grid window only shows what this model holds.
#pragma once

#include "workspace/project.h"

#include <cstdint>
#include <string>

namespace k7 {

class Workspace;

// Cell kinds as the project stores them; a stored 0 counts as an empty cell.
enum LadderKind : int32_t {
    KindNone = 0,
    KindBlank = 1,
    KindLineH = 2,
    KindLineV = 3,
    KindDown = 4,     // branch down: the rung continues from a junction below
    KindUp = 5,       // branch up: only from project files
    KindJunction = 6, // the rung ends here and stores its result
    KindClosed = 7,   // normally closed contact
    KindOpen = 8,     // normally open contact
    KindCoil = 9,     // column 8 only
    KindLeft = 10,    // branch left
};
constexpr int32_t LadderKindCount = 10;
constexpr int CoilColumn = LadderColumns;
constexpr int MaxDelayText = 40;
constexpr const char* CoilDialogCaption = "Enter Coil Tag Name";
constexpr const char* LadderFullMessage =
    "The ladder already holds 199 rungs; clear the last rung before inserting another.";

// The kind a cell counts as: a stored 0 is an empty cell.
int32_t CountedKind(int32_t stored);
// True for the kinds the palette offers (every kind but 0 and 5).
bool IsPaletteKind(int32_t kind);
// The picture that draws a kind ("CBlank.BMP" ... "CLeft.BMP"); empty for
// kinds outside 1..10.
const char* CellBitmap(int32_t kind);
// Contacts and coils are drawn 11 pixels lower, leaving room for the text.
int CellPictureOffset(int32_t kind);
// The junction variable of row r, column c: "Ladr." + r + (c - 1).
std::string JunctionName(int row, int column);

struct CoilDialog {
    bool Open = false;
    int Row = 0;
    std::string Tag;
    std::string OnDelay;
    std::string OffDelay;
};

class LadderEditor {
  public:
    explicit LadderEditor(Workspace& workspace);

    // Opening the ladder page: the coil tool, the coil dialog hidden.
    void OpenPage();
    // A palette button; false for a kind the palette does not offer.
    bool SelectTool(int32_t kind);
    int32_t Tool() const { return tool_; }

    // A click on column 1..8 of grid row 0..rows-1; false outside the grid.
    bool ClickCell(int column, int row);
    // A variable name dropped on a cell; column 8 keeps its coil tag.
    bool DropName(int column, int row, const std::string& name);

    // The coil dialog's OK: tag (".Coil" added when it has no "."), delays.
    bool CoilDialogOk(const std::string& tag, const std::string& onDelay,
                      const std::string& offDelay);
    void CoilDialogCancel() { dialog_.Open = false; }
    const CoilDialog& Dialog() const { return dialog_; }

    // Insert an empty rung at row s, moving s and the rows below down.
    bool InsertRung(int row);
    // Delete rung s, moving the rows below up; the last row is cleared.
    bool DeleteRung(int row);

    int RowCount() const;

  private:
    bool InGrid(int column, int row) const;
    bool RefuseText(const std::string& text, StoredField field, size_t maxLength = 0);
    void Changed(bool namesChanged);

    Workspace& workspace_;
    int32_t tool_ = KindCoil;
    CoilDialog dialog_;
};

} // namespace k7
