// Column layout shared by the documentation section writers: padding,
// the wrap rule of the item lists, notes split into lines, and the order
// in which instances are documented.
#pragma once

#include "workspace/project.h"

#include <string>
#include <vector>

namespace k7 {

using DocLines = std::vector<std::string>;

// text followed by blanks up to width characters; a longer text is kept whole.
std::string PadRight(const std::string& text, size_t width);
// text cut to width characters or padded with blanks to width.
std::string CutOrPad(const std::string& text, size_t width);

// Notes as lines: every line break ends a line (CR LF as the project file
// decodes them, or a lone CR or LF); a trailing break adds no empty line.
std::vector<std::string> NoteLines(const std::string& notes);

// Builds one output line of pieces; before a further piece is appended to
// a line already longer than 80 characters, the line is written and a new
// one begins with the continuation prefix.
class WrappedLine {
  public:
    WrappedLine(DocLines& out, std::string start, std::string prefix)
        : out_(out), line_(std::move(start)), prefix_(std::move(prefix)) {}
    void Append(const std::string& piece);
    // Writes the line being built.
    void Finish() { out_.push_back(line_); }

  private:
    DocLines& out_;
    std::string line_;
    std::string prefix_;
};

} // namespace k7
