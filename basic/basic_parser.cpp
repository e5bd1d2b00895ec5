// The code section: the statement driver and the statements.
#include "basic/basic_compiler.h"

namespace k7 {

namespace {

bool IsCommentOrNothing(const BasicField& field) {
    return field.Kind == FieldKind::None || (field.Kind == FieldKind::Symbol && field.Text == "'");
}

} // namespace

void BasicCompiler::CompileCode() {
    lexer_.StartCode();
    ifs_.StartPass();
    thenPending_ = false;
    elsePending_ = false;
    operandDepth_ = 0;

    if (ReadFirstCodeField()) {
        // A statement leaves the field after it current; the driver passes
        // over that field (the line end or ":") before the next statement.
        for (;;) {
            Statement();
            if (Failed()) {
                // The rest of the line is dropped; past the last line the
                // end marker still checks the parentheses.
                lexer_.GetNewSourceLine();
                if (lexer_.AtEndOfSource())
                    break;
                lexer_.GetField();
            } else {
                if (lexer_.AtEndOfSource())
                    break;
                lexer_.GetField();
            }
        }
    }
    FinishOpenIf();
    code_.Emit(OpEnd);
}

// False when the source holds nothing more to compile.
bool BasicCompiler::ReadFirstCodeField() {
    lexer_.GetNewSourceLine();
    lexer_.GetField();
    while (IsCommentOrNothing(lexer_.Field())) {
        if (lexer_.AllLinesRead())
            return false;
        lexer_.GetNewSourceLine();
        lexer_.GetField();
    }
    return true;
}

// The innermost IF still open at the end of the source ends there.
void BasicCompiler::FinishOpenIf() {
    if (!Layout() || !ifs_.AnyOpen())
        return;
    const int number = ifs_.Innermost();
    if (ifs_.ElseDestination(number) == 0)
        ifs_.SetElseDestination(number, code_.Address());
    if (ifs_.EndDestination(number) == 0)
        CloseInnermostIf();
}

void BasicCompiler::Statement() {
    if (lexer_.FieldsOnLine() == 1)
        ClosePendingSingleLineIf();

    const BasicField& field = lexer_.Field();
    if (field.Kind == FieldKind::Name) {
        const char next = lexer_.CurrentChar();
        if (next == '=' || next == '(')
            AssignmentStatement();
        else
            LabelDefinition();
    } else if (field.IsEndOfLine() || field.IsKeyword(":")) {
        // nothing to compile
    } else if (field.IsKeyword("IF")) {
        IfStatement();
    } else if (field.IsKeyword("ELSE")) {
        if (lexer_.KeywordCount() > 1)
            AddError2("ELSE must be first token on line");
        else
            ElseStatement();
    } else if (field.IsKeyword("ENDIF")) {
        EndIfStatement();
    } else if (field.IsKeyword("GOTO")) {
        GotoStatement();
    } else if (field.IsKeyword("GOSUB")) {
        GosubStatement();
    } else if (field.IsKeyword("RETURN")) {
        ReturnStatement();
    } else if (field.IsKeyword("END")) {
        EndStatement();
    } else {
        AddError2("Unrecognizable statement initiator");
    }
}

// A single-line THEN ends where the next line begins (its else part may
// follow on that line as ELSE); a single-line ELSE ends with its line.
void BasicCompiler::ClosePendingSingleLineIf() {
    if (thenPending_) {
        if (Layout())
            ifs_.SetElseDestination(ifs_.MostRecent(), code_.Address());
        if (!lexer_.Field().IsKeyword("ELSE"))
            CloseInnermostIf();
        thenPending_ = false;
    }
    if (elsePending_) {
        CloseInnermostIf();
        elsePending_ = false;
    }
}

// As ENDIF does; nothing when no IF is open.
void BasicCompiler::CloseInnermostIf() {
    if (!ifs_.AnyOpen())
        return;
    const int number = ifs_.Pop();
    if (!Layout())
        return;
    ifs_.SetEndDestination(number, code_.Address());
    if (ifs_.ElseDestination(number) == 0)
        ifs_.SetElseDestination(number, code_.Address());
}

void BasicCompiler::AssignmentStatement() {
    const BasicField target = lexer_.Field();
    if (target.Type == BasicType::Invalid) {
        AddError2("Error in variable name..." + target.Text);
        return;
    }
    const std::string location = GetVarLocation(Layout(), NameMark::Assigned);
    if (Failed())
        return;
    lexer_.GetField();
    if (!lexer_.Field().IsKeyword("BEQ")) {
        AddError2("Expected = in assignment statement");
        return;
    }
    if (lexer_.ParenBalance() != 0) {
        AddError2("Missing parenthesis before assignment statement");
        lexer_.ResetParenBalance();
        return;
    }
    lexer_.GetField();
    const BasicType value = Expression();
    if (Failed())
        return;

    using T = BasicType;
    const T type = target.Type;
    if (value == T::Integer && type == T::Integer) {
        code_.Emit(OpStoreInteger);
    } else if (value == T::Float && type == T::Float) {
        code_.Emit(OpStoreFloat);
    } else if (value == T::String && type == T::String) {
        code_.Emit(OpStoreString);
    } else if (value == T::Integer && type == T::Float) {
        code_.Emit(OpIntegerToFloat);
        code_.Emit(OpStoreFloat);
    } else if (value == T::Float && type == T::Integer) {
        code_.Emit(OpFloatToInteger);
        code_.Emit(OpStoreInteger);
    } else {
        AddError2("Type conversion error in assignment statement");
        return;
    }
    // A new local has no operand yet in the layout pass, but its word still
    // takes an address so that both passes place the code alike.
    code_.Emit(location);
}

void BasicCompiler::IfStatement() {
    int number = 0;
    if (!ifs_.TakeNumber(number)) {
        AddError2("More than 998 IF statements in one module");
        return;
    }
    if (!ifs_.Push(number)) {
        AddError2("IF statements nested more than 20 deep");
        return;
    }
    lexer_.GetField();
    Expression();
    if (Failed())
        return;
    if (!lexer_.Field().IsKeyword("THEN")) {
        AddError2("Expect THEN token after test expression");
        return;
    }
    code_.Emit(OpJumpIfFalse);
    code_.Emit(JumpOperand(ifs_.ElseDestination(number)));
    if (!Layout() && ifs_.ElseDestination(number) == 0) {
        AddError3("Missing ELSE destination");
        return;
    }
    lexer_.GetField();
    if (!lexer_.Field().IsEndOfLine())
        thenPending_ = true;
    Statement();
}

// The jump over the else part is emitted before the ELSE's own checks, and
// those come after the next field was read: an ELSE that ends its line has
// its faults reported on the next line, which is then not compiled.
void BasicCompiler::ElseStatement() {
    const bool open = ifs_.AnyOpen();
    const int number = open ? ifs_.Innermost() : 0;
    const auto end = open ? ifs_.EndDestination(number) : 0;
    code_.Emit(OpJump);
    code_.Emit(JumpOperand(end));
    lexer_.GetField();
    if (!Layout() && end == 0) {
        AddError3("Cannot find ENDIF destination");
        return;
    }
    if (!lexer_.Field().IsEndOfLine())
        elsePending_ = true;
    if (Layout()) {
        if (!open) {
            AddError2("ELSE without preceding IF");
            return;
        }
        ifs_.SetElseDestination(number, code_.Address());
    }
    Statement();
}

void BasicCompiler::EndIfStatement() {
    if (!ifs_.AnyOpen()) {
        AddError2("End of IF block without IF statement");
        return;
    }
    CloseInnermostIf();
}

// Reads the label after GOTO or GOSUB and finds its address.
bool BasicCompiler::JumpTarget(const std::string& statement, int& address) {
    lexer_.GetField();
    const BasicField& label = lexer_.Field();
    if (label.Kind != FieldKind::Name) {
        AddError2("Invalid label for " + statement + "..." + label.Text);
        return false;
    }
    const int row = tables_.SearchLabelTable(label.Text);
    if (row == BasicTables::NotFound) {
        // Labels may be defined further down: only the emitting pass knows.
        if (!Layout()) {
            AddError3("Cannot find label " + label.Text);
            return false;
        }
        address = 0;
        return true;
    }
    address = tables_.LabelTable[row].Address;
    return true;
}

void BasicCompiler::GotoStatement() {
    int address = 0;
    if (!JumpTarget("GOTO", address))
        return;
    code_.Emit(OpJump);
    code_.Emit(JumpOperand(address));
    lexer_.GetField();
}

void BasicCompiler::GosubStatement() {
    int address = 0;
    if (!JumpTarget("GOSUB", address))
        return;
    code_.Emit(OpGosub);
    code_.Emit(OpJump);
    code_.Emit(JumpOperand(address));
    lexer_.GetField();
}

void BasicCompiler::ReturnStatement() {
    code_.Emit(OpReturn);
    lexer_.GetField();
}

void BasicCompiler::EndStatement() {
    code_.Emit(OpEnd);
}

} // namespace k7
