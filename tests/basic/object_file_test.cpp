#include "basic/basic_build.h"
#include "basic/object_file.h"
#include "basic_test_support.h"
#include "tests/support/bytes.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace k7 {
namespace {

using namespace k7::test;
using Strings = std::vector<std::string>;

TEST(ObjectFile, CompleteExampleMatchesByteForByte) {
    TemporaryFolder folder;
    const BasicBuildResult result = BuildBasicModule(
        {"#INPUTS", "Input value:IN", "#OUTPUTS", "Output value:OUT", "#CODE", "OUT = IN + 1.5"},
        folder.File("EXAMPLE.BAS"));
    ASSERT_EQ(result.Outcome, BasicBuildOutcome::Built);
    EXPECT_EQ(result.ObjectFileName, folder.File("EXAMPLE.Obj"));
    EXPECT_EQ(ReadBytes(folder.File("EXAMPLE.Obj")),
              "#System Data\r\n"
              "4|48|1|1|0\r\n"
              "#Constants:\r\n"
              "1.5|\r\n"
              "#Flash Code:\r\n"
              "t2|i0|t9|t20|c1.5|t10|t11|t14|t1|i1|t22|\r\n");
}

TEST(ObjectFile, ModuleHoldingOnlyEnd) {
    TemporaryFolder folder;
    ASSERT_EQ(BuildBasicModule({"#CODE", "END"}, folder.File("ONLY.BAS")).Outcome,
              BasicBuildOutcome::Built);
    EXPECT_EQ(ReadBytes(folder.File("ONLY.Obj")),
              "#System Data\r\n4|12|0|0|0\r\n#Constants:\r\n#Flash Code:\r\nt22|t22|\r\n");
}

TEST(ObjectFile, SystemDataCountsLocalsAndWords) {
    const BasicCompileOutput output =
        CompileLines({"#INPUTS", "a:A", "b:B", "#OUTPUTS", "c:C", "#CODE", "X = A", "Y = B + X",
                      "Z = Y", "C = Z"});
    ASSERT_TRUE(output.Errors.empty());
    // Three locals: 4 x (3 + 1); 23 code words: 4 x 23 + 4.
    EXPECT_EQ(BasicObjectFileLines(output)[1], "16|96|2|1|0");
}

TEST(ObjectFile, ConstantLinesBreakPastEightyCharacters) {
    Strings code{"#OUTPUTS", "o:F", "#CODE"};
    for (int i = 100; i < 130; ++i)
        code.push_back("F = " + std::to_string(i));
    code.push_back("S$ = \"" + std::string(90, 'L') + "\"");
    code.push_back("S$ = S$ + \"x\"");
    const BasicCompileOutput output = CompileLines(code);
    ASSERT_TRUE(output.Errors.empty());
    const Strings lines = BasicObjectFileLines(output);
    std::string first;
    for (int i = 100; i < 121; ++i)
        first += std::to_string(i) + "|";
    std::string second;
    for (int i = 121; i < 130; ++i)
        second += std::to_string(i) + "|";
    EXPECT_EQ(lines[3], first); // 84 characters: the next text starts a new line
    EXPECT_EQ(lines[4], second + "'" + std::string(90, 'L') + "|");
    EXPECT_EQ(lines[5], "'x|");
    EXPECT_EQ(lines[6], "#Flash Code:");
}

TEST(ObjectFile, CodeLinesBreakPastEightyCharacters) {
    WordLineBuilder builder;
    for (int i = 0; i < 30; ++i)
        builder.Add("t22");
    const Strings lines = builder.Finish();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 84u); // 21 words of 4 characters
    EXPECT_EQ(lines[1].size(), 36u);
}

TEST(ObjectFileName, ReplacesOnlyTheExtensionOfTheFileName) {
    EXPECT_EQ(ObjectFileName("C:\\Work\\PUMP.BAS"), "C:\\Work\\PUMP.Obj");
    EXPECT_EQ(ObjectFileName("C:\\Work\\rel1.2\\PUMP.BAS"), "C:\\Work\\rel1.2\\PUMP.Obj");
    EXPECT_EQ(ObjectFileName("rel1.2/PUMP.BAS"), "rel1.2/PUMP.Obj");
    EXPECT_EQ(ObjectFileName("rel1.2/PUMP"), "rel1.2/PUMP.Obj");
    EXPECT_EQ(ObjectFileName("PUMP.BAS"), "PUMP.Obj");
    EXPECT_EQ(ObjectFileName("pump.v2.bas"), "pump.v2.Obj");
}

TEST(ObjectFileReader, ReadsTheCompleteExample) {
    const BasicObjectRead read =
        ParseBasicObjectFile({"#System Data", "4|48|1|1|0", "#Constants:", "1.5|",
                              "#Flash Code:", "t2|i0|t9|t20|c1.5|t10|t11|t14|t1|i1|t22|"},
                             "EXAMPLE.Obj");
    ASSERT_TRUE(read.Ok) << read.Error;
    EXPECT_EQ(read.Object.System.LocalRamBytes, 4);
    EXPECT_EQ(read.Object.System.CodeBytes, 48);
    EXPECT_EQ(read.Object.System.InputCount, 1);
    EXPECT_EQ(read.Object.System.OutputCount, 1);
    ASSERT_EQ(read.Object.Constants.size(), 1u);
    EXPECT_EQ(read.Object.Constants[0].Text, "1.5");
    EXPECT_FALSE(read.Object.Constants[0].IsString);
    ASSERT_EQ(read.Object.Code.size(), 11u);
    EXPECT_EQ(read.Object.Code[0].Kind, BasicWordKind::Opcode);
    EXPECT_EQ(read.Object.Code[0].Value, 2u);
    EXPECT_EQ(read.Object.Code[1].Kind, BasicWordKind::Io);
    EXPECT_EQ(read.Object.Code[4].Kind, BasicWordKind::Constant);
    EXPECT_EQ(read.Object.Code[4].Text, "1.5");
}

