#include "compiler/module_records.h"

#include "compiler/compile_context.h"
#include "compiler/sections.h"
#include "workspace/linescan.h"
#include "workspace/module_library.h"
#include "workspace/name_order.h"
#include "workspace/project.h"

#include <algorithm>

namespace k7 {

namespace {

constexpr size_t ModuleLineLimit = 120;
constexpr int32_t DefaultPortBuffer = 160;

char Letter(const std::string& code, size_t position) {
    return position < code.size() ? code[position] : ' ';
}

// A single decimal digit's value; anything else reads as 0.
int SingleDigit(const std::string& value) {
    return value.size() == 1 && value[0] >= '0' && value[0] <= '9' ? value[0] - '0' : 0;
}

// A buffer size given as a count of entries: ((v div 8) + 1) x 4 when the
// value has more than 2 characters and is a number, else the default.
int32_t PortBufferSize(const std::string& value) {
    int32_t entries = 0;
    if (value.size() <= 2 || !ParseDecimal(value, entries) || entries < 0)
        return DefaultPortBuffer;
    return (entries / 8 + 1) * 4;
}

std::string ItemWord(CompileContext& context, const TModuleInst& instance,
                     const TModuleItemDef& item, const std::string& value) {
    const std::string& code = item.Code;
    if (value.empty()) {
        if (Letter(code, 3) == 'C' && Letter(code, 0) != 'S')
            context.ReportInPass2("Missing constant in " + instance.Name);
        return {};
    }
    std::string word;
    if (Letter(code, 3) == 'M')
        word = ModuleReference(context, value);
    else if (Letter(code, 0) == 'D' && Letter(code, 1) == 'O' && Letter(code, 3) == 'G')
        word = LookupName(context, "@" + value);
    else
        word = LookupName(context, value);
    if (word.empty())
        context.ReportInPass2("Cannot find " + value + " in " + instance.Name);
    return word;
}

// The slot number an instance names: one digit, or one other character
// meaning no card; -1 when the value is no card number at all.
int CardNumberOf(const std::string& value) {
    if (value.size() != 1)
        return -1;
    if (value[0] < '0' || value[0] > '9')
        return 0;
    return value[0] == '9' ? -1 : value[0] - '0';
}

// The cage an instance names: one digit, or one other character meaning
// cage 1; -1 when the value is no cage number at all.
int CageNumberOf(const std::string& value) {
    if (value.size() != 1)
        return -1;
    if (value[0] < '0' || value[0] > '9')
        return 1;
    return value[0] - '0';
}

bool AcceptsCard(const TModuleDef& def, int code) {
    for (int p = 3; p <= 10; ++p)
        if (def.Params[p] > 0 && def.Params[p] == code)
            return true;
    return false;
}

void CheckCardBinding(CompileContext& context, const TModuleInst& instance, const TModuleDef& def) {
    const int cardItem = def.Params[1];
    if (cardItem <= 0 || cardItem > MaxModuleItems)
        return;
    const std::string rangeMessage = "Card number range must be 0-8 in " + instance.Name;
    const int card = CardNumberOf(instance.Values[cardItem]);
    if (card < 0) {
        context.ModuleError = true;
        context.Report(rangeMessage);
    }
    int cage = 1;
    const int cageItem = def.Params[2];
    if (cageItem > 0 && cageItem <= MaxModuleItems) {
        cage = CageNumberOf(instance.Values[cageItem]);
        if (cage < 0) {
            context.ModuleError = true;
            context.Report(rangeMessage);
        }
    }
    if (card < 1 || context.ModuleError)
        return;
    if (instance.ModuleNumber == K3SkipCardCheckModuleType && context.project.Unit == UnitType::K3)
        return;
    // Cage digits 0 and 9 name no cage: the slot counts as empty.
    const int code = cage >= 1 && cage <= CageCount ? context.project.Cards.At(cage, card) : 0;
    if (!AcceptsCard(def, code))
        context.Report("Wrong type card referenced in " + instance.Name);
}

void WriteModuleRecord(CompileContext& context, int instanceIndex, int walk) {
    const TModuleInst& instance = context.project.Modules[instanceIndex];
    const bool known = context.library.Has(instance.ModuleNumber);
    const TModuleDef& def = context.library.Module(instance.ModuleNumber);
    const int items = known ? std::min(def.LastItem(), MaxModuleItems) : 0;
    const uint32_t address = context.FlashCursor;
    const uint32_t next = address + (static_cast<uint32_t>(items) + 2) * 4;

    context.ModuleError = false;
    if (walk == 2 && context.Pass == 1)
        context.NamedModules.Add(instance.Name, address);

    RecordLines lines(context.PassImage(), address, ModuleLineLimit);
    lines.Field(HexWord(static_cast<uint32_t>(instance.ModuleNumber)), address + 4);
    lines.Field(HexWord(next), address + 8);
    for (int item = 1; item <= items; ++item)
        lines.Field(ItemWord(context, instance, def.Items[item], instance.Values[item]),
                    address + 8 + 4 * static_cast<uint32_t>(item));
    lines.Close();

    if (known && context.Writing())
        CheckCardBinding(context, instance, def);
    RaiseModuleBufferNeeds(context, instanceIndex);
    context.FlashCursor = next;
}

} // namespace

int ModuleWalkOf(int moduleNumber) {
    switch (moduleNumber) {
    case 8:
    case 53:
        return 1;
    case 20:
    case 18:
    case 65:
    case 168:
        return 2;
    default:
        return 3;
    }
}

void CompileModuleWalks(CompileContext& context, int firstWalk, int lastWalk) {
    for (int walk = firstWalk; walk <= lastWalk; ++walk)
        for (int index : context.ModuleOrder)
            if (ModuleWalkOf(context.project.Modules[index].ModuleNumber) == walk)
                WriteModuleRecord(context, index, walk);
}

void CompileFirstModuleWalks(CompileContext& context) {
    CompileModuleWalks(context, 1, 2);
}

void CompileLastModuleWalk(CompileContext& context) {
    CompileModuleWalks(context, 3, 3);
}

void RaiseModuleBufferNeeds(CompileContext& context, int instanceIndex) {
    const TModuleInst& instance = context.project.Modules[instanceIndex];
    ComBufferSizes& buffers = context.Buffers;
    if (instance.ModuleNumber == ComPortModuleType) {
        const int board = SingleDigit(instance.Values[1]);
        const int port = SingleDigit(instance.Values[2]);
        int index = -1;
        if (board >= 1 && board <= 8 && (port == 1 || port == 2))
            index = 3 * board + port - 1;
        else if (board == 0 && port == 1)
            index = 1;
        if (index < 0) {
            context.ReportInPass2("Out of range board/port specifier in " + instance.Name);
            return;
        }
        const int32_t size = PortBufferSize(instance.Values[15]);
        ComBufferSizes::Raise(buffers.Tx[index], size);
        ComBufferSizes::Raise(buffers.Rx[index], size);
    } else if (instance.ModuleNumber == TransmitBufferModuleType) {
        const int board = SingleDigit(instance.Values[1]);
        if (board < 1 || board > 7) {
            context.ReportInPass2("Out of range board specifier in " + instance.Name);
            return;
        }
        buffers.Tx[3 * board + 2] = PortBufferSize(instance.Values[2]);
    }
}

} // namespace k7
