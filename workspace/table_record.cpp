#include "workspace/table_record.h"

#include "workspace/linescan.h"
#include "workspace/name_order.h"
#include "workspace/record_list.h"

#include <algorithm>
#include <iterator>

namespace k7 {

std::string TableOutputName(const std::string& rowName) {
    return rowName.empty() ? std::string() : rowName + TableOutputSuffix;
}

std::string TableHeaderLine(const TableHeader& header) {
    return "~" + header.Name + "|" + header.ReadSelector + "|" + header.WriteSelector + "|" +
           header.WriteTrigger + "|" + std::to_string(header.Rows) + "|" +
           std::to_string(header.Columns) + "|" + std::to_string(header.StringChars) + "|" +
           std::to_string(header.RowTypeIndex) + "|$" + HexText(header.RamStart) + "|$" +
           HexText(header.RamEnd) + "|";
}

std::string TableRowLine(const TableRow& row) {
    std::string line = row.Type + "|" + row.Name + "|" + row.WriteInput + "|";
    for (const std::string& value : row.Values)
        line += value + "|";
    return line + row.Output + "|";
}

std::vector<std::string> TableLines(const TableDef& table) {
    std::vector<std::string> lines{TableHeaderLine(table.Header)};
    for (const TableRow& row : table.Rows)
        lines.push_back(TableRowLine(row));
    return lines;
}

static bool NumberIn(const std::string& text, int low, int high, int& value) {
    int32_t parsed = 0;
    if (!ParseDecimal(text, parsed) || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

TableHeaderTexts ReadTableHeaderTexts(const std::string& line) {
    const std::vector<std::string> fields = RecordHeaderFields(line);
    TableHeaderTexts texts;
    std::string* const order[] = {&texts.Name,         &texts.ReadSelector, &texts.WriteSelector,
                                  &texts.WriteTrigger, &texts.Rows,         &texts.Columns,
                                  &texts.StringChars,  &texts.RowTypeIndex, &texts.RamStart,
                                  &texts.RamEnd};
    for (size_t n = 0; n < std::size(order); ++n)
        *order[n] = FieldAt(fields, static_cast<int>(n + 1));
    return texts;
}

std::optional<TableHeader> ParseTableHeader(const std::string& line) {
    const TableHeaderTexts texts = ReadTableHeaderTexts(line);
    TableHeader header;
    header.Name = texts.Name;
    header.ReadSelector = texts.ReadSelector;
    header.WriteSelector = texts.WriteSelector;
    header.WriteTrigger = texts.WriteTrigger;
    if (!NumberIn(texts.Rows, 1, MaxTableRows, header.Rows) ||
        !NumberIn(texts.Columns, 1, MaxTableColumns, header.Columns) ||
        !NumberIn(texts.StringChars, MinStringChars, MaxStringChars, header.StringChars))
        return std::nullopt;
    // The row type choice only presets the editor; a damaged one is Integer.
    if (!NumberIn(texts.RowTypeIndex, 0, TableRowTypeCount - 1, header.RowTypeIndex))
        header.RowTypeIndex = 0;
    header.RamStart = HexValue(texts.RamStart);
    header.RamEnd = HexValue(texts.RamEnd);
    return header;
}

TableRow ParseTableRow(const std::string& line, int columns) {
    const std::vector<std::string> fields = LineFields(line);
    auto field = [&fields](size_t n) { return n <= fields.size() ? fields[n - 1] : std::string(); };
    TableRow row;
    row.Type = field(1);
    row.Name = field(2);
    row.WriteInput = field(3);
    for (int v = 1; v <= columns; ++v)
        row.Values.push_back(field(3 + v));
    row.Output = field(columns + 4);
    return row;
}

std::vector<std::string> SortedTableNames(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const RecordSpan& span : RecordSpans(lines))
        names.push_back(RecordName(lines[span.Header]));
    SortIgnoringCase(names);
    return names;
}

std::string TableHeaderWithRam(const std::string& line, uint32_t ramStart, uint32_t ramEnd) {
    const std::vector<std::string> fields = LineFields(line);
    std::string rewritten;
    for (int number = 1; number <= 8; ++number)
        rewritten += FieldAt(fields, number) + "|";
    return rewritten + "$" + HexText(ramStart) + "|$" + HexText(ramEnd) + "|";
}

} // namespace k7
