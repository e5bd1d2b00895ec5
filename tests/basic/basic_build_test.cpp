#include "basic/basic_build.h"
#include "tests/support/bytes.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace k7 {
namespace {

using namespace k7::test;
using Strings = std::vector<std::string>;

TEST(Build, EmptyTextIsNoProgram) {
    TemporaryFolder folder;
    const BasicBuildResult result = BuildBasicModule({}, folder.File("EMPTY.BAS"));
    EXPECT_EQ(result.Outcome, BasicBuildOutcome::NoProgram);
    EXPECT_EQ(result.Message, "No program detected");
    EXPECT_FALSE(std::filesystem::exists(folder.File("EMPTY.Obj")));
}

TEST(Build, UntitledTextIsRefused) {
    const BasicBuildResult result = BuildBasicModule({"#CODE", "END"}, "");
    EXPECT_EQ(result.Outcome, BasicBuildOutcome::NoFileName);
    EXPECT_EQ(result.Message, NoFileNameMessage);
}

TEST(Build, ErrorsLeaveAnExistingObjectFileAsItWas) {
    TemporaryFolder folder;
    WriteBytes(folder.File("PUMP.Obj"), "old object\r\n");
    const BasicBuildResult one = BuildBasicModule({"#CODE", "123"}, folder.File("PUMP.BAS"));
    EXPECT_EQ(one.Outcome, BasicBuildOutcome::Errors);
    EXPECT_EQ(one.StatusText, "There is one error");
    ASSERT_EQ(one.Errors.size(), 1u);
    EXPECT_EQ(one.Errors[0].Line, 1);
    const BasicBuildResult two = BuildBasicModule({"#CODE", "123", "456"}, folder.File("PUMP.BAS"));
    EXPECT_EQ(two.StatusText, "There are 2 errors.");
    EXPECT_EQ(ReadBytes(folder.File("PUMP.Obj")), "old object\r\n");
}

TEST(Build, CleanBuildReplacesTheObjectFile) {
    TemporaryFolder folder;
    WriteBytes(folder.File("PUMP.Obj"), "old object\r\n");
    const BasicBuildResult result = BuildBasicModule({"END"}, folder.File("PUMP.BAS"));
    EXPECT_EQ(result.Outcome, BasicBuildOutcome::Built);
    EXPECT_EQ(result.StatusText, "No errors.");
    EXPECT_TRUE(result.Message.empty());
    EXPECT_EQ(ReadBytes(folder.File("PUMP.Obj")),
              "#System Data\r\n4|12|0|0|0\r\n#Constants:\r\n#Flash Code:\r\nt22|t22|\r\n");
}

TEST(Build, ObjectFileFollowsOnlyTheFileNamesExtension) {
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.File("rel1.2"));
    const BasicBuildResult result = BuildBasicModule({"END"}, folder.File("rel1.2/PUMP.BAS"));
    EXPECT_EQ(result.Outcome, BasicBuildOutcome::Built);
    EXPECT_TRUE(std::filesystem::exists(folder.File("rel1.2/PUMP.Obj")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("rel1.Obj")));
}

TEST(Build, WriteFailureNamesTheFile) {
    TemporaryFolder folder;
    const std::string source = folder.File("missing/PUMP.BAS");
    const BasicBuildResult result = BuildBasicModule({"END"}, source);
    EXPECT_EQ(result.Outcome, BasicBuildOutcome::WriteFailed);
    EXPECT_NE(result.Message.find(folder.File("missing/PUMP.Obj")), std::string::npos)
        << result.Message;
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}

TEST(Build, ErrorLinesAreColouredWithTwoCharactersPerLineEnd) {
    const Strings lines{"ab", "cde", "f", "ghij"};
    const std::vector<BasicError> errors{{"x", 3}, {"y", 1}, {"z", 1}, {"out of range", 9}};
    const std::vector<TextRange> ranges = ErrorLineRanges(lines, errors);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].Start, 4u);
    EXPECT_EQ(ranges[0].Length, 3u);
    EXPECT_EQ(ranges[1].Start, 12u);
    EXPECT_EQ(ranges[1].Length, 4u);
}

TEST(Build, CountTexts) {
    EXPECT_EQ(ErrorCountText(1), "There is one error");
    EXPECT_EQ(ErrorCountText(25), "There are 25 errors.");
}

} // namespace
} // namespace k7
