// I/O points: the module numbers bound to channels, the line of each channel
// on every card kind, the names drawn into the shown cage, the four check
// messages and what a click on a channel line offers.
#include "tests/workspace/test_bench.h"
#include "workspace/card_cage.h"
#include "workspace/io_points.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::TestBench;

TEST(IoModules, KindOfEachIoModuleNumber) {
    EXPECT_EQ(IoKindOfModule(1), IoAI);
    EXPECT_EQ(IoKindOfModule(55), IoAI);
    EXPECT_EQ(IoKindOfModule(3), IoAO);
    for (int n : {2, 12, 56, 154})
        EXPECT_EQ(IoKindOfModule(n), IoDI) << n;
    for (int n : {4, 44, 155})
        EXPECT_EQ(IoKindOfModule(n), IoDO) << n;
    for (int n : {0, 5, 54, 57, 153, 156, 9000})
        EXPECT_EQ(IoKindOfModule(n), IoNone) << n;
}

TEST(IoModules, ValuesCountOnlyAsPlainIntegers) {
    EXPECT_EQ(IoNumber("3"), 3);
    EXPECT_EQ(IoNumber("-2"), -2);
    EXPECT_EQ(IoNumber(""), 0);
    EXPECT_EQ(IoNumber("x"), 0);
    EXPECT_EQ(IoNumber("1.0"), 0);
    EXPECT_EQ(IoNumber(" 1"), 0);
    EXPECT_EQ(IoNumber("1-"), 0);
    EXPECT_EQ(IoNumber("99999999999999999999"), 0);
}

TEST(ChannelLines, CountedFromTheBottomOnPlainCards) {
    EXPECT_EQ(ChannelLineIndex(6, IoDI, 3), 5);
    EXPECT_EQ(ChannelLineIndex(4, IoDO, 8), 0);
    EXPECT_EQ(ChannelLineIndex(5, IoDO, 4), 4);
    EXPECT_EQ(ChannelLineIndex(8, IoAO, 1), 7);
    EXPECT_EQ(ChannelLineIndex(12, IoAI, 3), 5);
    EXPECT_EQ(ChannelLineIndex(16, IoAI, 4), 4);
    EXPECT_EQ(ChannelLineIndex(10, IoAI, 9), -1);
}

TEST(ChannelLines, ComboAndK3AnalogCardsPlaceEachKindApart) {
    EXPECT_EQ(ChannelLineIndex(14, IoAI, 2), 0);
    EXPECT_EQ(ChannelLineIndex(14, IoAI, 1), 1);
    EXPECT_EQ(ChannelLineIndex(14, IoDI, 4), 2);
    EXPECT_EQ(ChannelLineIndex(14, IoDI, 3), 3);
    EXPECT_EQ(ChannelLineIndex(14, IoDI, 1), 5);
    EXPECT_EQ(ChannelLineIndex(14, IoDO, 2), 6);
    EXPECT_EQ(ChannelLineIndex(14, IoDO, 1), 7);
    EXPECT_EQ(ChannelLineIndex(17, IoAI, 4), 4);
    EXPECT_EQ(ChannelLineIndex(17, IoAI, 1), 7);
    EXPECT_EQ(ChannelLineIndex(17, IoAO, 1), 3);
}

// Draws cage `cage` with the card panel showing it.
CageModel Draw(TestBench& bench, int cage = 1) {
    CardPanel panel;
    panel.Visible = true;
    panel.SelectedCage = cage;
    return DrawCage(bench.project, bench.workspace.library, panel);
}

TEST(IoPointDrawing, DigitalInputOnDi8AndOnCombo) {
    TestBench bench;
    bench.AddInstance(2, "DOOR", {"3", "1", "1"});
    bench.project.Cards.At(1, 1) = 6;
    EXPECT_EQ(Draw(bench).Slots[1].Lines[5], "DOOR");
    bench.project.Cards.At(1, 1) = 14;
    const CageModel combo = Draw(bench);
    EXPECT_EQ(combo.Slots[1].Lines[3], "DOOR");
    EXPECT_EQ(combo.Slots[1].Lines[5], "[DI 1]");
}

