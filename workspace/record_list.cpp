#include "workspace/record_list.h"

#include "workspace/linescan.h"

namespace k7 {

std::vector<std::string> LineFields(const std::string& line) {
    return BarFields(line);
}

const std::string& FieldAt(const std::vector<std::string>& fields, int n) {
    static const std::string empty;
    if (n < 1 || n > static_cast<int>(fields.size()))
        return empty;
    return fields[n - 1];
}

bool IsRecordHeader(const std::string& line) {
    return !line.empty() && line[0] == '~';
}

bool IsHeaderLine(const std::string& line) {
    return line.size() >= 2 && line[0] == '~';
}

std::vector<std::string> RecordHeaderFields(const std::string& line) {
    return BarFields(line.empty() ? line : line.substr(1));
}

std::string RecordName(const std::string& headerLine) {
    return SubfieldAt(headerLine, 2, '|');
}

std::vector<std::string> RecordNames(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& line : lines)
        if (IsRecordHeader(line))
            names.push_back(RecordName(line));
    return names;
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

int TextNumber(const std::string& text) {
    int32_t value = 0;
    return ParseDecimal(text, value) ? value : 0;
}

} // namespace k7
