// BASIC modules linked into a project image: RAM of the instances, the
// shared local block, module records and relocated code records.
#include "session/project_compile.h"
#include "tests/support/bytes.h"
#include "tests/support/expected_lines.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_library.h"
#include "workspace/linescan.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

// Two inputs, two outputs (OUT, MSG$[20]), one local; every kind of code
// word: opcodes, I/O indexes, a float and a string constant, a local and a
// jump.
const std::vector<std::string> PumpObject = {
    "#System Data", "8|72|2|2|0",
    "#Constants:",  "2.5|'HIGH|",
    "#Flash Code:", "t2|i0|t9|t20|c2.5|t10|t11|t17|t1|r4|t65|c'HIGH|t64|i3|t37|f8|t22|",
};

std::vector<std::string> Expected(const std::string& name) {
    return test::ExpectedLines(K7_COMPILER_EXPECTED_DIR, name);
}

void ExpectImage(const CompileContext& context, const std::string& name) {
    test::ExpectLines(context.Image.Lines, Expected(name), name);
}

// The image lines after the "#C" marker, up to the "#D" marker.
std::vector<std::string> BasicSection(const CompileContext& context) {
    const std::vector<std::string>& lines = context.Image.Lines;
    auto start = std::find(lines.begin(), lines.end(), Marker::Basic);
    auto end = std::find(lines.begin(), lines.end(), Marker::End);
    if (start == lines.end() || end == lines.end())
        return {};
    return {start + 1, end};
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
        words.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return words;
}

class BasicLinkTest : public ::testing::Test {
  protected:
    void WriteObject(const std::string& name, const std::vector<std::string>& lines) {
        ASSERT_EQ(WriteTextLines(folder.File(name), lines), "");
    }
    CompileOptions Options() const {
        CompileOptions options = test::TestOptions();
        options.BasicFolder = folder.Folder();
        return options;
    }
    CompileOutcome CompileProject(CompileContext& context) {
        return k7::CompileProject(context, progress);
    }

    test::TemporaryFolder folder;
    ModuleLibrary library = test::TestLibrary();
    Project project = test::NewTestProject(library, "C:\\K7\\PUMPS.TVR");
    CompileProgress progress;
};

TEST_F(BasicLinkTest, TwoInstancesOfOneSourceShareOneRelocatedCodeRecord) {
    WriteObject("PUMP.Obj", PumpObject);
    // P2 reads P1's output; a name with a "." is never a constant.
    project.BasicModules = {"P1|PUMP.BAS|I2.5|I5|fP1.OUT|sP1.MSG$[20]|$0|$0",
                            "P2|PUMP.BAS|IP1.OUT||fP2.OUT|sP2.MSG$[20]|$0|$0"};
    RebuildDatabases(project, library);
    CompileContext context(project, library, Options());
    EXPECT_EQ(CompileProject(context), CompileOutcome::Clean)
        << (context.Errors.size() > 1 ? context.Errors[1] : "");
    ExpectImage(context, "two_pumps.obj");
    // 12 System + 28 + 28 instance bytes + 1208 local + 1 timer cell + 4 trigger.
    EXPECT_EQ(context.RamUsed, 1281);
    EXPECT_EQ(context.FlashUsed, 0x16C);
    ASSERT_EQ(context.BasicCode.Entries().size(), 1u);
    EXPECT_EQ(context.BasicCode.Entries()[0].Name, "PUMP.Obj");
    EXPECT_EQ(context.BasicCode.Entries()[0].Size, 72u);
    // The blocks are stored in the lines, so the next compile keeps them.
    EXPECT_EQ(project.BasicModules[0], "P1|PUMP.BAS|I2.5|I5|fP1.OUT|sP1.MSG$[20]|$40F00C|$40F027");
    EXPECT_EQ(project.BasicModules[1], "P2|PUMP.BAS|IP1.OUT||fP2.OUT|sP2.MSG$[20]|$40F028|$40F043");
    EXPECT_TRUE(context.NewAddressesAssigned);
}

