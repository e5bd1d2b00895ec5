// Every kind of file the system writes whole, made to fail at each step of
// the write: the old file stays byte for byte, no temporary file is left
// and the one message shown names the file.
#include "basic/basic_editor.h"
#include "basic/object_file.h"
#include "comm/port_names.h"
#include "compiler/download_image.h"
#include "docgen/documentation.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"
#include "workspace/project.h"
#include "workspace/settings.h"
#include "workspace/text_file.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

namespace k7 {
namespace {

const std::string OldContent = "old content\r\nkept byte for byte\r\n";

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A writer saves the file at path the way its command does; it returns the
// messages the user saw (a writer without a window returns its result).
using Writer = std::function<std::vector<std::string>(const std::string& path)>;

struct FileKind {
    const char* Name;
    const char* FileName;
    Writer Save;
};

std::vector<std::string> Returned(const std::string& message) {
    return message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message};
}

std::vector<FileKind> FileKinds() {
    return {
        {"Project", "PUMPS.tvr",
         [](const std::string& path) {
             test::ScriptedUi ui;
             Workspace space(ui, [] { return std::string("12/07/2026 10:00:00"); });
             ResetProject(space.project, space.library);
             space.project.FileName = path;
             space.SaveProject();
             return ui.Errors;
         }},
        {"Settings", "K7Setup.ini",
         [](const std::string& path) {
             test::ScriptedUi ui;
             Workspace space(ui, [] { return std::string(); });
             space.settingsPath = path;
             space.SaveSettings();
             return ui.Errors;
         }},
        {"PortMap", PortNamesFileName,
         [](const std::string& path) { return Returned(SavePortNames(path, PortNameTable())); }},
        {"DownloadImage", ImageFileName,
         [](const std::string& path) {
             DownloadImage image;
             image.Lines = {"#0 File name...|\\", "40000|NEW.TVR|\\"};
             return Returned(WriteImageFile(path, image));
         }},
        {"BasicSource", "PUMP.BAS",
         [](const std::string& path) {
             test::ScriptedUi ui;
             BasicEditor editor(FolderPart(path), FolderPart(path));
             editor.LoadFile(path, ui);
             editor.EditText({"#CODE", "END"});
             editor.Save(ui);
             return ui.Errors;
         }},
        {"ObjectFile", "PUMP.Obj",
         [](const std::string& path) {
             BasicCompileOutput output;
             output.CodeLines = {"t22|"};
             return Returned(WriteBasicObjectFile(path, output));
         }},
        {"Documentation", "PUMPS.tvr.Txt",
         [](const std::string& path) {
             test::ScriptedUi ui;
             Workspace space(ui, [] { return std::string(); });
             space.settings.SystemFolder = std::string(K7_SOURCE_DIR) + "/data/";
             ResetProject(space.project, space.library);
             DocumentationChoices choices = OpenDocumentationChoices(space.project);
             choices.FileName = path;
             ProgressPanel progress;
             GenerateDocumentation(space, choices, "12/07/2026 10:00:00", ui, progress);
             return ui.Errors;
         }},
    };
}

struct SafeSave : ::testing::TestWithParam<std::tuple<int, WriteStep>> {
    void TearDown() override { SetWriteFault({}); }
    test::TemporaryFolder folder;
};

TEST_P(SafeSave, FailedWriteLeavesTheOldFileAndOneMessageNamingIt) {
    const FileKind kind = FileKinds()[std::get<0>(GetParam())];
    const WriteStep failing = std::get<1>(GetParam());
    const std::string path = folder.File(kind.FileName);
    { std::ofstream(path, std::ios::binary) << OldContent; }

    std::vector<WriteStep> reached;
    SetWriteFault([&](WriteStep step, const std::string& target) {
        if (target != path)
            return 0;
        reached.push_back(step);
        return step == failing ? ENOSPC : 0;
    });
    const std::vector<std::string> messages = kind.Save(path);

    ASSERT_EQ(messages.size(), 1u) << kind.Name;
    EXPECT_EQ(messages[0], "Cannot write " + path + ": " + std::strerror(ENOSPC));
    EXPECT_EQ(Content(path), OldContent) << kind.Name;
    EXPECT_FALSE(FileExists(path + ".k7tmp"));
    EXPECT_EQ(reached.back(), failing);
}

TEST_P(SafeSave, WriteWithoutFaultReplacesTheFile) {
    const FileKind kind = FileKinds()[std::get<0>(GetParam())];
    const std::string path = folder.File(kind.FileName);
    { std::ofstream(path, std::ios::binary) << OldContent; }
    std::vector<WriteStep> reached;
    SetWriteFault([&](WriteStep step, const std::string&) {
        reached.push_back(step);
        return 0;
    });
    EXPECT_EQ(kind.Save(path), std::vector<std::string>{}) << kind.Name;
    EXPECT_NE(Content(path), OldContent);
    EXPECT_FALSE(FileExists(path + ".k7tmp"));
    EXPECT_EQ(reached, (std::vector<WriteStep>{WriteStep::Create, WriteStep::Write,
                                               WriteStep::Flush, WriteStep::Rename}));
}

std::string CaseName(const ::testing::TestParamInfo<SafeSave::ParamType>& info) {
    static const char* steps[] = {"Create", "Write", "Flush", "Rename"};
    return std::string(FileKinds()[std::get<0>(info.param)].Name) + "_" +
           steps[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EveryFileKindAndStep, SafeSave,
                         ::testing::Combine(::testing::Range(0, 7),
                                            ::testing::Values(WriteStep::Create, WriteStep::Write,
                                                              WriteStep::Flush, WriteStep::Rename)),
                         CaseName);

// Without any injected fault: the folder is gone by the time of the save.
TEST(SafeSaveFolderRemoved, MessageNamesTheFile) {
    std::string path;
    {
        test::TemporaryFolder folder;
        path = folder.File("GONE.tvr");
    }
    EXPECT_EQ(WriteTextLines(path, {"x"}), "Cannot write " + path + ": " + std::strerror(ENOENT));
    EXPECT_FALSE(FileExists(path));
}

} // namespace
} // namespace k7