TEST(IoPointDrawing, EveryCardKindShowsItsChannelOnItsLine) {
    TestBench bench;
    bench.project.Cards.At(2, 1) = 4;  // relays 8
    bench.project.Cards.At(2, 2) = 5;  // relays 4
    bench.project.Cards.At(2, 3) = 7;  // DI 4
    bench.project.Cards.At(2, 4) = 8;  // AO 1
    bench.project.Cards.At(2, 5) = 9;  // AO 4
    bench.project.Cards.At(2, 6) = 12; // loop
    bench.project.Cards.At(2, 7) = 16; // AI 4/16
    bench.project.Cards.At(2, 8) = 17; // K3 AI/AO
    bench.AddInstance(4, "RLY8", {"8", "1", "2"});
    bench.AddInstance(44, "RLY4", {"1", "2", "2"});
    bench.AddInstance(12, "DI4", {"4", "3", "2"});
    bench.AddInstance(3, "AO1", {"1", "4", "2"});
    bench.AddInstance(3, "AO4", {"2", "5", "2"});
    bench.AddInstance(55, "TEMP", {"3", "6", "2"});
    bench.AddInstance(1, "AI16", {"4", "7", "2"});
    bench.AddInstance(1, "K3AI", {"2", "8", "2"});
    bench.AddInstance(3, "K3AO", {"1", "8", "2"});
    const CageModel cage = Draw(bench, 2);
    EXPECT_EQ(cage.Slots[1].Lines[0], "RLY8");
    EXPECT_EQ(cage.Slots[2].Lines[7], "RLY4");
    EXPECT_EQ(cage.Slots[3].Lines[4], "DI4");
    EXPECT_EQ(cage.Slots[4].Lines[7], "AO1");
    EXPECT_EQ(cage.Slots[5].Lines[6], "AO4");
    EXPECT_EQ(cage.Slots[6].Lines[5], "TEMP");
    EXPECT_EQ(cage.Slots[7].Lines[4], "AI16");
    EXPECT_EQ(cage.Slots[8].Lines[6], "K3AI");
    EXPECT_EQ(cage.Slots[8].Lines[3], "K3AO");
    EXPECT_EQ(cage.Slots[8].Lines[7], "[AI 1]");
}

TEST(IoPointDrawing, ComboShowsEachKindOnItsOwnLines) {
    TestBench bench;
    bench.project.Cards.At(1, 2) = 14;
    bench.AddInstance(1, "LEVEL", {"2", "2", "1"});
    bench.AddInstance(56, "COUNT", {"4", "2", "1"});
    bench.AddInstance(155, "VALVE", {"1", "2", "1"});
    const CageModel cage = Draw(bench);
    const auto& lines = cage.Slots[2].Lines;
    const std::array<std::string, 9> expected = {"LEVEL",  "[AI 1]",  "COUNT", "[DI 3]", "[DI 2]",
                                                 "[DI 1]", "[Rly 2]", "VALVE", ""};
    EXPECT_EQ(lines, expected);
}

TEST(IoPointDrawing, OnlyValidPointsOfTheShownCageAreDrawn) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 6;
    bench.project.Cards.At(1, 2) = 13;
    bench.project.Cards.At(1, 3) = 10;
    bench.AddInstance(2, "ELSEWHERE", {"1", "1", "2"}); // another cage
    bench.AddInstance(2, "TOOHIGH", {"9", "1", "1"});
    bench.AddInstance(2, "ZERO", {"0", "1", "1"});
    bench.AddInstance(2, "ONVACANT", {"1", "2", "1"});
    bench.AddInstance(2, "WRONGKIND", {"1", "3", "1"}); // a DI on an AI card
    bench.AddInstance(60, "NOTIO", {"1", "1", "1"});
    bench.AddInstance(2, "BADCARD", {"1", "x", "1"});
    const CageModel cage = Draw(bench);
    EXPECT_EQ(cage.Slots[1].Lines, CardType(6).Terminals);
    EXPECT_EQ(cage.Slots[2].Lines, CardType(13).Terminals);
    EXPECT_EQ(cage.Slots[3].Lines, CardType(10).Terminals);
}

TEST(IoPointDrawing, TheLaterInstanceOnAChannelIsTheOneShown) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 6;
    bench.AddInstance(2, "FIRST", {"1", "1", "1"});
    bench.AddInstance(12, "SECOND", {"1", "1", "1"});
    EXPECT_EQ(Draw(bench).Slots[1].Lines[7], "SECOND");
}

TEST(IoPointCheck, CleanProjectHasNoMessages) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 6;
    bench.AddInstance(2, "DOOR", {"3", "1", "1"});
    const IoCheckResult result = CheckIoPoints(bench.project, bench.workspace.library);
    EXPECT_TRUE(result.Clean());
    EXPECT_EQ(result.ErrorCount(), 0);
}

