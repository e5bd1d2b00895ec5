#include "basic/basic_editor.h"
#include "tests/support/bytes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace k7 {
namespace {

using namespace k7::test;
using Strings = std::vector<std::string>;

TEST(EditorRules, SaveAsGivesTheBasExtension) {
    EXPECT_EQ(SaveAsName("C:\\Work\\rel1.2\\PUMP.txt"), "C:\\Work\\rel1.2\\PUMP.BAS");
    EXPECT_EQ(SaveAsName("C:\\Work\\rel1.2\\PUMP"), "C:\\Work\\rel1.2\\PUMP.BAS");
    EXPECT_EQ(SaveAsName("/home/k7/pump.bas"), "/home/k7/pump.BAS");
}

TEST(EditorRules, CaptionAndClosingQuestion) {
    EXPECT_EQ(EditorCaption(""), "K7 Text Editor - (untitled)");
    EXPECT_EQ(EditorCaption("/w/PUMP.BAS"), "K7 Text Editor - /w/PUMP.BAS");
    EXPECT_EQ(ClosingQuestion("C:\\Work\\PUMP.BAS"), "File PUMP.BAS has changed. Save now?");
    EXPECT_EQ(ClosingQuestion(""), "File (untitled) has changed. Save now?");
}

TEST(EditorRules, FindSearchesForwardWithTheOptions) {
    const std::string text = "Level = level + LEVELS";
    EXPECT_EQ(FindText(text, "level", 0, {}), 0u);
    EXPECT_EQ(FindText(text, "level", 1, {}), 8u);
    EXPECT_EQ(FindText(text, "level", 1, {true, false}), 8u);
    EXPECT_EQ(FindText(text, "Level", 1, {true, false}), std::nullopt);
    EXPECT_EQ(FindText(text, "LEVEL", 9, {false, false}), 16u);
    EXPECT_EQ(FindText(text, "LEVEL", 9, {false, true}), std::nullopt);
    EXPECT_EQ(FindText(text, "", 0, {}), std::nullopt);
    EXPECT_EQ(FindText(text, "x", 500, {}), std::nullopt);
}

TEST(EditorRules, ReplaceOnlyReplacesMatches) {
    std::string text = "A = B + A";
    TextSelection selection{0, 0};
    EXPECT_EQ(ReplaceText(text, selection, "A", "AA", {true, true}, true), 2);
    EXPECT_EQ(text, "AA = B + AA");

    std::string none = "X = 1";
    TextSelection kept{0, 1};
    EXPECT_EQ(ReplaceText(none, kept, "Q", "R", {}, false), 0);
    EXPECT_EQ(none, "X = 1");
    EXPECT_EQ(kept.Start, 0u);

    std::string once = "B = B";
    TextSelection start{0, 0};
    EXPECT_EQ(ReplaceText(once, start, "B", "C", {}, false), 1);
    EXPECT_EQ(once, "C = B");
    EXPECT_EQ(start.Start, 0u);
    EXPECT_EQ(start.Length, 1u);

    std::string empty = "X = 1";
    TextSelection caret{2, 0};
    EXPECT_EQ(ReplaceText(empty, caret, "", "Y", {}, true), 0); // matches nothing
    EXPECT_EQ(empty, "X = 1");
}

TEST(EditorRules, StatusLine) {
    const Strings lines{"abc", "de"};
    EXPECT_EQ(CaretPanels(lines, 6), (Strings{"Row: 2", "Col: 2", "Pos: 6"}));
    EXPECT_EQ(CaretPanels(lines, 3), (Strings{"Row: 1", "Col: 4", "Pos: 3"}));
    EXPECT_EQ(WithThousands(1234567), "1,234,567");
    EXPECT_EQ(WithThousands(999), "999");
    EXPECT_EQ(SearchPrefill(std::string(29, 'a')), std::string(29, 'a'));
    EXPECT_EQ(SearchPrefill(std::string(30, 'a')), "");
    const EditMenuState menu = EditMenuFor(true, false, true, false);
    EXPECT_TRUE(menu.Paste);
    EXPECT_FALSE(menu.Undo);
    EXPECT_TRUE(menu.Cut && menu.Copy);
    EXPECT_FALSE(menu.FindNext);
}

// A text control counts a line end as one character; the status line
// counts it as two, as the saved file has it.
TEST(EditorRules, StatusLineFromTheControlsCaret) {
    EXPECT_EQ(CrLfOffset(5, 1), 6u); // "abc\nde" with the caret after "de"
    EXPECT_EQ(CaretPanelsAt({2, 2}, CrLfOffset(5, 1)), CaretPanels({"abc", "de"}, 6));
    EXPECT_EQ(CaretPanelsAt({10000, 4}, CrLfOffset(123456, 9999)),
              (Strings{"Row: 10,000", "Col: 4", "Pos: 133,455"}));
}

TEST(EditorRules, ReplaceRecordsEachEditWhereItWasMade) {
    std::string text = "A = B + A";
    TextSelection selection{0, 0};
    std::vector<TextSelection> edits;
    EXPECT_EQ(ReplaceText(text, selection, "A", "AA", {true, true}, true, &edits), 2);
    // Each edit is placed in the text as the edits before it left it.
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0].Start, 0u);
    EXPECT_EQ(edits[0].Length, 1u);
    EXPECT_EQ(edits[1].Start, 9u);
    EXPECT_EQ(edits[1].Length, 1u);
}

