// The BASIC compiler: reads a module's lines twice (layout pass, then
// emitting pass) and yields its code words, constants and sizes, or the
// error list. One-token-lookahead recursive descent over the lexer's fields;
// all code goes out through BasicCodeGen::Emit.
//
// Grammar (one rule per routine):
//   CompileCode         := { Statement } at the end of the source "t22"
//   Statement           := Assignment | Label | IF | ELSE | ENDIF | GOTO | GOSUB
//                          | RETURN | END | "EOL" | ":"
//   AssignmentStatement := Name "=" Expression
//   IfStatement         := "IF" Expression "THEN" [ Statement ]
//   ElseStatement       := "ELSE" [ Statement ]
//   EndIfStatement      := "ENDIF"
//   GotoStatement       := "GOTO" Name
//   GosubStatement      := "GOSUB" Name
//   ReturnStatement     := "RETURN"
//   EndStatement        := "END"
//   Expression          := SimpleExpression [ comparison SimpleExpression ]
//   SimpleExpression    := [ "-" ] Term { ( "+" | "-" | "OR" ) Term }
//   Term                := Factor { ( "*" | "/" | "AND" ) Factor }
//   Factor              := literal | Name | "NOT" Factor | "(" Expression ")"
//                          | function "(" Expression { "," Expression } ")"
#pragma once

#include "basic/basic_codegen.h"
#include "basic/basic_errors.h"
#include "basic/basic_if_table.h"
#include "basic/basic_lexer.h"
#include "basic/basic_tables.h"
#include "basic/basic_tokens.h"

#include <string>
#include <vector>

namespace k7 {

// What a compile yields: the error list, or everything the object file holds.
struct BasicCompileOutput {
    std::vector<BasicError> Errors;
    int LocalRamBytes = 4; // 4 x (locals + 1)
    int CodeBytes = 4;     // 4 x code words + 4 for the header word
    int InputCount = 0;
    int OutputCount = 0;
    std::vector<std::string> Constants; // literal texts, strings with their apostrophe
    std::vector<std::string> CodeLines; // "|"-terminated code words
};

// Size of a declared variable in bytes and its number of array dimensions.
struct BasicVariableSize {
    long long Bytes = 4;
    int Dimensions = 0;
};

class BasicCompiler {
  public:
    // Deepest nesting of operands (parentheses, NOT, function arguments):
    // room for any 500-character line, far from the end of the stack.
    static constexpr int MaxOperandDepth = 256;
    // Largest variable, in bytes, that the unit's RAM addresses can reach.
    static constexpr long long MaxVariableBytes = 0xFFFFFF;
    // Longest source compiled: more lines than the unit's flash holds code
    // words for.
    static constexpr size_t MaxSourceLines = 65536;

    BasicCompiler() : lexer_(ReservedWords(), errors_) {}

    // Compiles the lines of a module; the tables stay for inspection.
    BasicCompileOutput Compile(const std::vector<std::string>& lines);

    const BasicTables& Tables() const { return tables_; }

  private:
    enum class NameMark { None, Assigned, Used };

    void RunPass(BasicPass pass);
    bool Layout() const { return pass_ == BasicPass::Layout; }
    bool Failed() const { return errors_.LineError(); }
    void AddError2(const std::string& message) { errors_.AddError2(message, lexer_.LineIndex()); }
    void AddError3(const std::string& message) { errors_.AddError3(message, lexer_.LineIndex()); }

    // Lines before "#CODE" (basic_declarations.cpp).
    void CompileLine();
    void ReadSectionHeader();
    void Declaration(bool isOutput);
    BasicVariableSize GetVariableSize(const std::string& name);
    bool ReadWholeNumber(long long& value);

    // Names (basic_names.cpp).
    std::string GetVarLocation(bool create, NameMark mark);
    void LabelDefinition();
    void AddFieldToConstantList();

    // Statements (basic_parser.cpp).
    void CompileCode();
    bool ReadFirstCodeField();
    void FinishOpenIf();
    void Statement();
    void ClosePendingSingleLineIf();
    void CloseInnermostIf();
    void AssignmentStatement();
    void IfStatement();
    void ElseStatement();
    void EndIfStatement();
    void GotoStatement();
    void GosubStatement();
    void ReturnStatement();
    void EndStatement();
    bool JumpTarget(const std::string& statement, int& address);

    // Expressions (basic_expressions.cpp); each yields the type of its value.
    BasicType Expression();
    BasicType SimpleExpression();
    BasicType Term();
    BasicType Factor();
    BasicType Literal();
    BasicType Variable();
    BasicType Group();
    BasicType FunctionCall();
    bool ExpectField(const char* word, const char* message);
    void CountArgument(BasicType type, const std::string& function);

    BasicErrors errors_;
    BasicLexer lexer_;
    BasicCodeGen code_;
    BasicTables tables_;
    BasicIfTable ifs_;
    const std::vector<std::string>* lines_ = nullptr;
    BasicPass pass_ = BasicPass::Layout;
    bool thenPending_ = false;
    bool elsePending_ = false;
    int operandDepth_ = 0;
};

} // namespace k7
