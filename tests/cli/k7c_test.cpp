#include "tests/support/bytes.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

using namespace k7;

namespace {

struct CommandRun {
    int Status = -1;
    std::string Output; // standard output
    std::string Errors; // standard error
};

class K7cCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(dir.File("sys"));
        test::WriteBytes(dir.File("sys/K7MODDEF.TXT"), test::CrLf(test::SmallLibraryLines()));
    }

    CommandRun K7c(const std::string& arguments) {
        const std::string command = std::string(K7C_PATH) + " --settings " +
                                    dir.File("K7Setup.ini") + " --system " + dir.File("sys") + " " +
                                    arguments + " 2>" + dir.File("stderr.txt") + " </dev/null";
        CommandRun run;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.Output.append(buffer, n);
        int status = pclose(pipe);
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Errors = test::ReadBytes(dir.File("stderr.txt"));
        return run;
    }

    std::string Golden(const std::string& name) {
        return test::ReadBytes(std::string(K7_GOLDEN_DIR) + name);
    }

    test::TemporaryFolder dir;
};

} // namespace

TEST_F(K7cCommand, CheckPrintsASummary) {
    test::WriteBytes(dir.File("p.tvr"), Golden("full_project.tvr"));
    CommandRun run = K7c("check " + dir.File("p.tvr"));
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_NE(run.Output.find("Unit: K3, LCD: Small"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("Instances: 6 (I/O + System 2, Math 1, Control 1, Statistics 0, "
                              "Commun. 1)"),
              std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("Databases: Floating Pt 7, Integer 3, Status 9, TX 2, RX 1, "
                              "Strings 2"),
              std::string::npos)
        << run.Output;
    EXPECT_EQ(run.Errors, "");
}

TEST_F(K7cCommand, ExitStatusTellsWhatWentWrong) {
    test::WriteBytes(dir.File("notes.txt"), "not a project\r\n");
    CommandRun notProject = K7c("check " + dir.File("notes.txt"));
    EXPECT_EQ(notProject.Status, 1);
    EXPECT_EQ(notProject.Output, "Referenced file is not K7/K3 program.\n");

    CommandRun missing = K7c("check " + dir.File("absent.tvr"));
    EXPECT_EQ(missing.Status, 2);
    EXPECT_NE(missing.Errors.find("absent.tvr"), std::string::npos);

    EXPECT_EQ(K7c("check").Status, 2);
    EXPECT_EQ(K7c("no-such-command").Status, 2);
    EXPECT_EQ(K7c("--help").Status, 0);
}

TEST_F(K7cCommand, SaveWritesTheCurrentFormat) {
    test::WriteBytes(dir.File("p.tvr"), Golden("full_project.tvr"));
    CommandRun run = K7c("save " + dir.File("p.tvr") + " --out " + dir.File("copy.tvr") +
                         " --date '01/02/2026 10:00:00'");
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(test::ReadBytes(dir.File("copy.tvr")), Golden("full_project.tvr"));

    // Without --out the project itself is saved, as Save does: with ".tvr".
    test::WriteBytes(dir.File("old.TVR"), Golden("new_project.tvr"));
    run = K7c("save " + dir.File("old.TVR") + " --date '01/02/2026 10:00:00'");
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(run.Output,
              "File is being saved with <.tvr> extension.\nSaved " + dir.File("old.tvr") + "\n");
    EXPECT_EQ(test::ReadBytes(dir.File("old.tvr")), Golden("new_project.tvr"));

    run = K7c("save " + dir.File("p.tvr") + " --out " + dir.File("no/such/dir/x.tvr"));
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Errors.find("Cannot write"), std::string::npos);
}

