#include "tests/support/bytes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"
#include "workspace/text_file.h"
#include "workspace/workspace.h"

using namespace k7;

namespace {

class ProjectFlows : public ::testing::Test {
  protected:
    void SetUp() override {
        StartOptions options = test::SmallLibraryStart(dir.Folder());
        workspace.Start(options);
        ASSERT_TRUE(ui.Errors.empty());
    }

    std::string Project(const std::string& name) {
        const std::string path = dir.File(name);
        test::WriteBytes(path, test::ReadBytes(std::string(K7_GOLDEN_DIR) + "full_project.tvr"));
        return path;
    }

    test::TemporaryFolder dir;
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
};

} // namespace

TEST_F(ProjectFlows, NewAsksOnlyWhenTheProjectChanged) {
    EXPECT_TRUE(workspace.NewProject());
    EXPECT_TRUE(ui.Questions.empty());

    workspace.MarkProjectChanged(ProjectPart::Modules);
    EXPECT_EQ(StatusText(workspace.project), "  Need to save...  Need to compile...");
    EXPECT_TRUE(workspace.shell.SaveEnabled);
    workspace.project.Notes = "keep me";
    EXPECT_FALSE(workspace.NewProject()); // answered No
    EXPECT_EQ(ui.Questions.back(), "Project has changed, OK to delete?");
    EXPECT_EQ(workspace.project.Notes, "keep me");

    ui.YesNoAnswers = {true};
    EXPECT_TRUE(workspace.NewProject());
    EXPECT_EQ(workspace.project.Notes, "");
    EXPECT_FALSE(workspace.project.ProjectChanged);
    EXPECT_FALSE(workspace.project.NeedCompile);
    EXPECT_EQ(workspace.shell.Caption, "V5.62  ");
}

TEST_F(ProjectFlows, OpenReadsTheFileAndRemembersIt) {
    const std::string path = Project("pump.tvr");
    ui.FileAnswers = {path};
    EXPECT_TRUE(workspace.OpenProject());
    EXPECT_EQ(ui.FileDialogs.back().InitialFolder, workspace.settings.ProjectFolder);
    EXPECT_EQ(ui.FileDialogs.back().Filter, "Project Files...*.*|*.*");
    EXPECT_EQ(workspace.shell.Caption, "V5.62  " + path);
    EXPECT_EQ(workspace.project.FileName, path);
    EXPECT_FALSE(workspace.project.ProjectChanged);
    EXPECT_TRUE(workspace.project.NeedCompile);
    EXPECT_FALSE(workspace.shell.SaveEnabled);
    EXPECT_TRUE(workspace.shell.CompileEnabled);
    EXPECT_EQ(workspace.settings.RecentProjects, std::vector<std::string>{path});
    EXPECT_EQ(workspace.project.DisplayNames, std::vector<std::string>{"MAIN"});
    EXPECT_EQ(workspace.project.SpeechReportNames, std::vector<std::string>{"ALARM"});
    EXPECT_EQ(workspace.project.TxArrayList,
              std::vector<std::string>{"Brd 0, Prt 2, Src Us, Dst 5"});
    EXPECT_EQ(workspace.project.Databases.Rx, std::vector<std::string>{"REMOTE"});
}

TEST_F(ProjectFlows, CancelledOpenLeavesANewProjectNeedingACompile) {
    workspace.MarkProjectChanged(ProjectPart::Modules);
    ui.YesNoAnswers = {true};
    EXPECT_FALSE(workspace.OpenProject());
    EXPECT_EQ(workspace.project.ModuleCount(), 1);
    EXPECT_FALSE(workspace.project.ProjectChanged);
    EXPECT_TRUE(workspace.project.NeedCompile);
}

TEST_F(ProjectFlows, OpeningSomethingElseGivesANewProjectAndAMessage) {
    test::WriteBytes(dir.File("notes.txt"), "shopping list\r\n");
    EXPECT_FALSE(workspace.OpenProjectPath(dir.File("notes.txt")));
    EXPECT_EQ(ui.Errors.back(), "Referenced file is not K7/K3 program.");
    EXPECT_EQ(workspace.project.FileName, "");
    EXPECT_EQ(workspace.shell.Caption, "V5.62  ");
    EXPECT_TRUE(workspace.settings.RecentProjects.empty());

    EXPECT_FALSE(workspace.OpenProjectPath(dir.File("absent.tvr")));
    EXPECT_NE(ui.Errors.back().find("absent.tvr"), std::string::npos);
}

TEST_F(ProjectFlows, SaveGivesTheFileTheTvrExtension) {
    const std::string path = Project("pump.TVR");
    ASSERT_TRUE(workspace.OpenProjectPath(path));
    workspace.MarkProjectChanged(ProjectPart::Modules);
    EXPECT_TRUE(workspace.SaveProject());
    EXPECT_EQ(ui.Errors.back(), "File is being saved with <.tvr> extension.");
    EXPECT_EQ(workspace.project.FileName, dir.File("pump.tvr"));
    EXPECT_EQ(test::ReadBytes(dir.File("pump.tvr")),
              test::ReadBytes(std::string(K7_GOLDEN_DIR) + "full_project.tvr"));
    EXPECT_FALSE(workspace.project.ProjectChanged);
    EXPECT_FALSE(workspace.shell.SaveEnabled);
    EXPECT_EQ(workspace.shell.Caption, "V5.62  " + dir.File("pump.tvr"));
    EXPECT_EQ(workspace.settings.RecentProjects.front(), dir.File("pump.tvr"));

    // No extension at all; a folder with "." keeps its name.
    std::filesystem::create_directory(dir.File("rel1.2"));
    workspace.project.FileName = dir.File("rel1.2/pump");
    EXPECT_TRUE(workspace.SaveProject());
    EXPECT_EQ(workspace.project.FileName, dir.File("rel1.2/pump.tvr"));
    EXPECT_TRUE(FileExists(dir.File("rel1.2/pump.tvr")));
}

