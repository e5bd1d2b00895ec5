// Every stored record kind read and written back: a line the editors wrote
// comes back byte for byte, a damaged line reads the way the compile, the
// documentation and the database lists all read it.
#include "workspace/basic_module_record.h"
#include "workspace/display_record.h"
#include "workspace/record_list.h"
#include "workspace/speech_record.h"
#include "workspace/table_record.h"

#include <gtest/gtest.h>

#include <functional>

namespace k7 {
namespace {

// Reads a stored line and writes it again; "refused" when it does not read.
using RoundTrip = std::function<std::string(const std::string&)>;

std::string DisplayHeaderAgain(const std::string& line) {
    return DisplayHeaderLine(ParseDisplayHeader(line));
}
std::string DisplayLineAgain(const std::string& line) {
    return DisplayBodyLine(ParseDisplayLine(line));
}
std::string TableHeaderAgain(const std::string& line) {
    const std::optional<TableHeader> header = ParseTableHeader(line);
    return header ? TableHeaderLine(*header) : "refused";
}
RoundTrip TableRowAgain(int columns) {
    return
        [columns](const std::string& line) { return TableRowLine(ParseTableRow(line, columns)); };
}
std::string SpeechHeaderAgain(const std::string& line) {
    return SpeechHeaderLine(ParseSpeechHeader(line));
}
std::string SpeechLineAgain(const std::string& line) {
    return SpeechLineText(ParseSpeechLine(line));
}
std::string BasicLineAgain(const std::string& line) {
    const std::optional<BasicInstanceLine> parsed = ParseBasicInstanceLine(line);
    return parsed ? BasicInstanceLineText(*parsed) : "refused";
}

struct RecordCase {
    const char* What;
    RoundTrip Again;
    std::string Stored;
    std::string Written; // empty: the stored line itself
};

TEST(RecordFormats, StoredLinesReadAndWrittenBack) {
    const std::string tenFields = "|1|2|3|4|5|6|7|8|9|10|";
    const RecordCase cases[] = {
        {"display header", DisplayHeaderAgain, "~Wet well|2|7|1|System.SecTrg|", ""},
        {"display header, numbers that are not numbers", DisplayHeaderAgain, "~Odd|two|x|||",
         "~Odd|0|0|0||"},
        {"display line, fields past the last place", DisplayLineAgain,
         "Lvl @@.@ Trend @T|WELL.LVL|TRND.OUT|stale|x|5|6|7|8|9|10|",
         "Lvl @@.@ Trend @T|WELL.LVL|TRND.OUT|3|4|5|6|7|8|9|10|"},
        {"display line of twelve places keeps ten names", DisplayLineAgain,
         "@ @ @ @ @ @ @ @ @ @ @ @|V1|V2|V3|V4|V5|V6|V7|V8|V9|V10|", ""},
        {"display line without fields", DisplayLineAgain, "Plain text", "Plain text" + tenFields},
        {"table header", TableHeaderAgain, "~Tank|Sel|Wr|Trg|5|3|20|1|$40F000|$40F0FF|", ""},
        {"table header, a row count that is not a number", TableHeaderAgain,
         "~Tank|Sel|Wr|Trg|x5|5|20|1|$10|$20|", "refused"},
        {"table header, characters below the least", TableHeaderAgain,
         "~Tank|Sel|Wr|Trg|5|5|3|1|$0|$0|", "refused"},
        {"table header, a damaged row type reads as Integer", TableHeaderAgain,
         "~Tank||||5|5|20|9|$0|$0|", "~Tank||||5|5|20|0|$0|$0|"},
        {"table row", TableRowAgain(2), "Float|Level|Lvl.In|1.5||Level.TBL|", ""},
        {"table row missing its last fields", TableRowAgain(3), "Integer|Row",
         "Integer|Row||" + std::string(4, '|')},
        {"speech header", SpeechHeaderAgain, "~Alarm|Trg|Stp|LTrg|LSel|STrg|2", ""},
        {"speech line", SpeechLineAgain,
         "1|12|LEVEL;@@@.@@|STATE;40|" + std::string(10, '|') + "4|", ""},
        {"speech line, cells past the fifteenth dropped", SpeechLineAgain,
         "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|"},
        {"speech line missing its last cells", SpeechLineAgain, "1|12|",
         "1|12|" + std::string(13, '|')},
        {"BASIC module", BasicLineAgain, "P1|PUMP.BAS|IFlow.Value||fP1.EFF|$40F00C|$40F00F", ""},
        {"BASIC module without inputs or outputs", BasicLineAgain, "P1|PUMP.BAS|$0|$0", ""},
        {"BASIC module, too few fields", BasicLineAgain, "P1|PUMP.BAS|$0", "refused"},
    };
    for (const RecordCase& record : cases) {
        SCOPED_TRACE(record.What);
        EXPECT_EQ(record.Again(record.Stored),
                  record.Written.empty() ? record.Stored : record.Written);
    }
}

// The documentation prints a header's fields as stored, damaged or not.
TEST(RecordFormats, HeaderTextsAreKeptAsStored) {
    const DisplayHeaderTexts display = ReadDisplayHeaderTexts("~Odd|two|x|9|Trg|");
    EXPECT_EQ(display.Port, "two");
    EXPECT_EQ(display.Number, "x");
    EXPECT_EQ(display.Font, "9");
    EXPECT_EQ(display.Trigger, "Trg");
    const TableHeaderTexts table = ReadTableHeaderTexts("~Tank|Sel|Wr|Trg|x5|5|20|1|$10");
    EXPECT_EQ(table.Name, "Tank");
    EXPECT_EQ(table.Rows, "x5");
    EXPECT_EQ(table.RamStart, "$10");
    EXPECT_EQ(table.RamEnd, "");
}

TEST(RecordFormats, FieldsAndNamesOfALine) {
    const BasicInstanceLine basic =
        *ParseBasicInstanceLine("P1|PUMP.BAS|IFlow.Value||fP1.EFF|$40F00C|$40F00F");
    EXPECT_EQ(basic.Fields, (std::vector<std::string>{"IFlow.Value", "", "fP1.EFF"}));
    EXPECT_EQ(basic.RamStart, "$40F00C");
    EXPECT_EQ(BasicInstanceName("P1|PUMP.BAS|$0|$0"), "P1");
    EXPECT_EQ(BasicInstanceSourceName("P1"), "");

    const TableRow row = ParseTableRow("Float|Level|Lvl.In|1.5||Level.TBL|", 2);
    EXPECT_EQ(row.Values, (std::vector<std::string>{"1.5", ""}));
    EXPECT_EQ(row.Output, "Level.TBL");
    // The RAM fields are the only ones rewritten: a damaged row count stays.
    EXPECT_EQ(TableHeaderWithRam("~Tank|Sel|Wr|Trg|x5|5|20|1|$10|$20|", 0x100, 0x1FF),
              "~Tank|Sel|Wr|Trg|x5|5|20|1|$100|$1FF|");
    EXPECT_EQ(TableHeaderWithRam("~Short|A|", 0, 0), "~Short|A|||||||$0|$0|");

    EXPECT_EQ(SpeechCellName("  LEVEL;@@.@"), "LEVEL");
    EXPECT_EQ(SpeechCellName("LEVEL"), "LEVEL");
    EXPECT_EQ(SpeechCellName(" ;40"), "");
}

TEST(RecordFormats, RecordListHeadersNamesAndSpans) {
    const std::vector<std::string> lines = {"stray", "~A|1|", "row", "~B", "~|x|"};
    EXPECT_EQ(RecordNames(lines), (std::vector<std::string>{"A", "B", ""}));
    const auto spans = RecordSpans(lines);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].Header, 1u);
    EXPECT_EQ(spans[0].End, 3u);
    EXPECT_EQ(FindRecord(lines, "B")->End, 4u);
    // A lone "~" heads a record for the editors; the documentation needs a name.
    EXPECT_TRUE(IsRecordHeader("~"));
    EXPECT_FALSE(IsHeaderLine("~"));
}

} // namespace
} // namespace k7
