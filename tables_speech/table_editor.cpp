#include "tables_speech/table_editor.h"

#include "workspace/record_list.h"
#include "workspace/databases.h"
#include "workspace/instance_editor.h"
#include "workspace/workspace.h"

namespace k7 {

static TableRow NewRow(int columns) {
    TableRow row;
    row.Values.assign(static_cast<size_t>(columns), std::string());
    return row;
}

static TableDef NewDefinition() {
    TableDef table;
    table.Rows.assign(static_cast<size_t>(table.Header.Rows), NewRow(table.Header.Columns));
    return table;
}

TableEditor::TableEditor(Workspace& workspace) : workspace_(workspace), table_(NewDefinition()) {}

std::vector<std::string> TableEditor::TableNames() const {
    return SortedTableNames(workspace_.project.Tables);
}

bool TableEditor::ConfirmAbandon() {
    return !changed_ || workspace_.Ui().AskYesNo(AbandonQuestion);
}

bool TableEditor::NewTable() {
    if (!ConfirmAbandon())
        return false;
    table_ = NewDefinition();
    changed_ = false;
    return true;
}

void TableEditor::Reset() {
    changed_ = false; // the project is gone: nothing to ask about
    NewTable();
    selected_.reset();
}

bool TableEditor::EditTable() {
    const std::vector<std::string>& lines = workspace_.project.Tables;
    const std::optional<RecordSpan> span =
        selected_ ? FindRecord(lines, *selected_) : std::optional<RecordSpan>();
    if (!span) {
        workspace_.Ui().ShowError(SelectEntryMessage);
        return false;
    }
    if (!ConfirmAbandon())
        return false;
    const std::optional<TableHeader> header = ParseTableHeader(lines[span->Header]);
    if (!header) {
        workspace_.Ui().ShowError("Table " + *selected_ +
                                  " cannot be read: its sizes are not numbers within the limits");
        return false;
    }
    TableDef table;
    table.Header = *header;
    for (size_t i = span->Header + 1; i < span->End && table.Rows.size() < size_t(header->Rows);
         ++i)
        table.Rows.push_back(ParseTableRow(lines[i], header->Columns));
    table.Rows.resize(static_cast<size_t>(header->Rows), NewRow(header->Columns));
    // The stored outputs are not read back: they follow from the row names.
    for (TableRow& row : table.Rows)
        row.Output = TableOutputName(row.Name);
    table_ = std::move(table);
    changed_ = false;
    return true;
}

bool TableEditor::SaveTable() {
    if (table_.Header.Name.size() < 2) {
        workspace_.Ui().ShowError(NameTableMessage);
        return false;
    }
    std::vector<std::string>& lines = workspace_.project.Tables;
    if (const std::optional<RecordSpan> span = FindRecord(lines, table_.Header.Name))
        EraseRecord(lines, *span);
    // A changed table gets a fresh RAM block at the next compile; an
    // unchanged one keeps the values the unit holds in its block.
    if (changed_) {
        table_.Header.RamStart = 0;
        table_.Header.RamEnd = 0;
    }
    for (const std::string& line : TableLines(table_))
        lines.push_back(line);
    changed_ = false;
    RebuildDatabases(workspace_.project, workspace_.library);
    workspace_.MarkProjectChanged(ProjectPart::Tables);
    return true;
}

bool TableEditor::CloseEditor() {
    return ConfirmAbandon();
}

bool TableEditor::DeleteTable() {
    if (!workspace_.Ui().AskYesNo(DeleteQuestion))
        return false;
    std::vector<std::string>& lines = workspace_.project.Tables;
    const std::optional<RecordSpan> span =
        selected_ ? FindRecord(lines, *selected_) : std::optional<RecordSpan>();
    if (!span) {
        workspace_.Ui().ShowError(SelectEntryMessage);
        return false;
    }
    EraseRecord(lines, *span);
    selected_.reset();
    workspace_.MarkProjectChanged(ProjectPart::Tables);
    RebuildDatabases(workspace_.project, workspace_.library);
    return true;
}

void TableEditor::MarkChanged() {
    changed_ = true;
    workspace_.MarkProjectChanged(ProjectPart::Tables);
}

bool TableEditor::TypeField(std::string& field, const std::string& text, StoredField kind) {
    if (RefuseStoredText(workspace_.Ui(), text, kind))
        return false;
    field = text;
    MarkChanged();
    return true;
}

bool TableEditor::TypeName(const std::string& text) {
    return TypeField(table_.Header.Name, text);
}

bool TableEditor::TypeReadSelector(const std::string& text) {
    return TypeField(table_.Header.ReadSelector, text);
}

bool TableEditor::TypeWriteSelector(const std::string& text) {
    return TypeField(table_.Header.WriteSelector, text);
}

bool TableEditor::TypeWriteTrigger(const std::string& text) {
    return TypeField(table_.Header.WriteTrigger, text);
}

bool TableEditor::SetRowCount(int rows) {
    if (rows < 1 || rows > MaxTableRows) {
        workspace_.Ui().ShowError(TableRowsMessage);
        return false;
    }
    // New rows start as empty "Integer" rows; the rows kept keep their types.
    table_.Rows.resize(static_cast<size_t>(rows), NewRow(table_.Header.Columns));
    table_.Header.Rows = rows;
    MarkChanged();
    return true;
}

bool TableEditor::SetColumnCount(int columns) {
    if (columns < 1 || columns > MaxTableColumns) {
        workspace_.Ui().ShowError(TableColumnsMessage);
        return false;
    }
    for (TableRow& row : table_.Rows) {
        row.Values.resize(static_cast<size_t>(columns));
        row.Output = TableOutputName(row.Name);
    }
    table_.Header.Columns = columns;
    MarkChanged();
    return true;
}

bool TableEditor::SetStringChars(int chars) {
    if (chars < MinStringChars || chars > MaxStringChars) {
        workspace_.Ui().ShowError(StringCharsMessage);
        return false;
    }
    table_.Header.StringChars = chars;
    MarkChanged();
    return true;
}

bool TableEditor::SelectRowType(int index) {
    if (index < 0 || index >= TableRowTypeCount)
        return false;
    table_.Header.RowTypeIndex = index;
    return true;
}

bool TableEditor::DataLine(int line) const {
    return line >= 1 && line <= table_.Header.Rows;
}

bool TableEditor::ValueColumn(int column) const {
    return column >= FirstValueColumn && column < FirstValueColumn + table_.Header.Columns;
}

bool TableEditor::ClickCell(int line, int column) {
    if (!DataLine(line) || column != ColumnType)
        return false;
    table_.Rows[static_cast<size_t>(line - 1)].Type = TableRowTypes[table_.Header.RowTypeIndex];
    MarkChanged();
    return true;
}

std::string* TableEditor::EditableCell(int line, int column) {
    if (!DataLine(line))
        return nullptr;
    TableRow& row = table_.Rows[static_cast<size_t>(line - 1)];
    if (column == ColumnRowName)
        return &row.Name;
    if (column == ColumnWtInput)
        return &row.WriteInput;
    if (ValueColumn(column))
        return &row.Values[static_cast<size_t>(column - FirstValueColumn)];
    return nullptr;
}

bool TableEditor::TypeCell(int line, int column, const std::string& text) {
    std::string* cell = EditableCell(line, column);
    // A row name gives the row's output variable, which a speech line's
    // enable cell can hold.
    const StoredField kind = column == ColumnRowName ? StoredField::LineStart : StoredField::Inside;
    if (!cell || !TypeField(*cell, text, kind))
        return false;
    if (column == ColumnRowName) {
        TableRow& row = table_.Rows[static_cast<size_t>(line - 1)];
        row.Output = TableOutputName(row.Name);
    }
    return true;
}

bool TableEditor::DropOnCell(int line, int column, const std::string& name) {
    if (!DataLine(line) || (column != ColumnWtInput && !ValueColumn(column))) {
        workspace_.Ui().ShowError(CannotDropMessage);
        return false;
    }
    return TypeCell(line, column, name);
}

std::string TableEditor::Cell(int line, int column) const {
    const int columns = table_.Header.Columns;
    if (line < 0 || line > table_.Header.Rows || column < 0 || column >= columns + 5)
        return {};
    if (line == 0) {
        static const char* const titles[] = {"", "TYPE", "ROW NAME", "WT INPUT"};
        if (column < FirstValueColumn)
            return titles[column];
        return ValueColumn(column) ? std::to_string(column - FirstValueColumn + 1) : "OUTPUT";
    }
    const TableRow& row = table_.Rows[static_cast<size_t>(line - 1)];
    switch (column) {
    case ColumnNumber:
        return std::to_string(line);
    case ColumnType:
        return row.Type;
    case ColumnRowName:
        return row.Name;
    case ColumnWtInput:
        return row.WriteInput;
    default:
        return ValueColumn(column) ? row.Values[static_cast<size_t>(column - FirstValueColumn)]
                                   : row.Output;
    }
}

} // namespace k7
