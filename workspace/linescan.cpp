#include "workspace/linescan.h"

#include <limits>

namespace k7 {

bool LineScanner::NextFileLine() {
    ScanPos = 1;
    if (!HasNextLine()) {
        ScanLine.clear();
        return false;
    }
    ScanLine = (*lines_)[lineIndex_++];
    return true;
}

bool LineScanner::TokenTo(char delimiter) {
    size_t start = ScanPos - 1;
    if (start >= ScanLine.size()) {
        ScanToken.clear();
        ScanPos = ScanLine.size() + 1;
        return false;
    }
    size_t end = ScanLine.find(delimiter, start);
    if (end == std::string::npos) {
        ScanToken = ScanLine.substr(start);
        ScanPos = ScanLine.size() + 1;
        return false;
    }
    ScanToken = ScanLine.substr(start, end - start);
    ScanPos = end + 2;
    return true;
}

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void LineScanner::TokenToColon() {
    while (ScanPos <= ScanLine.size() && IsBlank(ScanLine[ScanPos - 1]))
        ++ScanPos;
    TokenTo(':');
}

void LineScanner::TokenToSpace() {
    while (ScanPos <= ScanLine.size() && ScanLine[ScanPos - 1] == ' ')
        ++ScanPos;
    TokenTo(' ');
}

static bool IsIdentifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '[' || c == ']' || c == '(' || c == ')' || c == '%' || c == '!' || c == '$';
}

void LineScanner::TokenIdentifier() {
    ScanToken.clear();
    while (ScanPos <= ScanLine.size()) {
        char c = ScanLine[ScanPos - 1];
        if (IsBlank(c)) {
            ++ScanPos;
        } else if (IsIdentifierChar(c)) {
            ScanToken += c;
            ++ScanPos;
        } else {
            break;
        }
    }
}

void LineScanner::StripComment() {
    size_t semicolon = ScanToken.find(';');
    if (semicolon == std::string::npos)
        return;
    std::string before = ScanToken.substr(0, semicolon);
    size_t first = before.find_first_not_of(" \t");
    ScanToken = first == std::string::npos ? std::string() : before.substr(first);
}

uint32_t HexValue(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            value = value * 16 + static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            value = value * 16 + static_cast<uint32_t>(c - 'A' + 10);
    }
    return value;
}

std::string HexText(uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

std::string SubfieldAt(const std::string& text, size_t position, char delimiter) {
    if (position < 1 || position > text.size())
        return {};
    size_t start = position - 1;
    size_t end = text.find(delimiter, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int NumberClass(const std::string& text) {
    bool hasPeriod = false;
    bool hasOther = false;
    for (char c : text) {
        if (c == '.')
            hasPeriod = true;
        else if (!((c >= '0' && c <= '9') || c == '-'))
            hasOther = true;
    }
    return (hasOther ? 1 : 0) + (hasPeriod ? 2 : 0);
}

bool ParseDecimal(const std::string& text, int32_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return false;
    int64_t result = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
        if (result > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        result = -result;
    if (result > std::numeric_limits<int32_t>::max() ||
        result < std::numeric_limits<int32_t>::min())
        return false;
    value = static_cast<int32_t>(result);
    return true;
}

std::vector<std::string> BarFields(const std::string& line) {
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

std::string EncodeNotes(const std::string& notes) {
    std::string encoded;
    for (size_t i = 0; i < notes.size(); ++i) {
        const char c = notes[i];
        if (c == '\r' || c == '\n') {
            encoded += '\\';
            if (c == '\r' && i + 1 < notes.size() && notes[i + 1] == '\n')
                ++i;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string DecodeNotes(const std::string& encoded) {
    std::string notes;
    for (char c : encoded) {
        if (c == '\\')
            notes += "\r\n";
        else
            notes += c;
    }
    return notes;
}

} // namespace k7