TEST(ObjectFileReader, KeepsConstantLinesThatBeginWithAString) {
    const BasicObjectRead read = ParseBasicObjectFile(
        {"' a comment before the sections", "#System Data", "8|28|0|0|0",
         "#Constants:", "'HELLO|2|", "'it's|", "#Flash Code:", "' a comment in the code",
         "t65|c'HELLO|t64|r4|t51|c2|"},
        "TEXT.Obj");
    ASSERT_TRUE(read.Ok) << read.Error;
    ASSERT_EQ(read.Object.Constants.size(), 3u);
    EXPECT_EQ(read.Object.Constants[0].Text, "HELLO");
    EXPECT_TRUE(read.Object.Constants[0].IsString);
    EXPECT_EQ(read.Object.Constants[1].Text, "2");
    EXPECT_EQ(read.Object.Constants[2].Text, "it's");
    ASSERT_EQ(read.Object.Code.size(), 6u);
    EXPECT_EQ(read.Object.Code[1].Text, "HELLO");
    EXPECT_TRUE(read.Object.Code[1].IsString);
    EXPECT_EQ(read.Object.Code[3].Kind, BasicWordKind::Local);
    EXPECT_EQ(read.Object.Code[3].Value, 4u);
}

TEST(ObjectFileReader, RamAssignmentStopsAtTheCode) {
    const BasicObjectRead read = ParseBasicObjectFile(
        {"#System Data", "8|1000|0|0|0", "#Constants:", "1|", "#Flash Code:", "garbage|"},
        "PART.Obj", ObjectReadScope::SystemAndConstants);
    ASSERT_TRUE(read.Ok) << read.Error;
    EXPECT_EQ(read.Object.Constants.size(), 1u);
    EXPECT_TRUE(read.Object.Code.empty());
}

TEST(ObjectFileReader, DecodesEveryWordKind) {
    const BasicObjectRead read = ParseBasicObjectFile(
        {"#System Data", "8|28|0|0|0", "#Constants:", "#Flash Code:", "t37|f1C|i1F|rA0|c-2|x9|"},
        "KINDS.Obj");
    ASSERT_TRUE(read.Ok) << read.Error;
    const auto& code = read.Object.Code;
    EXPECT_EQ(code[1].Kind, BasicWordKind::Jump);
    EXPECT_EQ(code[1].Value, 0x1Cu);
    EXPECT_EQ(code[2].Value, 0x1Fu);
    EXPECT_EQ(code[3].Value, 0xA0u);
    EXPECT_EQ(code[4].Text, "-2");
    EXPECT_EQ(code[5].Kind, BasicWordKind::Other);
    EXPECT_EQ(code[5].Text, "x9");
}

TEST(ObjectFileReader, RefusesDamagedFiles) {
    EXPECT_EQ(ParseBasicObjectFile({"#Constants:", "1|"}, "A.Obj").Error,
              "No system data in A.Obj");
    EXPECT_EQ(ParseBasicObjectFile({"#System Data", "4|x|0|0|0"}, "B.Obj").Error,
              "Bad system data line in B.Obj");
    EXPECT_EQ(
        ParseBasicObjectFile({"#System Data", "4|8|0|0|0", "#Flash Code:", "t2x|"}, "C.Obj").Error,
        "Bad code word t2x in C.Obj");
    EXPECT_EQ(
        ParseBasicObjectFile({"#System Data", "4|12|0|0|0", "#Flash Code:", "t22|"}, "D.Obj").Error,
        "Code size does not match the code in D.Obj");
    EXPECT_FALSE(ReadBasicObjectFile("/nonexistent/folder/E.Obj").Ok);
}

TEST(ObjectFileReader, ReadsWhatTheBuildWrote) {
    TemporaryFolder folder;
    ASSERT_EQ(BuildBasicModule({"#INPUTS", "s:S$[20]", "#OUTPUTS", "o:O$[40]", "n:N%", "#CODE",
                                "O$ = \"Level \" + S$ + \"|\"", "N% = LEN(O$)"},
                               folder.File("LEVEL.BAS"))
                  .Outcome,
              BasicBuildOutcome::Errors); // "|" cannot stand in a string constant
    ASSERT_EQ(BuildBasicModule({"#INPUTS", "s:S$[20]", "#OUTPUTS", "o:O$[40]", "n:N%", "#CODE",
                                "O$ = \"Level \" + S$", "N% = LEN(O$)"},
                               folder.File("LEVEL.BAS"))
                  .Outcome,
              BasicBuildOutcome::Built);
    const BasicObjectRead read = ReadBasicObjectFile(folder.File("LEVEL.Obj"));
    ASSERT_TRUE(read.Ok) << read.Error;
    EXPECT_EQ(read.Object.System.InputCount, 1);
    EXPECT_EQ(read.Object.System.OutputCount, 2);
    ASSERT_EQ(read.Object.Constants.size(), 1u);
    EXPECT_EQ(read.Object.Constants[0].Text, "Level ");
    EXPECT_TRUE(read.Object.Constants[0].IsString);
}

} // namespace
} // namespace k7