TEST(IoPointCheck, EachMessageFollowedByTheInstanceName) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 10;
    bench.project.Cards.At(1, 2) = 13;
    bench.AddInstance(1, "CAGEX", {"1", "1", "x"});
    bench.AddInstance(1, "CARD9", {"1", "9", "1"});
    bench.AddInstance(1, "EMPTY", {"1", "3", "1"});
    bench.AddInstance(1, "VACANT", {"1", "2", "1"});
    bench.AddInstance(1, "CHAN9", {"9", "1", "1"});
    bench.AddInstance(1, "GOOD", {"8", "1", "1"});
    const IoCheckResult result = CheckIoPoints(bench.project, bench.workspace.library);
    const std::vector<std::string> expected = {
        "Missing or out of range cage number in CAGEX",
        "Missing or out of range card number in CARD9",
        "No card assigned corresponding to EMPTY",
        "Missing or out of range channel number for card type in VACANT",
        "Missing or out of range channel number for card type in CHAN9",
    };
    EXPECT_EQ(result.Messages, expected);
    EXPECT_EQ(result.ErrorCount(), 5);
}

TEST(IoPointCheck, LaterRulesOverrideEarlierOnes) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 10;
    bench.AddInstance(1, "BOTH", {"1", "0", "9"});     // cage and card wrong: card wins
    bench.AddInstance(1, "CAGEONLY", {"1", "1", "0"}); // card fine, slot never read
    bench.AddInstance(1, "NOTHING", {"", "", ""});
    const IoCheckResult result = CheckIoPoints(bench.project, bench.workspace.library);
    const std::vector<std::string> expected = {
        "Missing or out of range card number in BOTH",
        "Missing or out of range cage number in CAGEONLY",
        "Missing or out of range card number in NOTHING",
    };
    EXPECT_EQ(result.Messages, expected);
}

TEST(IoPointCheck, ChannelRulesByKindAndCardCode) {
    TestBench bench;
    bench.project.Cards.At(3, 4) = 14;
    bench.project.Cards.At(3, 5) = 20; // an unknown code still counts as a card
    bench.project.Cards.At(3, 6) = 21;
    bench.AddInstance(155, "DO2", {"2", "4", "3"});
    bench.AddInstance(155, "DO3", {"3", "4", "3"});
    bench.AddInstance(3, "NOAO", {"1", "4", "3"});
    bench.AddInstance(2, "ODD", {"1", "5", "3"});
    bench.AddInstance(2, "BEYOND", {"1", "6", "3"});
    bench.AddInstance(2, "MINUS", {"-1", "4", "3"});
    const IoCheckResult result = CheckIoPoints(bench.project, bench.workspace.library);
    const std::vector<std::string> expected = {
        "Missing or out of range channel number for card type in DO3",
        "Missing or out of range channel number for card type in NOAO",
        "Missing or out of range channel number for card type in ODD",
        "No card assigned corresponding to BEYOND",
        "Missing or out of range channel number for card type in MINUS",
    };
    EXPECT_EQ(result.Messages, expected);
}

TEST(IoPointCheck, OnlyIoModulesOfTheIoCategoryAreChecked) {
    // Module 2 filed under Math here: not an I/O instance.
    TestBench bench(R"(2|2|Digital input DC|x|IISS.Channel.|IISS.Card.|IISS.Cage.|DOSS.State.ST|\
57|1|System|x|DOSG.Boot.BootTrg|\
60|1|Clock face|x|IISS.Channel.|IISS.Card.|IISS.Cage.|\
)");
    bench.AddInstance(2, "MATHS", {"x", "x", "x"});
    bench.AddInstance(60, "CLOCK", {"x", "x", "x"});
    TModuleInst special;
    special.ModuleNumber = 9001;
    special.Name = "SPECIAL";
    bench.project.Modules.push_back(special);
    EXPECT_TRUE(CheckIoPoints(bench.project, bench.workspace.library).Clean());
}

TEST(IoPointCheck, EmptyLibraryChecksNothing) {
    TestBench bench("");
    TModuleInst m;
    m.ModuleNumber = 1;
    m.Category = 1;
    m.Name = "ORPHAN";
    bench.project.Modules.push_back(m);
    EXPECT_TRUE(CheckIoPoints(bench.project, bench.workspace.library).Clean());
}

