#include "workspace/io_points.h"

#include "workspace/card_cage.h"
#include "workspace/linescan.h"
#include "workspace/module_library.h"
#include "workspace/project.h"

namespace k7 {

IoKind IoKindOfModule(int moduleNumber) {
    switch (moduleNumber) {
    case 1:
    case 55:
        return IoAI;
    case 3:
        return IoAO;
    case 2:
    case 12:
    case 56:
    case 154:
        return IoDI;
    case 4:
    case 44:
    case 155:
        return IoDO;
    default:
        return IoNone;
    }
}

int ChannelCount(const TCardType& card, IoKind kind) {
    switch (kind) {
    case IoAI:
        return card.AI;
    case IoAO:
        return card.AO;
    case IoDI:
        return card.DI;
    case IoDO:
        return card.DO;
    default:
        return 0;
    }
}

int ChannelLineIndex(int code, IoKind kind, int channel) {
    int line = 8 - channel;
    if (code == 14) {
        if (kind == IoAI)
            line = 2 - channel;
        else if (kind == IoDI)
            line = 6 - channel;
    } else if (code == 17) {
        if (kind == IoAO)
            line = 4 - channel;
    }
    return line >= 0 && line <= 8 ? line : -1;
}

int IoNumber(const std::string& value) {
    int32_t number = 0;
    if (NumberClass(value) != 0 || !ParseDecimal(value, number))
        return 0;
    return number;
}

std::optional<IoBinding> IoBindingOf(const TModuleInst& instance, const ModuleLibrary& library) {
    if (instance.ModuleNumber >= 9000)
        return std::nullopt;
    const IoKind kind = IoKindOfModule(instance.ModuleNumber);
    if (kind == IoNone || library.Module(instance.ModuleNumber).TypeCode != 1)
        return std::nullopt;
    return IoBinding{kind, IoNumber(instance.Values[1]), IoNumber(instance.Values[2]),
                     IoNumber(instance.Values[3])};
}

static bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// The check's verdict on one instance: later rules override earlier ones,
// and the slot is only looked at when both cage and card are in range.
static const char* IoPointError(const Project& project, const IoBinding& point) {
    const char* error = nullptr;
    if (!InRange(point.Cage, 1, CageCount))
        error = CageRangeMessage;
    if (!InRange(point.Card, 1, SlotCount - 1))
        error = CardRangeMessage;
    if (error)
        return error;
    const int code = project.Cards.At(point.Cage, point.Card);
    if (!InRange(code, 1, 20))
        return NoCardMessage;
    if (point.Channel < 1 || point.Channel > ChannelCount(CardType(code), point.Kind))
        return ChannelRangeMessage;
    return nullptr;
}

IoCheckResult CheckIoPoints(const Project& project, const ModuleLibrary& library) {
    IoCheckResult result;
    for (const TModuleInst& instance : project.Modules) {
        const std::optional<IoBinding> point = IoBindingOf(instance, library);
        if (!point)
            continue;
        if (const char* error = IoPointError(project, *point))
            result.Messages.push_back(error + instance.Name);
    }
    return result;
}

void CheckIoPoints(const Project& project, const ModuleLibrary& library, CageModel& shown) {
    for (const TModuleInst& instance : project.Modules) {
        const std::optional<IoBinding> point = IoBindingOf(instance, library);
        if (!point || point->Cage != shown.Cage || !InRange(point->Card, 1, SlotCount - 1))
            continue;
        const int code = project.Cards.At(point->Cage, point->Card);
        if (!InRange(code, 1, CardTypeCount) || code == 13)
            continue;
        if (point->Channel < 1 || point->Channel > ChannelCount(CardType(code), point->Kind))
            continue;
        const int line = ChannelLineIndex(code, point->Kind, point->Channel);
        if (line >= 0)
            shown.Slots[point->Card].Lines[line] = instance.Name;
    }
}

namespace {

struct KindAndChannel {
    IoKind Kind = IoNone;
    int Channel = 0;
};

// Which channel of which kind line 8 - c of a card shows; IoNone when none.
KindAndChannel ChannelAtLine(int code, int c) {
    if (code == 14) {
        if (c <= 2)
            return {IoDO, c};
        if (c <= 6)
            return {IoDI, c - 2};
        return {IoAI, c - 6};
    }
    if (code == 17) {
        if (c <= 4)
            return {IoAI, c};
        if (c == 5)
            return {IoAO, c - 4};
        return {};
    }
    const TCardType& card = CardType(code);
    for (IoKind kind : {IoAI, IoAO, IoDI, IoDO}) {
        const int count = ChannelCount(card, kind);
        if (count == 0)
            continue;
        if (count < c)
            return {};
        return {kind, c};
    }
    return {};
}

void OfferModules(IoPick& pick) {
    switch (pick.Kind) {
    case IoAI:
        pick.ChoiceTitle = "Choose Analog Input Type";
        pick.Choices = {"Analog input 4-20", "Analog input 0-5v"};
        break;
    case IoAO:
        pick.Choices = {"Analog output"};
        break;
    case IoDI:
        pick.ChoiceTitle = "Choose Digital Input Type";
        pick.Choices = {"Digital input DC", "Digital input AC", "DiginCount", "PulseDurationIn"};
        break;
    case IoDO:
        pick.ChoiceTitle = "Choose Digital Output Type";
        pick.Choices = {"Digital output", "Digital alarm output", "PulseDurationOut"};
        break;
    default:
        break;
    }
}

int FindInstanceNamed(const Project& project, const std::string& name) {
    for (int i = 0; i < project.ModuleCount(); ++i)
        if (project.Modules[i].Name == name)
            return i;
    return -1;
}

} // namespace

IoPick PickIoPoint(const Project& project, const CageModel& shown, int slot, int line) {
    IoPick pick;
    if (!InRange(slot, 1, SlotCount - 1) || !InRange(line, 0, 8) ||
        !InRange(shown.Cage, 1, CageCount))
        return pick;
    const int c = 8 - line;
    if (c < 1)
        return pick;
    const std::string& text = shown.Slots[slot].Lines[line];
    const int code = project.Cards.At(shown.Cage, slot);
    if (!InRange(code, 1, CardTypeCount))
        return pick;
    const KindAndChannel channel = ChannelAtLine(code, c);
    if (channel.Kind == IoNone)
        return pick;

    if (!text.empty() && text[0] != '[') {
        const int instance = FindInstanceNamed(project, text);
        if (instance >= 0) {
            pick.Action = IoPickAction::OpenInstance;
            pick.Instance = instance;
            pick.Kind = channel.Kind;
        }
        return pick;
    }
    pick.Action = IoPickAction::ChooseModule;
    pick.Kind = channel.Kind;
    pick.Point = {channel.Channel, slot, shown.Cage};
    OfferModules(pick);
    return pick;
}

} // namespace k7