TEST_F(ProjectFlows, RenamingOntoAnotherFileAsksFirst) {
    test::WriteBytes(dir.File("pump.tvr"), "someone else's work");
    workspace.project.FileName = dir.File("pump.TVR");
    EXPECT_FALSE(workspace.SaveProject()); // answered No
    EXPECT_EQ(ui.Questions.back(), dir.File("pump.tvr") + " already exists. OK to replace it?");
    EXPECT_EQ(test::ReadBytes(dir.File("pump.tvr")), "someone else's work");

    ui.YesNoAnswers = {true};
    EXPECT_TRUE(workspace.SaveProject());
    EXPECT_EQ(test::ReadBytes(dir.File("pump.tvr")),
              test::ReadBytes(std::string(K7_GOLDEN_DIR) + "new_project.tvr"));
}

TEST_F(ProjectFlows, FailedSaveKeepsWhatIsThereAndTheChangeFlag) {
    // The target name is taken by a folder: the new file is written beside
    // it but cannot replace it.
    std::filesystem::create_directory(dir.File("blocked.tvr"));
    test::WriteBytes(dir.File("blocked.tvr/inside.txt"), "kept");
    workspace.project.FileName = dir.File("blocked.tvr");
    workspace.MarkProjectChanged(ProjectPart::Modules);
    EXPECT_FALSE(workspace.SaveProject());
    EXPECT_EQ(ui.Errors.back().rfind("Cannot write " + dir.File("blocked.tvr"), 0), 0u);
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_TRUE(workspace.shell.SaveEnabled);
    EXPECT_EQ(test::ReadBytes(dir.File("blocked.tvr/inside.txt")), "kept");
    EXPECT_FALSE(FileExists(dir.File("blocked.tvr.k7tmp")));

    workspace.project.FileName = dir.File("no/such/folder/p.tvr");
    EXPECT_FALSE(workspace.SaveProject());
    EXPECT_TRUE(workspace.settings.RecentProjects.empty());
}

TEST_F(ProjectFlows, SaveAsUsesTheChosenNameOrDoesNothing) {
    EXPECT_FALSE(workspace.SaveProject()); // no name yet: Save As, cancelled
    EXPECT_EQ(ui.FileDialogs.back().DefaultExtension, "tvr");
    EXPECT_TRUE(ui.FileDialogs.back().AskBeforeOverwrite);

    ui.FileAnswers = {dir.File("station.tvr")};
    EXPECT_TRUE(workspace.SaveProjectAs());
    EXPECT_EQ(workspace.project.FileName, dir.File("station.tvr"));
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(FileExists(dir.File("station.tvr")));
}

TEST_F(ProjectFlows, RecentEntriesOpenTheirProject) {
    const std::string a = Project("a.tvr");
    const std::string b = Project("b.tvr");
    workspace.OpenProjectPath(a);
    workspace.OpenProjectPath(b);
    EXPECT_EQ(workspace.settings.RecentProjects, (std::vector<std::string>{b, a}));
    EXPECT_TRUE(workspace.OpenRecentProject(1));
    EXPECT_EQ(workspace.project.FileName, a);
    EXPECT_EQ(workspace.settings.RecentProjects, (std::vector<std::string>{a, b}));
    EXPECT_FALSE(workspace.OpenRecentProject(5));
}

TEST_F(ProjectFlows, ClosingAsksForAChangedProjectAndSavesTheSettings) {
    workspace.settings.RecentProjects = {"/x/a.tvr"};
    workspace.MarkProjectChanged(ProjectPart::Modules);
    EXPECT_FALSE(workspace.CloseMainWindow());
    EXPECT_EQ(ui.Questions.back(), "Project has changed, OK to exit?");
    ui.YesNoAnswers = {true};
    EXPECT_TRUE(workspace.CloseMainWindow());
    auto lines = ReadTextLines(dir.File("K7Setup.ini")).Lines;
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2], "Spare");
    EXPECT_EQ(lines[6], "/x/a.tvr");
}

TEST_F(ProjectFlows, NotesWithABarAreRefusedOthersMarkTheProjectChanged) {
    EXPECT_FALSE(workspace.SetProjectNotes("pump|station"));
    EXPECT_EQ(ui.Errors, std::vector<std::string>{BarRefusedMessage});
    EXPECT_EQ(workspace.project.Notes, "");
    EXPECT_FALSE(workspace.shell.SaveEnabled);

    EXPECT_TRUE(workspace.SetProjectNotes("pump station"));
    EXPECT_EQ(workspace.project.Notes, "pump station");
    EXPECT_TRUE(workspace.shell.SaveEnabled);
}
