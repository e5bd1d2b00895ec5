#include "basic/basic_codegen.h"

#include "workspace/linescan.h"

namespace k7 {

namespace {

// Built by appending: GCC 12 warns falsely on "letter" + a temporary string.
std::string Word(char letter, const std::string& text) {
    std::string word(1, letter);
    word += text;
    return word;
}

} // namespace

std::string OpcodeWord(int opcode) {
    return Word('t', std::to_string(opcode));
}
std::string ConstantOperand(const std::string& text) {
    return Word('c', text);
}
std::string IoOperand(int index) {
    return Word('i', HexText(static_cast<uint32_t>(index)));
}
std::string LocalOperand(int offset) {
    return Word('r', HexText(static_cast<uint32_t>(offset)));
}
std::string JumpOperand(int address) {
    return Word('f', HexText(static_cast<uint32_t>(address)));
}

void WordLineBuilder::Add(const std::string& word) {
    if (current_.size() > LineBreakLength) {
        lines_.push_back(current_);
        current_.clear();
    }
    current_ += word;
    current_ += '|';
}

std::vector<std::string> WordLineBuilder::Finish() const {
    std::vector<std::string> lines = lines_;
    if (!current_.empty())
        lines.push_back(current_);
    return lines;
}

void BasicCodeGen::StartPass(BasicPass pass) {
    pass_ = pass;
    address_ = 0;
    lines_ = WordLineBuilder();
}

void BasicCodeGen::Emit(const std::string& item) {
    if (pass_ == BasicPass::Emitting)
        lines_.Add(item);
    address_ += 4;
}

BasicOpcode SaveOpcode(BasicType running) {
    if (running == BasicType::Float)
        return OpSaveFloat;
    if (running == BasicType::String)
        return OpSaveString;
    return OpSaveInteger;
}

BasicType EmitPairing(BasicCodeGen& code, BasicType left, BasicType right) {
    using T = BasicType;
    if (left == T::Float && right == T::Float) {
        code.Emit(OpAsideFloat);
        code.Emit(OpRestoreFloat);
        return T::Float;
    }
    if (left == T::String && right == T::String) {
        code.Emit(OpAsideString);
        code.Emit(OpRestoreString);
        return T::String;
    }
    if (left == T::Float && right == T::Integer) {
        code.Emit(OpAsideIntegerAsFloat);
        code.Emit(OpRestoreFloat);
        return T::Float;
    }
    if (left == T::Integer && right == T::Float) {
        code.Emit(OpAsideFloat);
        code.Emit(OpRestoreInteger);
        code.Emit(OpIntegerToFloat);
        return T::Float;
    }
    if (left == T::Integer && right == T::Integer) {
        code.Emit(OpAsideInteger);
        code.Emit(OpRestoreInteger);
        return T::Integer;
    }
    return T::Invalid;
}

} // namespace k7
