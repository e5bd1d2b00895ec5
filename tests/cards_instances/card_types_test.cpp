// The card type table: names, titles, channel counts, expansion permission
// and the labels that fix where each channel shows.
#include "workspace/card_types.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

struct Row {
    int Code;
    const char* Long;
    const char* Short;
    const char* Title;
    int AI, AO, DI, DO;
    bool Exp;
};

const Row Rows[] = {
    {0, "Vacant", "        ", "", 0, 0, 0, 0, false},
    {1, "Removable flashdisk", "Flash   ", "FLASH", 0, 0, 0, 0, false},
    {2, "Sleep controller", "Sleep   ", "SLEEP", 0, 0, 0, 0, false},
    {3, "Speech/dialer", "Dialer  ", "SPEECH", 0, 0, 0, 0, false},
    {4, "Relay outputs,8 ch", "RLY 8   ", "RELAY8", 0, 0, 0, 8, true},
    {5, "K3 Relay out,4 ch", "RLY 4   ", "RELAY4", 0, 0, 0, 4, true},
    {6, "Digital inputs, 8 ch", "DI 8    ", "DIGIN8", 0, 0, 8, 0, true},
    {7, "Digital inputs,4 ch", "DI 4    ", "DIGIN4", 0, 0, 4, 0, true},
    {8, "Analog outputs, 1 ch", "AO 1    ", "ANOUT1", 0, 1, 0, 0, true},
    {9, "Analog outputs, 4 ch", "AO 4    ", "ANOUT4", 0, 4, 0, 0, true},
    {10, "Analog inputs, 8 ch", "AI 8    ", "ANIN8", 8, 0, 0, 0, true},
    {11, "Modem/RS232", "MDM/232 ", "MODEM", 0, 0, 0, 0, false},
    {12, "Loop power/charger", "LOOP    ", "LOOP", 3, 0, 0, 0, true},
    {13, "Vacant", "        ", "VACANT", 0, 0, 0, 0, true},
    {14, "Combo 2AI, 4DI, 2DO", "COMBO   ", "COMBO", 2, 0, 4, 2, true},
    {15, "Printer/2-RS232", "PRN/232 ", "PRN/232", 0, 0, 0, 0, false},
    {16, "AI 4 chan/16 bit", "AI 4/16 ", "ANIN4/16", 4, 0, 0, 0, true},
    {17, "K3 AI4/AO1", "AI4/AO1 ", "K3 AI/AO", 4, 1, 0, 0, true},
};

using Labels8 = std::array<std::string, 8>;
using Lines9 = std::array<std::string, 9>;

TEST(CardTypeTable, NamesCountsAndExpansionOfEveryCode) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.Code);
        const TCardType& card = CardType(row.Code);
        EXPECT_EQ(card.Code, row.Code);
        EXPECT_EQ(card.LongName, row.Long);
        EXPECT_EQ(card.ShortName, row.Short);
        EXPECT_EQ(card.ShortName.size(), 8u);
        EXPECT_LE(card.LongName.size(), 30u);
        EXPECT_LE(card.Title.size(), 10u);
        EXPECT_EQ(card.Title, row.Title);
        EXPECT_EQ(card.AI, row.AI);
        EXPECT_EQ(card.AO, row.AO);
        EXPECT_EQ(card.DI, row.DI);
        EXPECT_EQ(card.DO, row.DO);
        EXPECT_EQ(card.Exp, row.Exp);
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
