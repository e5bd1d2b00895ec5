#include "docgen/record_fields.h"

#include "workspace/linescan.h"

namespace k7 {

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < line.size()) {
        size_t bar = line.find('|', start);
        if (bar == std::string::npos) {
            fields.push_back(line.substr(start));
            break;
        }
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return fields;
}

const std::string& FieldAt(const std::vector<std::string>& fields, int n) {
    static const std::string empty;
    if (n < 1 || n > static_cast<int>(fields.size()))
        return empty;
    return fields[n - 1];
}

bool IsHeaderLine(const std::string& line) {
    return line.size() >= 2 && line[0] == '~';
}

std::vector<std::string> HeaderFields(const std::string& line) {
    return SplitFields(line.empty() ? line : line.substr(1));
}

int TextNumber(const std::string& text) {
    int32_t value = 0;
    return ParseDecimal(text, value) ? value : 0;
}

} // namespace k7
