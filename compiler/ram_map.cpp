#include "compiler/ram_map.h"

#include "compiler/compile_context.h"
#include "compiler/symbol_table.h"
#include "workspace/linescan.h"

#include <algorithm>

namespace k7 {

void RamMap::Clear() {
    if (usedCount_ != 0)
        std::fill(cells_.begin(), cells_.end(), 0);
    usedCount_ = 0;
    searchedUpTo_.clear();
}

// The first multiple of 4 strictly above cell.
static uint32_t NextAlignedAfter(uint32_t cell) {
    return (cell | 3u) + 1;
}

int64_t RamMap::TakeFirstFit(uint32_t size) {
    const uint32_t need = std::max<uint32_t>(size, 1);
    uint32_t cell = 0;
    for (auto it = searchedUpTo_.begin(); it != searchedUpTo_.end() && it->first <= need; ++it)
        cell = std::max(cell, it->second);
    cell = (cell + 3u) & ~3u;

    while (cell < RamCellCount) {
        if (Used(cell)) {
            cell = NextAlignedAfter(cell);
            continue;
        }
        uint32_t end = cell;
        while (end < RamCellCount && !Used(end) && end - cell < need)
            ++end;
        if (end - cell == need) {
            for (uint32_t i = cell; i < end; ++i)
                Mark(i);
            searchedUpTo_[need] = cell;
            return cell;
        }
        if (end >= RamCellCount)
            break;
        cell = NextAlignedAfter(end);
    }
    searchedUpTo_[need] = RamCellCount;
    return -1;
}

RamBlock FindRamBlock(CompileContext& context, uint32_t size, const std::string& name) {
    const int64_t cell = context.Ram.TakeFirstFit(size);
    if (cell < 0) {
        if (context.CanReport()) {
            context.ModuleError = true;
            context.Report("Cannot find large enough RAM block for " + name);
        }
        return {};
    }
    const int64_t start = cell + RamBase;
    return {start, start + std::max<uint32_t>(size, 1) - 1};
}

// RAM cell of a byte address; -1 outside RAM.
static int64_t CellOf(uint32_t address) {
    if (address < RamBase || address - RamBase >= RamCellCount)
        return -1;
    return address - RamBase;
}

void ReserveX(CompileContext& context, const std::string& typedAddress) {
    const uint32_t value = HexValue(typedAddress);
    const uint32_t tag = value & TagMask;
    const uint32_t address = value & 0xFFFFFF;
    const int64_t first = CellOf(address);
    uint32_t size = 1;
    if (tag == TagInteger || tag == TagFloat || tag == TagLongInt)
        size = 4;
    else if (tag == TagStatus)
        size = 2;
    if (first < 0 || first + size > RamCellCount) {
        if (context.CanReport()) {
            context.ModuleError = true;
            context.Report("Ram address out of range in ReserveX");
        }
        return;
    }
    for (uint32_t i = 0; i < size; ++i) {
        const uint32_t cell = static_cast<uint32_t>(first) + i;
        if (context.Ram.Used(cell) && tag != TagStatus && context.CanReport())
            context.Report("Ram overlap detected...reassign RAM");
        context.Ram.Mark(cell);
    }
}

void ReserveRange(CompileContext& context, uint32_t start, uint32_t end) {
    const bool inside = CellOf(start) >= 0 && CellOf(end) >= 0 && start <= end;
    if (!inside && context.CanReport())
        context.Report("Ram address out of range in ReserveRange");
    const uint64_t first = std::max<uint64_t>(start, RamBase);
    const uint64_t last = std::min<uint64_t>(end, uint64_t{RamBase} + RamCellCount - 1);
    for (uint64_t address = first; address <= last; ++address) {
        const uint32_t cell = static_cast<uint32_t>(address - RamBase);
        if (context.Ram.Used(cell) && context.CanReport())
            context.Report("Ram overlap detected...you should zero Ram");
        context.Ram.Mark(cell);
    }
}

} // namespace k7
