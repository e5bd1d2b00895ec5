#include "tables_speech/table_compile.h"

#include "compiler/compile_context.h"
#include "tables_speech/table_def.h"
#include "workspace/record_list.h"
#include "workspace/linescan.h"
#include "workspace/project.h"

#include <optional>

namespace k7 {

namespace {

constexpr uint32_t TableMarker = 0x2334;
constexpr uint32_t TableRowMarker = 0x2335;
constexpr uint32_t TableHeaderWords = 12;
constexpr size_t RowLineLimit = 120;

// The words of one record, written as lines "A|w1|w2|...|\".
struct RecordWords {
    uint32_t Address = 0;
    std::vector<std::string> Words;

    // One line, or for a row record lines that are continued once they
    // pass 120 characters, each beginning with the address of its next word;
    // when the last word passes the limit, a line holding only the address
    // after it closes the record.
    std::vector<std::string> Lines(size_t limit) const {
        std::vector<std::string> lines;
        std::string line = HexText(Address) + "|";
        for (size_t i = 0; i < Words.size(); ++i) {
            line += Words[i] + "|";
            if (line.size() > limit) {
                lines.push_back(line + "\\");
                line = HexText(Address + 4 * static_cast<uint32_t>(i + 1)) + "|";
            }
        }
        lines.push_back(line + "\\");
        return lines;
    }
};

class TableWriter {
  public:
    TableWriter(CompileContext& context, const TableHeader& header, std::vector<TableRow> rows)
        : context_(context), header_(header), rows_(std::move(rows)) {}

    void Compile() {
        const uint32_t headerAddress = context_.FlashCursor;
        const uint32_t rowWords = static_cast<uint32_t>(header_.Columns) + 5;
        const uint32_t firstRow = headerAddress + 4 * TableHeaderWords;
        ramCursor_ = header_.RamStart;
        DownloadImage* image = context_.PassImage();
        const size_t headerLine = image ? image->Lines.size() : 0;

        uint32_t rowAddress = firstRow;
        for (const TableRow& row : rows_) {
            const uint32_t next = rowAddress + 4 * rowWords;
            RecordWords record = RowRecord(row, rowAddress, next);
            if (context_.Pass == 1 && !row.Name.empty())
                context_.NamedModules.Add(row.Name, rowAddress);
            if (image)
                for (const std::string& line : record.Lines(RowLineLimit))
                    image->Add(line);
            rowAddress = next;
        }

        if (image) {
            const RecordWords header = HeaderRecord(headerAddress, firstRow, rowAddress);
            image->Lines.insert(image->Lines.begin() + static_cast<std::ptrdiff_t>(headerLine),
                                header.Lines(std::string::npos).front());
        }
        context_.FlashCursor = rowAddress;
    }

  private:
    void NotFound(const std::string& message) { context_.ReportInPass2(message); }

    // A literal of a "String" row is a string constant even when it reads
    // as a number; anything else resolves as a name or literal.
    std::string Resolve(const std::string& cell, const std::string& rowType) const {
        if (rowType == "String")
            if (const PoolConstant* constant = context_.Constants.Strings.Find(cell))
                return HexText(constant->Address);
        return LookupName(context_, cell);
    }

    std::string ResolveCell(const std::string& cell, const std::string& rowType) {
        const std::string word = Resolve(cell, rowType);
        if (word.empty())
            NotFound("Cannot find " + cell + " in table " + header_.Name);
        return word;
    }

    // The flash address of a name entered as a string constant.
    std::string StringConstant(const std::string& text) {
        if (const PoolConstant* constant = context_.Constants.Strings.Find(text))
            return HexText(constant->Address);
        if (!text.empty())
            NotFound("Cannot find " + text + " in table " + header_.Name);
        return {};
    }

    // A blank value cell is a RAM cell of the table that the unit may write.
    std::string BlankCell(const std::string& rowType) {
        const uint32_t address = ramCursor_ | RowTypeTag(rowType);
        ramCursor_ += BlankCellBytes(rowType, header_.StringChars);
        return HexText(address);
    }

    RecordWords RowRecord(const TableRow& row, uint32_t address, uint32_t next) {
        RecordWords record{address, {HexText(TableRowMarker), HexText(next)}};
        record.Words.push_back(row.WriteInput.empty() ? std::string()
                                                      : ResolveCell(row.WriteInput, row.Type));
        for (const std::string& value : row.Values)
            record.Words.push_back(value.empty() ? BlankCell(row.Type)
                                                 : ResolveCell(value, row.Type));
        record.Words.push_back(row.Output.empty() ? std::string()
                                                  : ResolveCell(row.Output, row.Type));
        record.Words.push_back(StringConstant(row.Name));
        return record;
    }

    std::string Selector(const std::string& name, const std::string& message) {
        if (name.empty())
            return {};
        const std::string word = LookupName(context_, name);
        if (word.empty())
            NotFound(message + header_.Name);
        return word;
    }

    RecordWords HeaderRecord(uint32_t address, uint32_t firstRow, uint32_t end) {
        // The read selector is always needed: an empty one is not found.
        std::string read = LookupName(context_, header_.ReadSelector);
        if (read.empty())
            NotFound("Cannot find read column index for " + header_.Name);
        return {address,
                {HexText(TableMarker), HexText(firstRow), HexText(end), read,
                 Selector(header_.WriteSelector, "Cannot find write column index for "),
                 Selector(header_.WriteTrigger, "Cannot find write trigger for "),
                 HexText(static_cast<uint32_t>(header_.Rows)),
                 HexText(static_cast<uint32_t>(header_.Columns)),
                 HexText(static_cast<uint32_t>(header_.StringChars)), HexText(header_.RamStart),
                 HexText(ramCursor_), StringConstant(header_.Name)}};
    }

    CompileContext& context_;
    TableHeader header_;
    std::vector<TableRow> rows_;
    uint32_t ramCursor_ = 0;
};

void CompileTable(CompileContext& context, const std::vector<std::string>& lines,
                  const RecordSpan& span) {
    const std::string name = RecordName(lines[span.Header]);
    const std::optional<TableHeader> header = ParseTableHeader(lines[span.Header]);
    const size_t rowLines = span.End - span.Header - 1;
    // A damaged definition would give records whose sizes the unit misreads.
    if (!header || rowLines != static_cast<size_t>(header->Rows)) {
        context.ReportInPass2("Table " + name +
                              " does not hold the rows and sizes its header gives");
        return;
    }
    std::vector<TableRow> rows;
    for (size_t i = span.Header + 1; i < span.End; ++i)
        rows.push_back(ParseTableRow(lines[i], header->Columns));
    TableWriter(context, *header, std::move(rows)).Compile();
}

} // namespace

void CompileTableSection(CompileContext& context) {
    const std::vector<std::string>& lines = context.project.Tables;
    if (lines.size() < 3)
        return;
    for (const RecordSpan& span : RecordSpans(lines))
        CompileTable(context, lines, span);
}

} // namespace k7
