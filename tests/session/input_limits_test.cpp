// Inputs far beyond anything real: each is read or refused with a message
// naming the limit, never left to exhaust memory or time.
#include "basic/basic_compiler.h"
#include "tests/comm/terminal_line.h"
#include "tests/support/temporary_folder.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/project_file.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

namespace k7 {
namespace {

ProjectRead ReadProject(const std::vector<std::string>& lines) {
    const ModuleLibrary library;
    Project project;
    ResetProject(project, library);
    return ReadProjectFile(lines, library, project);
}

const char* const ProjectHead =
    "!Unit type|LCD display choice|5.62|01/02/2026 10:00:00|\r\n7|0\r\n";

// Reads a file written with content the way Open does.
TextFile ReadProjectText(const std::string& content) {
    test::TemporaryFolder folder;
    const std::string path = folder.File("BIG.tvr");
    std::ofstream(path, std::ios::binary) << content;
    return ReadTextLines(path, ProjectFileLimits);
}

struct OversizedProject {
    const char* Name;
    std::string Content;
    size_t LinesKept; // reading stops at the first line past the bound
    std::string Message;
};

TEST(InputLimits, OversizedProjectIsRefusedAtItsFirstLinePastTheBound) {
    std::string millionLines = ProjectHead;
    for (int i = 0; i < 1000000; ++i)
        millionLines += "0|0|0|0|0|0|0|0|0|\r\n";
    const std::string tooLong = "Line 3 of the project file is longer than 65536 characters: "
                                "the file is not read.";
    const OversizedProject cases[] = {
        {"a million lines", millionLines, MaxProjectFileLines + 1,
         "The project file has more than 500000 lines: it is not read."},
        {"a line of ten million characters",
         ProjectHead + std::string(10000000, '|') + "\r\n" + "0|0|\r\n", 3, tooLong},
        {"one character past the bound before its CR",
         ProjectHead + std::string(MaxProjectLineLength + 1, '|') + "\r\n", 3, tooLong},
        {"one character past the bound at the end of the file",
         ProjectHead + std::string(MaxProjectLineLength + 1, '|'), 3, tooLong},
    };
    for (const OversizedProject& oversized : cases) {
        SCOPED_TRACE(oversized.Name);
        const TextFile file = ReadProjectText(oversized.Content);
        ASSERT_TRUE(file.Ok) << file.Error;
        EXPECT_TRUE(file.Cut);
        EXPECT_EQ(file.Lines.size(), oversized.LinesKept);
        EXPECT_LE(file.Lines.back().size(), MaxProjectLineLength + 1);
        const ProjectRead read = ReadProject(file.Lines);
        EXPECT_FALSE(read.Ok);
        EXPECT_EQ(read.Message, oversized.Message);
    }
}

TEST(InputLimits, LineAtTheBoundIsRead) {
    const std::string line(MaxProjectLineLength, '|');
    const TextFile file = ReadProjectText(ProjectHead + line + "\r\n");
    ASSERT_TRUE(file.Ok) << file.Error;
    EXPECT_FALSE(file.Cut);
    ASSERT_EQ(file.Lines.size(), 3u);
    EXPECT_EQ(file.Lines[2], line);
    EXPECT_EQ(ProjectFileSizeProblem(file.Lines), "");
}

TEST(InputLimits, BasicSourceOfAHundredThousandLinesIsRefused) {
    std::vector<std::string> lines = {"#CODE"};
    lines.insert(lines.end(), 99999, "X = 1");
    BasicCompiler compiler;
    const BasicCompileOutput output = compiler.Compile(lines);
    ASSERT_EQ(output.Errors.size(), 1u);
    EXPECT_EQ(output.Errors[0].Message, "Program longer than 65536 lines");
}

TEST(InputLimits, LibraryOfTenThousandRecordsKeepsTheNumberedOnes) {
    std::vector<std::string> lines;
    for (int number = 1; number <= 10000; ++number)
        lines.push_back(std::to_string(number) + "|2|Module " + std::to_string(number) +
                        "|Text.|FOSS.Result.Out|\\");
    const LibraryLoad load = ParseModuleLibrary(lines, "K7MODDEF.TXT");
    EXPECT_TRUE(load.Library.Has(MaxModuleNumber));
    EXPECT_EQ(load.Library.Module(MaxModuleNumber).Name, "Module 200");
    EXPECT_EQ(load.Messages.size(), 10000u - MaxModuleNumber);
    if (!load.Messages.empty()) {
        EXPECT_EQ(load.Messages[0].rfind("K7MODDEF.TXT, line 201: ", 0), 0u) << load.Messages[0];
    }
}

TEST(InputLimits, LineThatNeverStopsSendingKeepsTheTerminalBounded) {
    test::TerminalLine terminal;
    ASSERT_TRUE(terminal.Open());
    const std::string chunk = std::string(4000, 'A') + "\n" + std::string(6000, 'B');
    for (int tick = 0; tick < 2000; ++tick) // 20 MB, lines with and without ends
        terminal.Receive(chunk);
    const std::vector<std::string> lines = terminal.Screen.Lines();
    EXPECT_LE(lines.size(), static_cast<size_t>(TerminalLineLimit));
    for (const std::string& text : lines)
        EXPECT_LE(text.size(), TerminalLineLengthLimit);
}

} // namespace
} // namespace k7
