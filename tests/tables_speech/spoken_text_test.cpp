// The text a report line speaks on the workstation.
#include "tables_speech/spoken_text.h"
#include "workspace/project.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

TEST(SpokenText, SampleValuesFillTheirFormat) {
    const std::pair<const char*, const char*> cases[] = {
        {"@@@.@@", "123.45"}, {"@@", "12"}, {".@", "0.1"}, {"@@@@@@@@@@", "1234567891"}};
    for (auto [format, value] : cases)
        EXPECT_EQ(SampleValue(format), value) << format;
}

TEST(SpokenText, PhrasesValuesAndSelectorsInOrder) {
    Project project;
    project.SpeechPhrases[5] = "Five";
    project.SpeechPhrases[40] = "Pump on";
    project.SpeechPhrases[41] = "Tank level";
    SpeechLine line{};
    line[0] = "ENABLE;@";   // the enable cell is not spoken
    line[1] = "41";         // a phrase
    line[3] = "LEVEL;@@.@"; // a spoken number, after an empty cell
    line[4] = "STATE;40";   // a selector speaks its first phrase
    line[5] = "NAME";       // a name without a format says nothing
    line[6] = "5";
    EXPECT_EQ(SpokenText(project, line), "Tank level 12.3 Pump on Five");
}

} // namespace
