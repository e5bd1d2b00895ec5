#include "tests/support/scripted_ui.h"
#include "workspace/project_history.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

struct ProjectHistoryTest : ::testing::Test {
    void Edit(const std::string& notes) {
        workspace.project.Notes = notes;
        workspace.MarkProjectChanged(ProjectPart::Modules);
    }
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    ProjectHistory history;
};

} // namespace

TEST_F(ProjectHistoryTest, UndoAndRedoWalkTheRecordedStatesAndMarkTheProjectChanged) {
    history.Reset(workspace.project);
    auto recording =
        workspace.notices.Subscribe([this](ProjectPart) { history.Record(workspace.project); });
    Edit("one");
    Edit("two");
    workspace.project.ProjectChanged = false;
    workspace.project.NeedCompile = false;

    ASSERT_TRUE(history.Undo(workspace));
    EXPECT_EQ(workspace.project.Notes, "one");
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_TRUE(workspace.project.NeedCompile);
    EXPECT_EQ(history.Size(), 3u); // the restore recorded nothing
    ASSERT_TRUE(history.Undo(workspace));
    EXPECT_EQ(workspace.project.Notes, "");
    EXPECT_FALSE(history.Undo(workspace));

    ASSERT_TRUE(history.Redo(workspace));
    EXPECT_EQ(workspace.project.Notes, "one");
    // A new change drops what could have been redone.
    Edit("three");
    EXPECT_FALSE(history.CanRedo());
    ASSERT_TRUE(history.Undo(workspace));
    EXPECT_EQ(workspace.project.Notes, "one");
}

TEST_F(ProjectHistoryTest, KeepsAHundredStepsAtMost) {
    history.Reset(workspace.project);
    for (int i = 0; i < 150; ++i) {
        workspace.project.Notes = std::to_string(i);
        history.Record(workspace.project);
    }
    EXPECT_EQ(history.Size(), UndoHistoryLimit + 1);
    int undone = 0;
    while (history.Undo(workspace))
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(workspace.project.Notes, "49");
}