TEST(EditorRules, ErrorListEntriesNameTheirLine) {
    EXPECT_EQ(ErrorListEntry({"Undefined variable", 0}), "Line 1: Undefined variable");
    EXPECT_EQ(ErrorListEntry({"Missing THEN", 1233}), "Line 1,234: Missing THEN");
}

TEST(EditorRules, TemplateIsFoundInTheSystemFolder) {
    TemporaryFolder folder;
    EXPECT_EQ(LoadTemplate(folder.Folder()), std::nullopt);
    WriteBytes(folder.File("k7basic.tpl"), "#MODULE\r\n#CODE\r\nEND\r\n");
    EXPECT_EQ(LoadTemplate(folder.Folder()), (Strings{"#MODULE", "#CODE", "END"}));
    EXPECT_EQ(LoadTemplate(folder.File("")), (Strings{"#MODULE", "#CODE", "END"}));
}

TEST(Editor, NewLoadsTheTemplateUntitledAndUnmodified) {
    TemporaryFolder folder;
    WriteBytes(folder.File("K7Basic.Tpl"), "#CODE\r\nEND\r\n");
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    editor.New(ui);
    EXPECT_EQ(editor.Lines(), (Strings{"#CODE", "END"}));
    EXPECT_EQ(editor.Caption(), "K7 Text Editor - (untitled)");
    EXPECT_FALSE(editor.Modified());
    BasicEditor bare(folder.File("none/"), folder.Folder());
    bare.New(ui);
    EXPECT_TRUE(bare.Lines().empty());
}

TEST(Editor, CompileKeepsTheModifiedFlagAndCaret) {
    TemporaryFolder folder;
    WriteBytes(folder.File("PUMP.BAS"), "#CODE\r\nEND\r\n");
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    ASSERT_TRUE(editor.OpenWindow(folder.File("PUMP.BAS"), ui));
    EXPECT_FALSE(editor.Modified());
    editor.EditText({"#CODE", "123", "END", "456"});
    editor.Select(9, 2);
    editor.Button1Click(ui);
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.Caret(), 11u);
    EXPECT_EQ(editor.Selection().Length, 0u);
    EXPECT_EQ(editor.StatusPanels()[3], "There are 2 errors.");
    ASSERT_EQ(editor.RedRanges().size(), 2u);
    EXPECT_EQ(editor.RedRanges()[0].Start, 7u);
    EXPECT_FALSE(std::filesystem::exists(folder.File("PUMP.Obj")));

    editor.Select(8, 0); // onto line 1
    EXPECT_EQ(editor.StatusPanels()[3], "Unrecognizable statement initiator");
    editor.Select(13, 0); // onto line 2
    EXPECT_EQ(editor.StatusPanels()[3], "OK");

    editor.EditText({"#CODE", "END"});
    editor.Button1Click(ui);
    EXPECT_TRUE(editor.RedRanges().empty());
    EXPECT_EQ(editor.StatusPanels()[3], "No errors.");
    EXPECT_TRUE(std::filesystem::exists(folder.File("PUMP.Obj")));
}

