#include "docgen/record_fields.h"

#include "workspace/linescan.h"

namespace k7 {

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
    return BarFields(line.empty() ? line : line.substr(1));
}

int TextNumber(const std::string& text) {
    int32_t value = 0;
    return ParseDecimal(text, value) ? value : 0;
}

} // namespace k7
