// Names in code: module inputs and outputs, locals, labels and constants.
#include "basic/basic_compiler.h"

namespace k7 {

// Yields the operand word of the current field's name; marks it assigned
// or used. The emitting pass reports outputs and locals that the whole
// module never assigns, and locals that it never reads.
std::string BasicCompiler::GetVarLocation(bool create, NameMark mark) {
    const std::string& name = lexer_.Field().Text;

    const int input = tables_.FindInput(name);
    if (input != BasicTables::NotFound)
        return IoOperand(input);

    const int output = tables_.FindOutput(name);
    if (output != BasicTables::NotFound) {
        BasicIoRow& row = tables_.OutputTable[output];
        if (mark == NameMark::Assigned)
            row.Assigned = true;
        if (!Layout() && !row.Assigned)
            AddError3("Output variable.." + name + "..never assigned value");
        return IoOperand(static_cast<int>(tables_.InputTable.size()) + output);
    }

    const int local = tables_.FindLocal(name);
    if (local != BasicTables::NotFound) {
        BasicLocalRow& row = tables_.VarTable[local];
        if (mark == NameMark::Assigned)
            row.Assigned = true;
        else if (mark == NameMark::Used)
            row.Used = true;
        if (!Layout()) {
            if (!row.Assigned)
                AddError3("Local variable.." + name + "..never assigned value");
            if (!row.Used)
                AddError3("Local variable.." + name + "..not used in expression");
        }
        return LocalOperand(4 * (local + 1));
    }

    // Locals are created in the layout pass only; its code words are not kept.
    if (create && Layout())
        tables_.AddLocal({name, mark == NameMark::Assigned, mark == NameMark::Used});
    return {};
}

void BasicCompiler::LabelDefinition() {
    if (!Layout())
        return;
    const std::string& name = lexer_.Field().Text;
    if (tables_.SearchLabelTable(name) != BasicTables::NotFound) {
        AddError2("Duplicate label..." + name);
        return;
    }
    tables_.AddtoLabelList(name, code_.Address());
}

void BasicCompiler::AddFieldToConstantList() {
    tables_.AddConstant(lexer_.Field().Text);
}

} // namespace k7