TEST(Editor, CompileRefusesEmptyAndUntitledTexts) {
    TemporaryFolder folder;
    ScriptedUi ui;
    BasicEditor editor(folder.File("none/"), folder.Folder());
    editor.New(ui);
    editor.Button1Click(ui);
    EXPECT_EQ(ui.Errors, Strings{"No program detected"});
    editor.EditText({"END"});
    editor.Button1Click(ui);
    EXPECT_EQ(ui.Errors.back(), NoFileNameMessage);
}

TEST(Editor, SaveAsRenamesAndTheObjectFileFollows) {
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.File("rel1.2"));
    ScriptedUi ui;
    BasicEditor editor(folder.File("none/"), folder.Folder());
    editor.New(ui);
    editor.EditText({"#CODE", "END"});
    ui.FileAnswers.push_back(folder.File("rel1.2/PUMP.txt"));
    ASSERT_TRUE(editor.Save(ui)); // untitled: Save is Save As
    EXPECT_EQ(editor.FileName(), folder.File("rel1.2/PUMP.BAS"));
    EXPECT_EQ(ReadBytes(folder.File("rel1.2/PUMP.BAS")), "#CODE\r\nEND\r\n");
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(editor.Caption(), "K7 Text Editor - " + folder.File("rel1.2/PUMP.BAS"));
    editor.Button1Click(ui);
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.File("rel1.2/PUMP.Obj")));
}

TEST(Editor, ClosingAsksOnlyWhenModified) {
    TemporaryFolder folder;
    WriteBytes(folder.File("PUMP.BAS"), "END\r\n");
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    ASSERT_TRUE(editor.LoadFile(folder.File("PUMP.BAS"), ui));
    EXPECT_EQ(editor.CloseQuestion(), std::nullopt);

    editor.EditText({"FO = 1"});
    EXPECT_EQ(editor.CloseQuestion(), "File PUMP.BAS has changed. Save now?");
    EXPECT_FALSE(editor.AnswerClose(SaveAnswer::Cancel, ui));
    EXPECT_TRUE(editor.AnswerClose(SaveAnswer::No, ui));
    EXPECT_EQ(ReadBytes(folder.File("PUMP.BAS")), "END\r\n");
    EXPECT_TRUE(editor.AnswerClose(SaveAnswer::Yes, ui));
    EXPECT_EQ(ReadBytes(folder.File("PUMP.BAS")), "FO = 1\r\n");
}

TEST(Editor, ClosingAsksYesNoOrCancel) {
    TemporaryFolder folder;
    WriteBytes(folder.File("PUMP.BAS"), "END\r\n");
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    ASSERT_TRUE(editor.LoadFile(folder.File("PUMP.BAS"), ui));
    EXPECT_TRUE(editor.Close(ui)); // unmodified: nothing asked
    EXPECT_TRUE(ui.Questions.empty());

    // The control holds the text; the model takes it with its modified flag.
    editor.TakeText({"FO = 1"}, true);
    ui.ThreeWayAnswers = {Answer::Cancel, Answer::No, Answer::Yes};
    EXPECT_FALSE(editor.Close(ui));
    EXPECT_TRUE(editor.Close(ui));
    EXPECT_EQ(ReadBytes(folder.File("PUMP.BAS")), "END\r\n");
    EXPECT_TRUE(editor.Close(ui));
    EXPECT_EQ(ReadBytes(folder.File("PUMP.BAS")), "FO = 1\r\n");
    EXPECT_EQ(ui.Questions, (Strings(3, "File PUMP.BAS has changed. Save now?")));
    EXPECT_FALSE(editor.Modified());

    editor.TakeText({"END"}, false);
    EXPECT_TRUE(editor.Close(ui));
    EXPECT_EQ(ui.Questions.size(), 3u);
}

