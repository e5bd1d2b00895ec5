#include "basic/object_file.h"

#include "workspace/text_file.h"

#include <limits>

namespace k7 {

namespace {

// The "|"-terminated texts of a line; empty texts are passed over.
std::vector<std::string> BarTexts(const std::string& line) {
    std::vector<std::string> texts;
    size_t start = 0;
    while (start <= line.size()) {
        size_t bar = line.find('|', start);
        if (bar == std::string::npos)
            bar = line.size();
        if (bar > start)
            texts.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return texts;
}

bool ParseNumber(const std::string& text, int base, uint32_t& value) {
    if (text.empty())
        return false;
    uint64_t result = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        result = result * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (result > std::numeric_limits<uint32_t>::max())
            return false;
    }
    value = static_cast<uint32_t>(result);
    return true;
}

bool ParseSystemData(const std::string& line, BasicSystemData& data) {
    std::vector<int> numbers;
    size_t start = 0;
    while (start <= line.size()) {
        size_t bar = line.find('|', start);
        if (bar == std::string::npos)
            bar = line.size();
        uint32_t value = 0;
        if (!ParseNumber(line.substr(start, bar - start), 10, value) ||
            value > static_cast<uint32_t>(std::numeric_limits<int>::max()))
            return false;
        numbers.push_back(static_cast<int>(value));
        start = bar + 1;
    }
    if (numbers.size() < 4)
        return false;
    data.LocalRamBytes = numbers[0];
    data.CodeBytes = numbers[1];
    data.InputCount = numbers[2];
    data.OutputCount = numbers[3];
    data.Reserved = numbers.size() > 4 ? numbers[4] : 0;
    return true;
}

BasicObjectConstant ParseConstant(const std::string& text) {
    if (!text.empty() && text[0] == '\'')
        return {text.substr(1), true};
    return {text, false};
}

bool ParseCodeWord(const std::string& word, BasicCodeWord& code) {
    const std::string rest = word.substr(1);
    switch (word[0]) {
    case 't':
        code.Kind = BasicWordKind::Opcode;
        return ParseNumber(rest, 10, code.Value);
    case 'i':
        code.Kind = BasicWordKind::Io;
        return ParseNumber(rest, 16, code.Value);
    case 'r':
        code.Kind = BasicWordKind::Local;
        return ParseNumber(rest, 16, code.Value);
    case 'f':
        code.Kind = BasicWordKind::Jump;
        return ParseNumber(rest, 16, code.Value);
    case 'c': {
        const BasicObjectConstant constant = ParseConstant(rest);
        code.Kind = BasicWordKind::Constant;
        code.Text = constant.Text;
        code.IsString = constant.IsString;
        return true;
    }
    default:
        code.Kind = BasicWordKind::Other;
        code.Text = word;
        return true;
    }
}

std::string SystemDataLine(const BasicCompileOutput& output) {
    return std::to_string(output.LocalRamBytes) + "|" + std::to_string(output.CodeBytes) + "|" +
           std::to_string(output.InputCount) + "|" + std::to_string(output.OutputCount) + "|0";
}

} // namespace

std::string ObjectFileName(const std::string& sourceName) {
    return ReplaceExtension(sourceName, "Obj");
}

std::string BasicFileNameProblem(const std::string& name) {
    if (name.find("..") == std::string::npos && name.find_first_of("/\\:") == std::string::npos)
        return {};
    return "BASIC file name " + name +
           " refused: it must name a file of the BASIC folder, without folders or a drive";
}

std::vector<std::string> BasicObjectFileLines(const BasicCompileOutput& output) {
    std::vector<std::string> lines{"#System Data", SystemDataLine(output), "#Constants:"};
    WordLineBuilder constants;
    for (const std::string& text : output.Constants)
        constants.Add(text);
    for (const std::string& line : constants.Finish())
        lines.push_back(line);
    lines.push_back("#Flash Code:");
    lines.insert(lines.end(), output.CodeLines.begin(), output.CodeLines.end());
    return lines;
}

std::string WriteBasicObjectFile(const std::string& path, const BasicCompileOutput& output) {
    return WriteTextLines(path, BasicObjectFileLines(output));
}

BasicObjectRead ReadBasicObjectFile(const std::string& path, ObjectReadScope scope) {
    TextFile file = ReadTextLines(path);
    if (!file.Ok) {
        BasicObjectRead read;
        read.Error = file.Error;
        return read;
    }
    return ParseBasicObjectFile(file.Lines, path, scope);
}

BasicObjectRead ParseBasicObjectFile(const std::vector<std::string>& lines, const std::string& name,
                                     ObjectReadScope scope) {
    BasicObjectRead read;
    enum class Section { None, System, Constants, Code } section = Section::None;
    bool haveSystemData = false;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '#') {
            const char which = line.size() > 1 ? line[1] : ' ';
            section = which == 'S'   ? Section::System
                      : which == 'C' ? Section::Constants
                      : which == 'F' ? Section::Code
                                     : Section::None;
            if (section == Section::Code && scope == ObjectReadScope::SystemAndConstants)
                break;
            continue;
        }
        if (section != Section::Constants && !line.empty() && line[0] == '\'')
            continue;
        if (section == Section::System && !haveSystemData) {
            if (!ParseSystemData(line, read.Object.System)) {
                read.Error = "Bad system data line in " + name;
                return read;
            }
            haveSystemData = true;
        } else if (section == Section::Constants) {
            for (const std::string& text : BarTexts(line))
                read.Object.Constants.push_back(ParseConstant(text));
        } else if (section == Section::Code) {
            for (const std::string& word : BarTexts(line)) {
                BasicCodeWord code;
                if (!ParseCodeWord(word, code)) {
                    read.Error = "Bad code word " + word + " in " + name;
                    return read;
                }
                read.Object.Code.push_back(code);
            }
        }
    }
    if (!haveSystemData) {
        read.Error = "No system data in " + name;
        return read;
    }
    // The linker places the code by its size and then writes its words: the
    // two must agree or the next record would be overwritten.
    const long long codeBytes = 4LL * static_cast<long long>(read.Object.Code.size()) + 4;
    if (scope == ObjectReadScope::Everything && codeBytes != read.Object.System.CodeBytes) {
        read.Error = "Code size does not match the code in " + name;
        return read;
    }
    read.Ok = true;
    return read;
}

} // namespace k7
