// The card panel: unit-type captions, the card list and drag, the K7 and K3
// placement rules and the picture of the shown cage.
#include "tests/workspace/test_bench.h"
#include "workspace/card_cage.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::TestBench;

TEST(ApplyUnitType, K7EnablesEverySlotAndTheCageChoice) {
    Project project;
    CardPanel panel;
    panel.SelectedCage = 4;
    ApplyUnitType(project, panel);
    EXPECT_TRUE(panel.CageChoiceEnabled);
    EXPECT_FALSE(panel.LcdChoiceEnabled);
    EXPECT_EQ(panel.SelectedCage, 4);
    for (int slot = 0; slot < SlotCount; ++slot) {
        EXPECT_EQ(panel.SlotCaptions[slot], "Card " + std::to_string(slot));
        EXPECT_TRUE(panel.SlotEnabled[slot]);
    }
}

TEST(ApplyUnitType, K3ShowsCageOneWithItsSlotNames) {
    Project project;
    project.Unit = UnitType::K3;
    CardPanel panel;
    panel.SelectedCage = 3;
    ApplyUnitType(project, panel);
    EXPECT_EQ(panel.SelectedCage, 1);
    EXPECT_FALSE(panel.CageChoiceEnabled);
    EXPECT_TRUE(panel.LcdChoiceEnabled);
    const std::array<std::string, 9> captions = {"Front Top",  "1Rear Mdm",   "2Rear Rly",
                                                 "3Rear AI",   "4Rear DI",    "",
                                                 "6Front Mid", "7Front Botm", ""};
    EXPECT_EQ(panel.SlotCaptions, captions);
    const std::array<bool, 9> enabled = {true, true, true, true, true, false, true, true, false};
    EXPECT_EQ(panel.SlotEnabled, enabled);
}

TEST(ApplyUnitType, ChangingUnitOrLcdMarksTheProjectOnlyOnAChange) {
    TestBench bench;
    CardPanel panel;
    SetUnitType(bench.workspace, panel, UnitType::K7);
    EXPECT_FALSE(bench.project.ProjectChanged);
    SetUnitType(bench.workspace, panel, UnitType::K3);
    EXPECT_TRUE(bench.project.ProjectChanged);
    EXPECT_TRUE(bench.project.NeedCompile);
    EXPECT_EQ(panel.SlotCaptions[1], "1Rear Mdm");
    bench.project.ProjectChanged = false;
    SetLcdType(bench.workspace, panel, LcdType::Small);
    EXPECT_EQ(bench.project.Lcd, LcdType::Small);
    EXPECT_TRUE(bench.project.ProjectChanged);
}

TEST(CardList, LongNamesOfCodesOneToSeventeenSorted) {
    const std::vector<std::string> expected = {"AI 4 chan/16 bit",
                                               "Analog inputs, 8 ch",
                                               "Analog outputs, 1 ch",
                                               "Analog outputs, 4 ch",
                                               "Combo 2AI, 4DI, 2DO",
                                               "Digital inputs, 8 ch",
                                               "Digital inputs,4 ch",
                                               "K3 AI4/AO1",
                                               "K3 Relay out,4 ch",
                                               "Loop power/charger",
                                               "Modem/RS232",
                                               "Printer/2-RS232",
                                               "Relay outputs,8 ch",
                                               "Removable flashdisk",
                                               "Sleep controller",
                                               "Speech/dialer",
                                               "Vacant"};
    EXPECT_EQ(CardListEntries(), expected);
}

TEST(CardDrag, CarriesTheCodeOfTheChosenName) {
    test::ScriptedUi ui;
    CardPanel panel;
    EXPECT_EQ(StartCardDrag("Vacant", panel, ui), 13);
    EXPECT_EQ(StartCardDrag("Modem/RS232", panel, ui), 11);
    EXPECT_EQ(StartCardDrag("No such card", panel, ui), std::nullopt);
    EXPECT_TRUE(ui.Errors.empty());
}

TEST(CardDrag, FirstCageOnlyCardInAnExpansionCageEmptiesTheSlot) {
    TestBench bench;
    CardPanel panel;
    panel.SelectedCage = 2;
    bench.project.Cards.At(2, 3) = 6;
    const std::optional<int> code = StartCardDrag("Modem/RS232", panel, bench.ui);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(bench.ui.Errors,
              std::vector<std::string>{"This card is only allowed in first card cage."});
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 3, *code, DropTarget::Frame));
    EXPECT_EQ(bench.project.Cards.At(2, 3), 0);
    // An expansion card goes there without a word.
    bench.ui.Errors.clear();
    EXPECT_EQ(StartCardDrag("Relay outputs,8 ch", panel, bench.ui), 4);
    EXPECT_TRUE(bench.ui.Errors.empty());
}

TEST(PlaceCard, K7TakesAnyCodeInAnySlotOfTheShownCage) {
    TestBench bench;
    CardPanel panel;
    panel.SelectedCage = 5;
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 8, 10, DropTarget::Frame));
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 1, 17, DropTarget::Lists));
    EXPECT_EQ(bench.project.Cards.At(5, 8), 10);
    EXPECT_EQ(bench.project.Cards.At(5, 1), 17);
    EXPECT_EQ(bench.project.Cards.At(1, 8), 0);
    EXPECT_TRUE(bench.project.ProjectChanged);
}

TEST(PlaceCard, SlotZeroAndUnknownCodesAreIgnored) {
    TestBench bench;
    CardPanel panel;
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 0, 4, DropTarget::Frame));
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 9, 4, DropTarget::Frame));
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 2, 18, DropTarget::Frame));
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 2, -1, DropTarget::Frame));
    EXPECT_EQ(bench.project.Cards.At(1, 0), 0);
    EXPECT_FALSE(bench.project.ProjectChanged);
}

