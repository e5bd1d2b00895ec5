#include "compiler/ram_assignment.h"

#include "compiler/compile_context.h"
#include "workspace/linescan.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/record_list.h"
#include "workspace/table_record.h"
#include "workspace/telemetry_arrays.h"
#include "workspace/user_interface.h"

#include <algorithm>

namespace k7 {

namespace {

constexpr int ArrayDefaultCount = 10;
constexpr int StringDefaultLength = 40;
constexpr int LadderCoilKind = 9;
constexpr int LadderJunctionKind = 6;

// Module types whose first output needs more than one word.
constexpr int TankModuleType = 18;
constexpr int StatusListModuleType = 168;

uint64_t StringBytes(uint64_t length) {
    return (length / 4 + 1) * 4;
}

// A count or length held by an item value: blank gives the default, a
// value that is no plain number reads as 0.
uint64_t SizeValue(const std::string& value, uint64_t blankDefault) {
    if (value.empty())
        return blankDefault;
    int32_t number = 0;
    return ParseDecimal(value, number) && number >= 0 ? static_cast<uint64_t>(number) : 0;
}

bool SizeValueValid(const std::string& value) {
    int32_t number = 0;
    return value.empty() || (ParseDecimal(value, number) && number >= 0);
}

// The first output of type 168: one word per status input it names that is
// no Status variable of the project, one more, and one for itself.
uint64_t StatusListFirstOutputSize(const TModuleInst& instance,
                                   const std::unordered_set<std::string>& statusNames) {
    uint64_t named = 0;
    uint64_t inStatusList = 0;
    for (int item = 5; item <= 24; ++item) {
        const std::string& value = instance.Values[item];
        if (value.size() <= 3)
            continue;
        ++named;
        if (statusNames.count(value))
            ++inStatusList;
    }
    if (inStatusList == 0)
        return named * 4 + 4;
    return (named - inStatusList + 1) * 4 + 4;
}

uint64_t FirstOutputSize(const TModuleInst& instance,
                         const std::unordered_set<std::string>& statusNames) {
    if (instance.ModuleNumber == TankModuleType)
        return 16;
    return StatusListFirstOutputSize(instance, statusNames);
}

bool HasSpecialFirstOutput(const TModuleInst& instance) {
    return instance.ModuleNumber == TankModuleType || instance.ModuleNumber == StatusListModuleType;
}

uint32_t ToAddress(const RamBlock& block) {
    return block.Found() ? static_cast<uint32_t>(block.Start) : 0;
}

// A size that FindRamBlock can take: anything above RAM fails there alike.
uint32_t BlockRequest(uint64_t size) {
    return static_cast<uint32_t>(std::min<uint64_t>(size, RamCellCount + 1));
}

void ClearTooSmallBlock(TModuleInst& instance, uint64_t size) {
    if (instance.RamStart == 0 && instance.RamEnd == 0)
        return;
    const int64_t stored = int64_t{instance.RamEnd} - int64_t{instance.RamStart} + 1;
    if (stored < static_cast<int64_t>(size)) {
        instance.RamStart = 0;
        instance.RamEnd = 0;
    }
}

void PlaceModuleOutputs(CompileContext& context, const TModuleInst& instance, const TModuleDef& def,
                        uint64_t firstOutputSize) {
    uint64_t cursor = instance.RamStart;
    SymbolTable& symbols = context.Symbols;
    const uint64_t count = SizeValue(instance.Values[1], ArrayDefaultCount);
    const uint64_t length = SizeValue(instance.Values[2], StringDefaultLength);
    for (int item = def.FirstOutputItem(); item <= def.LastItem() && item <= MaxModuleItems;
         ++item) {
        const TModuleItemDef& code = def.Items[item];
        const std::string& name = instance.Values[item];
        if (code.Letter(4) == 'T') {
            symbols.AddTimer(name);
            continue;
        }
        if (code.Letter(4) == 'G') {
            symbols.AddTrigger(name);
            continue;
        }
        const uint64_t elements = code.Letter(3) == 'A' ? count : 1;
        const uint32_t address = static_cast<uint32_t>(cursor);
        switch (code.Letter(1)) {
        case 'D':
            symbols.AddStatus(name, address);
            cursor += 4 * elements;
            break;
        case 'F':
            symbols.AddFloat(name, address);
            cursor += 4 * elements;
            break;
        case 'I':
            symbols.AddInteger(name, address);
            if (item == def.FirstOutputItem() && HasSpecialFirstOutput(instance))
                cursor += firstOutputSize * elements;
            else
                cursor += 4 * elements;
            break;
        case 'S':
            symbols.AddString(name, address);
            cursor += StringBytes(length) * elements;
            break;
        default:
            break;
        }
    }
}

void ReportBadSizeValues(CompileContext& context, const TModuleInst& instance,
                         const TModuleDef& def) {
    bool usesCount = false;
    bool usesLength = false;
    for (int item = def.FirstOutputItem(); item <= def.LastItem() && item <= MaxModuleItems;
         ++item) {
        usesCount = usesCount || def.Items[item].Letter(3) == 'A';
        usesLength = usesLength || def.Items[item].Letter(1) == 'S';
    }
    if ((usesCount && !SizeValueValid(instance.Values[1])) ||
        (usesLength && !SizeValueValid(instance.Values[2])))
        context.Report("Size value must be a number in " + instance.Name);
}

void AssignInstanceRam(CompileContext& context, TModuleInst& instance,
                       const std::unordered_set<std::string>& statusNames) {
    if (!context.library.Has(instance.ModuleNumber))
        return;
    const TModuleDef& def = context.library.Module(instance.ModuleNumber);
    const int inputs = std::min(def.InputCount + def.ConstantCount, MaxModuleItems);
    if (context.Pass == 3)
        for (int item = 1; item <= inputs; ++item)
            AddConstant(context.Constants, instance.Values[item], def.Items[item].Code);
    if (def.OutputCount <= 0)
        return;

    const uint64_t size = ModuleBlockSize(instance, def, statusNames);
    ClearTooSmallBlock(instance, size);
    if (context.Pass == 2)
        ReportBadSizeValues(context, instance, def);
    if (context.Pass == 2 && instance.RamStart == 0) {
        context.AddressAssigned();
        const RamBlock block = FindRamBlock(context, BlockRequest(size), instance.Name);
        if (block.Found()) {
            instance.RamStart = static_cast<uint32_t>(block.Start);
            instance.RamEnd = static_cast<uint32_t>(block.End);
        }
    }
    if (context.Pass == 1 && instance.RamStart != 0)
        ReserveRange(context, instance.RamStart, instance.RamEnd);
    if (context.Pass == 2)
        PlaceModuleOutputs(context, instance, def,
                           HasSpecialFirstOutput(instance) ? FirstOutputSize(instance, statusNames)
                                                           : 4);
}

// --- RX rows ---

bool IsRxValueType(const std::string& type) {
    return type == "Integer" || type == "Float" || type == "Long Int" || type == "Status";
}

bool HasMultiplier(const std::string& mult) {
    return !mult.empty() && mult != "1.0";
}

bool RxRowAssigned(const TTlmRow& row) {
    return row[TlmAddress].size() > 3;
}

int BitInWord(const TTlmRow& row) {
    return ((CellNumber(row[TlmBit]) % 16) + 16) % 16;
}

void ReserveStoredRxRow(CompileContext& context, TTlmRow& row) {
    uint32_t value = HexValue(row[TlmAddress]);
    const uint32_t tag = value & TagMask;
    if (tag == TagInteger || tag == TagFloat) {
        const bool isFloat = row[TlmType] == "Float" || HasMultiplier(row[TlmMult]);
        value = (value & ~TagMask) | (isFloat ? TagFloat : TagInteger);
        row[TlmAddress] = HexText(value);
    }
    ReserveX(context, row[TlmAddress]);
}

uint32_t RxRunSize(const TTlmArray& rx, int first, int end) {
    uint32_t size = 0;
    for (int i = first; i < end; ++i) {
        const TTlmRow& row = rx.Rows[i];
        if (row[TlmType] != "Status" || BitInWord(row) == 1)
            size += 4;
    }
    return size;
}

void PlaceRxRun(TTlmArray& rx, int first, int end, uint32_t cursor) {
    for (int i = first; i < end; ++i) {
        TTlmRow& row = rx.Rows[i];
        const std::string& type = row[TlmType];
        uint32_t address = cursor;
        if (type == "Status") {
            const uint32_t bit = static_cast<uint32_t>((CellNumber(row[TlmBit]) - 1) & 15);
            address = (bit << StatusBitShift) | TagStatus | cursor;
            if (BitInWord(row) == 0)
                cursor += 4;
        } else {
            if (type == "Float" || (type == "Integer" && HasMultiplier(row[TlmMult])))
                address |= TagFloat;
            else if (type == "Long Int")
                address |= TagLongInt;
            cursor += 4;
        }
        row[TlmAddress] = HexText(address);
    }
}

void AssignNewRxRows(CompileContext& context, TTlmArray& rx) {
    const int rows = rx.RowCount();
    int i = 1;
    while (i < rows - 1) {
        if (RxRowAssigned(rx.Rows[i]) || !IsRxValueType(rx.Rows[i][TlmType])) {
            ++i;
            continue;
        }
        int end = i;
        while (end < rows && !RxRowAssigned(rx.Rows[end]) && IsRxValueType(rx.Rows[end][TlmType]))
            ++end;
        const uint32_t size = RxRunSize(rx, i, end);
        if (size > 0) {
            const RamBlock block = FindRamBlock(context, size, rx.Rows[i][TlmName]);
            context.AddressAssigned();
            if (block.Found())
                PlaceRxRun(rx, i, end, static_cast<uint32_t>(block.Start));
        }
        i = end;
    }
}

// --- tables ---

struct TableScan {
    size_t HeaderLine = 0;
    std::string Name;
    uint32_t StoredStart = 0;
    uint64_t Cursor = 0;
    bool Open = false;
};

uint64_t TableCellBytes(const std::string& rowType, int chars) {
    if (rowType == "String")
        return StringBytes(static_cast<uint64_t>(std::max(chars, 0))) + 4;
    return 4;
}

void AddTypedSymbol(SymbolTable& symbols, const std::string& type, const std::string& name,
                    uint32_t address) {
    if (type == "Float")
        symbols.AddFloat(name, address);
    else if (type == "Integer")
        symbols.AddInteger(name, address);
    else if (type == "String")
        symbols.AddString(name, address);
    else if (type == "Status")
        symbols.AddStatus(name, address);
}

void FinishTable(CompileContext& context, const TableScan& table) {
    if (!table.Open || context.Pass != 3 || table.StoredStart != 0)
        return;
    const RamBlock block = FindRamBlock(context, BlockRequest(table.Cursor), table.Name);
    context.AddressAssigned();
    if (!block.Found())
        return;
    std::string& header = context.project.Tables[table.HeaderLine];
    header = TableHeaderWithRam(header, static_cast<uint32_t>(block.Start),
                                static_cast<uint32_t>(block.End));
}

void ScanTableRow(CompileContext& context, TableScan& table, int chars, const TableRow& row) {
    if (row.Name.empty())
        return;
    if (context.Pass == 1)
        AddConstant(context.Constants, row.Name, "");
    const uint64_t cellBytes = TableCellBytes(row.Type, chars);
    for (const std::string& value : row.Values) {
        if (value.empty())
            table.Cursor += cellBytes;
        else if (context.Pass == 1)
            AddConstant(context.Constants, value, row.Type == "String" ? "SXXX" : "XXXX");
    }
    if (context.Pass == 2 && !row.Output.empty()) {
        const RamBlock block = FindRamBlock(context, BlockRequest(cellBytes), row.Output);
        AddTypedSymbol(context.Symbols, row.Type, row.Output, ToAddress(block));
        table.Cursor += cellBytes;
    }
}

} // namespace

uint64_t ModuleBlockSize(const TModuleInst& instance, const TModuleDef& def,
                         const std::unordered_set<std::string>& statusNames) {
    const uint64_t count = SizeValue(instance.Values[1], ArrayDefaultCount);
    const uint64_t length = SizeValue(instance.Values[2], StringDefaultLength);
    uint64_t size = 0;
    for (int item = def.FirstOutputItem(); item <= def.LastItem() && item <= MaxModuleItems;
         ++item) {
        const TModuleItemDef& code = def.Items[item];
        uint64_t itemSize = code.Letter(1) == 'S' ? StringBytes(length) : 4;
        if (item == def.FirstOutputItem() && HasSpecialFirstOutput(instance))
            itemSize = FirstOutputSize(instance, statusNames);
        if (code.Letter(3) == 'A')
            itemSize *= count;
        size += itemSize;
    }
    return size;
}

void AssignModuleRam(CompileContext& context) {
    // Only module type 168 asks for the Status list.
    std::unordered_set<std::string> statusNames;
    for (const TModuleInst& instance : context.project.Modules)
        if (instance.ModuleNumber == StatusListModuleType) {
            statusNames.insert(context.project.Databases.Status.begin(),
                               context.project.Databases.Status.end());
            break;
        }
    for (TModuleInst& instance : context.project.Modules)
        AssignInstanceRam(context, instance, statusNames);
}

void AssignRxRam(CompileContext& context) {
    TTlmArray& rx = context.project.RxArray;
    if (rx.RowCount() < 3)
        return;
    if (context.Pass == 1)
        for (int i = 1; i < rx.RowCount(); ++i)
            if (RxRowAssigned(rx.Rows[i]))
                ReserveStoredRxRow(context, rx.Rows[i]);
    if (context.Pass == 2)
        AssignNewRxRows(context, rx);
}

void AssignSpeechRam(CompileContext& context) {
    if (context.Pass != 2)
        return;
    SymbolTable& symbols = context.Symbols;
    std::string name;
    int lines = 0;
    int reports = 0;
    auto finish = [&] {
        if (reports == 0)
            return;
        const uint32_t size = static_cast<uint32_t>((lines / 32 + 3) * 4);
        const RamBlock block = FindRamBlock(context, size, name + ".Seq");
        symbols.AddInteger(name + ".Seq", ToAddress(block));
        symbols.AddInteger(name + ".Imgend",
                           block.Found() ? static_cast<uint32_t>(block.End - 3) : 0);
    };
    for (const std::string& line : context.project.SpeechReports) {
        if (IsRecordHeader(line)) {
            finish();
            name = RecordName(line);
            symbols.AddTrigger(name + ".DunTrg");
            symbols.AddTrigger(name + ".ChgTrg");
            const RamBlock flag = FindRamBlock(context, 4, name + ".HavAlrm");
            symbols.AddStatus(name + ".HavAlrm", ToAddress(flag));
            lines = reports > 0 ? 1 : 0;
            ++reports;
        } else if (reports > 0 && line.size() >= 2) {
            ++lines;
        }
    }
    finish();
}

void AssignLadderRam(CompileContext& context) {
    if (context.Pass == 3)
        return;
    const int rows = std::clamp(context.project.LadderRows, 0, LadderStorageRows);
    for (int r = 0; r < rows; ++r) {
        TLadderRung& rung = context.project.Ladder[r];
        const std::string& tag = rung.CellNames[LadderColumns];
        if (context.Pass == 2 && !tag.empty()) {
            context.Symbols.AddTimer(tag + "ONdly");
            context.Symbols.AddTimer(tag + "OFFdly");
        }
        const bool hasCoil = rung.CellKinds[LadderColumns] == LadderCoilKind;
        bool hasJunction = false;
        for (int c = 1; c < LadderColumns; ++c)
            hasJunction = hasJunction || rung.CellKinds[c] == LadderJunctionKind;
        if (!hasCoil && !hasJunction)
            continue;

        if (context.Pass == 1 && rung.RungWord != 0) {
            ReserveRange(context, rung.RungWord, rung.RungWord);
        } else if (context.Pass == 2 && rung.RungWord == 0) {
            const RamBlock block = FindRamBlock(context, 4, hasCoil ? tag : "Ladder");
            context.AddressAssigned();
            if (!block.Found())
                continue;
            rung.RungWord = static_cast<uint32_t>(block.Start);
        } else {
            continue;
        }
        if (hasCoil)
            context.Symbols.AddStatus(tag, rung.RungWord);
        for (int c = 1; c < LadderColumns; ++c)
            if (rung.CellKinds[c] == LadderJunctionKind)
                context.Symbols.AddStatus("Ladr." + std::to_string(r) + std::to_string(c - 1),
                                          rung.RungWord);
    }
}

void AssignTableRam(CompileContext& context) {
    std::vector<std::string>& lines = context.project.Tables;
    if (lines.size() < 3)
        return;
    TableScan table;
    int cells = 0;
    int chars = 0;
    // The header's numbers are read leniently here, as the compile always
    // has: a count that is not a number reads as 0 rather than as no table.
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsRecordHeader(lines[i])) {
            FinishTable(context, table);
            const TableHeaderTexts header = ReadTableHeaderTexts(lines[i]);
            table = TableScan{};
            table.Open = true;
            table.HeaderLine = i;
            table.Name = header.Name;
            cells = std::clamp(CellNumber(header.Columns), 0, 1000);
            chars = std::min(CellNumber(header.StringChars), 1000);
            table.StoredStart = HexValue(header.RamStart);
            const uint32_t storedEnd = HexValue(header.RamEnd);
            if (context.Pass == 2)
                AddConstant(context.Constants, table.Name, "");
            if (context.Pass == 1 && table.StoredStart != 0)
                ReserveRange(context, table.StoredStart, storedEnd);
            table.Cursor = table.StoredStart;
        } else if (table.Open) {
            ScanTableRow(context, table, chars, ParseTableRow(lines[i], cells));
        }
    }
    FinishTable(context, table);
}

