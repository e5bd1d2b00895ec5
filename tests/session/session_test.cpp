// The session's project link: what Send takes from the last compile, and
// when it reads Intermed.Obj back instead of compiling.
#include "session/session.h"
#include "tests/support/bytes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"
#include "workspace/databases.h"
#include "workspace/text_file.h"

#include <filesystem>

using namespace k7;

namespace {

struct SessionTest : ::testing::Test {
    SessionTest() {
        StartOptions options = test::SmallLibraryStart(dir.Folder());
        session.Start(options);
    }

    void AddAdder() {
        Workspace& space = session.Space();
        TModuleInst adder;
        adder.Category = 2;
        adder.ModuleNumber = 10;
        adder.Name = "ADD";
        adder.Values[1] = "System.BootTrg";
        adder.Values[2] = "1.5";
        adder.Values[3] = "ADD.SUM";
        space.project.Modules.push_back(adder);
        RebuildDatabases(space.project, space.library);
        space.MarkProjectChanged(ProjectPart::Modules);
    }

    std::string ImagePath() const { return dir.File("K7System/Intermed.Obj"); }

    test::TemporaryFolder dir;
    test::ScriptedUi ui;
    Session session{ui, [] { return std::string("01/02/2026 10:00:00"); }};
};

} // namespace

TEST_F(SessionTest, SendTakesIntermedObjBackUntilTheProjectChanges) {
    EXPECT_FALSE(session.Link().ProjectPresent());
    AddAdder();
    ASSERT_TRUE(session.Link().ProjectPresent());

    // Needing a compile, Send compiles; the image is also written to disk.
    const std::optional<std::vector<std::string>> compiled = session.Link().ImageToSend();
    ASSERT_TRUE(compiled);
    EXPECT_FALSE(session.Space().project.NeedCompile);
    EXPECT_EQ(ReadTextLines(ImagePath()).Lines, *compiled);

    // Compiled and unchanged, Send reads the file back: what is on disk is
    // what goes to the unit.
    const std::vector<std::string> onDisk = {"@FILENAME", "read back"};
    ASSERT_EQ(WriteTextLines(ImagePath(), onDisk), "");
    EXPECT_EQ(session.Link().ImageToSend(), onDisk);

    // A change needs a compile again, whose image replaces the file's.
    session.Space().MarkProjectChanged(ProjectPart::Notes);
    EXPECT_EQ(session.Link().ImageToSend(), compiled);
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(SessionTest, AnImageThatCannotBeReadBackIsAnErrorNotAStaleImage) {
    AddAdder();
    ASSERT_TRUE(session.Link().ImageToSend());
    std::filesystem::remove(ImagePath());
    EXPECT_FALSE(session.Link().ImageToSend());
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_NE(ui.Errors[0].find("Intermed.Obj"), std::string::npos);
}