namespace {

// The one-line module library and the empty project the image cases start
// from; each case adds the lines of one section (see image_cases/README.md).
const char* CaseLibrary = "57|1|System|The unit itself.|DOSG.Boot trigger.BootTrg|"
                          "DOSG.Second trigger.SecTrg|DOSS.Logon.Logon|\\\r\n";

std::string CaseProject(const std::string& tx, const std::string& tables,
                        const std::string& basic) {
    std::string project = "!Unit type|LCD display choice|5.62|06/12/2026 10:00:00|\r\n7|0\r\n"
                          "!Card Configuration...\r\n";
    for (int cage = 0; cage < 8; ++cage)
        project += "0|0|0|0|0|0|0|0|0|\r\n";
    return project +
           "!Module list...\r\n"
           "1|57,0,0,|System|System.BootTrg|System.SecTrg|System.Logon|$0|$0\r\n"
           "!Display definition\r\n!TX telemetry definition\r\n" +
           tx + "!RX telemetry definition\r\n!Ladder definition\r\n!Tables\r\n" + tables +
           "!Speech\r\n!Basic\r\n" + basic + "!End of job\r\n";
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class K7cImageCase : public K7cCommand, public ::testing::WithParamInterface<const char*> {
  protected:
    std::string CaseFile(const std::string& name) const {
        const std::string path = std::string(K7_IMAGE_CASES_DIR) + GetParam() + "/" + name;
        return std::filesystem::exists(path) ? test::ReadBytes(path) : std::string();
    }
    CommandRun CompileCase(const std::string& extra) {
        return K7c("--basic " + dir.File("bas") + " compile " + dir.File("project.tvr") +
                   " --out " + dir.File("image.txt") + " --date '06/12/2026 10:00:00'" + extra);
    }
};

// Each case's image.txt is the whole image, derived by hand in
// image_cases/README.md.
TEST_P(K7cImageCase, ImageHoldsTheLinesDerivedByHand) {
    test::WriteBytes(dir.File("sys/K7MODDEF.TXT"), CaseLibrary);
    test::WriteBytes(
        dir.File("project.tvr"),
        CaseProject(CaseFile("tx.txt"), CaseFile("tables.txt"), CaseFile("basic.txt")));
    std::filesystem::create_directory(dir.File("bas"));
    const std::string sources = std::string(K7_IMAGE_CASES_DIR) + GetParam() + "/bas";
    if (std::filesystem::exists(sources))
        for (const auto& entry : std::filesystem::directory_iterator(sources)) {
            const std::string name = entry.path().filename().string();
            std::filesystem::copy_file(entry.path(), dir.File("bas/" + name));
            CommandRun built = K7c("basic " + dir.File("bas/" + name));
            ASSERT_EQ(built.Status, 0) << built.Output << built.Errors;
        }

    CommandRun run = CompileCase(" --save");
    ASSERT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(SplitLines(test::ReadBytes(dir.File("image.txt"))),
              SplitLines(CaseFile("image.txt")));

    // The addresses saved by the first compile give the same image again.
    const std::string first = test::ReadBytes(dir.File("image.txt"));
    run = CompileCase("");
    ASSERT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(test::ReadBytes(dir.File("image.txt")), first);
    const std::string saved = CaseFile("saved.txt");
    if (!saved.empty()) {
        EXPECT_NE(test::ReadBytes(dir.File("project.tvr")).find(SplitLines(saved).front()),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, K7cImageCase,
                         ::testing::Values("tx_exact_80", "tx_last_line", "basic_timer_output",
                                           "basic_no_outputs", "basic_code_last_line",
                                           "basic_record_last_line", "table_row_last_line"));

} // namespace

namespace {

struct BasicErrorCase {
    const char* Name;
    const char* Source;
    const char* Listing; // what `k7c basic` prints
};

// An ELSE with no IF open is found out after the next field was read, so
// both its messages go to the line that field is on (the next line when
// the ELSE ends its own), and that line is not compiled further: a label
// on it stays undefined. Past the last line a statement inside an open
// parenthesis still reports its own fault after "Missing parenthesis above".
const BasicErrorCase BasicErrorCases[] = {
    {"ELSE1", "#OUTPUTS\nResult:B\n#CODE\nB = 1\nELSE\nB = 2\n",
     "line 6: ELSE without preceding IF\nline 6: Cannot find ENDIF destination\n"
     "There are 2 errors.\n"},
    {"ELSE2", "#OUTPUTS\nResult:B\n#CODE\nB = 1\nELSE B = 2\n",
     "line 5: ELSE without preceding IF\nline 5: Cannot find ENDIF destination\n"
     "There are 2 errors.\n"},
    {"GOTO1", "#OUTPUTS\nResult:B\n#CODE\nB = 1\nGOTO DONE\nELSE\nDONE:\nB = 2\n",
     "line 5: Cannot find label DONE\nline 7: ELSE without preceding IF\n"
     "line 7: Cannot find ENDIF destination\nThere are 3 errors.\n"},
    {"PAREN1", "#OUTPUTS\nResult:B\n#CODE\nB = (1 + 2\n",
     "line 4: Missing parenthesis above\nline 4: Missing parenthesis\nThere are 2 errors.\n"},
};

} // namespace

TEST_F(K7cCommand, BasicErrorsGoToTheLineTheyWereFoundOn) {
    for (const BasicErrorCase& c : BasicErrorCases) {
        SCOPED_TRACE(c.Name);
        const std::string path = dir.File(std::string(c.Name) + ".BAS");
        test::WriteBytes(path, c.Source);
        CommandRun run = K7c("basic " + path);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Output, c.Listing);
    }
}

// The documentation lists instances in the compiler's order: entries
// name + "|" + number, letters folded, then by byte. "pump|2" before
// "PUMP|3" (equal when folded, "2" < "3"), and "Tank2|4" before "Tank|5"
// ("2" 0x32 sorts before "|" 0x7C). With an empty introduction file the
// document is the title line and one line per instance.
TEST_F(K7cCommand, DocumentationListsModulesInTheCompilersOrder) {
    test::WriteBytes(dir.File("sys/K7MODDEF.TXT"),
                     std::string(CaseLibrary) +
                         "99|2|Adder|Adds.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\\r\n");
    test::WriteBytes(dir.File("sys/Docintro.TXT"), "");
    std::string project = CaseProject("", "", "");
    const std::string adders = "2|99,0,0,|pump|1|2|pump.SUM|$0|$0\r\n"
                               "2|99,0,0,|PUMP|3|4|PUMP.SUM|$0|$0\r\n"
                               "2|99,0,0,|Tank2|5|6|Tank2.SUM|$0|$0\r\n"
                               "2|99,0,0,|Tank|7|8|Tank.SUM|$0|$0\r\n";
    project.insert(project.find("!Display definition"), adders);
    test::WriteBytes(dir.File("order.tvr"), project);

    CommandRun run = K7c("doc " + dir.File("order.tvr") +
                         " --without instructions,io,displays,tlm,ladder,tables,speech,"
                         "databases,xref --date '06/12/2026 10:00:00'");
    ASSERT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(test::ReadBytes(dir.File("order.tvr.Txt")),
              "Project Source File: order.tvr  06/12/2026 10:00:00\r\n"
              "pump...Adder  Input A=1  Input B=2\r\n"
              "PUMP...Adder  Input A=3  Input B=4\r\n"
              "System...System\r\n"
              "Tank2...Adder  Input A=5  Input B=6\r\n"
              "Tank...Adder  Input A=7  Input B=8\r\n");
}

namespace {

const char* AdderLine = "99|2|Adder|Adds.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\\r\n";

// The case project with one adder whose first input is given.
std::string ProjectWithAdder(const std::string& input) {
    std::string project = CaseProject("", "", "");
    project.insert(project.find("!Display definition"),
                   "2|99,0,0,|ADD|" + input + "|2|ADD.SUM|$0|$0\r\n");
    return project;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

// A first compile assigns RAM addresses: without --save the project file
// stays as it was and the output says how to keep them; with --save they
// are stored, so the next compile assigns none. A name that exists nowhere
// is a compile error: exit status 1.
TEST_F(K7cCommand, CompileStoresNewAddressesOnlyWithSave) {
    test::WriteBytes(dir.File("sys/K7MODDEF.TXT"), std::string(CaseLibrary) + AdderLine);
    const std::string project = ProjectWithAdder("System.BootTrg");
    test::WriteBytes(dir.File("p.tvr"), project);
    const std::string compile = "compile " + dir.File("p.tvr") + " --out " + dir.File("image.txt") +
                                " --date '06/12/2026 10:00:00'";

    CommandRun run = K7c(compile);
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_TRUE(Contains(run.Output, "No errors\nNew RAM addresses were assigned; --save stores "
                                     "them in the project.\n"))
        << run.Output;
    EXPECT_TRUE(Contains(run.Output, "Done compiling...no errors\n")) << run.Output;
    EXPECT_EQ(test::ReadBytes(dir.File("p.tvr")), project);
    EXPECT_TRUE(Contains(test::ReadBytes(dir.File("image.txt")), "\r\n"));

    run = K7c(compile + " --save");
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_TRUE(Contains(run.Output, "New RAM addresses were assigned and saved in the project.\n"))
        << run.Output;
    EXPECT_NE(test::ReadBytes(dir.File("p.tvr")), project);

    run = K7c(compile);
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_FALSE(Contains(run.Output, "New RAM addresses")) << run.Output;

    test::WriteBytes(dir.File("bad.tvr"), ProjectWithAdder("Nowhere.Value"));
    run = K7c("compile " + dir.File("bad.tvr") + " --out " + dir.File("bad.txt"));
    EXPECT_EQ(run.Status, 1) << run.Output << run.Errors;
    EXPECT_TRUE(Contains(run.Output, "Done compiling...errors\n")) << run.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.txt")));
}

// --without leaves a section out; a file that cannot be written and a
// section name that does not exist are usage errors (exit status 2).
TEST_F(K7cCommand, DocWritesTheChosenSectionsAndRefusesWhatItCannotDo) {
    test::WriteBytes(dir.File("sys/K7MODDEF.TXT"), std::string(CaseLibrary) + AdderLine);
    test::WriteBytes(dir.File("sys/Docintro.TXT"), "");
    test::WriteBytes(dir.File("p.tvr"), ProjectWithAdder("System.BootTrg"));
    const std::string doc = "doc " + dir.File("p.tvr") + " --date '06/12/2026 10:00:00'";

    CommandRun run = K7c(doc + " --out " + dir.File("all.txt"));
    ASSERT_EQ(run.Status, 0) << run.Output << run.Errors;
    const std::string all = test::ReadBytes(dir.File("all.txt"));
    EXPECT_TRUE(Contains(all, "ADD...Adder  Input A=System.BootTrg  Input B=2\r\n")) << all;

    run = K7c(doc + " --out " + dir.File("some.txt") + " --without modules,xref");
    ASSERT_EQ(run.Status, 0) << run.Output << run.Errors;
    const std::string some = test::ReadBytes(dir.File("some.txt"));
    EXPECT_FALSE(Contains(some, "ADD...Adder")) << some;
    EXPECT_LT(some.size(), all.size());

    run = K7c(doc + " --out " + dir.File("no/such/dir/doc.txt"));
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Contains(run.Errors, "no/such/dir/doc.txt")) << run.Errors;
    EXPECT_EQ(K7c(doc + " --without pictures").Status, 2);
}
