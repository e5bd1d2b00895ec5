// The compile sequence: stop tests, error cap, halt, overflow reports,
// outcomes, the error list order and the image file.
#include "compiler/fixed_records.h"
#include "compiler/module_records.h"
#include "session/project_compile.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_library.h"
#include "workspace/name_order.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace k7 {
namespace {

bool HasLine(const CompileContext& context, const std::string& line) {
    const auto& lines = context.Image.Lines;
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class CancelAfter : public CompileProgress {
  public:
    explicit CancelAfter(int calls) : calls_(calls) {}
    bool CancelRequested() override { return --calls_ < 0; }
    void SetRepeatLabel(const std::string& label) override { labels.push_back(label); }
    void SetPosition(int) override {}
    std::vector<std::string> labels;

  private:
    int calls_;
};

class CompileDriverTest : public ::testing::Test {
  protected:
    ModuleLibrary library = test::TestLibrary();
    Project project = test::NewTestProject(library, "P.TVR");
    CompileProgress progress;

    // count instances of the Pointer type, each with an unresolved name.
    void AddUnresolved(int count) {
        for (int i = 0; i < count; ++i)
            test::AddInstance(project, library, 40, "BAD" + std::to_string(i),
                              {"", "", "Missing.Name" + std::to_string(i)});
    }
};

TEST_F(CompileDriverTest, NineteenErrorsBeforePassTwoStopTheSections) {
    project.Unit = UnitType::K3;
    for (int slot = 1; slot <= 8; ++slot)
        project.Cards.At(2, slot) = 6;
    // One card error, and 18 RAM overflows: only the first of these blocks fits.
    for (int i = 0; i < 19; ++i)
        test::AddInstance(project, library, 13, "HUGE" + std::to_string(i), {"30000"});
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_GE(context.ErrorCount, 19);
    EXPECT_FALSE(HasLine(context, Marker::Modules));
    EXPECT_FALSE(HasLine(context, Marker::Basic));
    EXPECT_TRUE(HasLine(context, Marker::Constants));
    EXPECT_TRUE(HasLine(context, Marker::End));
    EXPECT_EQ(context.Image.Lines[3].substr(0, 6), "40028|");
}

TEST_F(CompileDriverTest, EighteenErrorsStillWriteBothPasses) {
    AddUnresolved(18);
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_EQ(context.ErrorCount, 18);
    EXPECT_TRUE(HasLine(context, Marker::Modules));
    EXPECT_TRUE(HasLine(context, Marker::Basic));
}

TEST_F(CompileDriverTest, MessagesStopAtTwentyButTheCompileGoesOn) {
    AddUnresolved(25);
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_EQ(context.ErrorCount, 20);
    EXPECT_EQ(context.ErrorList.size(), 21u); // and "Compiling..."
}

TEST_F(CompileDriverTest, ErrorListIsSortedIgnoringCase) {
    test::AddInstance(project, library, 40, "zeta", {"", "", "b.x"});
    test::AddInstance(project, library, 40, "Alpha", {"", "", "A.x"});
    CompileContext context(project, library, test::TestOptions());
    k7::CompileProject(context, progress);
    EXPECT_EQ(context.ErrorList,
              (std::vector<std::string>{"Cannot find A.x in Alpha", "Cannot find b.x in zeta",
                                        "Compiling..."}));
}

TEST_F(CompileDriverTest, HaltStopsAtTheNextStopTest) {
    CancelAfter cancel(1); // the first stop test passes, the second halts
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, cancel), CompileOutcome::Halted);
    EXPECT_TRUE(context.Halt);
    EXPECT_EQ(context.StatusMessage, "Compile halted by user");
    EXPECT_EQ(context.ErrorList,
              (std::vector<std::string>{"Compile halted by user", "Compiling..."}));
    EXPECT_TRUE(HasLine(context, Marker::End));
    EXPECT_FALSE(HasLine(context, Marker::Modules));
    EXPECT_EQ(cancel.labels.back(), "Finishing...");
}

TEST_F(CompileDriverTest, HaltWithErrorsShowsErrorsInTheStatusBar) {
    AddUnresolved(1);
    CancelAfter cancel(100);
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, cancel), CompileOutcome::Errors);
    CancelAfter late(13); // halts in pass two, after the module walks
    CompileContext halted(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(halted, late), CompileOutcome::Halted);
    EXPECT_EQ(halted.StatusMessage, "Done compiling...errors");
}

TEST_F(CompileDriverTest, RamOverflowIsReportedWhateverTheErrorCount) {
    // A stored block over every RAM cell, and more errors than are listed.
    TModuleInst& all = test::AddInstance(project, library, 12, "ALL");
    all.RamStart = RamBase;
    all.RamEnd = RamBase + RamBytes;
    AddUnresolved(25);
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_EQ(context.RamUsed, static_cast<int>(RamCellCount));
    EXPECT_GT(context.ErrorCount, 20);
    EXPECT_EQ(context.Errors.back(), "Insufficient RAM for application");
}

