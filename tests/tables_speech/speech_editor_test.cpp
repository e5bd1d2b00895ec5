// The phrase vocabulary and the speech report editor's rules: cells holding
// phrase numbers, spoken numbers and phrase selectors, the format box,
// insert, delete and blank, and save, delete and abandon.
#include "tables_speech/phrase_vocabulary.h"
#include "tables_speech/speech_editor.h"
#include "tables_speech/speech_report.h"
#include "tests/support/scripted_ui.h"
#include "workspace/databases.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace k7;

namespace {

class SpeechEditing : public ::testing::Test {
  protected:
    void SetUp() override { ResetProject(workspace.project, workspace.library); }

    std::vector<std::string>& Stored() { return workspace.project.SpeechReports; }
    // Phrase texts are kept only in a project that holds a speech report.
    void AddReport() { Stored() = {"~Spare||||||1"}; }
    bool ListHas(const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    }

    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    SpeechEditor editor{workspace};
};

TEST_F(SpeechEditing, VocabularyHas34PresetsInOrder) {
    const char* presets[] = {"Zero",     "One",      "Two",      "Three",   "Four",    "Five",
                             "Six",      "Seven",    "Eight",    "Nine",    "Ten",     "Eleven",
                             "Twelve",   "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen",
                             "Eighteen", "Nineteen", "Twenty",   "Thirty",  "Forty",   "Fifty",
                             "Sixty",    "Seventy",  "Eighty",   "Ninety",  "Hundred", "Thousand",
                             "Million",  "Billion",  "Point",    "Minus"};
    for (int n = 1; n <= 34; ++n)
        EXPECT_EQ(PhraseText(workspace.project, n), presets[n - 1]) << n;
    EXPECT_EQ(PhraseText(workspace.project, 35), "");
    EXPECT_EQ(PhraseText(workspace.project, 255), "");
    EXPECT_EQ(PhraseText(workspace.project, 0), "");
    EXPECT_EQ(PhraseText(workspace.project, 256), "");
    EXPECT_STREQ(PhraseNumberTitle, "#");
    EXPECT_STREQ(PhraseTextTitle, "PHRASE");
}

TEST_F(SpeechEditing, PhraseTextsThatAFileCouldNotHoldAreRefused) {
    EXPECT_FALSE(PhrasesEditable(workspace.project));
    EXPECT_FALSE(SetPhraseText(workspace, 40, "Tank level is"));
    EXPECT_EQ(ui.Errors.back(), PhraseNeedsReportMessage);
    EXPECT_EQ(PhraseText(workspace.project, 40), "");
    AddReport();
    EXPECT_TRUE(PhrasesEditable(workspace.project));
    EXPECT_TRUE(SetPhraseText(workspace, 40, "Tank level is"));
    EXPECT_EQ(PhraseText(workspace.project, 40), "Tank level is");
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_FALSE(SetPhraseText(workspace, 41, "~Alarm"));
    EXPECT_EQ(ui.Errors.back(), LeadingTildeMessage);
    EXPECT_FALSE(SetPhraseText(workspace, 41, "!End"));
    EXPECT_EQ(ui.Errors.back(), LeadingBangMessage);
    EXPECT_FALSE(SetPhraseText(workspace, 41, "A"));
    EXPECT_EQ(ui.Errors.back(), PhraseShortMessage);
    EXPECT_FALSE(SetPhraseText(workspace, 41, "a|b"));
    EXPECT_EQ(ui.Errors.back(), BarRefusedMessage);
    EXPECT_FALSE(SetPhraseText(workspace, 256, "Too far"));
    EXPECT_EQ(ui.Errors.back(), PhraseNumberMessage);
    EXPECT_EQ(PhraseText(workspace.project, 41), "");
    EXPECT_TRUE(SetPhraseText(workspace, 40, "")); // clearing is allowed
}

TEST_F(SpeechEditing, GridTitlesAndInitialLines) {
    EXPECT_EQ(editor.LineCount(), 19);
    EXPECT_EQ(editor.Title(0), "#");
    EXPECT_EQ(editor.Title(1), "LINE ENBL");
    EXPECT_EQ(editor.Title(2), "PHRASE 1");
    EXPECT_EQ(editor.Title(15), "PHRASE 14");
    EXPECT_EQ(editor.ShownCell(4, 0), "4");
}

TEST_F(SpeechEditing, DroppedPhrasesShowTheirTextAndStoreTheirNumber) {
    AddReport();
    SetPhraseText(workspace, 40, "Tank level is");
    EXPECT_TRUE(editor.DropPhrase(1, 2, 40));
    EXPECT_EQ(editor.StoredCell(1, 2), "40");
    EXPECT_EQ(editor.ShownCell(1, 2), "Tank level is");
    EXPECT_TRUE(editor.Changed());
    EXPECT_FALSE(editor.DropPhrase(0, 2, 5));  // title line
    EXPECT_FALSE(editor.DropPhrase(1, 0, 5));  // "#" column
    EXPECT_FALSE(editor.DropPhrase(20, 2, 5)); // past the grid
    EXPECT_FALSE(editor.DropPhrase(1, 2, 256));
}

TEST_F(SpeechEditing, DroppedVariablesAreSpokenNumbersFirst) {
    EXPECT_TRUE(editor.DropVariable(1, 3, "Tank.Level"));
    EXPECT_EQ(editor.StoredCell(1, 3), "Tank.Level;@@@.@@");
    EXPECT_EQ(editor.ShownCell(1, 3), "Tank.Level");
    EXPECT_FALSE(editor.DropVariable(1, 3, "a;b"));
    EXPECT_EQ(ui.Errors.back(), SemicolonRefusedMessage);
    EXPECT_FALSE(editor.DropVariable(1, 3, "a|b"));
    EXPECT_EQ(editor.StoredCell(1, 3), "Tank.Level;@@@.@@");
}

TEST_F(SpeechEditing, FormatBoxTurnsAVariableIntoASelectorAndBack) {
    AddReport();
    SetPhraseText(workspace, 40, "Pump is off");
    editor.DropVariable(2, 4, "Pump.State");
    EXPECT_FALSE(editor.ClickCell(2, 5)); // an empty cell opens nothing
    ASSERT_TRUE(editor.ClickCell(2, 4));
    EXPECT_EQ(editor.Box().Text, "@@@.@@");
    EXPECT_TRUE(editor.DropPhraseOnFormat(40));
    EXPECT_EQ(editor.Box().Text, "Pump is off");
    ASSERT_TRUE(editor.CloseFormatBox());
    EXPECT_EQ(editor.StoredCell(2, 4), "Pump.State;40");

    ASSERT_TRUE(editor.ClickCell(2, 4));
    EXPECT_EQ(editor.Box().Text, "Pump is off"); // the first phrase's text
    EXPECT_TRUE(editor.TypeFormat("@@@@"));
    ASSERT_TRUE(editor.CloseFormatBox());
    EXPECT_EQ(editor.StoredCell(2, 4), "Pump.State;@@@@");
    EXPECT_FALSE(editor.Box().Open);
    EXPECT_STREQ(FormatBoxCaption, "Variable Speech Format Definition");
}

TEST_F(SpeechEditing, FormatBoxRefusesFormatsTheUnitCannotRead) {
    editor.DropVariable(1, 2, "Tank.Level");
    ASSERT_TRUE(editor.ClickCell(1, 2));
    editor.TypeFormat("@@.@.@");
    EXPECT_FALSE(editor.CloseFormatBox());
    EXPECT_EQ(ui.Errors.back(), FormatMessage);
    EXPECT_TRUE(editor.Box().Open);
    editor.TypeFormat("@x@");
    EXPECT_FALSE(editor.CloseFormatBox());
    editor.TypeFormat(std::string(256, '@'));
    EXPECT_FALSE(editor.CloseFormatBox());
    editor.TypeFormat("@.@@@");
    EXPECT_TRUE(editor.CloseFormatBox());
    EXPECT_EQ(editor.StoredCell(1, 2), "Tank.Level;@.@@@");
    // The enable cell's format is not used: no box there.
    editor.DropVariable(1, 1, "Alarm.On");
    EXPECT_FALSE(editor.ClickCell(1, 1));
}

TEST_F(SpeechEditing, InsertDeleteAndBlank) {
    editor.DropPhrase(1, 2, 1);
    editor.DropPhrase(2, 2, 2);
    editor.DropPhrase(19, 2, 19);
    EXPECT_TRUE(editor.InsertLine(2));
    EXPECT_EQ(editor.LineCount(), 20);
    EXPECT_EQ(editor.StoredCell(2, 2), "");
    EXPECT_EQ(editor.StoredCell(3, 2), "2");
    EXPECT_EQ(editor.StoredCell(20, 2), "19");

    EXPECT_TRUE(editor.DeleteLine(1));
    EXPECT_EQ(editor.LineCount(), 20);
    EXPECT_EQ(editor.StoredCell(2, 2), "2");
    EXPECT_EQ(editor.StoredCell(19, 2), "19");
    EXPECT_EQ(editor.StoredCell(20, 2), "");

    EXPECT_TRUE(editor.BlankCell(2, 2));
    EXPECT_EQ(editor.StoredCell(2, 2), "");
    EXPECT_FALSE(editor.InsertLine(21));
    EXPECT_FALSE(editor.DeleteLine(0));
}

TEST_F(SpeechEditing, SaveNeedsANameOfTwoCharacters) {
    editor.TypeName("R");
    EXPECT_FALSE(editor.SaveReport());
    EXPECT_EQ(ui.Errors.back(), "You must name the report before saving");
    EXPECT_TRUE(Stored().empty());
    // The name begins variable names that a line's enable cell can hold.
    EXPECT_FALSE(editor.TypeName("~Alarm"));
    EXPECT_EQ(ui.Errors.back(), LeadingTildeMessage);
    EXPECT_EQ(editor.Header().Name, "R");
}

TEST_F(SpeechEditing, SaveWritesTheHeaderAndTheLinesThatSaySomething) {
    editor.TypeName("Alarm");
    editor.TypeTrigger("Alarm.Go");
    editor.TypeLineSelect("Line.Sel");
    EXPECT_TRUE(editor.TypeBoard("2"));
    editor.DropVariable(1, 1, "Hi.Level");
    editor.DropPhrase(1, 2, 40);
    editor.DropVariable(1, 3, "Tank.Level");
    editor.DropPhrase(1, 4, 5);
    editor.DropVariable(2, 1, "X"); // enable of one character and no phrase: dropped
    editor.DropPhrase(3, 3, 7);     // no enable, no first phrase: dropped
    editor.DropPhrase(4, 2, 9);     // a first phrase: kept
    ASSERT_TRUE(editor.SaveReport());
    // Each line holds 15 cells, each followed by "|". "X;@@@.@@" has more
    // than one character: its line is kept.
    const std::vector<std::string> expected = {
        "~Alarm|Alarm.Go|||Line.Sel||2",
        "Hi.Level;@@@.@@|40|Tank.Level;@@@.@@|5|" + std::string(11, '|'),
        "X;@@@.@@|" + std::string(14, '|'),
        "|9|" + std::string(13, '|'),
    };
    EXPECT_EQ(Stored(), expected);
    EXPECT_FALSE(editor.Changed());
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_EQ(workspace.project.SpeechReportNames, std::vector<std::string>{"Alarm"});
    EXPECT_TRUE(ListHas(workspace.project.Databases.Status, "Alarm.DunTrg"));
    EXPECT_TRUE(ListHas(workspace.project.Databases.Integer, "Alarm.Seq"));
}

TEST_F(SpeechEditing, SaveReplacesTheReportOfTheSameNameAndEditReadsItBack) {
    Stored() = {"~Alarm|A|B|C|D|E|3", "7||||||||||||||", "~Other||||||1", "1|2|||||||||||||"};
    editor.SelectEntry("Alarm");
    ASSERT_TRUE(editor.EditReport());
    EXPECT_EQ(editor.Header().Stop, "B");
    EXPECT_EQ(editor.Header().ScanTrigger, "E");
    EXPECT_EQ(editor.Header().Board, "3");
    EXPECT_EQ(editor.ShownCell(1, 1), "Six"); // phrase 1 is "Zero"
    EXPECT_EQ(editor.LineCount(), 19);
    editor.DropPhrase(1, 2, 8);
    ASSERT_TRUE(editor.SaveReport());
    const std::vector<std::string> expected = {"~Other||||||1", "1|2|||||||||||||",
                                               "~Alarm|A|B|C|D|E|3", "7|8|" + std::string(13, '|')};
    EXPECT_EQ(Stored(), expected);
}

TEST_F(SpeechEditing, EditAsksBeforeDroppingEdits) {
    Stored() = {"~Alarm||||||1"};
    editor.SelectEntry("Alarm");
    editor.TypeName("Typed");
    EXPECT_FALSE(editor.EditReport()); // answered No: the edits stay
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    EXPECT_EQ(editor.Header().Name, "Typed");
    ui.YesNoAnswers = {true};
    ASSERT_TRUE(editor.EditReport());
    EXPECT_EQ(editor.Header().Name, "Alarm");
}

TEST_F(SpeechEditing, BoardNumberIsOneDigitFrom1To8) {
    EXPECT_FALSE(editor.TypeBoard("9"));
    EXPECT_FALSE(editor.TypeBoard("0"));
    EXPECT_FALSE(editor.TypeBoard("12"));
    EXPECT_EQ(ui.Errors.back(), BoardNumberMessage);
    EXPECT_TRUE(editor.TypeBoard("8"));
    EXPECT_EQ(editor.Header().Board, "8");
}

TEST_F(SpeechEditing, EditAndDeleteNeedASelection) {
    EXPECT_FALSE(editor.EditReport());
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");
    ui.YesNoAnswers = {true};
    EXPECT_FALSE(editor.DeleteReport());
    EXPECT_EQ(ui.Questions.back(), "Confirm OK to delete?");
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");
}

TEST_F(SpeechEditing, DeleteAsksThenRemovesTheReport) {
    Stored() = {"~Alarm||||||1", "1|||||||||||||||", "~Other||||||1"};
    RebuildDatabases(workspace.project, workspace.library);
    editor.SelectEntry("Alarm");
    EXPECT_FALSE(editor.DeleteReport());
    EXPECT_EQ(Stored().size(), 3u);
    ui.YesNoAnswers = {true};
    EXPECT_TRUE(editor.DeleteReport());
    EXPECT_EQ(Stored(), std::vector<std::string>{"~Other||||||1"});
    EXPECT_FALSE(ListHas(workspace.project.Databases.Status, "Alarm.HavAlrm"));
    EXPECT_TRUE(workspace.project.ProjectChanged);
}

TEST_F(SpeechEditing, DeletingTheLastReportPutsChangedPhrasesBackToThePresets) {
    Stored() = {"~Alarm||||||1", "1|||||||||||||||"};
    editor.SelectEntry("Alarm");
    ASSERT_TRUE(SetPhraseText(workspace, 40, "Tank level is"));
    ui.YesNoAnswers = {true, false};
    EXPECT_FALSE(editor.DeleteReport());
    EXPECT_EQ(ui.Questions,
              (std::vector<std::string>{"Confirm OK to delete?", LastReportPhrasesQuestion}));
    EXPECT_EQ(Stored().size(), 2u);
    ui.YesNoAnswers = {true, true};
    ASSERT_TRUE(editor.DeleteReport());
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(PhraseText(workspace.project, 40), "");
    EXPECT_TRUE(PhrasesArePresets(workspace.project));
}

TEST_F(SpeechEditing, CloseAsksOnlyWithUnsavedChanges) {
    EXPECT_TRUE(editor.CloseEditor());
    editor.BlankCell(1, 1);
    EXPECT_FALSE(editor.CloseEditor());
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    EXPECT_FALSE(editor.NewReport()); // answered No: the edits stay
    EXPECT_TRUE(editor.Changed());
    ui.YesNoAnswers = {true};
    EXPECT_TRUE(editor.NewReport());
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.Header().Name, "");
}

