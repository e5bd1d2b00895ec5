// The BASIC instance workspace: what it reads from a source, the stored
// instance line, and Open For Proj, Edit Module, Save and Delete from Proj.
#include "basic/basic_instance.h"
#include "tests/support/bytes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_library.h"
#include "workspace/text_file.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace k7 {
namespace {

const std::vector<std::string> PumpSource = {
    "' pump module",
    "#MODULE",
    "Pump efficiency.",
    "Second note line.",
    "#INPUTS",
    "  Flow in gpm:FLOW",
    "\tHead in ft:HEAD  Rated hp:RATED",
    "' a comment line",
    "#outputs",
    "Efficiency:EFF",
    "Status text:MSG$[20] ' trailing comment",
    "Low flag:LOW!",
    "Done trigger:DONE!!",
    "Count:N%",
    "Delay timer:DLY%%",
    "Table:T(2,3)",
    "#CODE",
    "Ignored:NAME",
};

TEST(BasicOutputLetter, FollowsTheNameCharactersFromFloat) {
    EXPECT_EQ(BasicOutputLetter("SPEED"), 'f');
    EXPECT_EQ(BasicOutputLetter("N%"), 'i');
    EXPECT_EQ(BasicOutputLetter("N%%"), 'm');
    EXPECT_EQ(BasicOutputLetter("F!"), 'n');
    EXPECT_EQ(BasicOutputLetter("F!!"), 't');
    EXPECT_EQ(BasicOutputLetter("MSG$[20]"), 's');
    EXPECT_EQ(BasicOutputLetter("T(2,3)"), 'f');
}

TEST(BasicSourceDeclarations, ReadsEveryDeclarationAsTheCompilerNumbersThem) {
    const BasicSourceDeclarations source = ReadBasicSourceDeclarations(PumpSource);
    ASSERT_EQ(source.Inputs.size(), 3u);
    EXPECT_EQ(source.Inputs[0].Description, "Flow in gpm");
    EXPECT_EQ(source.Inputs[1].Description, "Head in ft");
    EXPECT_EQ(source.Inputs[2].Description, "Rated hp");
    EXPECT_EQ(source.Inputs[2].Letter, 'I');
    ASSERT_EQ(source.Outputs.size(), 7u);
    const std::vector<std::pair<std::string, char>> outputs = {
        {"EFF", 'f'}, {"MSG$[20]", 's'}, {"LOW!", 'n'},  {"DONE!!", 't'},
        {"N%", 'i'},  {"DLY%%", 'm'},    {"T(2,3)", 'f'}};
    for (size_t i = 0; i < outputs.size(); ++i) {
        EXPECT_EQ(source.Outputs[i].Name, outputs[i].first);
        EXPECT_EQ(source.Outputs[i].Letter, outputs[i].second);
    }
    EXPECT_EQ(source.Outputs[1].Description, "Status text");
    EXPECT_EQ(source.Notes, "Pump efficiency.\r\nSecond note line.");
}

TEST(BasicInstanceLine, ListEntriesNameTheInstanceAndItsSource) {
    EXPECT_EQ(BasicModuleListEntries({"P1|PUMP.BAS|IFlow.Value||fP1.EFF|$40F00C|$40F00F", ""}),
              (std::vector<std::string>{"P1...PUMP.BAS", "..."}));
}

class BasicInstanceEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workspace.library = test::TestLibrary();
        ResetProject(workspace.project, workspace.library);
        workspace.settings.BasicFolder = folder.Folder();
        ASSERT_EQ(WriteTextLines(folder.File("PUMP.BAS"), PumpSource), "");
    }
    bool PlaceP1() {
        if (!editor.OpenForProj("PUMP.BAS"))
            return false;
        editor.TypeName("P1");
        editor.TypeValue(1, "Flow.Value");
        editor.TypeValue(3, "25");
        return editor.Save();
    }
    const std::vector<std::string>& Lines() const { return workspace.project.BasicModules; }

    test::TemporaryFolder folder;
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    BasicInstanceEditor editor{workspace};
};

