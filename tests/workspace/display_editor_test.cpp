#include "tests/support/scripted_ui.h"
#include "workspace/display_editor.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

class DisplayEditorTest : public ::testing::Test {
  protected:
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    DisplayEditor editor{workspace};
    std::vector<std::string>& displays = workspace.project.Displays;
};

std::vector<int> Kinds(const std::string& text) {
    std::vector<int> kinds;
    for (PlaceKind kind : PlaceKinds(text))
        kinds.push_back(static_cast<int>(kind));
    return kinds;
}

} // namespace

TEST(DisplayPlaces, EditorCountsOnePlacePerRunBegunByAnAt) {
    EXPECT_EQ(CountPlaces(""), 0);
    EXPECT_EQ(CountPlaces("Level @@.@ m"), 1);
    EXPECT_EQ(CountPlaces("@@.@@@"), 1);
    EXPECT_EQ(CountPlaces("A @ B @@ C"), 2);
    EXPECT_EQ(CountPlaces("@T@H"), 2);    // the letter ends the run
    EXPECT_EQ(CountPlaces("1.5 @.@"), 1); // a "." before any "@" begins nothing
    EXPECT_EQ(CountPlaces("@ .@"), 2);    // the space ends the run
}

TEST(DisplayPlaces, CompileKindsFollowTheLetterAfterTheAt) {
    EXPECT_EQ(Kinds("Flow @@.@ l/s"), (std::vector<int>{1}));
    EXPECT_EQ(Kinds("@T @E @H @V @X @"), (std::vector<int>{2, 2, 3, 4, 1, 1}));
    EXPECT_EQ(Kinds("@@.@T"), (std::vector<int>{1})); // "T" after the run is plain text
    EXPECT_EQ(Kinds("@TT"), (std::vector<int>{2}));
}

TEST(DisplayPlaces, AtMostFortyPlacesCountOnALine) {
    const std::string forty(40, '@');
    EXPECT_EQ(CountPlaces(forty), 1);
    std::string spaced;
    for (int i = 0; i < 45; ++i)
        spaced += "@ ";
    EXPECT_EQ(CountPlaces(spaced), 45);
    EXPECT_EQ(PlaceKinds(spaced).size(), 40u);
}

TEST_F(DisplayEditorTest, SaveNeedsANameOfTwoCharacters) {
    editor.SetName("A");
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(ui.Errors, (std::vector<std::string>{"You must name the display before saving"}));
    EXPECT_TRUE(displays.empty());
    EXPECT_FALSE(workspace.project.ProjectChanged);
}

TEST_F(DisplayEditorTest, SaveWritesTheHeaderAndTenFieldsPerLine) {
    editor.SetName("Pumps");
    editor.SetPort(2);
    editor.SetNumber(3);
    editor.SetFont(2);
    editor.DropTrigger("System.SecTrg");
    editor.SetText({"Pump station", "Level @@.@ m", "Run @"});
    editor.SetField(1, 1, "WELL.LVL");
    editor.SetField(2, 1, "P1.RUN");
    editor.SetField(2, 2, "leftover"); // beyond the line's one place
    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(displays, (std::vector<std::string>{
                            "~Pumps|2|3|2|System.SecTrg|",
                            "Pump station|1|2|3|4|5|6|7|8|9|10|",
                            "Level @@.@ m|WELL.LVL|2|3|4|5|6|7|8|9|10|",
                            "Run @|P1.RUN|2|3|4|5|6|7|8|9|10|",
                        }));
    EXPECT_EQ(workspace.project.DisplayNames, (std::vector<std::string>{"Pumps"}));
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_TRUE(workspace.project.NeedCompile);
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.Selected(), 0);
}

TEST_F(DisplayEditorTest, SavingAnEditedDisplayReplacesItsLinesInPlace) {
    displays = {"~First|1|1|0|T1|", "a|1|2|3|4|5|6|7|8|9|10|", "b|1|2|3|4|5|6|7|8|9|10|",
                "~Second|1|2|0|T2|", "c|1|2|3|4|5|6|7|8|9|10|"};
    ASSERT_TRUE(editor.Select(0));
    EXPECT_EQ(editor.Form().Header.Trigger, "T1");
    ASSERT_EQ(editor.Form().Lines.size(), 2u);
    editor.SetText({"only @"});
    editor.SetField(0, 1, "X.Y");
    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(displays,
              (std::vector<std::string>{"~First|1|1|0|T1|", "only @|X.Y|2|3|4|5|6|7|8|9|10|",
                                        "~Second|1|2|0|T2|", "c|1|2|3|4|5|6|7|8|9|10|"}));
}

