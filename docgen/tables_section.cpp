// The tables section: each table's header values and a grid of its rows.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/name_order.h"
#include "workspace/record_list.h"
#include "workspace/table_record.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace k7 {

namespace {

std::string TitleLine(int columns) {
    std::string line = "ROW  TYPE      READNAME   WRITESRC ";
    for (int c = 1; c <= columns; ++c)
        line += PadRight("  " + std::to_string(c), 11);
    return line + "   OUTPUT";
}

// TYPE, ROW NAME, WT INPUT, the value cells and OUTPUT, ten characters each;
// an empty value cell is a RAM cell of the table.
std::string RowLine(int number, const std::string& stored, int columns) {
    const TableRow row = ParseTableRow(stored, columns);
    std::vector<std::string> cells = {row.Type, row.Name, row.WriteInput};
    cells.insert(cells.end(), row.Values.begin(), row.Values.end());
    cells.push_back(row.Output);
    std::string line = std::to_string(number) + (number < 10 ? "   " : "  ");
    for (size_t f = 0; f < cells.size(); ++f) {
        std::string field = cells[f];
        if (field.empty())
            field = f < 3 ? "---       " : "RAM       ";
        line += CutOrPad(field, 10) + " ";
    }
    return line;
}

void WriteTable(const std::vector<std::string>& tables, size_t header, DocLines& out) {
    const TableHeaderTexts stored = ReadTableHeaderTexts(tables[header]);
    out.push_back("TABLE NAME=" + stored.Name + "  Read column ctrl=" + stored.ReadSelector +
                  "  Write column ctrl=" + stored.WriteSelector);
    out.push_back("Write trigger=" + stored.WriteTrigger + "  #Rows=" + stored.Rows +
                  "  #Cols=" + stored.Columns + "  #Output chars/string=" + stored.StringChars);
    // A damaged column count is held to the editor's range so that a stored
    // line cannot blow up the file.
    const int columns = std::clamp(TextNumber(stored.Columns), 0, MaxTableColumns);
    int number = 0;
    for (size_t i = header + 1; i < tables.size() && !IsHeaderLine(tables[i]); ++i) {
        if (number == 0)
            out.push_back(TitleLine(columns));
        out.push_back(RowLine(++number, tables[i], columns));
    }
    out.push_back("");
    out.push_back("");
}

} // namespace

void WriteTablesSection(const DocSource& source, DocLines& out) {
    AppendIntroBlock(source.intro, 'X', out);
    const std::vector<std::string>& tables = source.project.Tables;
    if (tables.empty())
        return;
    // "Tables in Project:" lists the names sorted; each name is documented
    // from the first header bearing it.
    std::vector<std::pair<std::string, size_t>> headers;
    for (size_t i = 0; i < tables.size(); ++i)
        if (IsHeaderLine(tables[i]))
            headers.emplace_back(RecordName(tables[i]), i);
    std::unordered_map<std::string, size_t> firstHeader;
    for (const auto& [name, index] : headers)
        firstHeader.emplace(name, index);
    std::stable_sort(headers.begin(), headers.end(), [](const auto& a, const auto& b) {
        return LessIgnoringCase(a.first, b.first);
    });
    for (const auto& header : headers)
        WriteTable(tables, firstHeader.at(header.first), out);
}

} // namespace k7
