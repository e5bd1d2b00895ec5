// RAM of the BASIC modules placed in the project: each instance's block of
// output variables, and the one block of local RAM all modules share. The
// object files named by the instances are entered in the BasicCodeTable
// here, so that the link finds their code sizes.
#include "basic/basic_instance.h"
#include "basic/object_file.h"
#include "compiler/compile_context.h"
#include "compiler/ram_assignment.h"
#include "workspace/linescan.h"
#include "workspace/project.h"
#include "workspace/text_file.h"

#include <algorithm>

namespace k7 {

namespace {

// Every module's locals follow this many bytes of the shared block.
constexpr int64_t BasicLocalRamOffset = 1200;
constexpr uint64_t BasicStringDefaultLength = 40;
constexpr int BasicMaxDimensions = 10;
// Far beyond any RAM, small enough that products never overflow.
constexpr uint64_t SizeCeiling = uint64_t{1} << 32;

uint64_t Capped(uint64_t value) {
    return std::min(value, SizeCeiling);
}

// The number written between open and close (digits only); 0 when none.
uint64_t NumberIn(const std::string& text) {
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = Capped(value * 10 + static_cast<uint64_t>(c - '0'));
    }
    return value;
}

// Elements of a dimension text "(a,b,...)": the product of the non-zero
// dimensions, at most ten of them.
uint64_t ElementCount(const std::string& name) {
    const size_t open = name.find('(');
    if (open == std::string::npos)
        return 1;
    const size_t close = name.find(')', open);
    const std::string inside =
        name.substr(open + 1, (close == std::string::npos ? name.size() : close) - open - 1);
    uint64_t count = 1;
    int dimensions = 0;
    size_t start = 0;
    while (start <= inside.size() && dimensions < BasicMaxDimensions) {
        size_t comma = inside.find(',', start);
        if (comma == std::string::npos)
            comma = inside.size();
        const uint64_t dimension = NumberIn(inside.substr(start, comma - start));
        if (dimension != 0)
            count = Capped(count * dimension);
        ++dimensions;
        start = comma + 1;
    }
    return count;
}

uint64_t StringLength(const std::string& name) {
    const size_t open = name.find('[');
    if (open == std::string::npos)
        return BasicStringDefaultLength;
    const size_t close = name.find(']', open);
    return NumberIn(
        name.substr(open + 1, (close == std::string::npos ? name.size() : close) - open - 1));
}

// Bytes a symbol field takes in the instance's block; inputs take none. A
// string takes room for its characters and the terminating zero byte in
// whole words, like every other string of the unit, so that a string of
// the declared length never runs into the next variable.
uint64_t FieldBytes(const std::string& field) {
    if (field.size() < 2 || field[0] == 'I')
        return 0;
    const std::string name = field.substr(1);
    const uint64_t elements = ElementCount(name);
    if (field[0] == 's')
        return Capped(elements * ((StringLength(name) / 4 + 1) * 4));
    return Capped(elements * 4);
}

uint64_t BlockBytes(const BasicInstanceLine& line) {
    uint64_t size = 0;
    for (const std::string& field : line.Fields)
        size = Capped(size + FieldBytes(field));
    return size;
}

void PlaceSymbols(CompileContext& context, const BasicInstanceLine& line, uint32_t start) {
    uint64_t cursor = start;
    for (const std::string& field : line.Fields) {
        if (field.empty())
            continue;
        const std::string name = field.substr(1);
        const uint32_t address = static_cast<uint32_t>(std::min<uint64_t>(cursor, 0xFFFFFF));
        switch (field[0]) {
        case 'f':
            context.Symbols.AddFloat(name, address);
            break;
        case 'i':
            context.Symbols.AddInteger(name, address);
            break;
        case 'n':
            context.Symbols.AddStatus(name, address);
            break;
        case 's':
            context.Symbols.AddString(name, address);
            break;
        case 'm':
            // Timers and triggers live in their own blocks: they take room
            // in the instance's block size but no place in it.
            context.Symbols.AddTimer(name);
            continue;
        case 't':
            context.Symbols.AddTrigger(name);
            continue;
        case 'I':
            AddConstant(context.Constants, name, "");
            break;
        default:
            break;
        }
        cursor += FieldBytes(field);
    }
}

void AssignInstanceRam(CompileContext& context, std::string& text) {
    std::optional<BasicInstanceLine> line = ParseBasicInstanceLine(text);
    if (!line)
        return; // reported by the link
    const uint64_t size = BlockBytes(*line);
    uint32_t start = HexValue(line->RamStart);
    const uint32_t end = HexValue(line->RamEnd);
    // A block that no longer fits its size is given up and found again. An
    // instance without outputs still takes one cell, so its stored block
    // (start equal to end) never fits and is found again at each compile.
    const bool stale = start != 0 && uint64_t{end} + 1 != start + size;
    if (stale)
        start = 0;
    if (context.Pass == 1 && start != 0)
        ReserveRange(context, start, end);
    if (context.Pass != 2)
        return;
    if (start == 0) {
        const RamBlock block = FindRamBlock(
            context, static_cast<uint32_t>(std::min<uint64_t>(size, RamCellCount + 1)), line->Name);
        if (!block.Found())
            return;
        start = static_cast<uint32_t>(block.Start);
        line->RamStart = "$" + HexText(start);
        line->RamEnd = "$" + HexText(static_cast<uint32_t>(block.End));
        text = BasicInstanceLineText(*line);
        context.AddressAssigned();
    }
    PlaceSymbols(context, *line, start);
}

// The object files of the instances, in list order, each entered once in
// the BasicCodeTable. Returns the full names of the new entries.
std::vector<std::string> EnterObjectFiles(CompileContext& context) {
    std::vector<std::string> names;
    bool tableFullReported = false;
    for (const std::string& text : context.project.BasicModules) {
        const std::optional<BasicInstanceLine> line = ParseBasicInstanceLine(text);
        if (!line)
            continue;
        const std::string objectName = ObjectFileName(line->SourceName);
        if (std::find(names.begin(), names.end(), objectName) != names.end())
            continue;
        const size_t before = context.BasicCode.Entries().size();
        context.BasicCode.BasicCode(objectName, false, 0, 0);
        if (context.BasicCode.Entries().size() > before) {
            names.push_back(objectName);
        } else if (before >= static_cast<size_t>(BasicCodeCapacity) && !tableFullReported) {
            context.Report("More than 100 BASIC object files: " + objectName + " cannot be linked");
            tableFullReported = true;
        }
    }
    return names;
}

} // namespace

