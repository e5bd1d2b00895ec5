#include "workspace/tlm_workbox.h"

#include "workspace/databases.h"
#include "workspace/instance_editor.h"
#include "workspace/telemetry_arrays.h"
#include "workspace/workspace.h"

#include <algorithm>

namespace k7 {

namespace {

constexpr const char* SelfUnit = "Us";

std::string UnitCell(int unit) {
    return unit < 0 ? SelfUnit : std::to_string(unit);
}

int UnitNumber(const std::string& text) {
    return text == SelfUnit ? -1 : CellNumber(text);
}

bool IsSystemName(const std::string& name) {
    return name == "GlobalSP" || name == "GlobalRTC" || name == "ArchiveData";
}

// Words a row takes when it does not fall into a status word.
int WordsOf(const std::string& type) {
    return type == "Float" || type == "Long Int" ? 2 : 1;
}

const char* RowType(AddRowChoice choice) {
    switch (choice) {
    case AddRowChoice::Integer32:
        return "Long Int";
    case AddRowChoice::Status16:
        return "Status";
    case AddRowChoice::Float32:
        return "Float";
    case AddRowChoice::Integer16:
        break;
    }
    return "Integer";
}

const char* SpecialName(SpecialField field) {
    switch (field) {
    case SpecialField::ArchiveData:
        return "ArchiveData";
    case SpecialField::RealTimeClock:
        return "GlobalRTC";
    case SpecialField::GlobalSetpoint:
        break;
    }
    return "GlobalSP";
}

// "Brd " b ", Prt " p ", Src " s ", Dst " d: the text after each label.
bool SplitListEntry(const std::string& entry, std::string (&values)[4]) {
    static const char* const labels[4] = {"Brd ", "Prt ", "Src ", "Dst "};
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const std::string label = (i == 0 ? "" : ", ") + std::string(labels[i]);
        if (entry.compare(pos, label.size(), label) != 0)
            return false;
        pos += label.size();
        const size_t end = i == 3 ? entry.size() : entry.find(", ", pos);
        if (end == std::string::npos)
            return false;
        values[i] = entry.substr(pos, end - pos);
        pos = end;
    }
    return true;
}

} // namespace

MessageRows FindMessage(const TTlmArray& array, const std::string& port, const std::string& source,
                        const std::string& dest) {
    auto matches = [&](const TTlmRow& row) {
        return row[TlmSource] == source && row[TlmDest] == dest && row[TlmPort] == port;
    };
    // A lone data row is a message too: missing it would make "Save" add a
    // second copy of it.
    for (int r = 1; r < array.RowCount(); ++r) {
        if (!matches(array.Rows[r]))
            continue;
        int end = r + 1;
        while (end < array.RowCount() && matches(array.Rows[end]))
            ++end;
        return {r, end};
    }
    return {};
}

static bool RenumberRowsChanged(std::vector<WorkboxRow>& rows, CellNumbering numbering) {
    bool changed = false;
    auto set = [&](std::string& cell, const std::string& value) {
        if (cell != value) {
            cell = value;
            changed = true;
        }
    };
    int word = 1;
    int bit = 0;
    for (WorkboxRow& row : rows) {
        if (row.Type.empty())
            break;
        set(row.Wd, std::to_string(word));
        if (bit == 0 && row.Type[0] == 'S')
            bit = 1; // a status word begins
        if (bit == 0) {
            set(row.Bit, "-");
            word += WordsOf(row.Type);
            continue;
        }
        set(row.Bit,
            std::to_string(numbering == CellNumbering::Modbus ? (word - 1) * 16 + bit : bit));
        if (++bit > StatusWordRows) {
            ++word;
            bit = 0;
        }
    }
    return changed;
}

void RenumberRows(std::vector<WorkboxRow>& rows, CellNumbering numbering) {
    RenumberRowsChanged(rows, numbering);
}

std::string ReceivedName(const std::string& name, int source) {
    // An empty name stays empty: "12." would name nothing.
    if (name.empty() || IsSystemName(name) || name.find('.') != std::string::npos)
        return name;
    return std::to_string(source) + "." + name;
}

TlmWorkbox::TlmWorkbox(Workspace& workspace) : workspace_(workspace) {}

TTlmArray& TlmWorkbox::Array() {
    return kind_ == TlmArrayKind::Rx ? workspace_.project.RxArray : workspace_.project.TxArray;
}

std::string TlmWorkbox::Title() const {
    return kind_ == TlmArrayKind::Rx ? "RX Array Setup..." : "TX Array Setup...";
}

std::string TlmWorkbox::PortCell() const {
    return std::to_string(board_ * 3 + portNo_ - 1);
}

std::string TlmWorkbox::SourceCell() const {
    return SourceShown() ? UnitCell(source_) : SelfUnit;
}

std::string TlmWorkbox::DestCell() const {
    return UnitCell(dest_);
}

