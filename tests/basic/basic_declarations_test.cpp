#include "basic_test_support.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::CodeWords;
using test::Messages;

struct Declared {
    BasicCompileOutput Output;
    BasicTables Tables;
};

Declared Compile(const std::vector<std::string>& lines) {
    BasicCompiler compiler;
    Declared declared;
    declared.Output = compiler.Compile(lines);
    declared.Tables = compiler.Tables();
    return declared;
}

// Declares one input and reads its row back.
BasicIoRow InputRow(const std::string& declaration) {
    const Declared declared = Compile({"#INPUTS", declaration, "#CODE", "END"});
    EXPECT_TRUE(declared.Output.Errors.empty()) << declaration;
    if (declared.Tables.InputTable.empty())
        return {};
    return declared.Tables.InputTable[0];
}

std::vector<std::string> InputMessages(const std::string& declaration) {
    return Messages(Compile({"#INPUTS", declaration, "#CODE", "END"}).Output);
}

using Strings = std::vector<std::string>;

TEST(GetVariableSize, SizesScalarsArraysAndStrings) {
    EXPECT_EQ(InputRow("Counter:Count%").Bytes, 4);
    EXPECT_EQ(InputRow("Counter:Count%").Dimensions, 0);
    EXPECT_EQ(InputRow("Grid:Table(2,3)").Bytes, 24);
    EXPECT_EQ(InputRow("Grid:Table(2,3)").Dimensions, 2);
    EXPECT_EQ(InputRow("Text:Msg$[20]").Bytes, 24);
    EXPECT_EQ(InputRow("Names:Names$(5)[10]").Bytes, 60);
    EXPECT_EQ(InputRow("Names:Names$(5)[10]").Dimensions, 1);
    EXPECT_EQ(InputRow("Empty:A$[0]").Bytes, 4);
    EXPECT_EQ(InputRow("Ten:A$[10]").Bytes, 12);
    EXPECT_EQ(InputRow("Twelve:A$[12]").Bytes, 16);
    EXPECT_EQ(InputRow("Cube:C(2)(3)(4)").Bytes, 96);
    EXPECT_EQ(InputRow("Cube:C(2)(3)(4)").Dimensions, 3);
    EXPECT_EQ(InputRow("Spaced:T (2, 3)").Bytes, 24);
}

TEST(GetVariableSize, RefusesBadDimensions) {
    EXPECT_EQ(InputMessages("Text:A$"), Strings{"String variable missing dimension"});
    EXPECT_EQ(InputMessages("Grid:T(A)"), Strings{"Variable dimension must be numeric"});
    EXPECT_EQ(InputMessages("Grid:T()"), Strings{"Variable dimension must be numeric"});
    EXPECT_EQ(InputMessages("Grid:T(2.5)"), Strings{"Variable dimension must be a whole number"});
    EXPECT_EQ(InputMessages("Grid:T(\"3\")"), Strings{"Variable dimension must be a whole number"});
    EXPECT_EQ(InputMessages("Text:A$[1.5]"), Strings{"Variable dimension must be a whole number"});
    EXPECT_EQ(InputMessages("Grid:T(2;3)"), Strings{"Expected end of dimension"});
    EXPECT_EQ(InputMessages("Grid:T(2"), Strings{"Expected end of dimension"});
    EXPECT_EQ(InputMessages("Grid:T(99999999999999999999)"),
              Strings{"Variable dimension too large"});
    EXPECT_EQ(InputMessages("Grid:T(4096,4096)"), Strings{"Variable dimension too large"});
}

TEST(Declarations, NeedDescriptionColonName) {
    const Strings notOfForm{"Variable def not of form>> Description:Variable name"};
    EXPECT_EQ(InputMessages("Input value"), notOfForm);
    EXPECT_EQ(InputMessages(":IN"), notOfForm);
    EXPECT_EQ(InputMessages("  :IN"), notOfForm);
    EXPECT_EQ(InputMessages("Input value:"), notOfForm);
}

