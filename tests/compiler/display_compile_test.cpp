// The display section against images written by hand, and the rules of
// places, names and the port and number index.
#include "tests/compiler/telemetry_projects.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

class DisplayCompile : public ::testing::Test {
  protected:
    CompileOutcome Run() {
        context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        return k7::CompileProject(*context, progress);
    }
    std::vector<std::string> Displays() const {
        return test::Section(context->Image, "#8 Displays...|\\");
    }

    ModuleLibrary library = test::TelemetryLibrary();
    Project project = test::NewTestProject(library, "C:\\K7\\WETWELL.TVR");
    CompileProgress progress;
    std::unique_ptr<CompileContext> context;
};

TEST_F(DisplayCompile, ValueAndTrendPlacesOnPortTwo) {
    test::AddInstance(project, library, 65, "TRND");
    test::AddInstance(project, library, 12, "PUMP");
    project.Displays = {
        "~Wet well|2|3|1|System.SecTrg|",
        "Level @@.@ m|PUMP.SUM|2|3|4|5|6|7|8|9|10|",
        "Trend @T|TRND.OUT|2|3|4|5|6|7|8|9|10|",
        "",
    };
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    test::ExpectImage(context->Image, test::ExpectedImage("display_trend.obj"),
                      "display_trend.obj");
    EXPECT_EQ(context->Buffers.Tx[2], 2000);
    EXPECT_EQ(context->Buffers.Rx[2], 320);
    EXPECT_EQ(context->RamUsed, 16 + 1 + 4 + 4000 + 640);
}

TEST_F(DisplayCompile, TheLaterOfTwoDisplaysWithOnePortAndNumberWins) {
    project.FileName = "C:\\K7\\PANELS.TVR";
    project.Displays = {
        "~First|1|3|0|System.SecTrg|",     "Old|1|2|3|4|5|6|7|8|9|10|",
        "~Zero|0|5|2|System.BootTrg|",     "Hi @|GlobalSP|2|3|4|5|6|7|8|9|10|",
        "~Second|1|3|1|System.SecTrg|",    "New @@@|GlobalRTC|2|3|4|5|6|7|8|9|10|",
        "~Outside|26|0|0|System.SecTrg|",  "x|1|2|3|4|5|6|7|8|9|10|",
        "~Negative|1|-1|0|System.SecTrg|",
    };
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    test::ExpectImage(context->Image, test::ExpectedImage("display_same_number.obj"),
                      "display_same_number.obj");
    EXPECT_EQ(context->Buffers.Tx[0], 0); // a display on port 0 needs no buffer
}

TEST_F(DisplayCompile, UnresolvedFieldsAndTriggersAreReported) {
    project.Displays = {
        "~Faults|0|0|0|NoTrigger|",
        "@@ @T @|NOVAR|NOMOD.X|GlobalSP|4|5|6|7|8|9|10|",
    };
    EXPECT_EQ(Run(), CompileOutcome::Errors);
    // After the trend place every field names a module, even under a value place.
    EXPECT_EQ(test::Reported(*context),
              (std::vector<std::string>{"Cannot find NOVAR in display Faults",
                                        "Cannot find NOMOD.X in display Faults",
                                        "Cannot find GlobalSP in display Faults",
                                        "Cannot find trigger status for display Faults"}));
    EXPECT_EQ(Displays(), (std::vector<std::string>{
                              "400D4|2330|40110|4014C|0|0|0||||||||Faults|\\",
                              "40110|2331|4014C|||||||||||@@ @T @|\\",
                          }));
}

TEST_F(DisplayCompile, BarsAndOtherPlacesNameModules) {
    test::AddInstance(project, library, 65, "BAR");
    test::AddInstance(project, library, 12, "PUMP");
    project.Displays = {
        "~Bars|0|1|0|GlobalSP|",
        "@H @V @@|BAR.X|BAR|PUMP.SUM|4|5|6|7|8|9|10|",
    };
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    // BAR's record is the first module record, PUMP.SUM the Float at 40F00C.
    EXPECT_EQ(Displays()[1], "40130|2331|40170|40098|40098|140F00C||||||||@H @V @@|\\");
}

TEST_F(DisplayCompile, LongNamesAndFortyPlaceLines) {
    const std::string name(90, 'N');
    std::string places;
    for (int i = 0; i < 40; ++i)
        places += "@ ";
    project.Displays = {"~" + name + "|0|0|0|GlobalSP|", places + "|GlobalSP|2|3|4|5|6|7|8|9|10|",
                        std::string(40, '@') + "|GlobalRTC|2|3|4|5|6|7|8|9|10|"};
    ASSERT_EQ(Run(), CompileOutcome::Clean) << test::Reported(*context).front();
    const auto lines = Displays();
    ASSERT_EQ(lines.size(), 3u);
    // Name cut to 70: 52 + 72 bytes; 80 characters of text: 52 + 84 bytes;
    // 40 characters: 52 + 44 bytes.
    EXPECT_EQ(lines[0], "400D4|2330|40150|40238|0|0|0|1000|||||||" + std::string(70, 'N') + "|\\");
    EXPECT_TRUE(lines[1].starts_with("40150|2331|401D8|1000||||||||||@ @"));
    EXPECT_EQ(lines[2], "401D8|2331|40238|1003||||||||||" + std::string(40, '@') + "|\\");
}

} // namespace
} // namespace k7
