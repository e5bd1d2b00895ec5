// BASIC names taken from a project never reach a file outside the BASIC
// folder: a valid object file and source sit just outside it, and every
// way of naming them from the project is refused with its own message.
#include "basic/basic_instance.h"
#include "basic/object_file.h"
#include "session/project_compile.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_library.h"
#include "workspace/databases.h"
#include "workspace/text_file.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

namespace k7 {
namespace {

const std::vector<std::string> ValidObject = {"#System Data", "4|12|0|0|0",
                                              "#Constants:", "#Flash Code:", "t22|t22|"};

struct FolderBounds : ::testing::Test {
    void SetUp() override {
        basicFolder = root.Folder() + "basic/";
        ASSERT_EQ(mkdir(basicFolder.c_str(), 0755), 0);
        // Within reach of every refused name below, were it followed.
        ASSERT_EQ(WriteTextLines(root.File("OUT.Obj"), ValidObject), "");
        ASSERT_EQ(WriteTextLines(root.File("OUT.BAS"), {"#CODE", "END"}), "");
        ASSERT_EQ(WriteTextLines(basicFolder + "IN.Obj", ValidObject), "");
    }
    std::vector<std::string> CompileWith(const std::string& sourceName) {
        project = test::NewTestProject(library, "C:\\K7\\PUMPS.TVR");
        project.BasicModules = {"B1|" + sourceName + "|$0|$0"};
        RebuildDatabases(project, library);
        CompileOptions options = test::TestOptions();
        options.BasicFolder = basicFolder;
        CompileContext context(project, library, options);
        CompileProgress progress;
        outcome = CompileProject(context, progress);
        return context.Errors;
    }
    test::TemporaryFolder root;
    std::string basicFolder;
    ModuleLibrary library = test::TestLibrary();
    Project project;
    CompileOutcome outcome = CompileOutcome::Errors;
};

TEST_F(FolderBounds, PlainNameInTheFolderLinks) {
    const std::vector<std::string> errors = CompileWith("IN.BAS");
    EXPECT_EQ(outcome, CompileOutcome::Clean) << (errors.size() > 1 ? errors[1] : "");
}

TEST_F(FolderBounds, NamesReachingOutsideAreRefusedAndNotRead) {
    const std::string absolute = root.File("OUT.BAS");
    for (const std::string& name :
         {std::string("../OUT.BAS"), std::string("..\\OUT.BAS"), absolute, std::string("C:OUT.BAS"),
          std::string("C:\\K7\\OUT.BAS"), std::string("sub/IN.BAS"), std::string("..")}) {
        const std::vector<std::string> errors = CompileWith(name);
        EXPECT_EQ(outcome, CompileOutcome::Errors) << name;
        const std::string refusal = BasicFileNameProblem(ObjectFileName(name));
        ASSERT_FALSE(refusal.empty()) << name;
        EXPECT_NE(std::find(errors.begin(), errors.end(), refusal), errors.end()) << name;
        for (const std::string& error : errors)
            EXPECT_EQ(error.find("Cannot find"), std::string::npos) << error;
    }
    EXPECT_EQ(BasicFileNameProblem("../OUT.Obj"),
              "BASIC file name ../OUT.Obj refused: it must name a file of the BASIC folder, "
              "without folders or a drive");
}

TEST_F(FolderBounds, InstanceEditorDoesNotOpenASourceOutsideTheFolder) {
    test::ScriptedUi ui;
    Workspace space(ui, [] { return std::string(); });
    space.settings.BasicFolder = basicFolder;
    space.project.BasicModules = {"B1|../OUT.BAS|||$0|$0"};
    BasicInstanceEditor editor(space);
    EXPECT_FALSE(editor.EditModule("B1...../OUT.BAS"));
    EXPECT_EQ(ui.Errors, std::vector<std::string>{BasicFileNameProblem("../OUT.BAS")});
}

} // namespace
} // namespace k7
