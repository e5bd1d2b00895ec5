// Code words for the unit's BASIC interpreter: the opcodes, the operand
// words, and Emit, through which every word of a module goes out.
#pragma once

#include "basic/basic_types.h"

#include <string>
#include <vector>

namespace k7 {

// Every opcode the compiler emits; numbers not listed are never emitted.
enum BasicOpcode : int {
    OpStoreFloat = 1,
    OpLoadFloat = 2,
    OpTestEqual = 3,
    OpTestNotEqual = 4,
    OpTestLess = 5,
    OpTestGreater = 6,
    OpTestLessOrEqual = 7,
    OpTestGreaterOrEqual = 8,
    OpSaveFloat = 9,
    OpAsideFloat = 10,
    OpRestoreFloat = 11,
    OpNegateFloat = 13,
    OpAddFloat = 14,
    OpSubtractFloat = 15,
    OpOrFloat = 16,
    OpMultiplyFloat = 17,
    OpDivideFloat = 18,
    OpAndFloat = 19,
    OpConstantFloat = 20,
    OpNotFloat = 21,
    OpEnd = 22,
    OpAbs = 23,
    OpCos = 24,
    OpSin = 25,
    OpTan = 26,
    OpAcos = 27,
    OpAsin = 28,
    OpAtan = 29,
    OpLog10 = 30,
    OpLn = 31,
    OpExp = 32,
    OpInt = 33,
    OpRnd = 34,
    OpSqr = 35,
    OpJump = 37,
    OpGosub = 38,
    OpReturn = 39,
    OpStoreInteger = 40,
    OpSaveInteger = 41,
    OpAsideInteger = 42,
    OpRestoreInteger = 43,
    OpNegate = 44,
    OpAddInteger = 45,
    OpSubtractInteger = 46, // also compares two Integers
    OpOrInteger = 47,
    OpMultiplyInteger = 48,
    OpDivideInteger = 49,
    OpAndInteger = 50,
    OpConstantInteger = 51,
    OpLoadInteger = 52,
    OpNot = 53,
    OpFloatToInteger = 61,
    OpIntegerToFloat = 62,
    OpJumpIfFalse = 63,
    OpStoreString = 64,
    OpConstantString = 65,
    OpLoadString = 66,
    OpAsc = 67,
    OpChr = 68,
    OpLen = 69,
    OpStr = 70,
    OpVal = 71,
    OpSecondArgument = 72,
    OpLeft = 73,
    OpRight = 74,
    OpThirdArgument = 75,
    OpMid = 76,
    OpSaveString = 77,
    OpAsideString = 78,
    OpRestoreString = 79,
    OpConcatenate = 80,
    OpCompareString = 88,
    OpAsideIntegerAsFloat = 89,
    OpCompareFloat = 90,
};

std::string OpcodeWord(int opcode);                   // "t" + decimal opcode
std::string ConstantOperand(const std::string& text); // "c" + literal text
std::string IoOperand(int index);                     // "i" + hex I/O index
std::string LocalOperand(int offset);                 // "r" + hex byte offset
std::string JumpOperand(int address);                 // "f" + hex code address

// Lines of "|"-terminated words: a line already longer than 80 characters
// is closed before the next word is added.
class WordLineBuilder {
  public:
    static constexpr size_t LineBreakLength = 80;

    void Add(const std::string& word);
    // The closed lines followed by the line being built, if not empty.
    std::vector<std::string> Finish() const;

  private:
    std::vector<std::string> lines_;
    std::string current_;
};

class BasicCodeGen {
  public:
    // The code address starts at 0 in each pass; words are kept only while emitting.
    void StartPass(BasicPass pass);

    // Appends one code word and advances the code address by 4, in both passes.
    void Emit(const std::string& item);
    void Emit(BasicOpcode opcode) { Emit(OpcodeWord(opcode)); }

    int Address() const { return address_; }
    std::vector<std::string> CodeLines() const { return lines_.Finish(); }

  private:
    BasicPass pass_ = BasicPass::Layout;
    int address_ = 0;
    WordLineBuilder lines_;
};

// The running-type rules of the binary operators.
// The word that saves the left operand: "t9" Float, "t77" String, "t41" otherwise.
BasicOpcode SaveOpcode(BasicType running);
// Emits the pairing of the saved left and the new right operand and yields
// the running type after it; a String with a number yields Invalid and emits nothing.
BasicType EmitPairing(BasicCodeGen& code, BasicType left, BasicType right);

} // namespace k7
