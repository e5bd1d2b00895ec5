// The RAM map: first fit on multiples of 4, reservations of stored
// addresses, overlap and range reports, and the error cap.
#include "compiler/compile_context.h"
#include "compiler/ram_map.h"
#include "tests/support/test_library.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

class RamMapTest : public ::testing::Test {
  protected:
    ModuleLibrary library = test::TestLibrary();
    Project project = test::NewTestProject(library);
    CompileContext context{project, library};
};

TEST_F(RamMapTest, FirstFitStartsOnMultiplesOfFourAfterUsedCells) {
    RamBlock a = FindRamBlock(context, 6, "A");
    EXPECT_EQ(a.Start, 0x40F000);
    EXPECT_EQ(a.End, 0x40F005);
    // Cells 6 and 7 stay free but no block may start there.
    RamBlock b = FindRamBlock(context, 2, "B");
    EXPECT_EQ(b.Start, 0x40F008);
    EXPECT_EQ(b.End, 0x40F009);
    EXPECT_EQ(context.Ram.UsedCount(), 8);
}

TEST_F(RamMapTest, SizeZeroOrOneTakesOneCell) {
    RamBlock zero = FindRamBlock(context, 0, "Timers");
    EXPECT_EQ(zero.Start, 0x40F000);
    EXPECT_EQ(zero.End, 0x40F000);
    RamBlock one = FindRamBlock(context, 1, "x");
    EXPECT_EQ(one.Start, 0x40F004);
    EXPECT_EQ(context.Ram.UsedCount(), 2);
}

TEST_F(RamMapTest, CellsMarkedTwiceCountOnceAndClearFreesThem) {
    ReserveRange(context, 0x40F000, 0x40F007);
    ReserveRange(context, 0x40F004, 0x40F00B); // 4..7 again
    EXPECT_EQ(context.Ram.UsedCount(), 12);
    context.Ram.Clear();
    EXPECT_EQ(context.Ram.UsedCount(), 0);
    EXPECT_EQ(FindRamBlock(context, 4, "again").Start, 0x40F000);
}

TEST_F(RamMapTest, BlockFillsAGapLeftBetweenReservations) {
    ReserveRange(context, 0x40F000, 0x40F003);
    ReserveRange(context, 0x40F010, 0x40F013);
    // 12 free cells at 4..15: a block of 12 fits, one of 16 does not.
    EXPECT_EQ(FindRamBlock(context, 16, "big").Start, 0x40F014);
    EXPECT_EQ(FindRamBlock(context, 12, "gap").Start, 0x40F004);
    EXPECT_EQ(FindRamBlock(context, 4, "after").Start, 0x40F024);
}

TEST_F(RamMapTest, SearchAfterALargerSizeStillFindsEarlierSmallGaps) {
    ReserveRange(context, 0x40F004, 0x40F007);
    EXPECT_EQ(FindRamBlock(context, 8, "eight").Start, 0x40F008);
    EXPECT_EQ(FindRamBlock(context, 4, "four").Start, 0x40F000);
    EXPECT_EQ(FindRamBlock(context, 8, "again").Start, 0x40F010);
}

// The map keeps 64 cells to a word: ranges, overlaps and free runs that
// cross word boundaries, and the last, partly used word.
TEST_F(RamMapTest, RangesAndRunsCrossingWordsOfSixtyFourCells) {
    ReserveRange(context, 0x40F03E, 0x40F081); // cells 62..129
    EXPECT_EQ(context.Ram.UsedCount(), 68);
    ReserveRange(context, 0x40F03F, 0x40F040); // 63 and 64 again
    EXPECT_EQ(context.ErrorCount, 2);
    EXPECT_EQ(FindRamBlock(context, 60, "fits before").Start, 0x40F000);
    // 60 and 61 are free, but a run of 4 must skip the used cells to 132.
    EXPECT_EQ(FindRamBlock(context, 4, "after").Start, 0x40F084);
    EXPECT_EQ(FindRamBlock(context, 200, "long").Start, 0x40F088);
    ReserveRange(context, 0x43FFC0, 0x440000); // the last 65 cells
    EXPECT_EQ(context.Ram.UsedCount(), 68 + 60 + 4 + 200 + 65);
    const uint32_t rest = 0x30FC0 - 0x150;
    EXPECT_EQ(FindRamBlock(context, rest, "rest").Start, 0x40F150);
    EXPECT_EQ(FindRamBlock(context, 1, "the gap").Start, 0x40F03C);
    // Cells 61, 130 and 131 stay free: none is on a multiple of 4.
    EXPECT_FALSE(FindRamBlock(context, 1, "none").Found());
    EXPECT_EQ(context.Ram.UsedCount(), static_cast<int>(RamCellCount) - 3);
}

