#include "docgen/doc_layout.h"

#include <algorithm>

namespace k7 {

std::string PadRight(const std::string& text, size_t width) {
    if (text.size() >= width)
        return text;
    return text + std::string(width - text.size(), ' ');
}

std::string CutOrPad(const std::string& text, size_t width) {
    return PadRight(text.substr(0, width), width);
}

std::vector<std::string> NoteLines(const std::string& notes) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < notes.size(); ++i) {
        char c = notes[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < notes.size() && notes[i + 1] == '\n')
            ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void WrappedLine::Append(const std::string& piece) {
    if (line_.size() > 80) {
        out_.push_back(line_);
        line_ = prefix_;
    }
    line_ += piece;
}

} // namespace k7