TEST_F(BasicInstanceEditorTest, OpenForProjShowsTheSourceAndSaveStoresTheLine) {
    ASSERT_TRUE(editor.OpenForProj("PUMP.BAS"));
    EXPECT_EQ(editor.State().Title, "BASIC File: PUMP.BAS");
    EXPECT_TRUE(editor.State().ShowInputs);
    EXPECT_EQ(editor.State().InputRows.size(), 3u);
    EXPECT_EQ(editor.State().Notes, "Pump efficiency.\r\nSecond note line.");
    editor.TypeName("P1");
    EXPECT_EQ(editor.State().OutputRows[1].Value, "P1.MSG$[20]");
    editor.TypeValue(1, "Flow.Value");
    editor.TypeValue(3, "25");
    ASSERT_TRUE(editor.Save());
    EXPECT_FALSE(editor.IsOpen());
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], "P1|PUMP.BAS|IFlow.Value||I25|fP1.EFF|sP1.MSG$[20]|nP1.LOW!|"
                          "tP1.DONE!!|iP1.N%|mP1.DLY%%|fP1.T(2,3)|$0|$0");
    const DatabaseLists& db = workspace.project.Databases;
    EXPECT_NE(std::find(db.String.begin(), db.String.end(), "P1.MSG$[20]"), db.String.end());
    EXPECT_NE(std::find(db.Status.begin(), db.Status.end(), "P1.DONE!!"), db.Status.end());
    EXPECT_NE(std::find(db.Float.begin(), db.Float.end(), "P1.EFF"), db.Float.end());
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(BasicInstanceEditorTest, RefusalsKeepTheProjectUnchanged) {
    EXPECT_FALSE(editor.OpenForProj(""));
    EXPECT_FALSE(editor.OpenForProj("NONE.BAS"));
    EXPECT_FALSE(editor.EditModule(""));
    ASSERT_TRUE(PlaceP1());
    ASSERT_TRUE(editor.OpenForProj("PUMP.BAS"));
    editor.TypeName("P1");
    EXPECT_FALSE(editor.Save()); // a BASIC instance of that name
    editor.TypeName("System");
    EXPECT_FALSE(editor.Save()); // an ordinary instance of that name
    editor.TypeName("P.2");
    EXPECT_FALSE(editor.Save());
    editor.TypeName("P2");
    editor.TypeValue(1, "A|B");
    EXPECT_FALSE(editor.Save());
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(ui.Errors, (std::vector<std::string>{
                             "You must first select a BASIC file", "Cannot find BASIC fileNONE.BAS",
                             "You must first select a module", "Module name already exists",
                             "Module name already exists", NamePeriodMessage, BarRefusedMessage}));
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(BasicInstanceEditorTest, EditModuleFillsValuesAndRenameReplacesTheLine) {
    ASSERT_TRUE(PlaceP1());
    ASSERT_TRUE(editor.EditModule("P1...PUMP.BAS"));
    EXPECT_EQ(editor.State().NameText, "P1");
    EXPECT_EQ(editor.State().InputRows[0].Value, "Flow.Value");
    EXPECT_EQ(editor.State().InputRows[1].Value, "");
    EXPECT_EQ(editor.State().InputRows[2].Value, "25");
    editor.TypeName("PUMPA");
    EXPECT_EQ(editor.State().OutputRows[0].Value, "PUMPA.EFF");
    ASSERT_TRUE(editor.Save());
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].substr(0, 45), "PUMPA|PUMP.BAS|IFlow.Value||I25|fPUMPA.EFF|sP");
    const DatabaseLists& db = workspace.project.Databases;
    EXPECT_EQ(std::find(db.Float.begin(), db.Float.end(), "P1.EFF"), db.Float.end());
}

TEST_F(BasicInstanceEditorTest, AChangedInstanceMovesToTheEndOfTheList) {
    ASSERT_TRUE(PlaceP1());
    ASSERT_TRUE(editor.OpenForProj("PUMP.BAS"));
    editor.TypeName("P2");
    ASSERT_TRUE(editor.Save());
    ASSERT_TRUE(editor.EditModule("P1...PUMP.BAS"));
    editor.TypeValue(3, "30");
    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(BasicModuleListEntries(Lines()),
              (std::vector<std::string>{"P2...PUMP.BAS", "P1...PUMP.BAS"}));
}

TEST_F(BasicInstanceEditorTest, CancelAndReopeningAskBeforeDroppingEdits) {
    ASSERT_TRUE(PlaceP1());
    const std::string question = "One or more entries has changed, OK to abandon?";
    ASSERT_TRUE(editor.EditModule("P1...PUMP.BAS"));
    EXPECT_TRUE(editor.Cancel()); // nothing typed: no question
    EXPECT_TRUE(ui.Questions.empty());
    // Each way of leaving the typed edits asks; No keeps them.
    const std::vector<std::function<bool()>> leaves = {
        [&] { return editor.Cancel(); },
        [&] { return editor.OpenForProj("PUMP.BAS"); },
        [&] { return editor.EditModule("P1...PUMP.BAS"); },
    };
    for (const auto& leave : leaves) {
        ASSERT_TRUE(editor.EditModule("P1...PUMP.BAS"));
        editor.TypeValue(3, "99");
        ui.Questions.clear();
        EXPECT_FALSE(leave());
        EXPECT_EQ(ui.Questions, std::vector<std::string>{question});
        EXPECT_EQ(editor.State().InputRows[2].Value, "99");
        ui.YesNoAnswers = {true};
        EXPECT_TRUE(leave());
        EXPECT_NE(editor.State().InputRows.size() > 2 ? editor.State().InputRows[2].Value : "",
                  "99");
        editor.Close();
    }
}

TEST_F(BasicInstanceEditorTest, SavingUnderTheSameNameClearsTheStoredBlock) {
    ASSERT_TRUE(PlaceP1());
    std::string& line = workspace.project.BasicModules[0];
    line = line.substr(0, line.size() - 5) + "$40F00C|$40F08B";
    ASSERT_TRUE(editor.EditModule("P1...PUMP.BAS"));
    ASSERT_TRUE(editor.Save());
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].substr(Lines()[0].size() - 6), "|$0|$0");
}

TEST_F(BasicInstanceEditorTest, DeleteFromProjRemovesTheInstanceAndItsOutputs) {
    EXPECT_FALSE(DeleteBasicInstance(workspace, ""));
    ASSERT_TRUE(PlaceP1());
    workspace.project.ProjectChanged = false;
    EXPECT_TRUE(DeleteBasicInstance(workspace, "P1...PUMP.BAS"));
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(workspace.project.ProjectChanged);
    const DatabaseLists& db = workspace.project.Databases;
    EXPECT_EQ(std::find(db.Float.begin(), db.Float.end(), "P1.EFF"), db.Float.end());
    EXPECT_EQ(ui.Errors, (std::vector<std::string>{"You must first select a module"}));
}

TEST_F(BasicInstanceEditorTest, LibraryListsTheBasFilesOfTheFolder) {
    ASSERT_EQ(WriteTextLines(folder.File("ALARM.bas"), {"#CODE"}), "");
    ASSERT_EQ(WriteTextLines(folder.File("PUMP.Obj"), {"#System Data"}), "");
    EXPECT_EQ(BasicLibraryFiles(folder.Folder()),
              (std::vector<std::string>{"ALARM.bas", "PUMP.BAS"}));
}

} // namespace
} // namespace k7
