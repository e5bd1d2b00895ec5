// The speech records in a whole image written by hand, and the speech
// step's rules for boards, cells and delimiters.
#include "tests/compiler/ladder_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace k7 {
namespace {

const std::string ExpectedDir = K7_TABLES_SPEECH_EXPECTED_DIR;
constexpr int SpeechDialerCard = 3;

// Enable, phrase 40, a spoken number, a phrase selector; 15 cells in all.
const std::string FullLine =
    "Alarm.HavAlrm;@@@.@@|40|Alarm.Seq;@@@.@@|System.Logon;40|" + std::string(11, '|');

class SpeechCompileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        project = test::NewTestProject(library, "C:\\K7\\SPEECH.TVR");
        project.Cards.At(1, 2) = SpeechDialerCard;
    }

    CompileOutcome CompileProject() {
        RebuildDatabases(project, library);
        context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        return k7::CompileProject(*context, progress);
    }
    std::vector<std::string> Speech() const {
        return test::SectionLines(context->Image, "#B Speech...|\\");
    }

    ModuleLibrary library = test::TestLibrary();
    Project project;
    CompileProgress progress;
    std::unique_ptr<CompileContext> context;
};

TEST_F(SpeechCompileTest, ReportOnTheDialerBoardAndOneOnAnEmptySlot) {
    project.SpeechReports = {"~Alarm|System.Logon|||||2", FullLine, "~Other||||||3", FullLine};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    EXPECT_EQ(context->Errors,
              (std::vector<std::string>{"Compiling...",
                                        "Wrong board number referenced in speech report Other"}));
    test::ExpectLines(context->Image.Lines, test::ExpectedLines(ExpectedDir, "speech_reports.obj"),
                      "speech_reports.obj");
}

TEST_F(SpeechCompileTest, ReportWithoutLinesPointsPastItsHeader) {
    project.SpeechReports = {"~Empty||||||2"};
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    const std::vector<std::string> lines = Speech();
    ASSERT_EQ(lines.size(), 1u);
    // No lines: the block holds ((0 div 32) + 3) x 4 bytes all the same.
    EXPECT_EQ(lines[0].substr(0, 23), "400D4|2336|4010C|4010C|");
}

TEST_F(SpeechCompileTest, ReadingStopsAtTheFirstEmptyPhraseCellAndAfter13Phrases) {
    std::string fourteen = "|";
    for (int phrase = 1; phrase <= 14; ++phrase)
        fourteen += std::to_string(phrase) + "|";
    project.SpeechReports = {"~Alarm||||||2", "|1|2||4|5|" + std::string(10, '|'), fourteen};
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    const std::vector<std::string> lines = Speech();
    ASSERT_EQ(lines.size(), 3u);
    // Empty enable, phrases 1 and 2, the ending word: 6 words.
    EXPECT_EQ(lines[1], "4010C|2337|40124||1|2||\\");
    // Empty enable and phrases 1 to 13 (D); the fourteenth is not spoken.
    EXPECT_EQ(lines[2], "40124|2337|40168||1|2|3|4|5|6|7|8|9|A|B|C|D||\\");
}

TEST_F(SpeechCompileTest, FormatWordsCountDigitsAroundThePoint) {
    project.SpeechReports = {"~Alarm||||||2",
                             "|Alarm.Seq;@@@@|Alarm.Seq;@.@@@|" + std::string(13, '|')};
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    const std::vector<std::string> lines = Speech();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "4010C|2337|4012C||40F010|FF000400|40F010|FF000103||\\");
}

TEST_F(SpeechCompileTest, EnableCellHoldingAPhraseEndsTheLine) {
    project.SpeechReports = {"~Alarm||||||2", "7|1|2|" + std::string(12, '|')};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    EXPECT_EQ(context->Errors,
              (std::vector<std::string>{"Compiling...", "Cannot find 7 in speech report Alarm"}));
    const std::vector<std::string> lines = Speech();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "4010C|2337|4011C|||\\");
}

TEST_F(SpeechCompileTest, UnresolvedNamesGiveEmptyWords) {
    project.SpeechReports = {"~Alarm|Trig.Gone|||||2",
                             "Gone.Flag;@@@.@@|Gone.Level;@@|" + std::string(13, '|')};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    const std::vector<std::string> expected = {"Compiling...",
                                               "Cannot find Gone.Flag in speech report Alarm",
                                               "Cannot find Gone.Level in speech report Alarm",
                                               "Cannot find Trig.Gone in speech report Alarm"};
    EXPECT_EQ(context->Errors, expected);
    const std::vector<std::string> lines = Speech();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "4010C|2337|40124|||FF000200||\\");
}

TEST_F(SpeechCompileTest, DelimiterErrorEndsTheStepWithoutTheCurrentHeader) {
    project.SpeechReports = {"~First||||||2", "|1|" + std::string(13, '|'), "~Second||||||2",
                             "|1|LEVEL|" + std::string(12, '|'), "~Third||||||2"};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    EXPECT_EQ(context->Errors, (std::vector<std::string>{
                                   "Compiling...", "Delimiter error in speech report Second"}));
    // First is complete; nothing of Second or Third is written.
    const std::vector<std::string> lines = Speech();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 11), "400D4|2336|");
    EXPECT_EQ(lines[1], "4010C|2337|40120||1||\\");
}

TEST_F(SpeechCompileTest, BoardMustBeOneToEightAndHoldTheDialer) {
    project.Cards.At(1, 8) = SpeechDialerCard;
    project.SpeechReports = {"~A||||||8", "~B||||||0", "~C||||||9", "~D||||||x", "~E||||||"};
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    const std::vector<std::string> expected = {"Compiling...",
                                               "Wrong board number referenced in speech report B",
                                               "Wrong board number referenced in speech report C",
                                               "Wrong board number referenced in speech report D",
                                               "Wrong board number referenced in speech report E"};
    EXPECT_EQ(context->Errors, expected);
}

} // namespace
} // namespace k7
