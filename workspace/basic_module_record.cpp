#include "workspace/basic_module_record.h"

namespace k7 {

namespace {

// The fields between the "|"s; unlike the other records, a closing "|"
// leaves an empty last field (an instance line has none).
std::vector<std::string> SplitBars(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t bar = line.find('|', start);
        if (bar == std::string::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
}

} // namespace

std::optional<BasicInstanceLine> ParseBasicInstanceLine(const std::string& line) {
    const std::vector<std::string> fields = SplitBars(line);
    if (fields.size() < 4)
        return std::nullopt;
    BasicInstanceLine parsed;
    parsed.Name = fields[0];
    parsed.SourceName = fields[1];
    parsed.Fields.assign(fields.begin() + 2, fields.end() - 2);
    parsed.RamStart = fields[fields.size() - 2];
    parsed.RamEnd = fields.back();
    return parsed;
}

std::string BasicInstanceLineText(const BasicInstanceLine& line) {
    std::string text = line.Name + "|" + line.SourceName;
    for (const std::string& field : line.Fields)
        text += "|" + field;
    return text + "|" + line.RamStart + "|" + line.RamEnd;
}

std::string BasicInstanceName(const std::string& line) {
    return line.substr(0, line.find('|'));
}

std::string BasicInstanceSourceName(const std::string& line) {
    const std::vector<std::string> fields = SplitBars(line);
    return fields.size() > 1 ? fields[1] : std::string();
}

} // namespace k7
