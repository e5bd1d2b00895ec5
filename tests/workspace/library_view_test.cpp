// The library view of "Engineer" mode: a module type's definition with its
// items, and an item's code shown as the three choices.
#include "tests/workspace/test_bench.h"
#include "workspace/instance_editor.h"
#include "workspace/library_view.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::TestBench;

// Every database, direction, size and grouping letter appears in Showcase.
const char* const ViewLibrary =
    R"(30|3,5,1,4,6|Showcase|First line
second line|FISE.Setpoint.|IIST.Delay.|DCSC.Enable.|SISM.Target.|AIAG.Block.|TOSA.Alarm word.TXW|AOAG.Trigger block.RXB|FOSS.Out.OUT|IOAT.Timer.TMR|DOSC.Const.CST|SOSS.Text.TXT|\
31|103|Hidden|Not in the unit.|FISS.In.|\
32|1,0,10,14|Gapped|Parameters with a zero.|\
57|1|System|x|DOSG.Boot.BootTrg|\
)";

TEST(LibraryView, DefinitionWithEveryItem) {
    const ModuleLibrary library = test::LibraryFrom(ViewLibrary);
    const std::optional<LibraryView> view = ShowModuleDefinition(library, "Showcase");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->ModuleNumber, 30);
    EXPECT_EQ(view->ModuleName, "Showcase");
    EXPECT_EQ(view->ParameterText, "5,1,4,6");
    EXPECT_EQ(view->Category, 3);
    EXPECT_EQ(view->CategoryName, "Control");
    EXPECT_TRUE(view->CodeInUnit);
    EXPECT_EQ(view->Description, "First line\r\nsecond line");

    const std::vector<std::pair<std::string, std::string>> inputs = {{"FISE", "Setpoint"},
                                                                     {"IIST", "Delay"},
                                                                     {"DCSC", "Enable"},
                                                                     {"SISM", "Target"},
                                                                     {"AIAG", "Block"}};
    ASSERT_EQ(view->Inputs.size(), inputs.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(view->Inputs[i].Item, static_cast<int>(i) + 1);
        EXPECT_EQ(view->Inputs[i].Code, inputs[i].first);
        EXPECT_EQ(view->Inputs[i].Prompt, inputs[i].second);
        EXPECT_EQ(view->Inputs[i].Suffix, "");
    }
    const std::vector<std::array<std::string, 3>> outputs = {
        {"TOSA", "Alarm word", "TXW"}, {"AOAG", "Trigger block", "RXB"}, {"FOSS", "Out", "OUT"},
        {"IOAT", "Timer", "TMR"},      {"DOSC", "Const", "CST"},         {"SOSS", "Text", "TXT"}};
    ASSERT_EQ(view->Outputs.size(), outputs.size());
    for (size_t i = 0; i < outputs.size(); ++i) {
        EXPECT_EQ(view->Outputs[i].Item, static_cast<int>(i) + 6);
        EXPECT_EQ(view->Outputs[i].Code, outputs[i][0]);
        EXPECT_EQ(view->Outputs[i].Prompt, outputs[i][1]);
        EXPECT_EQ(view->Outputs[i].Suffix, outputs[i][2]);
    }
}

TEST(LibraryView, ModulesNotInTheUnitAndParameterGaps) {
    const ModuleLibrary library = test::LibraryFrom(ViewLibrary);
    const std::optional<LibraryView> hidden = ShowModuleDefinition(library, "Hidden");
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->Category, 3);
    EXPECT_EQ(hidden->CategoryName, "Control");
    EXPECT_FALSE(hidden->CodeInUnit);
    EXPECT_EQ(hidden->ParameterText, "");
    EXPECT_EQ(ShowModuleDefinition(library, "Gapped")->ParameterText, "0,10,14");
    EXPECT_FALSE(ShowModuleDefinition(library, "showcase"));
    EXPECT_FALSE(ShowModuleDefinition(test::LibraryFrom(""), "Showcase"));
}

const char* Chosen(int index, const CodeChoice* choices) {
    return index < 0 ? "" : choices[index].Text;
}

TEST(LibraryView, ItemCodeAsTheThreeChoices) {
    struct Case {
        const char* Code;
        const char* DataBase;
        const char* DataSize;
        const char* Grouping;
    };
    const Case cases[] = {
        {"FISE", "Float Pt", "Single", "Setpoints"}, {"IIST", "Integer", "Single", "Timers"},
        {"DCSC", "Status", "Single", "Constant "},   {"SISM", "String", "Single", "Module Ptr"},
        {"AIAG", "RX", "Array", "Trigger"},          {"TOSA", "TX", "Single", "Alarms"},
        {"FOSS", "Float Pt", "Single", "Standard"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code);
        const ItemCodeView view = ShowItemCode(c.Code);
        EXPECT_STREQ(Chosen(view.DataBase, DataBaseChoices.data()), c.DataBase);
        EXPECT_STREQ(Chosen(view.DataSize, DataSizeChoices.data()), c.DataSize);
        EXPECT_STREQ(Chosen(view.SpecGrouping, SpecGroupingChoices.data()), c.Grouping);
    }
    const ItemCodeView unknown = ShowItemCode("XYZQ");
    EXPECT_EQ(unknown.DataBase, -1);
    EXPECT_EQ(unknown.DataSize, -1);
    EXPECT_EQ(unknown.SpecGrouping, -1);
    EXPECT_EQ(ShowItemCode("").DataBase, -1);
}

TEST(LibraryView, EngineerModeShowsOtherModesOpenTheEditor) {
    TestBench bench(ViewLibrary);
    InstanceEditor editor(bench.workspace);
    bench.workspace.shell.Mode = ShellMode::Engineer;
    const std::optional<LibraryView> view = PickLibraryModule(bench.workspace, editor, "Showcase");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->ModuleNumber, 30);
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_FALSE(PickLibraryModule(bench.workspace, editor, "Nothing"));
    EXPECT_EQ(bench.ui.Errors, std::vector<std::string>{
                                   "The module type \"Nothing\" is not in the module library."});

    bench.workspace.shell.Mode = ShellMode::Debug;
    EXPECT_FALSE(PickLibraryModule(bench.workspace, editor, "Showcase"));
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(editor.State().ModuleNumber, 30);
    EXPECT_EQ(bench.project.ModuleCount(), 1);
}

} // namespace
} // namespace k7
