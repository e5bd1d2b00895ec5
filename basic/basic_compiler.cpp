#include "basic/basic_compiler.h"

namespace k7 {

BasicCompileOutput BasicCompiler::Compile(const std::vector<std::string>& lines) {
    tables_.Clear();
    errors_.EraseErrors();
    ifs_.ClearDestinations();
    lines_ = &lines;

    BasicCompileOutput output;
    if (lines.size() > MaxSourceLines) {
        output.Errors.push_back(
            {"Program longer than " + std::to_string(MaxSourceLines) + " lines", 0});
        return output;
    }
    RunPass(BasicPass::Layout);
    RunPass(BasicPass::Emitting);

    output.Errors = errors_.List();
    output.LocalRamBytes = 4 * (static_cast<int>(tables_.VarTable.size()) + 1);
    output.CodeBytes = code_.Address() + 4;
    output.InputCount = static_cast<int>(tables_.InputTable.size());
    output.OutputCount = static_cast<int>(tables_.OutputTable.size());
    output.Constants = tables_.ConstantsList;
    output.CodeLines = code_.CodeLines();
    return output;
}

void BasicCompiler::RunPass(BasicPass pass) {
    pass_ = pass;
    errors_.SetPass(pass);
    code_.StartPass(pass);
    lexer_.StartPass(*lines_);
    // The last line of the text is never read as a header line: it always
    // reaches the code driver.
    while (!lexer_.InCode() && lexer_.NextLineIndex() + 1 < lines_->size()) {
        lexer_.GetNewSourceLine();
        CompileLine();
    }
    CompileCode();
}

} // namespace k7
