#include "tests/support/scripted_ui.h"
#include "workspace/instance_editor.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace k7;

namespace {

struct ChangeNoticesTest : ::testing::Test {
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
};

} // namespace

TEST_F(ChangeNoticesTest, AnEditNamesItsPartAndNewTellsOfTheWholeProject) {
    std::vector<ProjectPart> heard;
    auto subscription =
        workspace.notices.Subscribe([&](ProjectPart part) { heard.push_back(part); });
    workspace.SetProjectNotes("pump house");
    workspace.project.ProjectChanged = false; // New asks nothing
    workspace.NewProject();
    EXPECT_EQ(heard, (std::vector<ProjectPart>{ProjectPart::Notes, ProjectPart::WholeProject}));
}

TEST_F(ChangeNoticesTest, ListenersAreGoneWithTheirTokens) {
    int calls = 0;
    {
        auto first = workspace.notices.Subscribe([&](ProjectPart) { ++calls; });
        ChangeSubscription moved = std::move(first);
        workspace.MarkProjectChanged(ProjectPart::Cards);
    }
    workspace.MarkProjectChanged(ProjectPart::Cards);
    EXPECT_EQ(calls, 1);

    // An editor made and destroyed again and again leaves no listener.
    for (int i = 0; i < 50; ++i)
        InstanceEditor editor(workspace);
    EXPECT_EQ(workspace.notices.ListenerCount(), 0u);
}

TEST_F(ChangeNoticesTest, AListenerMayDropAnotherWhileBeingTold) {
    int laterCalls = 0;
    auto later = std::make_unique<ChangeSubscription>();
    auto first = workspace.notices.Subscribe([&](ProjectPart) { later.reset(); });
    *later = workspace.notices.Subscribe([&](ProjectPart) { ++laterCalls; });
    workspace.MarkProjectChanged(ProjectPart::Ladder);
    EXPECT_EQ(laterCalls, 0);
}

// The database lists and the ladder's findings follow the parts whose
// edits rename the databases; the notes, settings, cards and a compile
// rename nothing.
TEST_F(ChangeNoticesTest, OnlyPartsWithNamesRenameTheDatabases) {
    for (ProjectPart part :
         {ProjectPart::Modules, ProjectPart::TelemetryArrays, ProjectPart::Ladder,
          ProjectPart::Tables, ProjectPart::Speech, ProjectPart::Basic, ProjectPart::WholeProject})
        EXPECT_TRUE(ChangesDatabaseNames(part)) << static_cast<int>(part);
    for (ProjectPart part :
         {ProjectPart::Notes, ProjectPart::Settings, ProjectPart::Cards, ProjectPart::Displays,
          ProjectPart::Phrases, ProjectPart::CompileFinished})
        EXPECT_FALSE(ChangesDatabaseNames(part)) << static_cast<int>(part);
}

// New hands the editors a project afresh; a whole project put back as a
// change (Undo, Redo) does not.
TEST_F(ChangeNoticesTest, NewIsOpenedAfreshAndARestoreIsNot) {
    std::vector<bool> afresh;
    auto subscription = workspace.notices.Subscribe(
        [&](ProjectPart part) { afresh.push_back(workspace.OpenedAfresh(part)); });
    workspace.NewProject();
    workspace.MarkProjectChanged(ProjectPart::WholeProject);
    workspace.MarkProjectChanged(ProjectPart::Notes);
    EXPECT_EQ(afresh, (std::vector<bool>{true, false, false}));
}
