// The table records in a whole image written by hand, and the table
// step's messages and limits.
#include "tests/compiler/ladder_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace k7 {
namespace {

const std::string ExpectedDir = K7_TABLES_SPEECH_EXPECTED_DIR;

class TableCompileTest : public ::testing::Test {
  protected:
    void SetUp() override { project = test::NewTestProject(library, "C:\\K7\\TABLES.TVR"); }

    // A Float row with a literal and a blank cell, a String row of blanks.
    void CurveTable() {
        project.Tables = {"~Curve|System.Logon|||2|2|8|0|$0|$0|", "Float|FLOW||1.5||FLOW.TBL|",
                          "String|NAME||||NAME.TBL|"};
    }

    CompileOutcome CompileProject() {
        RebuildDatabases(project, library);
        context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        return k7::CompileProject(*context, progress);
    }
    std::vector<std::string> Tables() const {
        return test::SectionLines(context->Image, "#A Table def...|\\");
    }

    ModuleLibrary library = test::TestLibrary();
    Project project;
    CompileProgress progress;
    std::unique_ptr<CompileContext> context;
};

TEST_F(TableCompileTest, BlankStringAndFloatCellsBecomeRamCells) {
    CurveTable();
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    test::ExpectLines(context->Image.Lines,
                      test::ExpectedLines(ExpectedDir, "blank_cells_table.obj"),
                      "blank_cells_table.obj");
    // Each row is known by its name at its record's address.
    EXPECT_EQ(context->NamedModules.Find("FLOW"), 0x40120);
    EXPECT_EQ(context->NamedModules.Find("NAME"), 0x4013C);
    EXPECT_EQ(project.Tables[0], "~Curve|System.Logon|||2|2|8|0|$40F020|$40F043|");
}

TEST_F(TableCompileTest, FewerThanThreeLinesCompileNothing) {
    project.Tables = {"~One|System.Logon|||1|1|20|0|$0|$0|", "Integer|ROW|||ROW.TBL|"};
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    EXPECT_TRUE(Tables().empty());
}

TEST_F(TableCompileTest, UnresolvedNamesAreReportedWithTheTableName) {
    project.Tables = {"~Curve|Sel.Nowhere|Sel.Gone|Trig.Gone|1|2|20|0|$0|$0|",
                      "Integer|ROW|In.Gone|Val.Gone||ROW.TBL|",
                      "~Other|System.Logon|||1|1|20|0|$0|$0|",
                      "Integer|OTHER||Val.Lost|OTHER.TBL|"};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    const std::vector<std::string> expected = {"Compiling...",
                                               "Cannot find In.Gone in table Curve",
                                               "Cannot find Val.Gone in table Curve",
                                               "Cannot find read column index for Curve",
                                               "Cannot find write column index for Curve",
                                               "Cannot find write trigger for Curve",
                                               "Cannot find Val.Lost in table Other"};
    EXPECT_EQ(context->Errors, expected);
    // The unresolved words are empty; the blank cell still takes its RAM.
    const std::vector<std::string> lines = Tables();
    ASSERT_EQ(lines.size(), 4u);
    // Constants "0" (4 bytes), ROW (4), OTHER, Curve and Other (8 each)
    // put the section at 400F0.
    EXPECT_EQ(lines[0].substr(lines[0].find('|'), 28), "|2334|40120|4013C||||1|2|14|");
    EXPECT_EQ(lines[1].substr(0, 19), "40120|2335|4013C|||");
}

TEST_F(TableCompileTest, StringRowLiteralsAreStringConstantsEvenWhenNumeric) {
    project.Tables = {"~Words|System.Logon|||2|1|8|0|$0|$0|", "String|TXT||12|TXT.TBL|",
                      "Integer|NUM||12|NUM.TBL|"};
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    const std::vector<std::string> lines = Tables();
    ASSERT_EQ(lines.size(), 3u);
    const PoolConstant* text = context->Constants.Strings.Find("12");
    const PoolConstant* number = context->Constants.Integers.Find("12");
    ASSERT_NE(text, nullptr);
    ASSERT_NE(number, nullptr);
    EXPECT_NE(lines[1].find("||" + HexWord(text->Address) + "|"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("||" + HexWord(number->Address) + "|"), std::string::npos) << lines[2];
}

TEST_F(TableCompileTest, LongRowRecordsContinueWithTheAddressOfTheNextWord) {
    std::string row = "Integer|ROW||";
    for (int v = 0; v < 30; ++v)
        row += "System.Logon|";
    project.Tables = {"~Wide|System.Logon|||1|30|20|0|$0|$0|", row + "ROW.TBL|",
                      "~Spare|System.Logon|||1|1|20|0|$0|$0|", "Integer|SP|||SP.TBL|"};
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    const std::vector<std::string> lines = Tables();
    // Constants "0", ROW, SP (4 bytes each), Wide and Spare (8 each) put
    // the section at 400EC and the row record (35 words) at 4011C. Its
    // first line passes 120 characters with the sixteenth word (6 + 5 + 6
    // + 1 + 13 x 8 = 122); the second starts at word 17 (4015C) and passes
    // 120 with word 31 (6 + 15 x 8), the third starts at 40198.
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].substr(0, 26), "4011C|2335|401A8||240F000|");
    EXPECT_EQ(lines[1].size(), 123u) << lines[1];
    EXPECT_EQ(lines[2].substr(0, 14), "4015C|240F000|");
    EXPECT_EQ(lines[2].size(), 127u) << lines[2];
    EXPECT_EQ(lines[3].substr(0, 22), "40198|240F000|240F000|");
    EXPECT_EQ(lines[3].back(), '\\');
}

TEST_F(TableCompileTest, DamagedHeaderIsReportedNotCompiled) {
    project.Tables = {"~Bad|System.Logon|||3|1|20|0|$0|$0|", "Integer|A|||A.TBL|",
                      "Integer|B|||B.TBL|", "~Big|System.Logon|||1001|1|20|0|$0|$0|"};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    const std::vector<std::string> expected = {
        "Compiling...", "Table Bad does not hold the rows and sizes its header gives",
        "Table Big does not hold the rows and sizes its header gives"};
    EXPECT_EQ(context->Errors, expected);
    EXPECT_TRUE(Tables().empty());
}

TEST_F(TableCompileTest, TableOfAThousandByAThousandIsReportedNotOverflowed) {
    project.Tables = {"~Huge|System.Logon|||1000|1000|20|0|$0|$0|"};
    for (int r = 0; r < 1000; ++r)
        project.Tables.push_back("Integer|R" + std::to_string(r) + "|||R" + std::to_string(r) +
                                 ".TBL|");
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    ASSERT_GE(context->Errors.size(), 2u);
    // A million blank cells take 4 MB: more than the unit's RAM and flash.
    EXPECT_NE(std::find(context->Errors.begin(), context->Errors.end(),
                        "Cannot find large enough RAM block for Huge"),
              context->Errors.end());
}

} // namespace
} // namespace k7
