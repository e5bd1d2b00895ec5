// The card type table's shape and the labels that fix where each channel
// shows.
#include "workspace/card_types.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using Labels8 = std::array<std::string, 8>;
using Lines9 = std::array<std::string, 9>;

// What the card panel relies on, whatever the names: an entry per code and
// short names that fill the card face's eight columns.
TEST(CardTypeTable, EveryCodeFitsTheCardFace) {
    for (int code = 0; code <= 17; ++code) {
        SCOPED_TRACE(code);
        const TCardType& card = CardType(code);
        EXPECT_EQ(card.Code, code);
        EXPECT_EQ(card.ShortName.size(), 8u);
        EXPECT_LE(card.LongName.size(), 30u);
        EXPECT_LE(card.Title.size(), 10u);
    }
}

TEST(CardTypeTable, CodesOutsideTheTableGiveTheEmptyEntry) {
    EXPECT_EQ(CardType(-1).Code, 0);
    EXPECT_EQ(CardType(18).Code, 0);
    EXPECT_EQ(CardType(1000).LongName, "Vacant");
}

TEST(CardTypeLabels, IndicatorsSitAtTheirPositions) {
    EXPECT_EQ(CardType(1).Indicators, (Labels8{"", "READY", "ACCESS", "", "", "", "", ""}));
    EXPECT_EQ(CardType(2).Indicators, (Labels8{"WK", "AX", "DI4", "DI3", "DI2", "DI1", "", ""}));
    EXPECT_EQ(CardType(3).Indicators, (Labels8{"", "KEY/OH", "", "", "", "", "", ""}));
    EXPECT_EQ(CardType(4).Indicators, (Labels8{" 8", " 7", " 6", " 5", " 4", " 3", " 2", " 1"}));
    EXPECT_EQ(CardType(5).Indicators, (Labels8{"", "", "", "", " 4", " 3", " 2", " 1"}));
    EXPECT_EQ(CardType(6).Indicators, (Labels8{" 8", " 7", " 6", " 5", " 4", " 3", " 2", " 1"}));
    EXPECT_EQ(CardType(7).Indicators, (Labels8{"", "", "", "", " 4", " 3", " 2", " 1"}));
    EXPECT_EQ(CardType(11).Indicators, (Labels8{"KEY/OH", "", "", "", "", "", "", ""}));
    EXPECT_EQ(CardType(12).Indicators, (Labels8{"", "BUS", "LOOP", "CHRG", "", "", "", ""}));
    EXPECT_EQ(CardType(14).Indicators,
              (Labels8{"LOOP", "DI4", "DI3", "DI2", "DI1", "DO2", "DO1", ""}));
    EXPECT_EQ(CardType(15).Indicators, (Labels8{"TX1", "RX1", "TX2", "RX2", "", "", "", ""}));
    for (int code : {0, 8, 9, 10, 13, 16, 17})
        EXPECT_EQ(CardType(code).Indicators, Labels8{}) << code;
}

TEST(CardTypeLabels, TerminalLinesTopToBottom) {
    const std::string com = "     COM";
    EXPECT_EQ(CardType(2).Terminals,
              (Lines9{"      DI4", "      DI3", "      DI2", "      DI1", "      WAK", "      TIP",
                      "      AUX", "      VIN", "      GND"}));
    EXPECT_EQ(CardType(3).Terminals,
              (Lines9{"", "", "", "", "", "", "      KEY", "      SPKR", "      SPKR"}));
    const Lines9 eight = {"[Chan 8]", "[Chan 7]", "[Chan 6]", "[Chan 5]", "[Chan 4]",
                          "[Chan 3]", "[Chan 2]", "[Chan 1]", com};
    EXPECT_EQ(CardType(4).Terminals, eight);
    EXPECT_EQ(CardType(6).Terminals, eight);
    EXPECT_EQ(CardType(10).Terminals, eight);
    const Lines9 four = {"", "", "", "", "[Chan 4]", "[Chan 3]", "[Chan 2]", "[Chan 1]", com};
    EXPECT_EQ(CardType(5).Terminals, four);
    EXPECT_EQ(CardType(7).Terminals, four);
    EXPECT_EQ(CardType(8).Terminals, (Lines9{"", "", "", "", "", "", "", "[Chan 1]", ""}));
    const Lines9 fourOpen = {"", "", "", "", "[Chan 4]", "[Chan 3]", "[Chan 2]", "[Chan 1]", ""};
    EXPECT_EQ(CardType(9).Terminals, fourOpen);
    EXPECT_EQ(CardType(16).Terminals, fourOpen);
    EXPECT_EQ(CardType(11).Terminals,
              (Lines9{"", "", "", "", "     RX+", "     RX-", "     KEY", "     TX+", "     TX-"}));
    EXPECT_EQ(CardType(12).Terminals, (Lines9{"", "     24+", "     24-", "    BAT+", "     GND",
                                              "[Temp]", "[Batt V]", "[Bus V]", ""}));
    EXPECT_EQ(CardType(14).Terminals, (Lines9{"[AI 2]", "[AI 1]", "[DI 4]", "[DI 3]", "[DI 2]",
                                              "[DI 1]", "[Rly 2]", "[Rly 1]", ""}));
    EXPECT_EQ(CardType(17).Terminals,
              (Lines9{"", "", "", "[AO 1]", "[AI 4]", "[AI 3]", "[AI 2]", "[AI 1]", ""}));
    for (int code : {0, 1, 13, 15})
        EXPECT_EQ(CardType(code).Terminals, Lines9{}) << code;
}

} // namespace
} // namespace k7
