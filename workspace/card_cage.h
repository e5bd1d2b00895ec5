// The card cages of a unit: the card panel "Select K7 Cards" as a model.
// It shows one cage at a time, takes card drops under the K7 and K3
// placement rules and offers a picture of the shown cage for a view to draw.
// The I/O point rules (channel lines, picking a channel, the check of all
// I/O instances) are in io_points.h, included here for callers of both.
#pragma once

#include "workspace/card_types.h"
#include "workspace/io_points.h"
#include "workspace/project.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

class Workspace;
class UserInterface;
class ModuleLibrary;

constexpr const char* FirstCageOnlyMessage = "This card is only allowed in first card cage.";
constexpr const char* K3RearSlotNote =
    "NOTE: TAV3 rear cards 1-4 accept only MDM/RS232, RLY4, AI4/AO1, and DI8 in that order.";

// View state of the card panel; not saved with the project.
struct CardPanel {
    bool Visible = false;
    int SelectedCage = 1; // 1..8; always 1 on a K3
    // Set by ApplyUnitType.
    bool CageChoiceEnabled = true;
    bool LcdChoiceEnabled = false;
    std::array<std::string, SlotCount> SlotCaptions;
    std::array<bool, SlotCount> SlotEnabled{};
};

// One slot of the shown cage as a view draws it.
struct SlotView {
    std::string Caption;
    bool Enabled = true;
    int Code = 0;      // the stored card type code
    int DrawnCode = 0; // slots 1..8: a code outside 1..17 is drawn as 13; slot 0: 0
    std::string Title; // picture title; "CPU32" or "VACANT" on slot 0
    std::array<std::string, 8> Indicators; // labels 1..8; a blank label is hidden
    std::array<std::string, 9> Lines;      // the channel list, lines 0..8

    bool IndicatorVisible(int position) const { // 1..8
        return position >= 1 && position <= 8 && !Indicators[position - 1].empty();
    }
};

struct CageModel {
    int Cage = 1;
    std::string Note; // the K3 rear-slot note; empty on a K7
    std::array<SlotView, SlotCount> Slots;
};

// Where on a slot a card was dropped: the frame, or its channel or indicator list.
enum class DropTarget { Frame, Lists };

// Slot captions, enabled states and the cage and LCD choices for the unit
// type; a K3 always shows cage 1.
void ApplyUnitType(const Project& project, CardPanel& panel);

// The user changed the UnitType or LcdType choice.
void SetUnitType(Workspace& workspace, CardPanel& panel, UnitType unit);
void SetLcdType(Workspace& workspace, CardPanel& panel, LcdType lcd);

// The card list: long names of codes 1..17, sorted alphabetically.
std::vector<std::string> CardListEntries();

// Starts a drag from the card list: the code the drag carries, or nothing
// when the entry names no card. A card not allowed in cages 2..8 dragged
// while such a cage is shown gets FirstCageOnlyMessage and carries 0.
std::optional<int> StartCardDrag(const std::string& entry, const CardPanel& panel,
                                 UserInterface& ui);

// Whether a drop of `code` on slot `slot` is taken under the unit's rules.
bool CardDropAccepted(UnitType unit, int slot, int code, DropTarget target);

// A drop on slot 1..8 of the shown cage: stores the code when the rules take
// it and marks the project changed. False when the drop was ignored.
bool PlaceCard(Workspace& workspace, const CardPanel& panel, int slot, int code, DropTarget target);

// Runs ApplyUnitType, clamps the shown cage to 1..8 and returns the picture
// of that cage with the I/O instances written into their channel lines.
CageModel DrawCage(const Project& project, const ModuleLibrary& library, CardPanel& panel);

} // namespace k7
