#include "docgen/doc_intro.h"

namespace k7 {

static bool IsBlockMarker(const std::string& line, char letter) {
    return line.size() >= 2 && line[0] == '!' && line[1] == letter;
}

// Lines of exactly "!" or "!x" belong to the text; only longer ones end a block.
static bool EndsBlock(const std::string& line) {
    return line.size() > 2 && line[0] == '!';
}

std::vector<std::string> IntroBlock(const std::vector<std::string>& introLines, char letter) {
    std::vector<std::string> block;
    size_t i = 0;
    while (i < introLines.size() && !IsBlockMarker(introLines[i], letter))
        ++i;
    if (i == introLines.size())
        return block;
    for (++i; i < introLines.size() && !EndsBlock(introLines[i]); ++i)
        block.push_back(introLines[i]);
    return block;
}

void AppendIntroBlock(const std::vector<std::string>& introLines, char letter,
                      std::vector<std::string>& out) {
    std::vector<std::string> block = IntroBlock(introLines, letter);
    out.insert(out.end(), block.begin(), block.end());
}

} // namespace k7
