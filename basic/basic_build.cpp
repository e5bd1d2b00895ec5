#include "basic/basic_build.h"

#include "basic/basic_compiler.h"
#include "basic/object_file.h"

#include <set>

namespace k7 {

std::string ErrorCountText(int count) {
    if (count == 1)
        return "There is one error";
    return "There are " + std::to_string(count) + " errors.";
}

BasicBuildResult BuildBasicModule(const std::vector<std::string>& lines,
                                  const std::string& compileName) {
    BasicBuildResult result;
    if (lines.empty()) {
        result.Outcome = BasicBuildOutcome::NoProgram;
        result.Message = NoProgramMessage;
        return result;
    }
    if (compileName.empty()) {
        result.Outcome = BasicBuildOutcome::NoFileName;
        result.Message = NoFileNameMessage;
        return result;
    }
    result.ObjectFileName = ObjectFileName(compileName);

    BasicCompiler compiler;
    const BasicCompileOutput output = compiler.Compile(lines);
    result.Errors = output.Errors;
    if (!output.Errors.empty()) {
        result.Outcome = BasicBuildOutcome::Errors;
        result.StatusText = ErrorCountText(static_cast<int>(output.Errors.size()));
        return result;
    }
    const std::string failure = WriteBasicObjectFile(result.ObjectFileName, output);
    if (!failure.empty()) {
        result.Outcome = BasicBuildOutcome::WriteFailed;
        result.Message = failure;
        result.StatusText = "Object file not written.";
        return result;
    }
    result.Outcome = BasicBuildOutcome::Built;
    result.StatusText = "No errors.";
    return result;
}

std::vector<TextRange> ErrorLineRanges(const std::vector<std::string>& lines,
                                       const std::vector<BasicError>& errors) {
    std::set<int> errorLines;
    for (const BasicError& error : errors)
        if (error.Line >= 0 && error.Line < static_cast<int>(lines.size()))
            errorLines.insert(error.Line);
    std::vector<TextRange> ranges;
    size_t start = 0;
    int index = 0;
    for (int line : errorLines) {
        for (; index < line; ++index)
            start += lines[index].size() + 2;
        ranges.push_back({start, lines[line].size()});
    }
    return ranges;
}

} // namespace k7