void AssignBasicModuleRam(CompileContext& context) {
    for (std::string& text : context.project.BasicModules)
        AssignInstanceRam(context, text);
}

void AssignBasicLocalRam(CompileContext& context) {
    context.BasicLocalRamStart = 0;
    int64_t largest = 0;
    for (const std::string& objectName : EnterObjectFiles(context)) {
        if (const std::string problem = BasicFileNameProblem(objectName); !problem.empty()) {
            context.Report(problem);
            continue;
        }
        const std::string path = FindFileIgnoringCase(context.options.BasicFolder, objectName);
        if (!FileExists(path)) {
            context.Report("Cannot find " + objectName);
            continue;
        }
        const BasicObjectRead read = ReadBasicObjectFile(path, ObjectReadScope::SystemAndConstants);
        if (!read.Ok) {
            context.Report(read.Error);
            continue;
        }
        const BasicSystemData& system = read.Object.System;
        if (system.CodeBytes > static_cast<int>(FlashBytes)) {
            context.Report("BASIC code larger than the unit's flash in " + objectName);
            continue;
        }
        context.BasicCode.BasicCode(objectName, true, 0, static_cast<uint32_t>(system.CodeBytes));
        largest = std::max(largest, int64_t{system.LocalRamBytes} + BasicLocalRamOffset);
        for (const BasicObjectConstant& constant : read.Object.Constants)
            AddConstant(context.Constants, constant.Text, constant.IsString ? "SXXC" : "");
    }
    if (largest == 0)
        return;
    const RamBlock block =
        FindRamBlock(context, static_cast<uint32_t>(std::min<int64_t>(largest, RamCellCount + 1)),
                     "BASIC modules local RAM");
    if (block.Found())
        context.BasicLocalRamStart = static_cast<uint32_t>(block.Start);
}

} // namespace k7
