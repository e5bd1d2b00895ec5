// The shipped example project against the shipped module library: the
// program's own reader takes it without a message, and a save writes it
// back line for line with the date it carries.
#include "tests/data/data_files.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/project_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k7 {
namespace {

TEST(ExampleProject, ReadsAndWritesBackUnchanged) {
    const LibraryLoad load = LoadModuleLibrary(test::DataFolder());
    ASSERT_TRUE(load.Messages.empty());
    std::string lineEndingFault;
    const std::vector<std::string> lines = test::SplitCrLfLines(
        test::ReadWholeFile(test::ExamplesFolder() + "pumpstation.tvr"), lineEndingFault);
    EXPECT_EQ(lineEndingFault, "");

    Project project;
    ResetProject(project, load.Library);
    const ProjectRead read = ReadProjectFile(lines, load.Library, project);
    ASSERT_TRUE(read.Ok) << read.Message;
    EXPECT_GT(project.ModuleCount(), 1);
    EXPECT_NE(project.Notes.find("\r\n"), std::string::npos) << "notes over several lines";
    EXPECT_EQ(ProjectFileLines(project, load.Library, project.SavedOnDate), lines);
}

} // namespace
} // namespace k7
