// Building a BASIC module: compile the editor's lines and, when there are
// no errors, write the object file beside the source. The editor's Compile
// button and "k7c basic" both come here.
#pragma once

#include "basic/basic_errors.h"

#include <string>
#include <vector>

namespace k7 {

enum class BasicBuildOutcome {
    NoProgram,   // the text holds no lines
    NoFileName,  // an untitled text: the object file would have no name
    Errors,      // the error list is not empty; no object file was written
    WriteFailed, // compiled cleanly, but the object file could not be written
    Built,       // the object file was written
};

struct BasicBuildResult {
    BasicBuildOutcome Outcome = BasicBuildOutcome::NoProgram;
    std::vector<BasicError> Errors;
    std::string StatusText;     // the editor's compile panel
    std::string Message;        // error box text, when the outcome needs one
    std::string ObjectFileName; // the file written, or that would have been
};

// A character range of the editor's text; line ends count two characters.
struct TextRange {
    size_t Start = 0;
    size_t Length = 0;
};

inline constexpr const char* NoProgramMessage = "No program detected";
inline constexpr const char* NoFileNameMessage =
    "This text has no file name: save it as a .BAS file before compiling";

// compileName is the name the text was opened from or saved under.
BasicBuildResult BuildBasicModule(const std::vector<std::string>& lines,
                                  const std::string& compileName);

// "There is one error" or "There are N errors."
std::string ErrorCountText(int count);

// The ranges of the lines named in the error list, once per line, in line order.
std::vector<TextRange> ErrorLineRanges(const std::vector<std::string>& lines,
                                       const std::vector<BasicError>& errors);

} // namespace k7
