#include "workspace/telemetry_arrays.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

TTlmRow Row(const std::string& port, const std::string& source, const std::string& dest,
            const std::string& name, const std::string& type, const std::string& address = "") {
    return {port, source, dest, "1", "0", name, "", type, "", address};
}

} // namespace

TEST(CompactArray, RemovesRowsWithoutATypeAndAddressesTravel) {
    TTlmArray array = NewTlmArray();
    array.Rows.push_back(Row("1", "5", "Us", "A", "Float", "$100"));
    array.Rows.push_back(Row("", "", "", "", ""));
    array.Rows.push_back(Row("1", "5", "Us", "B", "Integer", "$104"));
    array.Rows.push_back(Row("1", "5", "Us", "C", "ab", "$108")); // too short a type
    array.Rows.push_back(Row("2", "6", "Us", "D", "Status", "$10C"));
    array.Rows.push_back(Row("", "", "", "", ""));
    CompactArray(array);
    ASSERT_EQ(array.RowCount(), 4);
    EXPECT_EQ(array.Rows[0], TlmTitles);
    EXPECT_EQ(array.Rows[1][TlmName], "A");
    EXPECT_EQ(array.Rows[2][TlmName], "B");
    EXPECT_EQ(array.Rows[2][TlmAddress], "$104");
    EXPECT_EQ(array.Rows[3][TlmName], "D");
    EXPECT_EQ(array.Rows[3][TlmAddress], "$10C");
}

TEST(CompactArray, EmptyArraysKeepTheirTitleRow) {
    TTlmArray array = NewTlmArray();
    CompactArray(array);
    EXPECT_EQ(array.RowCount(), 1);
    array.Rows.push_back(Row("", "", "", "", ""));
    array.Rows.push_back(Row("", "", "", "", ""));
    CompactArray(array);
    EXPECT_EQ(array.RowCount(), 1);
}

TEST(ListArrays, OneEntryPerRunOfRowsOfOneMessage) {
    Project project;
    project.RxArray.Rows.push_back(Row("4", "5", "Us", "A", "Float"));
    project.RxArray.Rows.push_back(Row("4", "5", "Us", "B", "Float"));
    project.RxArray.Rows.push_back(Row("4", "7", "Us", "C", "Float"));
    project.RxArray.Rows.push_back(Row("4", "5", "Us", "D", "Float"));
    project.TxArray.Rows.push_back(Row("x", "Us", "9", "E", "Float")); // not a number: port 0
    ListArrays(project);
    EXPECT_EQ(project.RxArrayList, (std::vector<std::string>{"Brd 1, Prt 2, Src 5, Dst Us",
                                                             "Brd 1, Prt 2, Src 7, Dst Us",
                                                             "Brd 1, Prt 2, Src 5, Dst Us"}));
    EXPECT_EQ(project.TxArrayList, std::vector<std::string>{"Brd 0, Prt 1, Src Us, Dst 9"});
}
