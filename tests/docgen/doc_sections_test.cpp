#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/name_order.h"

#include "tests/docgen/doc_fixture.h"
#include "workspace/databases.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::DocLibrary;
using test::MakeInstance;
using Lines = std::vector<std::string>;

const Lines NoIntro;

template <typename Writer> DocLines Write(Writer writer, const Project& project) {
    DocLines out;
    writer(DocSource{project, DocLibrary(), NoIntro, true}, out);
    return out;
}

TEST(IntroBlock, RunsToTheNextMarkerLongerThanTwoCharacters) {
    const Lines intro = {"text before", "!A first", "a1", "!",        "!B",
                         "a2",          "!Bx next", "b1", "!A again", "a3"};
    EXPECT_EQ(IntroBlock(intro, 'A'), (Lines{"a1", "!", "!B", "a2"}));
    // "!B" alone is the first line beginning with "!B".
    EXPECT_EQ(IntroBlock(intro, 'B'), (Lines{"a2"}));
    EXPECT_TRUE(IntroBlock(intro, 'Z').empty());
    EXPECT_EQ(IntroBlock({"!Q last", "q1", "q2"}, 'Q'), (Lines{"q1", "q2"}));
    EXPECT_TRUE(IntroBlock({}, 'B').empty());
}

TEST(NoteLines, SplitAtEveryBreakWithoutATrailingEmptyLine) {
    EXPECT_EQ(NoteLines("one\r\ntwo\r\n"), (Lines{"one", "two"}));
    EXPECT_EQ(NoteLines("one\r\n\r\nthree"), (Lines{"one", "", "three"}));
    EXPECT_EQ(NoteLines("lone\nfeed\rreturn"), (Lines{"lone", "feed", "return"}));
    EXPECT_TRUE(NoteLines("").empty());
}