TEST_F(BasicLinkTest, StoredBlocksAreKeptAndAStaleOneIsPlacedAgain) {
    WriteObject("PUMP.Obj", PumpObject);
    project.BasicModules = {"P1|PUMP.BAS|I2.5|I5|fP1.OUT|sP1.MSG$[20]|$0|$0"};
    CompileContext first(project, library, Options());
    ASSERT_EQ(CompileProject(first), CompileOutcome::Clean);
    const std::string stored = project.BasicModules[0];

    CompileContext second(project, library, Options());
    ASSERT_EQ(CompileProject(second), CompileOutcome::Clean);
    EXPECT_EQ(project.BasicModules[0], stored);
    EXPECT_FALSE(second.NewAddressesAssigned);
    EXPECT_EQ(second.Image.Lines, first.Image.Lines);

    // A block that no longer fits the outputs is dropped and found anew.
    project.BasicModules[0] = "P1|PUMP.BAS|I2.5|I5|fP1.OUT|sP1.MSG$[20]|$40F100|$40F103";
    CompileContext third(project, library, Options());
    ASSERT_EQ(CompileProject(third), CompileOutcome::Clean);
    EXPECT_EQ(project.BasicModules[0], stored);
    EXPECT_TRUE(third.NewAddressesAssigned);
}

TEST_F(BasicLinkTest, MissingObjectFileIsReportedByRamAssignmentAndLink) {
    project.BasicModules = {"P1|PUMP.BAS|I2.5|I5|fP1.OUT|sP1.MSG$[20]|$0|$0"};
    CompileContext context(project, library, Options());
    EXPECT_EQ(CompileProject(context), CompileOutcome::Errors);
    EXPECT_EQ(context.ErrorList,
              (std::vector<std::string>{"Cannot find PUMP.Obj",
                                        "Cannot find PUMP.Obj referenced by P1", "Compiling..."}));
    EXPECT_TRUE(BasicSection(context).empty());
    EXPECT_EQ(context.BasicLocalRamStart, 0u);
}

TEST_F(BasicLinkTest, ObjectFileOfAFolderedSourceKeepsTheDotsOfItsName) {
    WriteObject("PUMP.V2.Obj", PumpObject);
    project.BasicModules = {"P1|PUMP.V2.BAS|I2.5|I5|fP1.OUT|sP1.MSG$[20]|$0|$0"};
    CompileContext context(project, library, Options());
    EXPECT_EQ(CompileProject(context), CompileOutcome::Clean)
        << (context.Errors.size() > 1 ? context.Errors[1] : "");
    EXPECT_EQ(BasicSection(context).size(), 2u);
}

TEST_F(BasicLinkTest, FieldsThatNoLongerMatchTheObjectFileAreReported) {
    WriteObject("PUMP.Obj", PumpObject);
    // Saved when the source had one input only.
    project.BasicModules = {"P1|PUMP.BAS|I2.5|fP1.OUT|sP1.MSG$[20]|$0|$0"};
    CompileContext context(project, library, Options());
    EXPECT_EQ(CompileProject(context), CompileOutcome::Errors);
    EXPECT_NE(std::find(context.Errors.begin(), context.Errors.end(),
                        "Inputs and outputs of P1 do not match PUMP.Obj"),
              context.Errors.end());
}

TEST_F(BasicLinkTest, TriggerAndTimerOutputsAndEmptyInput) {
    WriteObject("TICK.Obj",
                {"#System Data", "4|12|1|2|0", "#Constants:", "#Flash Code:", "t22|t22|"});
    project.BasicModules = {"T1|TICK.BAS||tT1.DONE!!|mT1.WAIT%%|$0|$0"};
    RebuildDatabases(project, library);
    CompileContext context(project, library, Options());
    ASSERT_EQ(CompileProject(context), CompileOutcome::Clean)
        << (context.Errors.size() > 1 ? context.Errors[1] : "");
    const std::vector<std::string> section = BasicSection(context);
    ASSERT_EQ(section.size(), 2u);
    const std::vector<std::string> words = Words(section[0]);
    ASSERT_EQ(words.size(), 7u); // address, marker, next, code, three I/O words
    EXPECT_EQ(words[1], "2339");
    EXPECT_EQ(words[4], "");
    // The trigger's first bit, as ordinary trigger outputs use it.
    EXPECT_EQ(words[5], LookupName(context, "@T1.DONE!!"));
    EXPECT_NE(words[5], LookupName(context, "T1.DONE!!"));
    EXPECT_EQ(words[6], LookupName(context, "T1.WAIT%%"));
    EXPECT_FALSE(words[6].empty());
    EXPECT_EQ(context.Sys.TimerCount, 1u);
}

