#include "tests/workspace/test_support.h"

#include <cstdio>
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
        test::WriteAll(dir.File("sys/K7MODDEF.TXT"), test::CrLf(test::TestLibraryLines()));
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
        run.Errors = test::ReadAll(dir.File("stderr.txt"));
        return run;
    }

    std::string Golden(const std::string& name) {
        return test::ReadAll(std::string(K7_GOLDEN_DIR) + name);
    }

    test::TempFolder dir;
};

} // namespace

TEST_F(K7cCommand, CheckPrintsASummary) {
    test::WriteAll(dir.File("p.tvr"), Golden("full_project.tvr"));
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
    test::WriteAll(dir.File("notes.txt"), "not a project\r\n");
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
    test::WriteAll(dir.File("p.tvr"), Golden("full_project.tvr"));
    CommandRun run = K7c("save " + dir.File("p.tvr") + " --out " + dir.File("copy.tvr") +
                         " --date '01/02/2026 10:00:00'");
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(test::ReadAll(dir.File("copy.tvr")), Golden("full_project.tvr"));

    // Without --out the project itself is saved, as Save does: with ".tvr".
    test::WriteAll(dir.File("old.TVR"), Golden("new_project.tvr"));
    run = K7c("save " + dir.File("old.TVR") + " --date '01/02/2026 10:00:00'");
    EXPECT_EQ(run.Status, 0) << run.Output << run.Errors;
    EXPECT_EQ(run.Output,
              "File is being saved with <.tvr> extension.\nSaved " + dir.File("old.tvr") + "\n");
    EXPECT_EQ(test::ReadAll(dir.File("old.tvr")), Golden("new_project.tvr"));

    run = K7c("save " + dir.File("p.tvr") + " --out " + dir.File("no/such/dir/x.tvr"));
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Errors.find("Cannot write"), std::string::npos);
}