TEST_F(RamMapTest, NoRoomReportsTheNameAndSetsTheModuleError) {
    RamBlock all = FindRamBlock(context, RamCellCount, "everything");
    EXPECT_EQ(all.Start, 0x40F000);
    RamBlock none = FindRamBlock(context, 4, "Pump");
    EXPECT_FALSE(none.Found());
    EXPECT_TRUE(context.ModuleError);
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0], "Cannot find large enough RAM block for Pump");
    EXPECT_EQ(context.ErrorCount, 1);
}

TEST_F(RamMapTest, NoRoomIsSilentOnceTwentyErrorsWereReported) {
    FindRamBlock(context, RamCellCount, "everything");
    context.ErrorCount = 20;
    EXPECT_FALSE(FindRamBlock(context, 4, "Pump").Found());
    EXPECT_TRUE(context.Errors.empty());
    EXPECT_FALSE(context.ModuleError);
}

TEST_F(RamMapTest, ReserveXTakesBytesByTypeTag) {
    ReserveX(context, "140F000"); // Float: 4 bytes
    ReserveX(context, "240F010"); // Status word: 2 bytes
    ReserveX(context, "440F020"); // String: 1 byte
    EXPECT_EQ(context.Ram.UsedCount(), 7);
    EXPECT_TRUE(context.Errors.empty());
}

TEST_F(RamMapTest, StatusReservedTwiceIsNoOverlapButFloatIs) {
    ReserveX(context, "A40F010");
    ReserveX(context, "240F010");
    EXPECT_TRUE(context.Errors.empty());
    ReserveX(context, "140F020");
    ReserveX(context, "$140F020");
    ASSERT_FALSE(context.Errors.empty());
    EXPECT_EQ(context.Errors[0], "Ram overlap detected...reassign RAM");
}

TEST_F(RamMapTest, ReserveXReportsAddressesOutsideRamOnBothSides) {
    ReserveX(context, "1000");    // below RAM
    ReserveX(context, "1450000"); // above RAM
    ReserveX(context, "143FFFE"); // a word crossing the last cell
    EXPECT_EQ(context.Errors, std::vector<std::string>(3, "Ram address out of range in ReserveX"));
    EXPECT_EQ(context.Ram.UsedCount(), 0);
    EXPECT_TRUE(context.ModuleError);
}

TEST_F(RamMapTest, ReserveRangeReportsOverlapPerCellUpToTheCap) {
    ReserveRange(context, 0x40F000, 0x40F00F);
    ReserveRange(context, 0x40F00C, 0x40F013);
    EXPECT_EQ(context.ErrorCount, 4);
    EXPECT_EQ(context.Errors[0], "Ram overlap detected...you should zero Ram");
    ReserveRange(context, 0x40F000, 0x40F0FF);
    EXPECT_EQ(context.ErrorCount, 20);
    EXPECT_EQ(context.Ram.UsedCount(), 0x100);
}

TEST_F(RamMapTest, ReserveRangeOutsideRamMarksOnlyItsCellsInside) {
    ReserveRange(context, 0x43FFF0, 0x440010);
    EXPECT_EQ(context.Errors, std::vector<std::string>{"Ram address out of range in ReserveRange"});
    EXPECT_EQ(context.Ram.UsedCount(), 0x11); // 0x43FFF0..0x440000
    ReserveRange(context, 0x100, 0x200);
    EXPECT_EQ(context.ErrorCount, 2);
    EXPECT_EQ(context.Ram.UsedCount(), 0x11);
}

} // namespace
} // namespace k7