TEST(Declarations, RefuseBadNames) {
    EXPECT_EQ(InputMessages("Value:A.B"), Strings{"Error in variable name...A.B"});
    EXPECT_EQ(InputMessages("Value:A%$"), Strings{"Error in variable name...A%$"});
    // Reserved words and numbers can never name a variable.
    EXPECT_EQ(InputMessages("Value:END"), Strings{"Error in variable name...END"});
    EXPECT_EQ(InputMessages("Value:12"), Strings{"Error in variable name...12"});
}

TEST(Declarations, ReportDuplicatesAndStillAddThem) {
    const Declared twice = Compile({"#INPUTS", "a:X", "b:X", "#OUTPUTS", "c:X", "#CODE", "END"});
    EXPECT_EQ(Messages(twice.Output),
              (Strings{"Duplicate variable name...X", "Duplicate variable name...X"}));
    EXPECT_EQ(twice.Output.Errors[0].Line, 2);
    EXPECT_EQ(twice.Output.Errors[1].Line, 4);
    EXPECT_EQ(twice.Tables.InputTable.size(), 2u);
    EXPECT_EQ(twice.Tables.OutputTable.size(), 1u);
}

TEST(Declarations, SectionHeadersAreFoldedAndChecked) {
    const Declared lower =
        Compile({"#inputs", "a:x", "#outputs extra text", "b:y", "#code", "y = x"});
    EXPECT_TRUE(lower.Output.Errors.empty());
    EXPECT_EQ(CodeWords(lower.Output), "t2|i0|t1|i1|t22|");

    const Declared foo = Compile({"#Foo", "a:X", "#CODE", "END"});
    EXPECT_EQ(Messages(foo.Output), Strings{"Invalid section specifier...#FOO"});
    EXPECT_EQ(foo.Output.Errors[0].Line, 0);
    EXPECT_TRUE(foo.Tables.InputTable.empty()); // lines of an unknown section are passed over
}

TEST(Declarations, InputsAndOutputsAreNumberedInOneSequence) {
    const Declared declared =
        Compile({"' before any section: ignored", "#MODULE", "Pump control, \"v2\": 100% (of 3)",
                 "#INPUTS", "First:A  Second:B%", "' comment", "", "#OUTPUTS", "Out one:C",
                 "Out two:D$[8]", "#CODE", "C = A + B%", "D$ = \"x\""});
    EXPECT_TRUE(declared.Output.Errors.empty()) << Messages(declared.Output)[0];
    EXPECT_EQ(declared.Output.InputCount, 2);
    EXPECT_EQ(declared.Output.OutputCount, 2);
    EXPECT_EQ(CodeWords(declared.Output), "t2|i0|t9|t52|i1|t89|t11|t14|t1|i2|t65|c'x|t64|i3|t22|");
}

TEST(Declarations, TheLastLineIsAlwaysCompiledAsCode) {
    // Without a "#CODE" header the last line is code in whatever section it stands.
    const Declared noCode = Compile({"#INPUTS", "a:X"});
    EXPECT_TRUE(noCode.Output.Errors.empty());
    EXPECT_TRUE(noCode.Tables.InputTable.empty());
    EXPECT_EQ(CodeWords(noCode.Output), "t22|");

    const Declared headerLast = Compile({"#INPUTS", "a:X", "#CODE"});
    EXPECT_EQ(Messages(headerLast.Output), Strings{"Unrecognizable statement initiator"});
    EXPECT_EQ(headerLast.Output.Errors[0].Line, 2);

    const Declared badLast = Compile({"#MODULE", "12 3"});
    EXPECT_EQ(Messages(badLast.Output), Strings{"Unrecognizable statement initiator"});

    const Declared emptyLast = Compile({"#MODULE", "' note", ""});
    EXPECT_TRUE(emptyLast.Output.Errors.empty());
    EXPECT_EQ(CodeWords(emptyLast.Output), "t22|");
}

TEST(Declarations, OutputNeverAssignedIsReportedOnItsDeclaration) {
    const Declared declared = Compile({"#OUTPUTS", "a:Y", "b:Z", "#CODE", "Z = 1"});
    EXPECT_EQ(Messages(declared.Output), Strings{"Output variable..Y..never assigned value"});
    EXPECT_EQ(declared.Output.Errors[0].Line, 1);
}

} // namespace
} // namespace k7