TEST_F(BasicLinkTest, LongCodeContinuesOnLinesAtTheAddressOfTheirNextWord) {
    std::string code;
    for (int i = 0; i < 60; ++i)
        code += "t65|c'MESSAGE" + std::to_string(i % 3) + "|";
    WriteObject("LONG.Obj",
                {"#System Data", "4|" + std::to_string(4 * 120 + 4) + "|0|1|0",
                 "#Constants:", "'MESSAGE0|'MESSAGE1|'MESSAGE2|", "#Flash Code:", code});
    project.BasicModules = {"L1|LONG.BAS|sL1.TEXT$[10]|$0|$0"};
    RebuildDatabases(project, library);
    CompileContext context(project, library, Options());
    ASSERT_EQ(CompileProject(context), CompileOutcome::Clean)
        << (context.Errors.size() > 1 ? context.Errors[1] : "");
    const std::vector<std::string> section = BasicSection(context);
    ASSERT_GT(section.size(), 3u);
    uint32_t expectedAddress = HexValue(Words(section[1])[0]);
    size_t wordCount = 0;
    for (size_t i = 1; i < section.size(); ++i) {
        const std::string& line = section[i];
        ASSERT_EQ(line.substr(line.size() - 2), "|\\");
        const std::vector<std::string> words = Words(line);
        EXPECT_EQ(HexValue(words[0]), expectedAddress) << line;
        // Closed once past 120 characters, measured without the last bar.
        if (i + 1 < section.size()) {
            EXPECT_GT(line.size() - 2, 120u) << line;
        }
        const std::string withoutLastWord = line.substr(0, line.size() - 2 - words.back().size());
        EXPECT_LE(withoutLastWord.size() - 1, 120u) << line;
        expectedAddress += 4 * static_cast<uint32_t>(words.size() - 1);
        wordCount += words.size() - 1;
    }
    EXPECT_EQ(wordCount, 121u); // header word and 120 code words
    EXPECT_EQ(context.FlashCursor - HexValue(Words(section[1])[0]), 4u * 121 + 8);
}

TEST_F(BasicLinkTest, LocalBlockIsSizedByTheLargestModuleAndStringsHoldTheirLength) {
    WriteObject("SMALL.Obj", {"#System Data", "8|8|0|1|0", "#Constants:", "#Flash Code:", "t22|"});
    WriteObject("BIG.Obj", {"#System Data", "400|8|0|1|0", "#Constants:", "#Flash Code:", "t22|"});
    project.BasicModules = {"S1|SMALL.BAS|sS1.MSG$[20]|$0|$0", "B1|BIG.BAS|fB1.TABLE(2,3)|$0|$0"};
    RebuildDatabases(project, library);
    CompileContext context(project, library, Options());
    ASSERT_EQ(CompileProject(context), CompileOutcome::Clean)
        << (context.Errors.size() > 1 ? context.Errors[1] : "");
    // MSG$[20]: 20 characters and the terminating zero in whole words.
    EXPECT_EQ(project.BasicModules[0], "S1|SMALL.BAS|sS1.MSG$[20]|$40F00C|$40F023");
    EXPECT_EQ(project.BasicModules[1], "B1|BIG.BAS|fB1.TABLE(2,3)|$40F024|$40F03B");
    EXPECT_EQ(context.BasicLocalRamStart, 0x40F03Cu);
    EXPECT_EQ(context.RamUsed, 12 + 24 + 24 + 1600 + 1 + 4);
    ASSERT_EQ(context.BasicCode.Entries().size(), 2u);
    EXPECT_EQ(context.BasicCode.Entries()[1].Address, context.BasicCode.Entries()[0].Address + 8);
}

TEST_F(BasicLinkTest, BrokenObjectFileIsAClearErrorNotACrash) {
    WriteObject("BAD.Obj", {"#System Data", "x|y", "#Flash Code:", "\x01\x02|"});
    project.BasicModules = {"X1|BAD.BAS|fX1.OUT|$0|$0", "short line"};
    RebuildDatabases(project, library);
    CompileContext context(project, library, Options());
    EXPECT_EQ(CompileProject(context), CompileOutcome::Errors);
    EXPECT_GE(context.ErrorCount, 2);
    EXPECT_TRUE(BasicSection(context).empty());
}

} // namespace
} // namespace k7