void AddLadderDelayConstants(CompileContext& context) {
    const int rows = std::clamp(context.project.LadderRows, 0, LadderStorageRows);
    for (int r = 0; r < rows; ++r) {
        AddConstant(context.Constants, context.project.Ladder[r].OnDelay, "");
        AddConstant(context.Constants, context.project.Ladder[r].OffDelay, "");
    }
}

void AssignTimerBlock(CompileContext& context) {
    const uint32_t count = static_cast<uint32_t>(context.Symbols.TimerCount());
    const RamBlock block = FindRamBlock(context, BlockRequest(uint64_t{4} * count), "Timers");
    context.Sys.Tmrs = ToAddress(block);
    context.Sys.TimerCount = count;
    context.Symbols.AssignTimerAddresses(ToAddress(block));
}

void AssignTriggerBlock(CompileContext& context) {
    const uint32_t count = static_cast<uint32_t>(context.Symbols.TriggerCount());
    const RamBlock block =
        FindRamBlock(context, BlockRequest((uint64_t{count} / 16 + 1) * 4), "Triggers");
    context.Sys.Trigs = ToAddress(block);
    context.Sys.TriggerCount = count;
    context.Symbols.AssignTriggerAddresses(ToAddress(block));
}

void AssignRam(CompileContext& context) {
    for (int subPass = 1; subPass <= 3; ++subPass) {
        context.Pass = subPass;
        AssignModuleRam(context);
        AssignRxRam(context);
        AssignSpeechRam(context);
        AssignLadderRam(context);
        AssignTableRam(context);
        AssignBasicModuleRam(context);
        if (subPass == 3)
            AssignBasicLocalRam(context);
    }
    AddLadderDelayConstants(context);
    AssignTimerBlock(context);
    AssignTriggerBlock(context);
    context.RxNames.Build(context.project);
}

bool Reassign(Project& project, UserInterface& ui) {
    if (!ui.AskYesNo("Confirm OK to reassign project RAM?"))
        return false;
    for (TModuleInst& instance : project.Modules) {
        instance.RamStart = 0;
        instance.RamEnd = 0;
    }
    for (int i = 1; i < project.RxArray.RowCount(); ++i)
        project.RxArray.Rows[i][TlmAddress] = "$0";
    for (std::string& line : project.Tables) {
        if (IsRecordHeader(line))
            line = TableHeaderWithRam(line, 0, 0);
    }
    for (std::string& line : project.BasicModules) {
        // Cut before the last two "$" fields.
        size_t cut = line.size();
        for (int field = 0; field < 2; ++field) {
            size_t dollar = line.rfind("|$", cut == 0 ? 0 : cut - 1);
            if (dollar == std::string::npos)
                break;
            cut = dollar;
        }
        line = line.substr(0, cut) + "|$0|$0";
    }
    for (TLadderRung& rung : project.Ladder)
        rung.RungWord = 0;
    MarkProjectChanged(project);
    return true;
}

} // namespace k7