bool TlmWorkbox::ConfirmAbandon() {
    return !changed_ || workspace_.Ui().AskYesNo(AbandonQuestion);
}

void TlmWorkbox::Remember() {
    rememberedBoard_ = board_;
    rememberedPortNo_ = portNo_;
    rememberedDest_ = dest_;
    rememberedSource_ = source_;
}

void TlmWorkbox::Load(const std::optional<std::string>& sourceCell) {
    rows_.clear();
    nameRow_ = 0;
    multiplierShown_ = false;
    const TTlmArray& array = Array();
    loaded_ = {PortCell(), sourceCell.value_or(SourceCell()), DestCell()};
    group_ = FindMessage(array, loaded_[0], loaded_[1], loaded_[2]);
    for (int r = group_.First; r < group_.End; ++r) {
        const TTlmRow& cells = array.Rows[r];
        WorkboxRow row{cells[TlmWord], cells[TlmBit],  cells[TlmName],
                       cells[TlmMult], cells[TlmType], ""};
        if (kind_ == TlmArrayKind::Rx)
            row.Address = cells[TlmAddress];
        rows_.push_back(row);
    }
    selectedRow_ = static_cast<int>(rows_.size()) + 1;
    changed_ = false;
    Remember();
}

bool TlmWorkbox::Open(TlmArrayKind kind) {
    if (visible_ && !ConfirmAbandon())
        return false;
    kind_ = kind;
    visible_ = true;
    Load();
    return true;
}

bool TlmWorkbox::OpenListEntry(TlmArrayKind kind, const std::string& entry) {
    std::string values[4];
    if (!SplitListEntry(entry, values))
        return false;
    if (visible_ && !ConfirmAbandon())
        return false;
    board_ = std::max(CellNumber(values[0]), 0);
    portNo_ = std::clamp(CellNumber(values[1]), 1, 3);
    source_ = std::max(UnitNumber(values[2]), -1);
    dest_ = UnitNumber(values[3]);
    kind_ = kind;
    visible_ = true;
    // The entry names its own source, even while "Modbus Numbering" hides
    // the selector that would otherwise give it.
    Load(values[2]);
    return true;
}

bool TlmWorkbox::ChangeSelector(int& selector, int value) {
    if (selector == value)
        return true;
    selector = value;
    if (!ConfirmAbandon()) {
        board_ = rememberedBoard_;
        portNo_ = rememberedPortNo_;
        dest_ = rememberedDest_;
        source_ = rememberedSource_;
        return false;
    }
    Load();
    return true;
}

bool TlmWorkbox::SetBoard(int board) {
    return ChangeSelector(board_, std::max(board, 0));
}

bool TlmWorkbox::SetPortNo(int portNo) {
    return ChangeSelector(portNo_, std::clamp(portNo, 1, 3));
}

bool TlmWorkbox::SetDest(int dest) {
    return ChangeSelector(dest_, dest);
}

bool TlmWorkbox::SetSource(int source) {
    return ChangeSelector(source_, std::max(source, -1));
}

void TlmWorkbox::Renumber() {
    RenumberRows(rows_, numbering_);
}

void TlmWorkbox::SetNumbering(CellNumbering numbering) {
    FinishName();
    numbering_ = numbering;
    if (RenumberRowsChanged(rows_, numbering_))
        changed_ = true;
}

WorkboxRow* TlmWorkbox::SelectedEntry() {
    if (selectedRow_ < 1 || selectedRow_ > static_cast<int>(rows_.size()))
        return nullptr;
    return &rows_[selectedRow_ - 1];
}

bool TlmWorkbox::Refuse(const std::string& text, StoredField field) {
    return RefuseStoredText(workspace_.Ui(), text, field);
}

void TlmWorkbox::FinishName() {
    if (nameRow_ > 0 && nameRow_ <= static_cast<int>(rows_.size())) {
        std::string& name = rows_[nameRow_ - 1].Name;
        const std::string received = ReceivedName(name, source_);
        if (received != name) {
            name = received;
            changed_ = true;
        }
    }
    nameRow_ = 0;
}

void TlmWorkbox::SelectCell(int row, WorkboxColumn column) {
    FinishName();
    selectedRow_ = std::clamp(row, 1, static_cast<int>(rows_.size()) + 1);
    selectedColumn_ = column;
    multiplierShown_ = false;
    if (!SelectedEntry())
        return;
    if (column == WorkboxColumn::Name && kind_ == TlmArrayKind::Rx)
        nameRow_ = selectedRow_;
    else if (column == WorkboxColumn::Mult)
        multiplierShown_ = true;
}

bool TlmWorkbox::TypeName(const std::string& text) {
    // A received name is a database name, which a speech line's enable cell can hold.
    if (nameRow_ <= 0 || nameRow_ > static_cast<int>(rows_.size()) ||
        Refuse(text, StoredField::LineStart))
        return false;
    rows_[nameRow_ - 1].Name = text;
    changed_ = true;
    return true;
}

