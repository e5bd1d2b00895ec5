#include "comm/terminal.h"

namespace k7 {

namespace {

std::vector<std::string> FirstWords(const std::string& line, std::size_t count) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (words.size() < count) {
        while (at < line.size() && line[at] == ' ')
            ++at;
        if (at == line.size())
            break;
        const std::size_t end = line.find(' ', at);
        words.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? line.size() : end;
    }
    return words;
}

} // namespace

std::string IdentifiedOsVersion(const std::string& line) {
    const auto words = FirstWords(line, 3);
    if (words.size() == 3 && words[0] == "Revision" && words[1] == "Version" &&
        words[2].size() == UnitOsVersionLength)
        return words[2];
    return {};
}

Terminal::Terminal() : TextLines(1) {}

bool Terminal::TerminalKey(char key, TSeComm32& port) {
    if (LineCount() > TerminalLineLimit)
        TextLines.erase(TextLines.begin());
    return port.WriteString(std::string(1, key));
}

std::string Terminal::TerminalOutput(const std::string& bytes) {
    std::string display;
    for (char c : bytes) {
        if (c == '\r') {
            display += "\r\n";
            LineCompleted();
        } else if (c != '\n') {
            display += c;
            if (Received.size() < TerminalLineLengthLimit)
                Received += c;
        }
    }
    AppendText(display);
    CutToLastLines(TerminalLineLimit);
    return display;
}

void Terminal::LineCompleted() {
    const std::string version = IdentifiedOsVersion(Received);
    if (!version.empty())
        OsVersion = version;
    Received.clear();
}

void Terminal::AddDisplayChar(char c) {
    if (TextLines.back().size() >= TerminalLineLengthLimit)
        BreakDisplayLine();
    TextLines.back() += c;
}

void Terminal::BreakDisplayLine() {
    TextLines.emplace_back();
}

void Terminal::AppendText(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF, a lone CR and a lone LF each end one line.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            BreakDisplayLine();
        } else {
            AddDisplayChar(c);
        }
    }
}

void Terminal::CutToLastLines(int limit) {
    while (LineCount() > limit && LineCount() > 0) {
        TextLines.erase(TextLines.begin());
        if (TextLines.empty())
            TextLines.emplace_back();
    }
}

void Terminal::Clear() {
    TextLines.assign(1, std::string());
}

int Terminal::LineCount() const {
    // Text that ends with a line break has no further line.
    const int lines = static_cast<int>(TextLines.size());
    return TextLines.back().empty() ? lines - 1 : lines;
}

std::vector<std::string> Terminal::Lines() const {
    std::vector<std::string> lines = TextLines;
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string Terminal::Text() const {
    std::string text;
    for (std::size_t i = 0; i < TextLines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += TextLines[i];
    }
    return text;
}

} // namespace k7
