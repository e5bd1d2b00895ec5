// Whole images of small projects against images written by hand; how their
// key words were derived is written in expected/README.md.
#include "session/project_compile.h"
#include "tests/support/bytes.h"
#include "tests/support/expected_lines.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_library.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace k7 {
namespace {

std::vector<std::string> Expected(const std::string& name) {
    return test::ExpectedLines(K7_COMPILER_EXPECTED_DIR, name);
}

void ExpectImage(const CompileContext& context, const std::string& name) {
    test::ExpectLines(context.Image.Lines, Expected(name), name);
}

class GoldenImageTest : public ::testing::Test {
  protected:
    ModuleLibrary library = test::TestLibrary();
    CompileProgress progress;
};

TEST_F(GoldenImageTest, NewProject) {
    Project project = test::NewTestProject(library, "C:\\K7\\Proj\\NEWPROJ.TVR");
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Clean);
    ExpectImage(context, "new_project.obj");
    EXPECT_EQ(context.ErrorList, (std::vector<std::string>{"Compiling...", "No errors"}));
    EXPECT_EQ(context.RamUsed, 17);
    EXPECT_EQ(context.FlashUsed, 0xDC);
    EXPECT_EQ(context.StatusMessage, "Done compiling...no errors");
}

TEST_F(GoldenImageTest, CardsModemAndComPortGiveBufferRecords) {
    Project project = test::NewTestProject(library, "C:\\K7\\CARDS.TVR");
    project.Cards.At(1, 1) = 6;
    project.Cards.At(1, 2) = 11;
    project.Cards.At(2, 3) = 4;
    test::AddInstance(project, library, 2, "DIN1", {"3", "1", "1"});
    test::AddInstance(project, library, 31, "PORT", {"1", "1"});
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Clean)
        << (context.Errors.size() > 1 ? context.Errors[1] : "");
    ExpectImage(context, "cards_and_buffers.obj");
    EXPECT_EQ(context.RamUsed, 21 + 4 * 320);
    EXPECT_EQ(context.FlashUsed, 0x15C);
}

TEST_F(GoldenImageTest, K3WithExpansionCageWritesNoCardsLine) {
    Project project = test::NewTestProject(library, "SMALL.TVR");
    project.Unit = UnitType::K3;
    project.Lcd = LcdType::Small;
    project.Cards.At(2, 1) = 6;
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    ExpectImage(context, "k3_expansion.obj");
    EXPECT_EQ(context.ErrorList, (std::vector<std::string>{
                                     "Compiling...", "TAV3 cannot have expansion card cage(s)"}));
    EXPECT_EQ(context.StatusMessage, "Done compiling...errors");
}

TEST_F(GoldenImageTest, ConstantsLongRecordsTriggersPointerAndUnresolvedNames) {
    Project project = test::NewTestProject(library, "C:\\K7\\FEATURES.TVR");
    test::AddInstance(project, library, 20, "TANK1", {"100001"});
    std::vector<std::string> wide;
    for (int i = 1; i <= 11; ++i)
        wide.push_back(std::to_string(100000 + i));
    for (const char* text : {"1.5", "2.25", "-3.125", "Alpha", "Bravo", "Charlie", "Delta",
                             "EchoFoxtrotGolfHotelIndia", "1.2.3"})
        wide.push_back(text);
    test::AddInstance(project, library, 41, "W1", wide);
    test::AddInstance(project, library, 40, "P1", {"TANK1.LEVEL", "System.SecTrg", "Nowhere.Var"});
    CompileOptions options = test::TestOptions();
    options.SortModulesBeforeCompile = false;
    CompileContext context(project, library, options);
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    ExpectImage(context, "features.obj");
    EXPECT_EQ(context.ErrorList,
              (std::vector<std::string>{"Cannot find 1.2.3 in W1", "Cannot find Nowhere.Var in P1",
                                        "Compiling..."}));
}

TEST_F(GoldenImageTest, CleanCompileWritesTheImageWithCrLf) {
    test::TemporaryFolder folder;
    Project project = test::NewTestProject(library, "C:\\K7\\Proj\\NEWPROJ.TVR");
    project.NeedCompile = true;
    CompileOptions options = test::TestOptions();
    options.ImagePath = folder.File("Intermed.Obj");
    CompileContext context(project, library, options);
    ASSERT_EQ(k7::CompileProject(context, progress), CompileOutcome::Clean);
    EXPECT_FALSE(project.NeedCompile);
    TextFile written = ReadTextLines(options.ImagePath);
    ASSERT_TRUE(written.Ok);
    EXPECT_EQ(written.Lines, Expected("new_project.obj"));
    const std::string bytes = test::ReadBytes(options.ImagePath);
    ASSERT_GE(bytes.size(), 19u);
    EXPECT_EQ(bytes.substr(0, 19), "#0 File name...|\\\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

} // namespace
} // namespace k7
