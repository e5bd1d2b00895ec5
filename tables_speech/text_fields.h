// Small text helpers the table and speech records share: splitting a
// stored line into its "|" fields and finding the records of a list.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

// The fields of a line whose fields are each followed by "|" (or, for the
// last one, by the end of the line).
std::vector<std::string> LineFields(const std::string& line);

// Where one record of a "~" list (tables, speech reports) lies: its header
// line and the line after its last line.
struct RecordSpan {
    size_t Header = 0;
    size_t End = 0;
};
// Every record in list order; lines before the first header belong to none.
std::vector<RecordSpan> RecordSpans(const std::vector<std::string>& lines);
bool IsRecordHeader(const std::string& line);
// The name of a header line: the text after "~" up to the first "|".
std::string RecordName(const std::string& headerLine);
// The first record named name.
std::optional<RecordSpan> FindRecord(const std::vector<std::string>& lines,
                                     const std::string& name);
// Removes a record's lines from its list.
void EraseRecord(std::vector<std::string>& lines, const RecordSpan& span);

} // namespace k7