TEST(Editor, FindNextAndReplaceAll) {
    TemporaryFolder folder;
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    editor.EditText({"X = 1", "Y = X + X"});
    editor.Select(0, 0);
    editor.SearchText = "X";
    ASSERT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.Selection().Start, 0u);
    ASSERT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.Selection().Start, 11u);
    ASSERT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.Selection().Start, 15u);
    EXPECT_FALSE(editor.FindNext()); // beeps; the selection stays
    EXPECT_EQ(editor.Selection().Start, 15u);

    editor.Select(0, 0);
    EXPECT_EQ(editor.Replace("COUNT", true), 3);
    EXPECT_EQ(editor.Lines(), (Strings{"COUNT = 1", "Y = COUNT + COUNT"}));
    EXPECT_TRUE(editor.Modified());
}

TEST(Editor, NewAndOpenAskBeforeDroppingModifiedText) {
    TemporaryFolder folder;
    WriteBytes(folder.File("K7Basic.Tpl"), "#CODE\r\n");
    WriteBytes(folder.File("PUMP.BAS"), "END\r\n");
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    const Strings typed = {"X = 1"};
    editor.EditText(typed);
    EXPECT_FALSE(editor.New(ui)); // answered No: the text stays
    ui.FileAnswers.push_back(folder.File("PUMP.BAS"));
    EXPECT_FALSE(editor.Open(ui));
    EXPECT_EQ(ui.Questions, Strings(2, "One or more entries has changed, OK to abandon?"));
    EXPECT_TRUE(ui.FileDialogs.empty());
    EXPECT_EQ(editor.Lines(), typed);
    EXPECT_TRUE(editor.Modified());

    ui.YesNoAnswers = {true};
    ASSERT_TRUE(editor.Open(ui));
    EXPECT_EQ(editor.Lines(), Strings{"END"});
    EXPECT_TRUE(editor.New(ui)); // unmodified: no question
    EXPECT_EQ(ui.Questions.size(), 3u);
}

TEST(Editor, SaveAsAsksBeforeReplacingTheBasFileItWrites) {
    TemporaryFolder folder;
    WriteBytes(folder.File("PUMP.BAS"), "OLD\r\n");
    ScriptedUi ui;
    BasicEditor editor(folder.File("none/"), folder.Folder());
    editor.EditText({"NEW"});
    ui.FileAnswers = {folder.File("PUMP.txt"), folder.File("PUMP.txt")};
    EXPECT_FALSE(editor.SaveAs(ui)); // answered No
    EXPECT_EQ(ui.Questions, Strings{folder.File("PUMP.BAS") + " already exists. Replace it?"});
    EXPECT_EQ(ReadBytes(folder.File("PUMP.BAS")), "OLD\r\n");
    ui.YesNoAnswers = {true};
    ASSERT_TRUE(editor.SaveAs(ui));
    EXPECT_EQ(ReadBytes(folder.File("PUMP.BAS")), "NEW\r\n");
    // The dialog itself asked about the name chosen: no second question.
    ui.FileAnswers = {folder.File("PUMP.BAS")};
    ASSERT_TRUE(editor.SaveAs(ui));
    EXPECT_EQ(ui.Questions.size(), 2u);
}

TEST(Editor, OpenReportsAMissingFile) {
    TemporaryFolder folder;
    ScriptedUi ui;
    BasicEditor editor(folder.Folder(), folder.Folder());
    ui.FileAnswers.push_back(folder.File("NOPE.BAS"));
    EXPECT_FALSE(editor.Open(ui));
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_NE(ui.Errors[0].find("NOPE.BAS"), std::string::npos);
}

} // namespace
} // namespace k7
