// The TX and RX sections against images written by hand, and the rules of
// elements, groups and buffer needs.
#include "tests/compiler/telemetry_projects.h"
#include "tests/support/temporary_folder.h"

#include "basic/basic_build.h"
#include "workspace/project_file.h"
#include "workspace/telemetry_arrays.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>

namespace k7 {
namespace {

TTlmRow Row(const std::string& port, const std::string& source, const std::string& dest,
            const std::string& word, const std::string& bit, const std::string& name,
            const std::string& mult, const std::string& type, const std::string& address = "") {
    return {port, source, dest, word, bit, name, mult, type, "", address};
}

class TelemetryCompile : public ::testing::Test {
  protected:
    CompileOutcome Run() {
        context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        return k7::CompileProject(*context, progress);
    }

    ModuleLibrary library = test::TelemetryLibrary();
    Project project = test::NewTestProject(library, "C:\\K7\\TXGROUPS.TVR");
    CompileProgress progress;
    std::unique_ptr<CompileContext> context;
};

TEST_F(TelemetryCompile, TxGroupsSplitByADestination) {
    auto& tx = project.TxArray.Rows;
    tx.push_back(Row("1", "Us", "5", "1", "-", "GlobalSP", "", "Integer"));
    tx.push_back(Row("1", "Us", "7", "1", "1", "System.Logon", "", "Status"));
    tx.push_back(Row("1", "Us", "5", "2", "-", "GlobalRTC", "10.0", "Float"));
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    test::ExpectImage(context->Image, test::ExpectedImage("tx_groups.obj"), "tx_groups.obj");
    EXPECT_EQ(context->RamUsed, 12 + 1 + 4 + 320);
    EXPECT_EQ(context->FlashUsed, 0x148);
}

TEST_F(TelemetryCompile, RxRowsWithSystemNames) {
    project.FileName = "C:\\K7\\RXNAMES.TVR";
    auto& rx = project.RxArray.Rows;
    rx.push_back(Row("4", "12", "Us", "1", "-", "12.LEVEL", "", "Float", "$0"));
    rx.push_back(Row("4", "12", "Us", "3", "-", "GlobalSP", "", "Integer", "$0"));
    rx.push_back(Row("4", "12", "Us", "4", "-", "GlobalRTC", "", "Long Int", "$0"));
    rx.push_back(Row("4", "12", "Us", "6", "-", "ArchiveData", ".1", "Integer", "$0"));
    rx.push_back(Row("4", "12", "Us", "7", "1", "12.ALARM", "", "Status", "$0"));
    rx.push_back(Row("4", "12", "Us", "7", "2", "12.RUN", "", "Status", "$0"));
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    test::ExpectImage(context->Image, test::ExpectedImage("rx_system_names.obj"),
                      "rx_system_names.obj");
    EXPECT_EQ(context->RamUsed, 12 + 20 + 1 + 4 + 320);
    EXPECT_EQ(project.RxArray.Rows[1][TlmAddress], "140F00C");
}

TEST_F(TelemetryCompile, TwoRowsAreNoArray) {
    project.TxArray.Rows.push_back(Row("", "", "", "", "", "", "", ""));
    project.RxArray.Rows.push_back(Row("1", "2", "Us", "1", "-", "2.A", "", "Integer"));
    ASSERT_EQ(Run(), CompileOutcome::Clean);
    EXPECT_TRUE(test::Section(context->Image, "#6 Tx...|\\").empty());
    EXPECT_TRUE(test::Section(context->Image, "#7 Rx...|\\").empty());
    EXPECT_TRUE(test::Section(context->Image, "#9 Com buffer def, TX then RX...|\\").empty());
}

TEST_F(TelemetryCompile, UnresolvedNamesAreSkippedButCountInGroups) {
    auto& tx = project.TxArray.Rows;
    tx.push_back(Row("2", "Us", "3", "1", "-", "NOWHERE", "", "Integer"));
    tx.push_back(Row("2", "Us", "3", "", "-", "NOWORD", "", "Integer")); // not compiled
    tx.push_back(Row("2", "Us", "3", "2", "-", "", "", "Integer"));      // empty target
    tx.push_back(Row("2", "Us", "3", "3", "-", "GlobalSP", "", "Integer"));
    EXPECT_EQ(Run(), CompileOutcome::Errors);
    EXPECT_EQ(test::Reported(*context),
              (std::vector<std::string>{"Cannot find NOWHERE in TX array"}));
    // Elements: the empty-named row at 400D8, GlobalSP at 400E0; the group
    // still counts the skipped row, so it runs from 400D8 to 400E8.
    EXPECT_EQ(test::Section(context->Image, "#6 Tx...|\\"),
              (std::vector<std::string>{"400D4|2329|\\", "400D8||||1000|\\",
                                        "400E8|2328|400FC|2FF03|400D8|400E8|\\"}));
    EXPECT_EQ(context->Sys.Tx, 0x400E8u);
}

TEST_F(TelemetryCompile, ElementCodesAndLongLines) {
    auto& rx = project.RxArray.Rows;
    const char* mults[] = {"10000.0", "1000.0", "100.0",  "10.0",   "1.0", ".1", ".01",
                           ".001",    ".0001",  "0.0001", ".00001", "2.5", ""};
    int word = 1;
    for (const char* mult : mults) {
        rx.push_back(Row("3", "9", "Us", std::to_string(word), "-", "9.V" + std::to_string(word),
                         mult, "Integer", "$0"));
        ++word;
    }
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    // Codes: Word * 256 + Mult code * 16 + type; addresses from 40F00C on,
    // tag 1 for every row with a multiplier other than "1.0".
    const std::vector<std::string> expected = {
        "400D4|232B|\\",
        "400D8|140|140F00C|250|140F010|360|140F014|470|140F018|500|40F01C|690|140F020|7A0|"
        "140F024|\\",
        "40110|8B0|140F028|9C0|140F02C|AC0|140F030|BD0|140F034|C00|140F038|D00|40F03C|\\",
        "40140|232A|40154|309FF|400D8|40138|\\",
    };
    EXPECT_EQ(test::Section(context->Image, "#7 Rx...|\\"), expected);
}

TEST_F(TelemetryCompile, DuplicateRxNamesAreReportedWhenFlagged) {
    auto& rx = project.RxArray.Rows;
    rx.push_back(Row("1", "4", "Us", "1", "-", "4.A", "", "Integer", "$0"));
    rx.push_back(Row("1", "4", "Us", "2", "-", "4.A", "", "Integer", "$0"));
    rx.push_back(Row("1", "4", "Us", "3", "-", "GlobalSP", "", "Integer", "$0"));
    rx.push_back(Row("1", "4", "Us", "4", "-", "GlobalSP", "", "Integer", "$0"));
    rx.push_back(Row("1", "4", "Us", "5", "-", "4.A", "", "Integer", "$0"));
    EXPECT_EQ(Run(), CompileOutcome::Errors);
    // Row 1 meets two later rows, row 2 one: three reports.
    EXPECT_EQ(test::Reported(*context),
              std::vector<std::string>(3, "4.A appears more than once in RX array"));

    CompileOptions quiet = test::TestOptions();
    quiet.FlagDuplicateDbNames = false;
    CompileContext unflagged(project, library, quiet);
    EXPECT_EQ(k7::CompileProject(unflagged, progress), CompileOutcome::Clean);
}

TEST_F(TelemetryCompile, PortsAndUnitsThatAreNotNumbers) {
    auto& tx = project.TxArray.Rows;
    tx.push_back(Row("0", "Us", "x", "1", "-", "GlobalSP", "", "Integer"));
    tx.push_back(Row("one", "Us", "0", "2", "-", "GlobalSP", "", "Integer"));
    tx.push_back(Row("1", "Us", "Us", "3", "-", "GlobalSP", "", "Integer"));
    tx.push_back(Row("99", "Us", "Us", "4", "-", "GlobalSP", "", "Integer"));
    EXPECT_EQ(Run(), CompileOutcome::Errors);
    EXPECT_EQ(test::Reported(*context),
              (std::vector<std::string>{"Out of range port 99 in TX array"}));
    // Port "0" and a port that is no number are port 1, dest "x" is 0: one group.
    const auto section = test::Section(context->Image, "#6 Tx...|\\");
    ASSERT_EQ(section.size(), 5u);
    EXPECT_EQ(section[2], "400F8|2328|4010C|1FF00|400D8|400E0|\\");
    EXPECT_EQ(section[3], "4010C|2328|40120|1FFFF|400E8|400E8|\\");
    EXPECT_EQ(section[4], "40120|2328|40134|63FFFF|400F0|400F0|\\");
    EXPECT_EQ(context->Buffers.Tx[1], 160);
}

TEST_F(TelemetryCompile, RxBufferFollowsTheSpanOfTheMessage) {
    auto& rx = project.RxArray.Rows;
    // Stored addresses: message one runs from 40F100 up to message two at
    // 40F200; message two ends at the next message, on port 6, at 40F204.
    rx.push_back(Row("5", "2", "Us", "1", "-", "2.A", "", "Integer", "40F100"));
    rx.push_back(Row("5", "2", "Us", "2", "-", "2.B", "", "Integer", "40F104"));
    rx.push_back(Row("5", "3", "Us", "1", "-", "3.A", "", "Float", "140F200"));
    rx.push_back(Row("6", "3", "Us", "1", "-", "3.B", "", "Float", "140F204"));
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    // Group 1: span 0x100 -> (64+1)*4+20 = 280; group 2: span 4 -> 28;
    // port 6: last address + 4, span 4 -> 28, raised to 160 by the buffer section.
    EXPECT_EQ(context->Buffers.Rx[5], 280);
    EXPECT_EQ(context->Buffers.Rx[6], 160);
}

TEST_F(TelemetryCompile, AThousandRowMessageCompiles) {
    auto& rx = project.RxArray.Rows;
    for (int i = 1; i <= 1000; ++i)
        rx.push_back(Row("7", "3", "Us", std::to_string(i), "-", "3.V" + std::to_string(i), "",
                         "Integer", "$0"));
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    // 4000 bytes of values: the message buffer stops at 1000.
    EXPECT_EQ(context->Buffers.Rx[7], 1000);
    const auto section = test::Section(context->Image, "#7 Rx...|\\");
    EXPECT_EQ(section.back(), "42018|232A|4202C|703FF|400D8|42010|\\");
    for (const std::string& line : section)
        EXPECT_LE(line.size(), 80u + 20u);
}

// The shipped example sends to and receives from the SCADA master on the
// modem port and shows the wet well on an LCD panel.
TEST(ExampleProject, CompilesCleanWithItsMessagesAndDisplay) {
    LibraryLoad load = LoadModuleLibrary(std::string(K7_SOURCE_DIR) + "data/");
    ASSERT_TRUE(load.Messages.empty()) << load.Messages.front();
    Project project;
    ResetProject(project, load.Library);
    const TextFile file = ReadTextLines(std::string(K7_SOURCE_DIR) + "examples/pumpstation.tvr");
    ASSERT_TRUE(file.Ok) << file.Error;
    ASSERT_TRUE(ReadProjectFile(file.Lines, load.Library, project).Ok);
    CompactArray(project.TxArray);
    CompactArray(project.RxArray);
    RebuildDatabases(project, load.Library);
    // The example's BASIC module is built first, as the demo does.
    test::TemporaryFolder temporary;
    const std::string& folder = temporary.Folder();
    const TextFile source =
        ReadTextLines(std::string(K7_SOURCE_DIR) + "examples/K7Basic/PUMPEFF.BAS");
    ASSERT_TRUE(source.Ok) << source.Error;
    ASSERT_EQ(BuildBasicModule(source.Lines, folder + "PUMPEFF.BAS").Outcome,
              BasicBuildOutcome::Built);
    CompileOptions options = test::TestOptions();
    options.BasicFolder = folder;
    CompileContext context(project, load.Library, options);
    CompileProgress progress;
    const CompileOutcome outcome = k7::CompileProject(context, progress);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(outcome, CompileOutcome::Clean)
        << (context.ErrorList.size() > 1 ? context.ErrorList[1] : "");
    EXPECT_EQ(test::Section(context.Image, "#6 Tx...|\\").size(), 3u);
    EXPECT_EQ(test::Section(context.Image, "#7 Rx...|\\").size(), 3u);
    EXPECT_EQ(test::Section(context.Image, "#8 Displays...|\\").size(), 5u);
}

} // namespace
} // namespace k7
