#include "tables_speech/text_fields.h"

#include "workspace/linescan.h"

#include <algorithm>

namespace k7 {

std::vector<std::string> LineFields(const std::string& line) {
    std::vector<std::string> fields;
    LineScanner scan;
    scan.SetLine(line);
    while (!scan.AtLineEnd()) {
        scan.TokenToBar();
        fields.push_back(scan.ScanToken);
    }
    return fields;
}

bool IsRecordHeader(const std::string& line) {
    return !line.empty() && line[0] == '~';
}

std::string RecordName(const std::string& headerLine) {
    return SubfieldAt(headerLine, 2, '|');
}

std::vector<RecordSpan> RecordSpans(const std::vector<std::string>& lines) {
    std::vector<RecordSpan> spans;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!IsRecordHeader(lines[i]))
            continue;
        if (!spans.empty())
            spans.back().End = i;
        spans.push_back({i, lines.size()});
    }
    return spans;
}

std::optional<RecordSpan> FindRecord(const std::vector<std::string>& lines,
                                     const std::string& name) {
    for (const RecordSpan& span : RecordSpans(lines))
        if (RecordName(lines[span.Header]) == name)
            return span;
    return std::nullopt;
}

void EraseRecord(std::vector<std::string>& lines, const RecordSpan& span) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span.Header),
                lines.begin() + static_cast<std::ptrdiff_t>(span.End));
}

} // namespace k7