TEST(ModuleOrder, SortsNameBarNumberFoldingLetters) {
    Project project = test::NewDocProject();
    project.Modules.push_back(MakeInstance("beta", 3, 20, {}));
    project.Modules.push_back(MakeInstance("Alpha", 3, 20, {}));
    project.Modules.push_back(MakeInstance("_x", 3, 20, {}));
    project.Modules.push_back(MakeInstance("alpha", 3, 20, {}));
    project.Modules.push_back(MakeInstance("Tank2", 3, 20, {}));
    project.Modules.push_back(MakeInstance("Tank", 3, 20, {}));
    // Entries "_x|4" "Alpha|3" "alpha|5" "beta|2" "System|1" "Tank2|6"
    // "Tank|7": "_" (0x5F) sorts before the folded letters (0x61..), the
    // numbers tell "Alpha" from "alpha", and "|" (0x7C) sorts after "2".
    EXPECT_EQ(ModuleOrderList(project, true), (std::vector<int>{3, 2, 4, 1, 0, 5, 6}));
    EXPECT_EQ(ModuleOrderList(project, false), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(IoSection, SettingsLinePaddingAndChannelModules) {
    Project project = test::NewDocProject();
    project.Modules.push_back(
        MakeInstance("P", 1, 8, {std::string(40, 'A'), std::string(30, 'B'), "C"}));
    project.Cards.At(3, 4) = 8; // one channel
    project.Modules.push_back(MakeInstance("T23", 1, 23, {"1", "4", "3"}));
    // Bound by its values, but not an I/O module type (TypeCode 3).
    project.Modules.push_back(MakeInstance("LOOP", 3, 20, {"1", "4", "3"}));
    DocLines out = Write(WriteIoSection, project);
    // The first value is longer than 36: no padding; the second pad then applies to 61.
    EXPECT_EQ(out, (DocLines{std::string(40, 'A') + "  Baud=" + std::string(30, 'B') + "  Parity=C",
                             "  3   " + std::string(24, ' ') + "AO 1    " + std::string(32, ' '),
                             "Cage 3, card 4 = AO 1    :", "  Chan 1 T23...DiginCount"}));
}

TEST(IoSection, PulseDurationChannelsAreNotSpare) {
    Project project = test::NewDocProject();
    project.Cards.At(1, 1) = 8;
    project.Cards.At(1, 2) = 8;
    project.Modules.push_back(MakeInstance("IN", 1, 154, {"1", "1", "1"}));
    project.Modules.push_back(MakeInstance("OUT", 1, 155, {"1", "2", "1", "IN.Dur"}));
    DocLines out = Write(WriteIoSection, project);
    EXPECT_EQ(out, (DocLines{"  1   AO 1    AO 1    " + std::string(48, ' '),
                             "Cage 1, card 1 = AO 1    :", "  Chan 1 IN...PulseDurationIn",
                             "Cage 1, card 2 = AO 1    :",
                             "  Chan 1 OUT...PulseDurationOut  Duration=IN.Dur"}));
}

TEST(IoSection, ChannelLineWrapsItemsAfterEightyCharacters) {
    Project project = test::NewDocProject();
    project.Cards.At(1, 8) = 8;
    project.Modules.push_back(
        MakeInstance(std::string(60, 'N'), 1, 155, {"1", "8", "1", std::string(40, 'V')}));
    DocLines out = Write(WriteIoSection, project);
    // 88 characters before the item: it goes on a continuation line.
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[out.size() - 2], "  Chan 1 " + std::string(60, 'N') + "...PulseDurationOut");
    EXPECT_EQ(out.back(), "        ...  Duration=" + std::string(40, 'V'));
}

TEST(ModulesSection, WrapRuleStartsANewLineOnlyPastEighty) {
    Project project = test::NewDocProject();
    // 79 + piece, then 90 > 80 wraps.
    TModuleInst pid = MakeInstance("PUMP", 3, 20, {std::string(50, 'x'), "1", "2"});
    project.Modules = {pid};
    DocLines out = Write(WriteModulesSection, project);
    const std::string first = "PUMP...PID  Process value=" + std::string(50, 'x');
    ASSERT_EQ(first.size(), 76u);
    EXPECT_EQ(out,
              (DocLines{first + "  Setpoint=1",
                        "        ...  Proportional gain=2  Integral time=  Derivative time="}));
}

TEST(DisplaysSection, FontCodesAndMissingFields) {
    Project project = test::NewDocProject();
    project.Displays = {"~A|1|2|0|T|", "~B|1|2|1|T|", "~C|1|2|2|T|", "~D|1|2|3|T|", "~E|1|2"};
    DocLines out = Write(WriteDisplaysSection, project);
    ASSERT_EQ(out.size(), 20u);
    EXPECT_EQ(out[2], "DISPLAY NAME=A  Port=1  DSP#=2  Font=1X  Trigger=T");
    EXPECT_EQ(out[6], "DISPLAY NAME=B  Port=1  DSP#=2  Font=2X  Trigger=T");
    EXPECT_EQ(out[10], "DISPLAY NAME=C  Port=1  DSP#=2  Font=4X  Trigger=T");
    EXPECT_EQ(out[14], "DISPLAY NAME=D  Port=1  DSP#=2  Font=  Trigger=T");
    EXPECT_EQ(out[18], "DISPLAY NAME=E  Port=1  DSP#=2  Font=  Trigger=");
}

TEST(DisplaysSection, LongTextWrapsBeforeTheNextField) {
    Project project = test::NewDocProject();
    const std::string text(81, '@');
    project.Displays = {"~A|1|2|0|T|", text + "|FIRST.Var|SECOND.Var|3|", "short|ab|NOT.Shown|"};
    DocLines out = Write(WriteDisplaysSection, project);
    EXPECT_EQ(out, (DocLines{"", "", "DISPLAY NAME=A  Port=1  DSP#=2  Font=1X  Trigger=T", "",
                             "  " + text, "     ...  FIRST.Var  SECOND.Var",
                             "  short" + std::string(40, '.')}));
}

TEST(DisplaysSection, DuplicateNamesDocumentTheFirstDisplayEachTime) {
    Project project = test::NewDocProject();
    project.Displays = {"~A|1|0|0|T1|", "one|", "~A|2|0|0|T2|", "two|"};
    DocLines out = Write(WriteDisplaysSection, project);
    ASSERT_EQ(out.size(), 10u);
    EXPECT_EQ(out[2], "DISPLAY NAME=A  Port=1  DSP#=0  Font=1X  Trigger=T1");
    EXPECT_EQ(out[7], "DISPLAY NAME=A  Port=1  DSP#=0  Font=1X  Trigger=T1");
}

TTlmRow TlmRow(const std::string& word, const std::string& name) {
    TTlmRow row;
    row[TlmPort] = "1";
    row[TlmSource] = "Us";
    row[TlmDest] = "2";
    row[TlmWord] = word;
    row[TlmName] = name;
    row[TlmType] = "Integer";
    return row;
}

TEST(TelemetrySection, NeedsThreeTxRowsAndSkipsRowsWithoutAWord) {
    Project project = test::NewDocProject();
    project.TxArray.Rows.push_back(TlmRow("1", "A"));
    project.RxArray.Rows.push_back(TlmRow("1", "R1"));
    project.RxArray.Rows.push_back(TlmRow("2", "R2"));
    EXPECT_TRUE(Write(WriteTelemetrySection, project).empty());

    project.TxArray.Rows.push_back(TlmRow("", "B"));
    project.RxArray.Rows.pop_back();
    const std::string a = "  Port=1  Src=Us  Dest=2  Wd=1  Bit=  A";
    EXPECT_EQ(Write(WriteTelemetrySection, project),
              (DocLines{"TX ARRAYS:", "",
                        a + std::string(60 - a.size(), ' ') + "  Mult=" + std::string(3, ' ') +
                            "  Integer"}));
}

TEST(LadderSection, VerticalMarksReachTheNextWrittenRungOnly) {
    Project project = test::NewDocProject();
    project.Ladder[0].CellKinds = {0, 2, 3, 4, 10, 2, 2, 2, 9};
    project.Ladder[0].OnDelay = "0";
    project.Ladder[0].OffDelay = "7";
    project.Ladder[2].CellKinds = {0, 2, 2, 6, 6, 1, 0, 5, 0};
    project.Ladder[2].CellNames = {"", "", "NAME.Two", "NAME.Three", "", "", "", "", ""};
    project.Ladder[3].CellKinds = {0, 2, 0, 0, 0, 0, 0, 0, 11};
    project.Ladder[3].CellNames[3] = "NAME.Three";
    DocLines out = Write(WriteLadderSection, project);
    const std::string blank12(12, ' ');
    const std::string vertical = "    |       ";
    EXPECT_EQ(
        out,
        (DocLines{
            "  " + blank12 + blank12 + blank12 + blank12 + blank12 + blank12 + blank12 + blank12,
            "------------      |     ------*-----------*     ------------------------"
            "------------( ) ON=0 OFF=7",
            "  " + blank12 + vertical + vertical + vertical + blank12 + blank12 + blank12 + blank12,
            "------------------------------|     ------|     " + blank12 + blank12 + blank12 +
                blank12,
            "  " + blank12 + blank12 + "NAME.Three  " + blank12 + blank12 + blank12 + blank12 +
                blank12,
            "------------" + blank12 + blank12 + blank12 + blank12 + blank12 + blank12 + blank12}));
}

TEST(LadderSection, NamesAreCutToElevenCharacters) {
    Project project = test::NewDocProject();
    project.Ladder[0].CellKinds = {0, 8, 0, 0, 0, 0, 0, 0, 0};
    project.Ladder[0].CellNames[1] = "ABCDEFGHIJKLMNOP";
    project.LadderRows = 1;
    EXPECT_TRUE(Write(WriteLadderSection, project).empty());
    project.LadderRows = 2;
    EXPECT_EQ(Write(WriteLadderSection, project).at(0),
              "  ABCDEFGHIJK " + std::string(7 * 12, ' '));
}

TEST(TablesSection, ColumnCountThatIsNotANumberAndRowNumbersFromTen) {
    Project project = test::NewDocProject();
    project.Tables = {"~T|R|W|G|11|x|4|0|$0|$0|"};
    for (int r = 1; r <= 10; ++r)
        project.Tables.push_back("Integer|ROW" + std::to_string(r) + "|||R.TBL|");
    DocLines out = Write(WriteTablesSection, project);
    ASSERT_EQ(out.size(), 2u + 1 + 10 + 2);
    EXPECT_EQ(out[0], "TABLE NAME=T  Read column ctrl=R  Write column ctrl=W");
    EXPECT_EQ(out[1], "Write trigger=G  #Rows=11  #Cols=x  #Output chars/string=4");
    EXPECT_EQ(out[2], "ROW  TYPE      READNAME   WRITESRC    OUTPUT");
    EXPECT_EQ(out[3], "1   Integer    ROW1       ---        RAM        ");
    EXPECT_EQ(out[12], "10  Integer    ROW10      ---        RAM        ");
    EXPECT_EQ(out[13], "");
}

TEST(TablesSection, NothingAfterTheBlockWithoutTables) {
    Project project = test::NewDocProject();
    const Lines intro = {"!X Tables", "TABLES:"};
    DocLines out;
    WriteTablesSection(DocSource{project, DocLibrary(), intro, true}, out);
    EXPECT_EQ(out, DocLines{"TABLES:"});
}

TEST(SpeechSection, NoReportsWriteNotEvenTheBlock) {
    Project project = test::NewDocProject();
    const Lines intro = {"!V Speech", "SPEECH:"};
    DocLines out;
    WriteSpeechSection(DocSource{project, DocLibrary(), intro, true}, out);
    EXPECT_TRUE(out.empty());
}

TEST(SpeechSection, FourteenCellsAndPhraseNumbersOutOfRange) {
    Project project = test::NewDocProject();
    for (int row = 1; row <= PhraseCount; ++row)
        project.SpeechPhrases[row] = "";
    project.SpeechPhrases[254] = "Last";
    project.SpeechPhrases[255] = "Never";
    project.SpeechReports = {"~R|a|b|c|d|e|1", "1|2|3|4|5|6|7|8|9|10|11|12|13|254|255|",
                             "EN;@|300|9x|V;@@|"};
    project.SpeechPhrases[1] = "P1";
    DocLines out = Write(WriteSpeechSection, project);
    // Phrases 2 to 13 are empty and add one blank each; cell 15 (phrase 255) is not read.
    EXPECT_EQ(out, (DocLines{"1 P1", "254 Last", " ", " ", "REPORTS:", " ",
                             "RPT NAME=R, RPT Trig=a, RPT STOP=b, LINE Trig=c, LINE SEL=d, "
                             "SCAN Trig=e, BOARD=1",
                             "1 P1" + std::string(13, ' ') + "Last ", "2 {EN;@}   {V;@@} "}));
}

TEST(DatabasesSection, ListsOfOneNameAreLeftOut) {
    Project project = test::NewDocProject();
    project.Databases.Float = {"F.One"};
    project.Databases.Integer = {"I.One", "I.Two"};
    project.Databases.String = {"S.One"};
    project.Databases.Status = {};
    EXPECT_EQ(Write(WriteDatabasesSection, project),
              (DocLines{"DATABASES...", " ", "INTEGER DATABASE...", "   I.One", "   I.Two"}));
}

} // namespace
} // namespace k7
