// The fixed explanatory texts of the documentation file, kept as lettered
// blocks in the system file Docintro.TXT.
#pragma once

#include <string>
#include <vector>

namespace k7 {

constexpr const char* DocIntroFileName = "Docintro.TXT";

// The block for a letter: the lines after the first line that begins with
// "!" and the letter, up to the next line of more than two characters that
// begins with "!", or to the end. No such line: no lines.
std::vector<std::string> IntroBlock(const std::vector<std::string>& introLines, char letter);

// Appends the block for a letter to out unchanged.
void AppendIntroBlock(const std::vector<std::string>& introLines, char letter,
                      std::vector<std::string>& out);

} // namespace k7
