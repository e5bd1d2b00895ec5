// The "~" record lists that the project keeps line for line (displays,
// tables, speech reports): each record is a header line "~name|..."
// followed by its own lines up to the next header, and every field of a
// line is followed by "|". The editors, the compile, the documentation and
// the database lists read the lists through these helpers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

// The fields of a line whose fields are each followed by "|" (or, for the
// last one, by the end of the line); a closing "|" opens no empty field.
std::vector<std::string> LineFields(const std::string& line);
// Field n (1-based) of a split line; empty when the line has fewer fields.
const std::string& FieldAt(const std::vector<std::string>& fields, int n);

// A record header: "~" first.
bool IsRecordHeader(const std::string& line);
// A header the documentation lists: "~" and at least one more character.
bool IsHeaderLine(const std::string& line);
// The fields of a header line with its "~" removed; field 1 is the name.
std::vector<std::string> RecordHeaderFields(const std::string& line);
// The name of a header line: the text after "~" up to the first "|".
std::string RecordName(const std::string& headerLine);

// The names of every record, in list order.
std::vector<std::string> RecordNames(const std::vector<std::string>& lines);

// Where one record lies: its header line and the line after its last line.
struct RecordSpan {
    size_t Header = 0;
    size_t End = 0;
};
// Every record in list order; lines before the first header belong to none.
std::vector<RecordSpan> RecordSpans(const std::vector<std::string>& lines);
// The first record named name.
std::optional<RecordSpan> FindRecord(const std::vector<std::string>& lines,
                                     const std::string& name);
// Removes a record's lines from its list.
void EraseRecord(std::vector<std::string>& lines, const RecordSpan& span);

// A stored text read as a number: an optional sign and digits; anything
// else (and an empty text) counts as 0.
int TextNumber(const std::string& text);

} // namespace k7