// A text widget hands over the whole memo: each line keeps its own fields
// across lines inserted or deleted around it; an edited line keeps those of
// the line it replaced.
TEST_F(DisplayEditorTest, MemoLinesKeepTheirFieldsThroughInsertAndDelete) {
    struct Case {
        std::vector<std::string> texts;
        std::vector<std::string> firstFields; // "" where a line has none
    };
    const Case cases[] = {
        {{"new @", "A @", "B @", "C @"}, {"", "a", "b", "c"}},
        {{"A @", "new @", "B @", "C @"}, {"a", "", "b", "c"}},
        {{"A @", "C @"}, {"a", "c"}},
        {{"B @", "C @"}, {"b", "c"}},
        {{"A @", "B edited @", "C @"}, {"a", "b", "c"}},
        {{"A @", "B @", "C @", "D @"}, {"a", "b", "c", ""}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        editor.SetText({"A @", "B @", "C @"});
        for (int line = 0; line < 3; ++line)
            editor.SetField(line, 1, std::string(1, static_cast<char>('a' + line)));
        ASSERT_TRUE(editor.SetText(c.texts));
        std::vector<std::string> fields;
        for (const DisplayLine& line : editor.Form().Lines)
            fields.push_back(line.Fields[0]);
        EXPECT_EQ(fields, c.firstFields) << ::testing::PrintToString(c.texts);
    }
}

TEST_F(DisplayEditorTest, LineInsertAndDeleteMoveTheFieldsWithTheirLines) {
    editor.SetText({"A @", "B @"});
    editor.SetField(0, 1, "a");
    editor.SetField(1, 1, "b");
    ASSERT_TRUE(editor.InsertLine(1));
    ASSERT_TRUE(editor.InsertLine(3)); // the line count appends
    EXPECT_FALSE(editor.InsertLine(5));
    ASSERT_EQ(editor.Form().Lines.size(), 4u);
    EXPECT_EQ(editor.Form().Lines[1].Text, "");
    EXPECT_EQ(editor.Form().Lines[2].Fields[0], "b");
    ASSERT_TRUE(editor.DeleteLine(0));
    EXPECT_FALSE(editor.DeleteLine(3));
    ASSERT_EQ(editor.Form().Lines.size(), 3u);
    EXPECT_EQ(editor.Form().Lines[1].Text, "B @");
    EXPECT_EQ(editor.Form().Lines[1].Fields[0], "b");
}

TEST_F(DisplayEditorTest, DeleteAsksAndNeedsASelection) {
    EXPECT_FALSE(editor.Delete()); // asked first, as every delete does; answered No
    EXPECT_EQ(ui.Questions, std::vector<std::string>{"Confirm OK to delete?"});
    EXPECT_TRUE(ui.Errors.empty());
    ui.YesNoAnswers = {true};
    EXPECT_FALSE(editor.Delete());
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");

    displays = {"~First|1|1|0||", "a|1|2|3|4|5|6|7|8|9|10|", "~Second|1|2|0||"};
    ASSERT_TRUE(editor.Select(1));
    EXPECT_FALSE(editor.Delete()); // answered No
    EXPECT_EQ(ui.Questions.back(), "Confirm OK to delete?");
    EXPECT_EQ(displays.size(), 3u);

    ui.YesNoAnswers = {true};
    EXPECT_TRUE(editor.Delete());
    EXPECT_EQ(displays, (std::vector<std::string>{"~First|1|1|0||", "a|1|2|3|4|5|6|7|8|9|10|"}));
    EXPECT_EQ(workspace.project.DisplayNames, (std::vector<std::string>{"First"}));
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_TRUE(workspace.project.ProjectChanged);
}

TEST_F(DisplayEditorTest, AbandonAsksOnlyWithEditsAndRestoresTheStoredDisplay) {
    displays = {"~First|1|1|0|T1|"};
    ASSERT_TRUE(editor.Select(0));
    EXPECT_TRUE(editor.Abandon());
    EXPECT_TRUE(ui.Questions.empty());

    editor.SetName("Renamed");
    EXPECT_FALSE(editor.Abandon());
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    EXPECT_EQ(editor.Form().Header.Name, "Renamed");
    EXPECT_FALSE(editor.NewDisplay()); // the same question, answered No

    ui.YesNoAnswers = {true};
    EXPECT_TRUE(editor.Abandon());
    EXPECT_EQ(editor.Form().Header.Name, "First");
    EXPECT_FALSE(editor.Changed());
}

TEST_F(DisplayEditorTest, TypedBarsAreRefused) {
    EXPECT_FALSE(editor.SetName("a|b"));
    EXPECT_FALSE(editor.DropTrigger("x|"));
    EXPECT_FALSE(editor.SetText({"fine", "not|fine"}));
    editor.SetText({"@"});
    EXPECT_FALSE(editor.SetField(0, 1, "|"));
    EXPECT_FALSE(editor.SetField(0, 11, "OK")); // no eleventh field
    EXPECT_FALSE(editor.SetField(5, 1, "OK"));  // no such line
    EXPECT_EQ(ui.Errors.size(), 4u);
    EXPECT_EQ(ui.Errors[0], "The character \"|\" cannot be used here.");
    EXPECT_EQ(editor.Form().Header.Name, "");
    EXPECT_EQ(editor.Form().Lines[0].Fields[0], "");
}

TEST_F(DisplayEditorTest, MoreThanAHundredLinesAreRefusedNotCut) {
    editor.SetName("Long");
    editor.SetText(std::vector<std::string>(101, "x"));
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(ui.Errors.back(), "A display can have at most 100 lines.");
    EXPECT_TRUE(displays.empty());

    editor.SetText(std::vector<std::string>(100, "x"));
    EXPECT_TRUE(editor.Save());
    EXPECT_EQ(displays.size(), 101u);
}

TEST_F(DisplayEditorTest, SelectingAMissingDisplayGivesAnEmptyForm) {
    EXPECT_FALSE(editor.Select(4));
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_TRUE(editor.Form().Lines.empty());
}

TEST_F(DisplayEditorTest, ResetDropsTheFormAndSelectionWithoutAsking) {
    displays = {"~First|1|1|0|T1|"};
    ASSERT_TRUE(editor.Select(0));
    editor.SetName("Edited");
    displays = {"~Other|1|1|0||"}; // the project another Open brought
    editor.Reset();
    EXPECT_TRUE(ui.Questions.empty());
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.Form().Header.Name, "");
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(displays, std::vector<std::string>{"~Other|1|1|0||"});
}
