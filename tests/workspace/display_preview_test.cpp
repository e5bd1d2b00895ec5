// The display preview: each place of a line shows its field's name at the
// place's width.
#include "workspace/display_preview.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

struct PreviewCase {
    const char* text;
    std::vector<const char*> fields;
    const char* shown;
};

// Widths: "@@@.@" is five places wide, "@T" two, a lone "@" one.
const PreviewCase previewCases[] = {
    {"Level @@@.@ ft", {"TANK.LEVEL"}, "Level TANK. ft"}, // cut to five
    {"P=@@@@ Q=@@", {"P1", "FLOWRATE"}, "P=P1   Q=FL"},   // padded, then cut
    {"@T trend", {"TR"}, "TR trend"},                     // a module place: "@" and its letter
    {"A @ B @@", {"", "XYZ"}, "A @ B XY"},                // no field: the place stays as typed
    {"no places", {"NAME"}, "no places"},
};

TEST(DisplayPreview, PlacesShowTheirFieldsAtTheirWidth) {
    for (const PreviewCase& c : previewCases) {
        DisplayLine line;
        line.Text = c.text;
        for (size_t k = 0; k < c.fields.size(); ++k)
            line.Fields[k] = c.fields[k];
        EXPECT_EQ(PreviewDisplayLine(line), c.shown) << c.text;
    }
}

TEST(DisplayPreview, PlacesAfterTheTenthStayAsTyped) {
    DisplayLine line;
    line.Text = "@ @ @ @ @ @ @ @ @ @ @";
    line.Fields.fill("N");
    EXPECT_EQ(PreviewDisplayLine(line), "N N N N N N N N N N @");
}

} // namespace
