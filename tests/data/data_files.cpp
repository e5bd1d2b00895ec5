#include "tests/data/data_files.h"

#include <fstream>
#include <iterator>

namespace k7::test {

std::string DataFolder() {
    return K7_DATA_DIR;
}
std::string ExamplesFolder() {
    return K7_EXAMPLES_DIR;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitCrLfLines(const std::string& text, std::string& lineEndingFault) {
    std::vector<std::string> lines;
    lineEndingFault.clear();
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.push_back(current);
            current.clear();
            ++i;
        } else if (c == '\r' || c == '\n') {
            if (lineEndingFault.empty())
                lineEndingFault = "bare line break after line " + std::to_string(lines.size() + 1);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty() && lineEndingFault.empty())
        lineEndingFault = "last line has no CR LF";
    return lines;
}

int CardChannels(int cardCode, IoKind kind) {
    // AI, AO, DI, DO per card type code 0..17.
    static const int counts[18][4] = {
        {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 8}, {0, 0, 0, 4},
        {0, 0, 8, 0}, {0, 0, 4, 0}, {0, 1, 0, 0}, {0, 4, 0, 0}, {8, 0, 0, 0}, {0, 0, 0, 0},
        {3, 0, 0, 0}, {0, 0, 0, 0}, {2, 0, 4, 2}, {0, 0, 0, 0}, {4, 0, 0, 0}, {4, 1, 0, 0}};
    return cardCode >= 0 && cardCode <= 17 ? counts[cardCode][kind] : 0;
}

} // namespace k7::test
