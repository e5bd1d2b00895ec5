// A table definition as the project stores it: a header line
// "~name|read selector|write selector|write trigger|rows|columns|
// characters|row type|$RAM start|$RAM end|" followed by one line per row,
// "type|row name|write input|value 1|...|value n|output|". The editor, the
// compile, the documentation and the database lists read and write the
// stored lines through this file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

constexpr int MaxTableRows = 1000;
constexpr int MaxTableColumns = 1000;
constexpr int MinStringChars = 4;
constexpr int MaxStringChars = 254;
constexpr const char* TableOutputSuffix = ".TBL";

// Row types in the order of the editor's row type choice.
constexpr const char* TableRowTypes[] = {"Integer", "Float", "String", "Status"};
constexpr int TableRowTypeCount = 4;

struct TableHeader {
    std::string Name;
    std::string ReadSelector;  // column read selector
    std::string WriteSelector; // column write selector, or empty
    std::string WriteTrigger;  // column write trigger, or empty
    int Rows = 5;
    int Columns = 5;
    int StringChars = 20;
    int RowTypeIndex = 0; // the row type last chosen in the editor
    uint32_t RamStart = 0;
    uint32_t RamEnd = 0;
};

// The header's fields as stored, before their numbers are read: what the
// documentation and the cross references print.
struct TableHeaderTexts {
    std::string Name;
    std::string ReadSelector;
    std::string WriteSelector;
    std::string WriteTrigger;
    std::string Rows;
    std::string Columns;
    std::string StringChars;
    std::string RowTypeIndex;
    std::string RamStart; // "$" and hexadecimal digits
    std::string RamEnd;
};
TableHeaderTexts ReadTableHeaderTexts(const std::string& line);

struct TableRow {
    std::string Type = "Integer";
    std::string Name;
    std::string WriteInput;
    std::vector<std::string> Values; // value columns 1..n
    std::string Output;              // the row's output variable
};

struct TableDef {
    TableHeader Header;
    std::vector<TableRow> Rows;
};

// The output variable of a row: row name + ".TBL"; empty for an unnamed row.
std::string TableOutputName(const std::string& rowName);

std::string TableHeaderLine(const TableHeader& header);
std::string TableRowLine(const TableRow& row);
// The header line and the row lines of a definition.
std::vector<std::string> TableLines(const TableDef& table);

// Reads a header line. Nothing when a size field is not a decimal number
// within its limits (rows and columns 1 to 1000, characters 4 to 254).
std::optional<TableHeader> ParseTableHeader(const std::string& line);
// Reads a row line of a table with the given number of value columns;
// fields missing at the end read as empty.
TableRow ParseTableRow(const std::string& line, int columns);

// "Tables in Project:": the names in the case-folded order of every sorted
// list.
std::vector<std::string> SortedTableNames(const std::vector<std::string>& lines);

// The header line with its RAM fields replaced and its first eight fields
// kept as stored.
std::string TableHeaderWithRam(const std::string& line, uint32_t ramStart, uint32_t ramEnd);

} // namespace k7
