#include "tests/support/bytes.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"
#include "workspace/databases.h"
#include "workspace/project_file.h"
#include "workspace/text_file.h"

using namespace k7;

namespace {

const std::string Date = "01/02/2026 10:00:00";

std::vector<std::string> GoldenLines(const std::string& name) {
    TextFile file = ReadTextLines(std::string(K7_GOLDEN_DIR) + name);
    EXPECT_TRUE(file.Ok) << file.Error;
    return file.Lines;
}

std::string Golden(const std::string& name) {
    return test::ReadBytes(std::string(K7_GOLDEN_DIR) + name);
}

ProjectRead Read(const std::vector<std::string>& lines, const ModuleLibrary& library, Project& p) {
    ResetProject(p, library);
    return ReadProjectFile(lines, library, p);
}

} // namespace

TEST(ProjectFile, NewProjectIsWrittenExactly) {
    ModuleLibrary library = test::SmallLibrary();
    Project project;
    ResetProject(project, library);
    EXPECT_EQ(project.ModuleCount(), 1);
    EXPECT_EQ(project.Unit, UnitType::K7);
    EXPECT_FALSE(project.ProjectChanged);
    EXPECT_FALSE(project.NeedCompile);
    EXPECT_EQ(project.Databases.Status,
              (std::vector<std::string>{"System.BootTrg", "System.SecTrg", "System.Logon"}));

    test::TemporaryFolder dir;
    ASSERT_EQ(WriteProjectFile(dir.File("new.tvr"), project, library, Date), "");
    EXPECT_EQ(test::ReadBytes(dir.File("new.tvr")), Golden("new_project.tvr"));
}

TEST(ProjectFile, EverySectionReadsIntoItsFields) {
    ModuleLibrary library = test::SmallLibrary();
    Project p;
    ProjectRead read = Read(GoldenLines("full_project.tvr"), library, p);
    ASSERT_TRUE(read.Ok) << read.Message;

    EXPECT_EQ(p.SavedByVersion, "5.62");
    EXPECT_EQ(p.SavedOnDate, Date);
    EXPECT_EQ(p.Notes, "Pump station 3\r\nBuilt 2026");
    EXPECT_EQ(p.Unit, UnitType::K3);
    EXPECT_EQ(p.Lcd, LcdType::Small);
    EXPECT_EQ(p.Cards.At(1, 1), 10);
    EXPECT_EQ(p.Cards.At(1, 3), 14);

    ASSERT_EQ(p.ModuleCount(), 6);
    const TModuleInst& flow = p.Modules[1];
    EXPECT_EQ(flow.Notes, "Adds the two flows\r\nSecond note line");
    EXPECT_EQ(flow.Values[2], "$FF"); // "$" in an input position is a value
    EXPECT_EQ(flow.RamStart, 0x1A00u);
    EXPECT_EQ(flow.RamEnd, 0x1A03u);
    EXPECT_EQ(p.Modules[2].Aux1, 5);
    EXPECT_EQ(p.Modules[2].Aux2, -2);
    EXPECT_EQ(p.Modules[4].Category, 103);
    const TModuleInst& special = p.Modules[5];
    EXPECT_EQ(special.ModuleNumber, 9001);
    EXPECT_EQ(special.RamStart, 0x10u);
    EXPECT_EQ(special.RamEnd, 0x20u);

    EXPECT_EQ(p.Displays.size(), 2u);
    ASSERT_EQ(p.TxArray.RowCount(), 3);
    EXPECT_EQ(p.TxArray.Rows[2][TlmName], "MIX.CNT");
    ASSERT_EQ(p.RxArray.RowCount(), 2);
    EXPECT_EQ(p.RxArray.Rows[1][TlmAddress], "$1F00");

    EXPECT_EQ(p.Ladder[1].CellKinds[8], 9);
    EXPECT_EQ(p.Ladder[1].CellNames[8], "PUMP");
    EXPECT_EQ(p.Ladder[1].OnDelay, "5");
    EXPECT_EQ(p.Ladder[1].OffDelay, "LEVEL");
    EXPECT_EQ(p.Ladder[1].RungWord, 0x2100u);
    EXPECT_EQ(p.LadderRows, 10);

    EXPECT_EQ(p.Tables.size(), 3u);
    EXPECT_EQ(p.SpeechPhrases[35], "Pump station");
    EXPECT_EQ(p.SpeechReports.size(), 2u);
    EXPECT_EQ(p.BasicModules.size(), 1u);

    RebuildDatabases(p, library);
    const DatabaseLists& db = p.Databases;
    EXPECT_EQ(db.Float, (std::vector<std::string>{"FLOW.SUM", "SPLIT.A", "SPLIT.B", "MIX.ARR",
                                                  "HID.OUT", "LOW.TBL", "P1.EFF"}));
    EXPECT_EQ(db.Integer, (std::vector<std::string>{"MIX.CNT", "HIGH.TBL", "ALARM.Seq"}));
    EXPECT_EQ(db.Status, (std::vector<std::string>{
                             "System.BootTrg", "System.SecTrg", "System.Logon", "MIX.FLG", "RUN",
                             "PUMP", "ALARM.DunTrg", "ALARM.ChgTrg", "ALARM.HavAlrm"}));
    EXPECT_EQ(db.String, (std::vector<std::string>{"MIX.TXT", "P1.MSG$[20]"}));
    EXPECT_EQ(db.Tx, (std::vector<std::string>{"P1D5W1B0.FLOW.SUM", "P1D5W2B0.MIX.CNT"}));
    EXPECT_EQ(db.Rx, std::vector<std::string>{"REMOTE"});
    EXPECT_EQ(db.TxOutputCount, 1);
    EXPECT_EQ(db.RxOutputCount, 1);
    EXPECT_EQ(p.InstanceLists[2].front().Text, "FLOW...Adder");
    EXPECT_TRUE(p.InstanceLists[1].size() == 2u); // System and the 9001 record
}

