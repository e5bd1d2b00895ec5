#include "workspace/card_cage.h"

#include "workspace/workspace.h"

#include <algorithm>

namespace k7 {

namespace {

const std::array<const char*, SlotCount> K3Captions = {"Front Top",  "1Rear Mdm",   "2Rear Rly",
                                                       "3Rear AI",   "4Rear DI",    "",
                                                       "6Front Mid", "7Front Botm", ""};

// The one card type each K3 rear slot 1..4 takes.
int K3RearCard(int slot) {
    switch (slot) {
    case 1:
        return 11; // "Modem/RS232"
    case 2:
        return 5; // "K3 Relay out,4 ch"
    case 3:
        return 17; // "K3 AI4/AO1"
    case 4:
        return 6; // "Digital inputs, 8 ch"
    default:
        return 0;
    }
}

constexpr int VacantCode = 13;

SlotView CpuSlot(int cage) {
    SlotView view;
    view.Title = cage == 1 ? "CPU32" : "VACANT";
    return view;
}

SlotView CardSlot(int code) {
    SlotView view;
    view.Code = code;
    view.DrawnCode = code >= 1 && code <= CardTypeCount ? code : VacantCode;
    const TCardType& card = CardType(view.DrawnCode);
    view.Title = card.Title;
    view.Indicators = card.Indicators;
    view.Lines = card.Terminals;
    return view;
}

} // namespace

void ApplyUnitType(const Project& project, CardPanel& panel) {
    if (project.Unit == UnitType::K3) {
        panel.SelectedCage = 1;
        panel.CageChoiceEnabled = false;
        panel.LcdChoiceEnabled = true;
        for (int slot = 0; slot < SlotCount; ++slot) {
            panel.SlotCaptions[slot] = K3Captions[slot];
            panel.SlotEnabled[slot] = slot != 5 && slot != 8;
        }
        return;
    }
    panel.CageChoiceEnabled = true;
    panel.LcdChoiceEnabled = false;
    for (int slot = 0; slot < SlotCount; ++slot) {
        panel.SlotCaptions[slot] = "Card " + std::to_string(slot);
        panel.SlotEnabled[slot] = true;
    }
}

void SetUnitType(Workspace& workspace, CardPanel& panel, UnitType unit) {
    if (workspace.project.Unit == unit)
        return;
    workspace.project.Unit = unit;
    ApplyUnitType(workspace.project, panel);
    workspace.MarkProjectChanged(ProjectPart::Cards);
}

void SetLcdType(Workspace& workspace, CardPanel& panel, LcdType lcd) {
    if (workspace.project.Lcd == lcd)
        return;
    workspace.project.Lcd = lcd;
    ApplyUnitType(workspace.project, panel);
    workspace.MarkProjectChanged(ProjectPart::Cards);
}

std::vector<std::string> CardListEntries() {
    std::vector<std::string> entries;
    for (int code = 1; code <= CardTypeCount; ++code)
        entries.push_back(CardType(code).LongName);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::optional<int> StartCardDrag(const std::string& entry, const CardPanel& panel,
                                 UserInterface& ui) {
    for (int code = 1; code <= CardTypeCount; ++code) {
        const TCardType& card = CardType(code);
        if (card.LongName != entry)
            continue;
        if (panel.SelectedCage > 1 && !card.Exp) {
            ui.ShowError(FirstCageOnlyMessage);
            return 0;
        }
        return code;
    }
    return std::nullopt;
}

bool CardDropAccepted(UnitType unit, int slot, int code, DropTarget target) {
    if (slot < 1 || slot >= SlotCount || code < 0 || code > CardTypeCount)
        return false;
    if (unit == UnitType::K7)
        return true;
    if (slot == 5 || slot == 8) // no such slot on a K3: the view disables it
        return false;
    if (slot > 4)
        return true;
    return code == K3RearCard(slot) || (target == DropTarget::Lists && code == VacantCode);
}

bool PlaceCard(Workspace& workspace, const CardPanel& panel, int slot, int code,
               DropTarget target) {
    Project& project = workspace.project;
    const int cage =
        project.Unit == UnitType::K3 ? 1 : std::clamp(panel.SelectedCage, 1, CageCount);
    if (!CardDropAccepted(project.Unit, slot, code, target))
        return false;
    project.Cards.At(cage, slot) = code;
    workspace.MarkProjectChanged(ProjectPart::Cards);
    return true;
}

CageModel DrawCage(const Project& project, const ModuleLibrary& library, CardPanel& panel) {
    ApplyUnitType(project, panel);
    panel.SelectedCage = std::clamp(panel.SelectedCage, 1, CageCount);
    CageModel model;
    model.Cage = panel.SelectedCage;
    if (project.Unit == UnitType::K3)
        model.Note = K3RearSlotNote;
    for (int slot = 0; slot < SlotCount; ++slot) {
        SlotView view =
            slot == 0 ? CpuSlot(model.Cage) : CardSlot(project.Cards.At(model.Cage, slot));
        view.Caption = panel.SlotCaptions[slot];
        view.Enabled = panel.SlotEnabled[slot];
        model.Slots[slot] = view;
    }
    CheckIoPoints(project, library, model);
    return model;
}

} // namespace k7
