// The table editor: one table definition at a time in a grid of rows +
// 1 lines (line 0 the titles) and columns + 5 columns ("#", "TYPE",
// "ROW NAME", "WT INPUT", the value columns "1".."n", "OUTPUT"), with the
// list "Tables in Project:", and the rules that store definitions in the
// project's table list.
#pragma once

#include "tables_speech/table_def.h"
#include "workspace/stored_text.h"

#include <optional>
#include <string>
#include <vector>

namespace k7 {

class Workspace;

constexpr const char* TableListTitle = "Tables in Project:";
constexpr const char* CannotDropMessage = "You cannot drop into this column";
constexpr const char* NameTableMessage = "You must name the table before saving";
constexpr const char* TableRowsMessage = "The number of rows must be 1 to 1000";
constexpr const char* TableColumnsMessage = "The number of columns must be 1 to 1000";
constexpr const char* StringCharsMessage = "Characters per string must be 4 to 254";

// Grid columns before the value columns.
enum TableGridColumn { ColumnNumber = 0, ColumnType = 1, ColumnRowName = 2, ColumnWtInput = 3 };
constexpr int FirstValueColumn = 4;

class TableEditor {
  public:
    explicit TableEditor(Workspace& workspace);

    // "Tables in Project:" and the entry selected in it.
    std::vector<std::string> TableNames() const;
    void SelectEntry(std::optional<std::string> name) { selected_ = std::move(name); }

    // New Table, Edit Table, Save to Proj, Close, Delete Table.
    // New and Edit ask before dropping edits.
    bool NewTable();
    bool EditTable();
    bool SaveTable();
    bool CloseEditor();
    bool DeleteTable();
    // Another project replaced the one under the editor (New, Open): the
    // form and the selection are dropped without a question, so nothing
    // of the old project is saved into the new one.
    void Reset();

    // The fields above the grid; false when the text was refused.
    bool TypeName(const std::string& text);
    bool TypeReadSelector(const std::string& text);
    bool TypeWriteSelector(const std::string& text);
    bool TypeWriteTrigger(const std::string& text);
    bool SetRowCount(int rows);
    bool SetColumnCount(int columns);
    bool SetStringChars(int chars);
    // The row type that a click on the "TYPE" column puts there (0..3).
    bool SelectRowType(int index);

    // A click on a grid cell: in the "TYPE" column it sets the row's type.
    bool ClickCell(int line, int column);
    // Typing into "ROW NAME", "WT INPUT" or a value cell of lines 1..rows.
    bool TypeCell(int line, int column, const std::string& text);
    // A variable name dropped on a grid cell or on one of the selectors.
    bool DropOnCell(int line, int column, const std::string& name);
    bool DropOnReadSelector(const std::string& name) { return TypeReadSelector(name); }
    bool DropOnWriteSelector(const std::string& name) { return TypeWriteSelector(name); }
    bool DropOnWriteTrigger(const std::string& name) { return TypeWriteTrigger(name); }

    // What the grid shows.
    int GridLines() const { return table_.Header.Rows + 1; }
    int GridColumns() const { return table_.Header.Columns + 5; }
    std::string Cell(int line, int column) const;

    const TableDef& Table() const { return table_; }
    bool Changed() const { return changed_; }

  private:
    bool ValueColumn(int column) const;
    bool DataLine(int line) const;
    std::string* EditableCell(int line, int column);
    bool TypeField(std::string& field, const std::string& text,
                   StoredField kind = StoredField::Inside);
    bool ConfirmAbandon();
    void MarkChanged();

    Workspace& workspace_;
    TableDef table_;
    bool changed_ = false;
    std::optional<std::string> selected_;
};

} // namespace k7
