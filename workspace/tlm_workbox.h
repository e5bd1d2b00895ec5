// The "TLM Workbox": the editor of one telemetry message (a run of TX or
// RX rows with the same Port, Source and Dest.) at a time. It numbers the
// words and bits of the message itself as rows come and go, and on "Save"
// moves the message to the end of its array.
#pragma once

#include "workspace/project.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

class Workspace;

enum class TlmArrayKind { Rx, Tx };
enum class CellNumbering { K4K7 = 0, Modbus = 1 }; // "K4...K7 Numbering", "Modbus Numbering"
// The "Add Row" choice: "Integer-16 bit", "Integer-32 bit", "Status-16 bit", "Float-32 bit".
enum class AddRowChoice { Integer16, Integer32, Status16, Float32 };
// "Global Setpoint", "Archive Data", "RealTimeClock".
enum class SpecialField { GlobalSetpoint, ArchiveData, RealTimeClock };
enum class WorkboxColumn { Wd = 0, Bit, Name, Mult, Type, Address };

constexpr int StatusWordRows = 16;
constexpr const char* WorkboxColumnTitles[] = {"Wd", "Bit", "Name", "Mult", "Type", "Address"};
constexpr const char* WorkboxMultipliers[] = {"0.0001", ".001",  ".01",    ".1",     "1.0",
                                              "10.0",   "100.0", "1000.0", "10000.0"};
constexpr int WorkboxMultiplierCount = 9;

// One row of the "TLM Array Entries:" grid.
struct WorkboxRow {
    std::string Wd, Bit, Name, Mult, Type, Address;
};

// The array rows of one message: [First, End); both 0 when there is none.
struct MessageRows {
    int First = 0;
    int End = 0;
};
MessageRows FindMessage(const TTlmArray& array, const std::string& port, const std::string& source,
                        const std::string& dest);

// Numbers "Wd" and "Bit" of the rows down to the first row without a type.
void RenumberRows(std::vector<WorkboxRow>& rows, CellNumbering numbering);

// The name a received value is saved under: a plain name gets the source
// unit's number and "." in front.
std::string ReceivedName(const std::string& name, int source);

class TlmWorkbox {
  public:
    explicit TlmWorkbox(Workspace& workspace);
    TlmWorkbox(const TlmWorkbox&) = delete;
    TlmWorkbox& operator=(const TlmWorkbox&) = delete;

    // "New Rx Array" / "New Tx Array": opens for that array with the current
    // selectors. Asks first when the open workbox holds unsaved changes.
    bool Open(TlmArrayKind kind);
    // An entry of "RX Arrays In Project:" or "TX Arrays In Project:".
    bool OpenListEntry(TlmArrayKind kind, const std::string& entry);

    // The selectors; each reloads the workbox for the message it names, or
    // (when the user keeps unsaved changes) goes back to its remembered value.
    bool SetBoard(int board);
    bool SetPortNo(int portNo);
    bool SetDest(int dest);
    bool SetSource(int source);
    void SetNumbering(CellNumbering numbering);

    // A click on a grid cell; grid row 1 is the first entry, and the row
    // after the last entry is the empty bottom row.
    void SelectCell(int row, WorkboxColumn column);
    // RX: what is typed into the "RCV name:" field, whole, at each keystroke.
    bool TypeName(const std::string& text);
    // TX: a database name dragged onto a row.
    bool DropName(int row, const std::string& name);
    // "Multiplier..." panel choice, index into WorkboxMultipliers.
    bool ChooseMultiplier(int index);
    bool ChooseSpecialField(SpecialField field);
    bool ClearCell();
    void AddRow(AddRowChoice choice);
    void DeleteRow();
    bool Save();
    bool Cancel();
    // Another project replaced the one under the workbox (New, Open): it
    // is hidden and its rows dropped without a question.
    void Reset();

    TlmArrayKind Kind() const { return kind_; }
    std::string Title() const;
    bool Visible() const { return visible_; }
    bool Changed() const { return changed_; }
    int Board() const { return board_; }
    int PortNo() const { return portNo_; }
    int Dest() const { return dest_; }
    int Source() const { return source_; }
    CellNumbering Numbering() const { return numbering_; }
    bool SourceShown() const {
        return kind_ == TlmArrayKind::Rx && numbering_ == CellNumbering::K4K7;
    }
    // The entries, grid rows 1..n at [0..n-1]; the empty bottom row is not held.
    const std::vector<WorkboxRow>& Rows() const { return rows_; }
    int SelectedRow() const { return selectedRow_; }
    bool NameFieldOpen() const { return nameRow_ > 0; }
    bool MultiplierPanelShown() const { return multiplierShown_; }
    MessageRows Group() const { return group_; }

    // The cells that identify the message in the array; RX rows name their
    // source only while "K4...K7 Numbering" shows the "Source Addr:" selector.
    std::string PortCell() const;
    std::string SourceCell() const;
    std::string DestCell() const;

  private:
    TTlmArray& Array();
    bool ConfirmAbandon();
    // The message of the selectors; sourceCell, when given, names its source.
    void Load(const std::optional<std::string>& sourceCell = std::nullopt);
    void Remember();
    bool ChangeSelector(int& selector, int value);
    void FinishName();
    WorkboxRow* SelectedEntry();
    bool Refuse(const std::string& text, StoredField field);
    void Renumber();
    int WordRunStart(int index) const;

    Workspace& workspace_;
    TlmArrayKind kind_ = TlmArrayKind::Rx;
    bool visible_ = false;
    int board_ = 0;
    int portNo_ = 1;
    int dest_ = 0;
    int source_ = 0;
    CellNumbering numbering_ = CellNumbering::K4K7;
    std::vector<WorkboxRow> rows_;
    MessageRows group_;
    std::array<std::string, 3> loaded_; // Port, Source and Dest. cells of the loaded message
    bool changed_ = false;
    int rememberedBoard_ = 0, rememberedPortNo_ = 1, rememberedDest_ = 0, rememberedSource_ = 0;
    int selectedRow_ = 1;
    WorkboxColumn selectedColumn_ = WorkboxColumn::Wd;
    int nameRow_ = 0; // RX: the row whose name the "RCV name:" field edits
    bool multiplierShown_ = false;
};

} // namespace k7