TEST(ProjectFile, WritingWhatWasReadGivesTheSameFile) {
    ModuleLibrary library = test::SmallLibrary();
    Project p;
    ASSERT_TRUE(Read(GoldenLines("full_project.tvr"), library, p).Ok);
    test::TemporaryFolder dir;
    ASSERT_EQ(WriteProjectFile(dir.File("out.tvr"), p, library, Date), "");
    EXPECT_EQ(test::ReadBytes(dir.File("out.tvr")), Golden("full_project.tvr"));
}

TEST(ProjectFile, KnownLossesOnTheWayBack) {
    ModuleLibrary library = test::SmallLibrary();
    Project p;
    ResetProject(p, library);
    p.Notes = "a\nb";                  // a lone LF comes back as CR LF
    p.Modules[0].Values[11] = "stale"; // outputs are rebuilt from the name
    p.TxArray.Rows.push_back({"", "Us", "5", "1", "0", "X", "", "Float", "", ""}); // no Port
    p.Ladder[0].CellKinds[1] = 1; // kinds 0 and 1 only: not written
    p.Ladder[0].CellNames[1] = "X";
    p.SpeechPhrases[35] = "Not saved without reports";
    test::TemporaryFolder dir;
    ASSERT_EQ(WriteProjectFile(dir.File("p.tvr"), p, library, Date), "");
    Project back;
    ASSERT_TRUE(Read(ReadTextLines(dir.File("p.tvr")).Lines, library, back).Ok);
    EXPECT_EQ(back.Notes, "a\r\nb");
    EXPECT_EQ(back.Modules[0].Values[11], "System.BootTrg");
    EXPECT_EQ(back.TxArray.RowCount(), 1);
    EXPECT_EQ(back.Ladder[0].CellNames[1], "");
    EXPECT_EQ(back.SpeechPhrases[35], "");
    EXPECT_EQ(back.SpeechPhrases[34], "Minus");
}

TEST(ProjectFile, ShortNotesAreKept) {
    ModuleLibrary library = test::SmallLibrary();
    auto lines = GoldenLines("new_project.tvr");
    lines[0] += "ok";
    Project p;
    ASSERT_TRUE(Read(lines, library, p).Ok);
    EXPECT_EQ(p.Notes, "ok");
    // The version and date fields still need three characters.
    lines[0] = "!LCD display choice|x|V5|d|n";
    ASSERT_TRUE(Read(lines, library, p).Ok);
    EXPECT_EQ(p.SavedByVersion, "");
    EXPECT_EQ(p.SavedOnDate, "");
    EXPECT_EQ(p.Notes, "n");
}

TEST(ProjectFile, OlderFilesEndAfterTheLadderOrAnyLaterSection) {
    ModuleLibrary library = test::SmallLibrary();
    auto full = GoldenLines("full_project.tvr");
    auto ladderEnd = std::find(full.begin(), full.end(), "!Tables");

    std::vector<std::string> endOfJob(full.begin(), ladderEnd);
    endOfJob.push_back("!End of job");
    Project p;
    ASSERT_TRUE(Read(endOfJob, library, p).Ok);
    EXPECT_TRUE(p.Tables.empty());
    EXPECT_TRUE(p.SpeechReports.empty());
    EXPECT_TRUE(p.BasicModules.empty());
    EXPECT_EQ(p.Ladder[1].CellNames[8], "PUMP");

    auto speech = std::find(full.begin(), full.end(), "!Speech");
    std::vector<std::string> tablesOnly(full.begin(), speech);
    ASSERT_TRUE(Read(tablesOnly, library, p).Ok);
    EXPECT_EQ(p.Tables.size(), 3u);
    EXPECT_EQ(p.SpeechPhrases[1], "Zero");

    // Cut before the ladder section is closed: not a project.
    std::vector<std::string> cut(full.begin(), ladderEnd - 1);
    ProjectRead read = Read(cut, library, p);
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Message, NotAProjectMessage);
}

