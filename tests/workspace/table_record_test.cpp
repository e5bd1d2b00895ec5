#include "workspace/project.h"
#include "workspace/record_list.h"
#include "workspace/table_record.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

// The RAM fields are the only ones rewritten: a damaged row count stays as
// the person left it.
TEST(TableRecordTest, RamFieldsRewrittenOthersKeptAsStored) {
    EXPECT_EQ(TableHeaderWithRam("~Tank|Sel|Wr|Trg|x5|5|20|1|$10|$20|", 0x100, 0x1FF),
              "~Tank|Sel|Wr|Trg|x5|5|20|1|$100|$1FF|");
    EXPECT_EQ(TableHeaderWithRam("~Short|A|", 0, 0), "~Short|A|||||||$0|$0|");
    EXPECT_FALSE(ParseTableHeader("~Tank|Sel|Wr|Trg|x5|5|20|1|$10|$20|"));
}

TEST(TableRecordTest, RowFieldsByColumnCount) {
    const TableRow row = ParseTableRow("Float|Level|Lvl.In|1.5||Level.TBL|", 2);
    EXPECT_EQ(row.Type, "Float");
    EXPECT_EQ(row.Name, "Level");
    EXPECT_EQ(row.WriteInput, "Lvl.In");
    EXPECT_EQ(row.Values, (std::vector<std::string>{"1.5", ""}));
    EXPECT_EQ(row.Output, "Level.TBL");
    EXPECT_EQ(TableRowLine(row), "Float|Level|Lvl.In|1.5||Level.TBL|");
}

TEST(RecordListTest, HeadersNamesAndSpans) {
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
    EXPECT_EQ(RecordHeaderFields("~A|1|"), (std::vector<std::string>{"A", "1"}));
}

} // namespace
} // namespace k7