TEST_F(SpeechEditing, CellsAreReadByTheirFirstCharacterAndDelimiter) {
    EXPECT_EQ(ParseSpeechCell("").Kind, SpeechCellKind::Empty);
    const SpeechCell phrase = ParseSpeechCell("40");
    EXPECT_EQ(phrase.Kind, SpeechCellKind::Phrase);
    EXPECT_EQ(phrase.Phrase, 40u);
    const SpeechCell number = ParseSpeechCell("LEVEL;@@@.@@");
    EXPECT_EQ(number.Kind, SpeechCellKind::SpokenNumber);
    EXPECT_EQ(number.Variable, "LEVEL");
    EXPECT_EQ(FormatWord(number.Format), 0xFF000302u);
    EXPECT_EQ(FormatWord("@@@@"), 0xFF000400u);
    const SpeechCell selector = ParseSpeechCell("STATE;40");
    EXPECT_EQ(selector.Kind, SpeechCellKind::PhraseSelector);
    EXPECT_EQ(selector.Variable, "STATE");
    EXPECT_EQ(selector.Phrase, 40u);
    EXPECT_EQ(ParseSpeechCell("LEVEL").Kind, SpeechCellKind::Undelimited);
    EXPECT_EQ(ParseSpeechCell("99999999999999").Phrase, 0xFFFFFFFFu);
}

} // namespace

TEST_F(SpeechEditing, ResetDropsTheReportAndSelectionWithoutAsking) {
    editor.NewReport();
    editor.TypeName("Alarm");
    ASSERT_TRUE(editor.SaveReport());
    editor.SelectEntry("Alarm");
    ASSERT_TRUE(editor.EditReport());
    editor.TypeName("Renamed");
    editor.Reset();
    EXPECT_TRUE(ui.Questions.empty());
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.Header().Name, "");
    EXPECT_FALSE(editor.EditReport());
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");
}
