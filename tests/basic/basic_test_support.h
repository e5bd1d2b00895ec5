// Helpers for the BASIC compiler tests: compile a few lines and look at the
// code words or the messages.
#pragma once

#include "basic/basic_compiler.h"

#include <string>
#include <vector>

namespace k7::test {

// All code words of a compile as one "|"-terminated string.
inline std::string CodeWords(const BasicCompileOutput& output) {
    std::string code;
    for (const std::string& line : output.CodeLines)
        code += line;
    return code;
}

inline std::vector<std::string> Messages(const BasicCompileOutput& output) {
    std::vector<std::string> messages;
    for (const BasicError& error : output.Errors)
        messages.push_back(error.Message);
    return messages;
}

inline BasicCompileOutput CompileLines(const std::vector<std::string>& lines) {
    BasicCompiler compiler;
    return compiler.Compile(lines);
}

inline std::vector<std::string> Concat(std::vector<std::string> first,
                                       const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Declarations for expression tests: inputs FI i0, GI i1 (Float), II% i2,
// JI% i3 (Integer), SI$ i4, TI$ i5 (String); outputs FO i6, IO% i7, SO$ i8.
inline const std::vector<std::string> ExpressionHeader = {
    "#INPUTS",   "f:FI",     "g:GI",  "i:II%",  "j:JI%",      "s:SI$[10]",
    "t:TI$[10]", "#OUTPUTS", "fo:FO", "io:IO%", "so:SO$[10]", "#CODE"};
// Assigns every output, so that no test trips the never-assigned check.
inline const std::vector<std::string> ExpressionTrailer = {"FO = 0", "IO% = 0", "SO$ = \"\""};
inline const std::string ExpressionTrailerCode =
    "t51|c0|t62|t1|i6|t51|c0|t40|i7|t65|c'|t64|i8|t22|";

// Declarations for control-flow tests: inputs II% i0, JI% i1; output FO i2.
inline const std::vector<std::string> FlowHeader = {"#INPUTS",  "i:II%", "j:JI%",
                                                    "#OUTPUTS", "fo:FO", "#CODE"};
inline int FlowLine(int codeLine) {
    return static_cast<int>(FlowHeader.size()) + codeLine;
}

} // namespace k7::test