TEST_F(CompileDriverTest, ThousandInstancesWithFortyArraysOverflowWithMessages) {
    for (int i = 0; i < 999; ++i)
        test::AddInstance(project, library, 13, "M" + std::to_string(i), {"40"});
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_EQ(context.ErrorCount, 20);
    EXPECT_EQ(context.Errors[1].rfind("Cannot find large enough RAM block for M", 0), 0u);
    EXPECT_LE(context.RamUsed, static_cast<int>(RamCellCount));
}

TEST_F(CompileDriverTest, FlashOverflowIsReported) {
    // 80-character string constants fill flash: each takes 84 bytes.
    for (int i = 0; i < 160; ++i) {
        std::vector<std::string> texts;
        for (int k = 0; k < 20; ++k) {
            std::string text = "T" + std::to_string(i) + "_" + std::to_string(k);
            texts.push_back(text + std::string(80 - text.size(), 'x'));
        }
        test::AddInstance(project, library, 41, "S" + std::to_string(i), texts);
    }
    CompileContext context(project, library, test::TestOptions());
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_GT(context.FlashUsed, static_cast<int>(FlashBytes));
    EXPECT_EQ(context.Errors.back(), "Insufficient FLASH for application");
    EXPECT_EQ(context.ErrorCount, 1);
}

TEST_F(CompileDriverTest, ImageIsWrittenOnlyWhenClean) {
    test::TemporaryFolder folder;
    const std::string path = folder.File("Intermed.Obj");
    ASSERT_TRUE(WriteTextLines(path, {"old image"}).empty());
    AddUnresolved(1);
    CompileOptions options = test::TestOptions();
    options.ImagePath = path;
    CompileContext context(project, library, options);
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Errors);
    EXPECT_EQ(ReadTextLines(path).Lines, std::vector<std::string>{"old image"});
    EXPECT_TRUE(project.NeedCompile);
}

TEST_F(CompileDriverTest, UnwritableImageIsReportedWithItsPath) {
    CompileOptions options = test::TestOptions();
    options.ImagePath = "/nonexistent-k7-folder/Intermed.Obj";
    project.NeedCompile = true;
    CompileContext context(project, library, options);
    EXPECT_EQ(k7::CompileProject(context, progress), CompileOutcome::Clean);
    EXPECT_NE(context.ImageSaveError.find("/nonexistent-k7-folder/Intermed.Obj"), std::string::npos)
        << context.ImageSaveError;
    EXPECT_TRUE(project.NeedCompile);
}

TEST_F(CompileDriverTest, SysPointerRecordIsTheFourthLine) {
    CompileContext context(project, library, test::TestOptions());
    k7::CompileProject(context, progress);
    ASSERT_GT(context.Image.Lines.size(), 4u);
    EXPECT_EQ(context.Image.Lines[2], Marker::SysPointers);
    EXPECT_EQ(context.Image.Lines[3].substr(0, 12), "40028|40098|");
}

TEST(FixedRecordsTest, FileNameTextIsCutOrPaddedTo39) {
    EXPECT_EQ(FileNameText("C:\\K7\\A.TVR", "d"), "A.TVR  d" + std::string(31, ' '));
    const std::string longName(45, 'N');
    EXPECT_EQ(FileNameText("C:\\" + longName, "01/02/2024"), std::string(39, 'N'));
    EXPECT_EQ(FileNameText("/home/user/B.tvr", "x").substr(0, 8), "B.tvr  x");
}

TEST(FixedRecordsTest, UnitBoardsWord) {
    Project project;
    EXPECT_EQ(UnitBoardsWord(project), 0x700u);
    project.Cards.At(8, 8) = 13;
    project.Cards.At(1, 0) = 5; // slot 0 is not counted
    EXPECT_EQ(UnitBoardsWord(project), 0x740u);
    project.Unit = UnitType::K3;
    project.Lcd = LcdType::Small;
    EXPECT_EQ(UnitBoardsWord(project), 0x1340u);
}

TEST(ModuleOrderTest, SortedByEntryIgnoringCaseAndStable) {
    Project project;
    for (const char* name : {"beta", "Alpha", "alpha", "A1"}) {
        TModuleInst instance;
        instance.Name = name;
        project.Modules.push_back(instance);
    }
    // Entries "beta|1", "Alpha|2", "alpha|3", "A1|4"; "1" sorts before "l".
    EXPECT_EQ(ModuleOrderList(project, true), (std::vector<int>{3, 1, 2, 0}));
    EXPECT_EQ(ModuleOrderList(project, false), (std::vector<int>{0, 1, 2, 3}));
}

} // namespace
} // namespace k7