TEST(PlaceCard, K3RearSlotsTakeOnlyTheirOneCard) {
    TestBench bench;
    bench.project.Unit = UnitType::K3;
    CardPanel panel;
    panel.SelectedCage = 4; // a K3 has only cage 1
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 2, 4, DropTarget::Frame));
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 2, 4, DropTarget::Lists));
    EXPECT_EQ(bench.project.Cards.At(1, 2), 0);
    EXPECT_FALSE(bench.project.ProjectChanged);
    EXPECT_TRUE(bench.ui.Errors.empty());

    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 2, 5, DropTarget::Frame));
    EXPECT_EQ(bench.project.Cards.At(1, 2), 5);
    EXPECT_EQ(bench.project.Cards.At(4, 2), 0);
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 1, 11, DropTarget::Frame));
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 3, 17, DropTarget::Frame));
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 4, 6, DropTarget::Lists));
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 1, 5, DropTarget::Frame));
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 4, 7, DropTarget::Frame));
}

TEST(PlaceCard, K3VacantEmptiesARearSlotOnlyThroughItsLists) {
    TestBench bench;
    bench.project.Unit = UnitType::K3;
    bench.project.Cards.At(1, 2) = 5;
    CardPanel panel;
    EXPECT_FALSE(PlaceCard(bench.workspace, panel, 2, 13, DropTarget::Frame));
    EXPECT_EQ(bench.project.Cards.At(1, 2), 5);
    EXPECT_TRUE(PlaceCard(bench.workspace, panel, 2, 13, DropTarget::Lists));
    EXPECT_EQ(bench.project.Cards.At(1, 2), 13);
}

TEST(PlaceCard, K3FrontSlotsTakeAnyCodeAndTheMissingSlotsNone) {
    EXPECT_TRUE(CardDropAccepted(UnitType::K3, 6, 4, DropTarget::Frame));
    EXPECT_TRUE(CardDropAccepted(UnitType::K3, 7, 15, DropTarget::Lists));
    EXPECT_FALSE(CardDropAccepted(UnitType::K3, 5, 4, DropTarget::Frame));
    EXPECT_FALSE(CardDropAccepted(UnitType::K3, 8, 13, DropTarget::Lists));
}

TEST(DrawCage, SlotZeroShowsTheCpuInCageOneOnly) {
    TestBench bench;
    CardPanel panel;
    CageModel cage = DrawCage(bench.project, bench.workspace.library, panel);
    EXPECT_EQ(cage.Cage, 1);
    EXPECT_EQ(cage.Slots[0].Title, "CPU32");
    EXPECT_EQ(cage.Slots[0].Caption, "Card 0");
    EXPECT_EQ(cage.Slots[0].Lines, (std::array<std::string, 9>{}));
    panel.SelectedCage = 2;
    cage = DrawCage(bench.project, bench.workspace.library, panel);
    EXPECT_EQ(cage.Cage, 2);
    EXPECT_EQ(cage.Slots[0].Title, "VACANT");
    EXPECT_TRUE(cage.Note.empty());
}

TEST(DrawCage, EachSlotShowsItsCardAndUnknownCodesAsVacant) {
    TestBench bench;
    bench.project.Cards.At(3, 1) = 14;
    bench.project.Cards.At(3, 2) = 99;
    bench.project.Cards.At(3, 3) = 5;
    CardPanel panel;
    panel.SelectedCage = 3;
    const CageModel cage = DrawCage(bench.project, bench.workspace.library, panel);
    const SlotView& combo = cage.Slots[1];
    EXPECT_EQ(combo.Caption, "Card 1");
    EXPECT_EQ(combo.Title, "COMBO");
    EXPECT_EQ(combo.Lines[0], "[AI 2]");
    EXPECT_TRUE(combo.IndicatorVisible(1));
    EXPECT_FALSE(combo.IndicatorVisible(8));
    EXPECT_EQ(cage.Slots[2].Code, 99);
    EXPECT_EQ(cage.Slots[2].DrawnCode, 13);
    EXPECT_EQ(cage.Slots[2].Title, "VACANT");
    EXPECT_EQ(cage.Slots[3].Indicators[4], " 4");
    EXPECT_FALSE(cage.Slots[3].IndicatorVisible(1));
    EXPECT_TRUE(cage.Slots[3].IndicatorVisible(5));
    // An empty slot of a new project is drawn as the vacant card.
    EXPECT_EQ(cage.Slots[4].Code, 0);
    EXPECT_EQ(cage.Slots[4].Title, "VACANT");
}

TEST(DrawCage, ClampsTheCageAndFollowsTheUnitType) {
    TestBench bench;
    CardPanel panel;
    panel.SelectedCage = 12;
    EXPECT_EQ(DrawCage(bench.project, bench.workspace.library, panel).Cage, 8);
    panel.SelectedCage = -3;
    EXPECT_EQ(DrawCage(bench.project, bench.workspace.library, panel).Cage, 1);
    bench.project.Unit = UnitType::K3;
    panel.SelectedCage = 6;
    const CageModel cage = DrawCage(bench.project, bench.workspace.library, panel);
    EXPECT_EQ(cage.Cage, 1);
    EXPECT_EQ(panel.SelectedCage, 1);
    EXPECT_EQ(cage.Note, "NOTE: TAV3 rear cards 1-4 accept only MDM/RS232, RLY4, AI4/AO1, and "
                         "DI8 in that order.");
    EXPECT_EQ(cage.Slots[7].Caption, "7Front Botm");
    EXPECT_FALSE(cage.Slots[8].Enabled);
}

} // namespace
} // namespace k7
