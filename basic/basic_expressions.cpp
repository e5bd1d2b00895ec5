// Expressions: each level compiles its operands left to right, saving the
// running value before a right operand and pairing the two after it.
#include "basic/basic_compiler.h"

#include <algorithm>

namespace k7 {

namespace {

struct Comparison {
    const char* Keyword;
    BasicOpcode Test;
};

constexpr Comparison Comparisons[] = {
    {"BEQ", OpTestEqual},   {"BNE", OpTestNotEqual},    {"BLT", OpTestLess},
    {"BGT", OpTestGreater}, {"BLE", OpTestLessOrEqual}, {"BGE", OpTestGreaterOrEqual},
};

const Comparison* FindComparison(const BasicField& field) {
    for (const Comparison& comparison : Comparisons)
        if (field.IsKeyword(comparison.Keyword))
            return &comparison;
    return nullptr;
}

// How a function checks its arguments.
enum class ArgumentRule {
    Numeric,    // one argument, converted to Float; a String is refused
    NeedString, // one String argument
    Unchecked,  // one argument of any type
    TwoArgs,    // LEFT$ and RIGHT$: a string and a count
    ThreeArgs,  // MID$: a string, a start and a count
};

struct Function {
    const char* Name;
    ArgumentRule Rule;
    BasicType Result;
    BasicOpcode Opcode;
};

constexpr Function Functions[] = {
    {"ABS", ArgumentRule::Numeric, BasicType::Float, OpAbs},
    {"COS", ArgumentRule::Numeric, BasicType::Float, OpCos},
    {"SIN", ArgumentRule::Numeric, BasicType::Float, OpSin},
    {"TAN", ArgumentRule::Numeric, BasicType::Float, OpTan},
    {"ACOS", ArgumentRule::Numeric, BasicType::Float, OpAcos},
    {"ASIN", ArgumentRule::Numeric, BasicType::Float, OpAsin},
    {"ATAN", ArgumentRule::Numeric, BasicType::Float, OpAtan},
    {"EXP", ArgumentRule::Numeric, BasicType::Float, OpExp},
    {"INT", ArgumentRule::Numeric, BasicType::Float, OpInt},
    {"LOG10", ArgumentRule::Numeric, BasicType::Float, OpLog10},
    {"LN", ArgumentRule::Numeric, BasicType::Float, OpLn},
    {"RND", ArgumentRule::Numeric, BasicType::Float, OpRnd},
    {"SQR", ArgumentRule::Numeric, BasicType::Float, OpSqr},
    {"VAL", ArgumentRule::NeedString, BasicType::Float, OpVal},
    {"ASC", ArgumentRule::NeedString, BasicType::Integer, OpAsc},
    {"LEN", ArgumentRule::NeedString, BasicType::Integer, OpLen},
    {"CHR$", ArgumentRule::Unchecked, BasicType::String, OpChr},
    {"STR$", ArgumentRule::Unchecked, BasicType::String, OpStr},
    {"LEFT$", ArgumentRule::TwoArgs, BasicType::String, OpLeft},
    {"RIGHT$", ArgumentRule::TwoArgs, BasicType::String, OpRight},
    {"MID$", ArgumentRule::ThreeArgs, BasicType::String, OpMid},
};

const Function* FindFunction(const BasicField& field) {
    if (field.Kind != FieldKind::Keyword)
        return nullptr;
    for (const Function& function : Functions)
        if (field.Text == function.Name)
            return &function;
    return nullptr;
}

// One "." at most and at least one digit.
bool IsWellFormedNumber(const std::string& text) {
    return std::count(text.begin(), text.end(), '.') <= 1 &&
           std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Keeps the operand depth right on every way out of Factor.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(++depth) {}
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

} // namespace

BasicType BasicCompiler::Expression() {
    const BasicType left = SimpleExpression();
    const Comparison* comparison = Failed() ? nullptr : FindComparison(lexer_.Field());
    if (!comparison)
        return left;
    code_.Emit(SaveOpcode(left));
    lexer_.GetField();
    const BasicType right = SimpleExpression();
    if (Failed())
        return BasicType::Integer;
    if ((left == BasicType::String) != (right == BasicType::String)) {
        AddError2("Comparing numeric to string");
        return BasicType::Integer;
    }
    const BasicType running = EmitPairing(code_, left, right);
    if (running == BasicType::Float)
        code_.Emit(OpCompareFloat);
    else if (running == BasicType::String)
        code_.Emit(OpCompareString);
    else
        code_.Emit(OpSubtractInteger);
    code_.Emit(comparison->Test);
    return BasicType::Integer;
}

BasicType BasicCompiler::SimpleExpression() {
    const bool negate = lexer_.Field().IsKeyword("-");
    if (negate)
        lexer_.GetField();
    BasicType running = Term();
    if (Failed())
        return BasicType::Integer;
    if (negate)
        code_.Emit(running == BasicType::Float ? OpNegateFloat : OpNegate);

    for (;;) {
        const BasicField& field = lexer_.Field();
        const bool add = field.IsKeyword("+");
        const bool subtract = field.IsKeyword("-");
        const bool orOp = field.IsKeyword("OR");
        if (!add && !subtract && !orOp)
            return running;
        code_.Emit(SaveOpcode(running));
        lexer_.GetField();
        const BasicType right = Term();
        if (Failed())
            return BasicType::Integer;
        if ((running == BasicType::String) != (right == BasicType::String)) {
            AddError2("Type mismatch in expression: string and numeric");
            return BasicType::Integer;
        }
        if (running == BasicType::String && !add) {
            AddError2("Invalid math operation on string");
            return BasicType::Integer;
        }
        running = EmitPairing(code_, running, right);
        const bool isFloat = running == BasicType::Float;
        if (add)
            code_.Emit(isFloat                        ? OpAddFloat
                       : running == BasicType::String ? OpConcatenate
                                                      : OpAddInteger);
        else if (subtract)
            code_.Emit(isFloat ? OpSubtractFloat : OpSubtractInteger);
        else
            code_.Emit(isFloat ? OpOrFloat : OpOrInteger);
    }
}

BasicType BasicCompiler::Term() {
    BasicType running = Factor();
    if (Failed())
        return BasicType::Integer;
    for (;;) {
        const BasicField& field = lexer_.Field();
        const bool multiply = field.IsKeyword("*");
        const bool divide = field.IsKeyword("/");
        const bool andOp = field.IsKeyword("AND");
        if (!multiply && !divide && !andOp)
            return running;
        code_.Emit(running == BasicType::Float ? OpSaveFloat : OpSaveInteger);
        lexer_.GetField();
        const BasicType right = Factor();
        if (Failed())
            return BasicType::Integer;
        if (right == BasicType::String) {
            AddError2("Invalid operation on string");
            return BasicType::Integer;
        }
        if (running == BasicType::String) {
            AddError2("Type mismatch in expression: string and numeric");
            return BasicType::Integer;
        }
        running = EmitPairing(code_, running, right);
        const bool isFloat = running == BasicType::Float;
        if (multiply)
            code_.Emit(isFloat ? OpMultiplyFloat : OpMultiplyInteger);
        else if (divide)
            code_.Emit(isFloat ? OpDivideFloat : OpDivideInteger);
        else
            code_.Emit(isFloat ? OpAndFloat : OpAndInteger);
    }
}

BasicType BasicCompiler::Factor() {
    DepthGuard guard(operandDepth_);
    if (operandDepth_ > MaxOperandDepth) {
        AddError2("Expression nested too deeply");
        return BasicType::Integer;
    }
    const BasicField& field = lexer_.Field();
    if (field.Kind == FieldKind::Number)
        return Literal();
    if (field.Kind == FieldKind::Name)
        return Variable();
    if (field.IsKeyword("NOT")) {
        lexer_.GetField();
        const BasicType type = Factor();
        if (Failed())
            return BasicType::Integer;
        code_.Emit(type == BasicType::Float ? OpNotFloat : OpNot);
        return type;
    }
    if (field.IsKeyword("("))
        return Group();
    if (FindFunction(field))
        return FunctionCall();
    // "EOL", ":" and anything unrecognised are left for the caller.
    return BasicType::Integer;
}

BasicType BasicCompiler::Literal() {
    const BasicField& field = lexer_.Field();
    // "|" separates the words of the object file and of the download image.
    if (field.IsStringLiteral() && field.Text.find('|') != std::string::npos) {
        AddError2("String constant may not contain the character |");
        return BasicType::Integer;
    }
    if (!field.IsStringLiteral() && !IsWellFormedNumber(field.Text)) {
        AddError2("Invalid number..." + field.Text);
        return BasicType::Integer;
    }
    if (Layout())
        AddFieldToConstantList();
    const BasicType type = field.Type;
    if (type == BasicType::Float)
        code_.Emit(OpConstantFloat);
    else if (type == BasicType::String)
        code_.Emit(OpConstantString);
    else
        code_.Emit(OpConstantInteger);
    code_.Emit(ConstantOperand(field.Text));
    lexer_.GetField();
    return type;
}

BasicType BasicCompiler::Variable() {
    const BasicField& field = lexer_.Field();
    if (field.Type == BasicType::Invalid) {
        AddError2("Error in variable name..." + field.Text);
        return BasicType::Integer;
    }
    const BasicType type = field.Type;
    const std::string location = GetVarLocation(true, NameMark::Used);
    if (Failed())
        return BasicType::Integer;
    if (type == BasicType::Float)
        code_.Emit(OpLoadFloat);
    else if (type == BasicType::Integer)
        code_.Emit(OpLoadInteger);
    else
        code_.Emit(OpLoadString);
    code_.Emit(location);
    lexer_.GetField();
    return type;
}

BasicType BasicCompiler::Group() {
    lexer_.GetField();
    const BasicType type = Expression();
    if (Failed() || !ExpectField(")", "Missing parenthesis"))
        return BasicType::Integer;
    lexer_.GetField();
    return type;
}

bool BasicCompiler::ExpectField(const char* word, const char* message) {
    if (lexer_.Field().IsKeyword(word))
        return true;
    AddError2(message);
    return false;
}

// The count arguments of LEFT$, RIGHT$ and MID$ are Integers.
void BasicCompiler::CountArgument(BasicType type, const std::string& function) {
    if (type == BasicType::Float)
        code_.Emit(OpFloatToInteger);
    else if (type == BasicType::String)
        AddError2("Wrong argument type for " + function);
}

BasicType BasicCompiler::FunctionCall() {
    const Function& function = *FindFunction(lexer_.Field());
    const std::string name = function.Name;
    lexer_.GetField();
    if (!ExpectField("(", "Missing parenthesis"))
        return BasicType::Integer;
    lexer_.GetField();
    const BasicType first = Expression();
    if (Failed())
        return BasicType::Integer;

    const char* const missingComma = "Expected comma between function arguments";
    switch (function.Rule) {
    case ArgumentRule::Numeric:
        if (!ExpectField(")", "Missing parenthesis"))
            return BasicType::Integer;
        if (first == BasicType::String) {
            AddError2("Invalid argument type for function " + name);
            return BasicType::Integer;
        }
        if (first == BasicType::Integer)
            code_.Emit(OpIntegerToFloat);
        break;
    case ArgumentRule::NeedString:
        if (!ExpectField(")", "Missing parenthesis"))
            return BasicType::Integer;
        if (first != BasicType::String) {
            AddError2("Must have string argument for " + name);
            return BasicType::Integer;
        }
        break;
    case ArgumentRule::Unchecked:
        if (!ExpectField(")", "Missing parenthesis"))
            return BasicType::Integer;
        break;
    case ArgumentRule::TwoArgs: {
        if (!ExpectField(",", missingComma))
            return BasicType::Integer;
        lexer_.GetField();
        const BasicType count = Expression();
        if (Failed() || !ExpectField(")", "Missing parenthesis"))
            return BasicType::Integer;
        CountArgument(count, name);
        if (Failed())
            return BasicType::Integer;
        code_.Emit(OpSecondArgument);
        break;
    }
    case ArgumentRule::ThreeArgs: {
        if (!ExpectField(",", missingComma))
            return BasicType::Integer;
        lexer_.GetField();
        const BasicType start = Expression();
        if (Failed())
            return BasicType::Integer;
        CountArgument(start, name);
        if (Failed())
            return BasicType::Integer;
        code_.Emit(OpSecondArgument);
        if (!ExpectField(",", missingComma))
            return BasicType::Integer;
        lexer_.GetField();
        const BasicType count = Expression();
        if (Failed())
            return BasicType::Integer;
        CountArgument(count, name);
        if (Failed())
            return BasicType::Integer;
        code_.Emit(OpThirdArgument);
        if (!ExpectField(")", "Missing parenthesis"))
            return BasicType::Integer;
        break;
    }
    }
    code_.Emit(function.Opcode);
    lexer_.GetField();
    return function.Result;
}

} // namespace k7
