// Lines before "#CODE": section headers and the declarations of the
// module's inputs and outputs.
#include "basic/basic_compiler.h"

namespace k7 {

namespace {

bool IsSectionName(const std::string& section) {
    return section == "#MODULE" || section == "#INPUTS" || section == "#OUTPUTS" ||
           section == CodeSection;
}

} // namespace

void BasicCompiler::CompileLine() {
    lexer_.RestartLine();
    errors_.ClearLineError();
    bool firstField = true;
    while (!lexer_.Exhausted() && !Failed()) {
        lexer_.GetField();
        const BasicField& field = lexer_.Field();
        if (field.Text.empty() || field.Text[0] == '\'')
            return;
        if (firstField && field.Text == "#") {
            ReadSectionHeader();
            return;
        }
        firstField = false;
        if (lexer_.Section() == "#INPUTS" && Layout())
            Declaration(false);
        else if (lexer_.Section() == "#OUTPUTS")
            Declaration(true);
        // In any other section the field is passed over.
    }
}

void BasicCompiler::ReadSectionHeader() {
    lexer_.GetField();
    lexer_.SetSection("#" + lexer_.Field().Text);
    if (!IsSectionName(lexer_.Section()))
        AddError2("Invalid section specifier..." + lexer_.Section());
}

// Description ":" Name [ dimensions ]; the description is passed over.
void BasicCompiler::Declaration(bool isOutput) {
    lexer_.EatColon();
    lexer_.Advance();
    lexer_.GetField();
    const BasicField name = lexer_.Field();
    if (name.Text.empty()) {
        AddError2("Variable def not of form>> Description:Variable name");
        return;
    }
    // Reserved words, numbers and literals can never name a variable.
    if (name.Kind != FieldKind::Name || name.Type == BasicType::Invalid) {
        AddError2("Error in variable name..." + name.Text);
        return;
    }
    const bool declared = !GetVarLocation(false, NameMark::None).empty();
    const BasicVariableSize size = GetVariableSize(name.Text);
    if (!Layout())
        return;
    // One error per line: a bad dimension is reported before the duplicate.
    if (declared && !Failed())
        AddError2("Duplicate variable name..." + name.Text);
    BasicIoRow row{name.Text, size.Bytes, size.Dimensions, false};
    if (isOutput)
        tables_.AddOutput(row);
    else
        tables_.AddInput(row);
}

// { "(" n | "," n | "[" length } with ")" or "]" closing a group.
BasicVariableSize BasicCompiler::GetVariableSize(const std::string& name) {
    BasicVariableSize size;
    long long elements = 1;
    long long length = 1;
    bool hasLength = false;
    for (char c = lexer_.CurrentChar(); c == '(' || c == '[' || c == ',';) {
        if (c != '[')
            ++size.Dimensions;
        lexer_.Advance();
        lexer_.GetField();
        long long value = 0;
        if (!ReadWholeNumber(value))
            return size;
        if (c == '[') {
            length = value;
            hasLength = true;
        } else {
            elements *= value;
            if (elements > MaxVariableBytes) {
                AddError2("Variable dimension too large");
                return size;
            }
        }
        c = lexer_.CurrentChar();
        if (c == ')' || c == ']') {
            lexer_.Advance();
            c = lexer_.CurrentChar();
        } else if (c != ',') {
            AddError2("Expected end of dimension");
            return size;
        }
    }
    if (name.back() != '$') {
        size.Bytes = elements * 4;
    } else if (hasLength) {
        // Room for the characters and a terminating byte, in whole 4-byte words.
        size.Bytes = elements * ((length / 4) + 1) * 4;
    } else {
        AddError2("String variable missing dimension");
        return size;
    }
    if (size.Bytes > MaxVariableBytes)
        AddError2("Variable dimension too large");
    return size;
}

bool BasicCompiler::ReadWholeNumber(long long& value) {
    const BasicField& field = lexer_.Field();
    if (field.Kind != FieldKind::Number) {
        AddError2("Variable dimension must be numeric");
        return false;
    }
    if (field.IsStringLiteral() || field.Text.find('.') != std::string::npos) {
        AddError2("Variable dimension must be a whole number");
        return false;
    }
    value = 0;
    for (char digit : field.Text) {
        value = value * 10 + (digit - '0');
        if (value > MaxVariableBytes) {
            AddError2("Variable dimension too large");
            return false;
        }
    }
    return true;
}

} // namespace k7