TEST(PickIoPoint, ComboLinesOfferTheirKinds) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 14;
    const CageModel cage = Draw(bench);
    IoPick pick = PickIoPoint(bench.project, cage, 1, 0);
    EXPECT_EQ(pick.Action, IoPickAction::ChooseModule);
    EXPECT_EQ(pick.Kind, IoAI);
    EXPECT_EQ(pick.Point, (PendingIoPoint{2, 1, 1}));
    EXPECT_EQ(pick.ChoiceTitle, "Choose Analog Input Type");
    EXPECT_EQ(pick.Choices, (std::vector<std::string>{"Analog input 4-20", "Analog input 0-5v"}));

    pick = PickIoPoint(bench.project, cage, 1, 6);
    EXPECT_EQ(pick.Kind, IoDO);
    EXPECT_EQ(pick.Point.Channel, 2);
    EXPECT_EQ(pick.ChoiceTitle, "Choose Digital Output Type");
    EXPECT_EQ(pick.Choices, (std::vector<std::string>{"Digital output", "Digital alarm output",
                                                      "PulseDurationOut"}));

    pick = PickIoPoint(bench.project, cage, 1, 3);
    EXPECT_EQ(pick.Kind, IoDI);
    EXPECT_EQ(pick.Point.Channel, 3);
    EXPECT_EQ(pick.ChoiceTitle, "Choose Digital Input Type");
    EXPECT_EQ(pick.Choices, (std::vector<std::string>{"Digital input DC", "Digital input AC",
                                                      "DiginCount", "PulseDurationIn"}));

    EXPECT_EQ(PickIoPoint(bench.project, cage, 1, 8).Action, IoPickAction::Nothing);
}

TEST(PickIoPoint, K3AnalogCardOffersInputsAndTheOneOutput) {
    TestBench bench;
    bench.project.Cards.At(4, 2) = 17;
    const CageModel cage = Draw(bench, 4);
    IoPick pick = PickIoPoint(bench.project, cage, 2, 3);
    EXPECT_EQ(pick.Action, IoPickAction::ChooseModule);
    EXPECT_EQ(pick.Kind, IoAO);
    EXPECT_EQ(pick.Point, (PendingIoPoint{1, 2, 4}));
    EXPECT_TRUE(pick.ChoiceTitle.empty());
    EXPECT_EQ(pick.Choices, std::vector<std::string>{"Analog output"});
    pick = PickIoPoint(bench.project, cage, 2, 4);
    EXPECT_EQ(pick.Kind, IoAI);
    EXPECT_EQ(pick.Point.Channel, 4);
    for (int line : {0, 1, 2, 8})
        EXPECT_EQ(PickIoPoint(bench.project, cage, 2, line).Action, IoPickAction::Nothing) << line;
}

TEST(PickIoPoint, PlainCardsUseTheirFirstKindUpToItsCount) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 6;
    bench.project.Cards.At(1, 2) = 9;
    bench.project.Cards.At(1, 3) = 11;
    bench.project.Cards.At(1, 4) = 12;
    const CageModel cage = Draw(bench);
    IoPick pick = PickIoPoint(bench.project, cage, 1, 5);
    EXPECT_EQ(pick.Kind, IoDI);
    EXPECT_EQ(pick.Point, (PendingIoPoint{3, 1, 1}));
    pick = PickIoPoint(bench.project, cage, 2, 4);
    EXPECT_EQ(pick.Kind, IoAO);
    EXPECT_EQ(pick.Point.Channel, 4);
    EXPECT_EQ(PickIoPoint(bench.project, cage, 2, 3).Action, IoPickAction::Nothing); // channel 5
    EXPECT_EQ(PickIoPoint(bench.project, cage, 3, 5).Action, IoPickAction::Nothing); // no channels
    EXPECT_EQ(PickIoPoint(bench.project, cage, 4, 5).Point.Channel, 3);
    EXPECT_EQ(PickIoPoint(bench.project, cage, 4, 4).Action, IoPickAction::Nothing);
    EXPECT_EQ(PickIoPoint(bench.project, cage, 5, 5).Action, IoPickAction::Nothing); // empty slot
}

TEST(PickIoPoint, AnAssignedLineOpensItsInstance) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 6;
    const int door = bench.AddInstance(2, "DOOR", {"3", "1", "1"});
    const CageModel cage = Draw(bench);
    const IoPick pick = PickIoPoint(bench.project, cage, 1, 5);
    EXPECT_EQ(pick.Action, IoPickAction::OpenInstance);
    EXPECT_EQ(pick.Instance, door);
}

TEST(PickIoPoint, OutOfRangeClicksDoNothing) {
    TestBench bench;
    bench.project.Cards.At(1, 1) = 6;
    const CageModel cage = Draw(bench);
    for (auto [slot, line] : std::vector<std::pair<int, int>>{{0, 5}, {9, 5}, {1, -1}, {1, 9}})
        EXPECT_EQ(PickIoPoint(bench.project, cage, slot, line).Action, IoPickAction::Nothing);
}

} // namespace
} // namespace k7