TEST(ProjectFile, BadInputGivesAMessageNeverACrash) {
    ModuleLibrary library = test::SmallLibrary();
    auto good = GoldenLines("full_project.tvr");
    Project p;

    EXPECT_EQ(Read({}, library, p).Message, NotAProjectMessage);
    EXPECT_EQ(Read({"hello|world"}, library, p).Message, NotAProjectMessage);
    EXPECT_EQ(Read({good[0]}, library, p).Message, NotAProjectMessage);

    auto badCard = good;
    badCard[3] = "0|ten|0|0|0|0|0|0|0|";
    ProjectRead read = Read(badCard, library, p);
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Message, "Line 4 of the project file: the card code \"ten\" is not a number.");

    auto badModule = good;
    badModule[13] = "x|10,0,0,|FLOW";
    EXPECT_FALSE(Read(badModule, library, p).Ok);

    // Over-long fields are cut to their widths.
    auto longFields = good;
    longFields[13] = "2|10,0,0,|" + std::string(60, 'N') + "|" + std::string(200, 'v') + "|b";
    ASSERT_TRUE(Read(longFields, library, p).Ok);
    EXPECT_EQ(p.Modules[1].Name.size(), 40u);
    EXPECT_EQ(p.Modules[1].Values[1].size(), 80u);

    // More instances than a project can hold.
    auto many = GoldenLines("new_project.tvr");
    auto modules = std::find(many.begin(), many.end(), "!Module list...") + 1;
    many.insert(modules, 10000, "2|10,0,0,|A|1|2|A.SUM|$0|$0");
    read = Read(many, library, p);
    EXPECT_FALSE(read.Ok);
    EXPECT_NE(read.Message.find("more than 1000"), std::string::npos);

    // A ladder longer than the grid.
    auto ladder = GoldenLines("new_project.tvr");
    auto rungs = std::find(ladder.begin(), ladder.end(), "!Ladder definition") + 1;
    ladder.insert(rungs, 250, "2|0|0|0|0|0|0|8|A|||||||C|0|0|$0|");
    read = Read(ladder, library, p);
    EXPECT_FALSE(read.Ok);
    EXPECT_NE(read.Message.find("ladder rows"), std::string::npos);

    // Binary junk after a valid header.
    std::vector<std::string> junk = {good[0]};
    for (int i = 0; i < 200; ++i) {
        std::string line;
        for (int j = 0; j < 50; ++j)
            line += static_cast<char>((i * 31 + j * 7) % 256);
        junk.push_back(line);
    }
    EXPECT_FALSE(Read(junk, library, p).Ok);
}

TEST(ProjectFile, ModuleWithoutLibraryEntryKeepsItsValues) {
    ModuleLibrary library = test::SmallLibrary();
    auto lines = GoldenLines("new_project.tvr");
    auto modules = std::find(lines.begin(), lines.end(), "!Display definition");
    lines.insert(modules, "2|77,0,0,|OLD|4|LEVEL||$10|$13");
    Project p;
    ASSERT_TRUE(Read(lines, library, p).Ok);
    EXPECT_EQ(p.Modules[1].Values[1], "4");
    EXPECT_EQ(p.Modules[1].Values[2], "LEVEL");
    EXPECT_EQ(p.Modules[1].RamStart, 0x10u);
    auto written = ProjectFileLines(p, library, Date);
    EXPECT_EQ(written[13], "2|77,0,0,|OLD|4|LEVEL|$10|$13");
}

TEST(ProjectFile, LadderGridGrowsWithTheRowsRead) {
    ModuleLibrary library = test::SmallLibrary();
    auto lines = GoldenLines("new_project.tvr");
    auto rungs = std::find(lines.begin(), lines.end(), "!Ladder definition") + 1;
    lines.insert(rungs, 20, "2|0|0|0|0|0|0|8|A|||||||C|0|0|$0|");
    Project p;
    ASSERT_TRUE(Read(lines, library, p).Ok);
    EXPECT_EQ(p.LadderRows, 22);
}