bool TlmWorkbox::DropName(int row, const std::string& name) {
    if (kind_ != TlmArrayKind::Tx || row < 1 || row > static_cast<int>(rows_.size()) ||
        Refuse(name, StoredField::Inside))
        return false;
    rows_[row - 1].Name = name;
    changed_ = true;
    return true;
}

bool TlmWorkbox::ChooseMultiplier(int index) {
    WorkboxRow* row = SelectedEntry();
    if (!multiplierShown_ || !row || index < 0 || index >= WorkboxMultiplierCount)
        return false;
    row->Mult = WorkboxMultipliers[index];
    multiplierShown_ = false;
    changed_ = true;
    return true;
}

bool TlmWorkbox::ChooseSpecialField(SpecialField field) {
    FinishName();
    WorkboxRow* row = SelectedEntry();
    if (!row)
        return false;
    row->Name = SpecialName(field);
    changed_ = true;
    return true;
}

bool TlmWorkbox::ClearCell() {
    FinishName();
    WorkboxRow* row = SelectedEntry();
    if (!row)
        return false;
    if (selectedColumn_ == WorkboxColumn::Name)
        row->Name.clear();
    else if (selectedColumn_ == WorkboxColumn::Mult)
        row->Mult.clear();
    else
        return false;
    changed_ = true;
    return true;
}

// The first row (0-based) of the run of rows sharing the "Wd" of row index.
int TlmWorkbox::WordRunStart(int index) const {
    while (index > 0 && rows_[index - 1].Wd == rows_[index].Wd)
        --index;
    return index;
}

void TlmWorkbox::AddRow(AddRowChoice choice) {
    FinishName();
    const int count = choice == AddRowChoice::Status16 ? StatusWordRows : 1;
    WorkboxRow added;
    added.Type = RowType(choice);
    const int at = SelectedEntry() ? WordRunStart(selectedRow_ - 1)
                                   : static_cast<int>(rows_.size()); // the empty bottom row
    rows_.insert(rows_.begin() + at, count, added);
    selectedRow_ = at + count + 1;
    Renumber();
    changed_ = true;
}

void TlmWorkbox::DeleteRow() {
    FinishName();
    const WorkboxRow* row = SelectedEntry();
    if (!row)
        return;
    int first = selectedRow_ - 1;
    int end = first + 1;
    if (!row->Bit.empty() && row->Bit != "-") {
        // The whole status word goes: the rows of its "Wd", at most sixteen.
        first = WordRunStart(first);
        end = first;
        while (end < static_cast<int>(rows_.size()) && end - first < StatusWordRows &&
               rows_[end].Wd == rows_[first].Wd)
            ++end;
    }
    rows_.erase(rows_.begin() + first, rows_.begin() + end);
    selectedRow_ = std::min(selectedRow_, static_cast<int>(rows_.size()) + 1);
    Renumber();
    changed_ = true;
}

void TlmWorkbox::Reset() {
    visible_ = false;
    changed_ = false;
    rows_.clear();
    group_ = {};
    loaded_ = {};
    selectedRow_ = 1;
    nameRow_ = 0;
    multiplierShown_ = false;
}

bool TlmWorkbox::Save() {
    if (kind_ == TlmArrayKind::Rx)
        FinishName();
    TTlmArray& array = Array();
    // The rows that were loaded go, even when the numbering choice has
    // since changed what identifies the message.
    const MessageRows old = FindMessage(array, loaded_[0], loaded_[1], loaded_[2]);
    array.Rows.erase(array.Rows.begin() + old.First, array.Rows.begin() + old.End);

    const std::string source = SourceCell();
    for (const WorkboxRow& row : rows_) {
        TTlmRow cells;
        cells[TlmPort] = PortCell();
        cells[TlmSource] = source;
        cells[TlmDest] = DestCell();
        cells[TlmWord] = row.Wd;
        cells[TlmBit] = row.Bit;
        cells[TlmName] = row.Name;
        cells[TlmMult] = row.Mult;
        cells[TlmType] = row.Type;
        if (kind_ == TlmArrayKind::Rx)
            cells[TlmAddress] = changed_ ? "$0" : row.Address;
        array.Rows.push_back(cells);
    }
    CompactArray(array);
    RebuildDatabases(workspace_.project, workspace_.library);
    ListArrays(workspace_.project);
    workspace_.MarkProjectChanged(ProjectPart::TelemetryArrays);
    // Show what the array now holds, so that a second "Save" cannot bring
    // back RAM addresses the first one gave up.
    const int selected = selectedRow_;
    Load();
    selectedRow_ = std::min(selected, static_cast<int>(rows_.size()) + 1);
    return true;
}

bool TlmWorkbox::Cancel() {
    if (!ConfirmAbandon())
        return false;
    FinishName();
    nameRow_ = 0;
    multiplierShown_ = false;
    visible_ = false;
    changed_ = false;
    ListArrays(workspace_.project);
    return true;
}

} // namespace k7
