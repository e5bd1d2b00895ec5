// The I/O section: the settings instances, the card overview of each cage
// and every channel of every I/O card with the instance bound to it.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/card_types.h"
#include "workspace/io_points.h"
#include "workspace/name_order.h"
#include "workspace/record_list.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace k7 {

namespace {

// Module types whose instances describe a port's or the unit's settings and
// are listed at the top of the section.
bool IsSettingsModule(int moduleNumber) {
    return moduleNumber == 8 || moduleNumber == 53;
}

// The I/O module numbers whose instances are bound to a card channel (the
// numbers the card check knows) and 23.
bool IsChannelModule(int moduleNumber) {
    return IoKindOfModule(moduleNumber) != IoNone || moduleNumber == 23;
}

// Channels the documentation lists per card type; other cards are described
// by their modules.
int DocumentedChannels(int code) {
    switch (code) {
    case 4:
    case 6:
    case 10:
        return 8;
    case 5:
    case 7:
    case 9:
        return 4;
    case 8:
        return 1;
    default:
        return 0;
    }
}

void WriteSettingsLines(const DocSource& source, const std::vector<int>& order, DocLines& out) {
    for (int index : order) {
        const TModuleInst& instance = source.project.Modules[index];
        if (!IsSettingsModule(instance.ModuleNumber))
            continue;
        const TModuleDef& def = source.library.Module(instance.ModuleNumber);
        std::string line = PadRight(instance.Values[1], 36);
        line = PadRight(line + "  " + def.Items[2].Prompt + "=" + instance.Values[2], 61);
        out.push_back(line + "  " + def.Items[3].Prompt + "=" + instance.Values[3]);
    }
}

bool CageHasCard(const TCardConfig& cards, int cage) {
    for (int slot = 1; slot < SlotCount; ++slot)
        if (cards.At(cage, slot) >= 1)
            return true;
    return false;
}

void WriteCardOverview(const TCardConfig& cards, DocLines& out) {
    for (int cage = 1; cage <= CageCount; ++cage) {
        if (!CageHasCard(cards, cage))
            continue;
        std::string line = "  " + std::to_string(cage) + "   ";
        for (int slot = 1; slot < SlotCount; ++slot)
            line += CardType(cards.At(cage, slot)).ShortName;
        out.push_back(line);
    }
}

// Where a channel instance is bound: cage, slot and channel from its values.
using ChannelKey = std::tuple<int, int, int>;
using ChannelInstances = std::map<ChannelKey, std::vector<int>>;

// The instances of every channel, each list in module order, gathered once.
ChannelInstances BoundInstances(const DocSource& source, const std::vector<int>& order) {
    ChannelInstances bound;
    for (int index : order) {
        const TModuleInst& instance = source.project.Modules[index];
        if (instance.ModuleNumber >= 9000 || !IsChannelModule(instance.ModuleNumber) ||
            source.library.Module(instance.ModuleNumber).TypeCode != 1)
            continue;
        bound[{TextNumber(instance.Values[3]), TextNumber(instance.Values[2]),
               TextNumber(instance.Values[1])}]
            .push_back(index);
    }
    return bound;
}

void WriteChannel(const DocSource& source, const std::vector<int>& instances, int channel,
                  DocLines& out) {
    if (instances.empty())
        out.push_back("  Chan " + std::to_string(channel) + " Spare");
    for (int index : instances) {
        const TModuleInst& instance = source.project.Modules[index];
        const TModuleDef& def = source.library.Module(instance.ModuleNumber);
        WrappedLine line(out,
                         "  Chan " + instance.Values[1] + " " + instance.Name + "..." + def.Name,
                         ItemContinuation);
        AppendItemValues(instance, def, 4, def.InputCount + def.ConstantCount, line);
        line.Finish();
    }
}

void WriteCardChannels(const DocSource& source, const std::vector<int>& order, DocLines& out) {
    const TCardConfig& cards = source.project.Cards;
    const ChannelInstances bound = BoundInstances(source, order);
    static const std::vector<int> none;
    for (int cage = 1; cage <= CageCount; ++cage) {
        for (int slot = 1; slot < SlotCount; ++slot) {
            const int code = cards.At(cage, slot);
            if (code < 1)
                continue;
            out.push_back("Cage " + std::to_string(cage) + ", card " + std::to_string(slot) +
                          " = " + CardType(code).ShortName + ":");
            const int channels = DocumentedChannels(code);
            if (channels == 0)
                out.push_back("  No individual I/O for this card...see module list");
            for (int channel = channels; channel >= 1; --channel) {
                auto found = bound.find({cage, slot, channel});
                WriteChannel(source, found == bound.end() ? none : found->second, channel, out);
            }
        }
    }
}

} // namespace

void AppendItemValues(const TModuleInst& instance, const TModuleDef& def, int first, int last,
                      WrappedLine& line) {
    last = std::min(last, MaxModuleItems);
    for (int item = std::max(first, 1); item <= last; ++item)
        line.Append("  " + def.Items[item].Prompt + "=" + instance.Values[item]);
}

void WriteIoSection(const DocSource& source, DocLines& out) {
    const std::vector<int> order = ModuleOrderList(source.project, source.sortModules);
    AppendIntroBlock(source.intro, 'S', out);
    WriteSettingsLines(source, order, out);
    AppendIntroBlock(source.intro, 'I', out);
    WriteCardOverview(source.project.Cards, out);
    AppendIntroBlock(source.intro, 'J', out);
    WriteCardChannels(source, order, out);
}

} // namespace k7
