#include "compiler/ram_map.h"

#include "compiler/compile_context.h"
#include "compiler/symbol_table.h"
#include "workspace/linescan.h"

#include <algorithm>
#include <bit>

namespace k7 {

void RamMap::Clear() {
    if (usedCount_ != 0)
        std::fill(words_.begin(), words_.end(), 0);
    usedCount_ = 0;
    searchedUpTo_.clear();
}

// The bits of cells from..to (both in word w) within word w.
static uint64_t BitsOfWord(uint32_t w, uint32_t from, uint32_t to) {
    const uint32_t low = std::max(from, w * 64) % 64;
    const uint32_t high = std::min(to, w * 64 + 63) % 64;
    return (~uint64_t{0} >> (63 - high)) & (~uint64_t{0} << low);
}

uint32_t RamMap::MarkRange(uint32_t first, uint32_t last) {
    uint32_t alreadyUsed = 0;
    for (uint32_t w = first / 64; w <= last / 64; ++w) {
        const uint64_t bits = BitsOfWord(w, first, last);
        alreadyUsed += static_cast<uint32_t>(std::popcount(words_[w] & bits));
        words_[w] |= bits;
    }
    usedCount_ += last - first + 1 - alreadyUsed;
    return alreadyUsed;
}

uint32_t RamMap::NextFree(uint32_t cell) const {
    while (cell < RamCellCount) {
        const uint64_t free = ~words_[cell / 64] >> (cell % 64);
        if (free != 0)
            return std::min(cell + static_cast<uint32_t>(std::countr_zero(free)), RamCellCount);
        cell = (cell / 64 + 1) * 64;
    }
    return RamCellCount;
}

uint32_t RamMap::NextUsed(uint32_t cell, uint32_t limit) const {
    while (cell < limit) {
        const uint64_t used = words_[cell / 64] >> (cell % 64);
        if (used != 0)
            return std::min(cell + static_cast<uint32_t>(std::countr_zero(used)), limit);
        cell = (cell / 64 + 1) * 64;
    }
    return limit;
}

// The first multiple of 4 at or above cell.
static uint32_t AlignUp(uint32_t cell) {
    return (cell + 3u) & ~3u;
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
    cell = AlignUp(cell);

    while (cell < RamCellCount) {
        if (Used(cell)) {
            // Every aligned cell before the next free one is used.
            cell = AlignUp(NextFree(cell));
            continue;
        }
        const uint32_t limit =
            static_cast<uint32_t>(std::min<uint64_t>(RamCellCount, uint64_t{cell} + need));
        const uint32_t end = NextUsed(cell, limit);
        if (end - cell == need) {
            MarkRange(cell, end - 1);
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
    const uint32_t cell = static_cast<uint32_t>(first);
    uint32_t overlaps = context.Ram.MarkRange(cell, cell + size - 1);
    if (tag == TagStatus) // status words share their two bytes
        overlaps = 0;
    for (; overlaps > 0 && context.CanReport(); --overlaps)
        context.Report("Ram overlap detected...reassign RAM");
}

void ReserveRange(CompileContext& context, uint32_t start, uint32_t end) {
    const bool inside = CellOf(start) >= 0 && CellOf(end) >= 0 && start <= end;
    if (!inside && context.CanReport())
        context.Report("Ram address out of range in ReserveRange");
    const uint64_t first = std::max<uint64_t>(start, RamBase);
    const uint64_t last = std::min<uint64_t>(end, uint64_t{RamBase} + RamCellCount - 1);
    if (first > last)
        return;
    // One report for each cell that was used already, while reports last.
    uint32_t overlaps = context.Ram.MarkRange(static_cast<uint32_t>(first - RamBase),
                                              static_cast<uint32_t>(last - RamBase));
    for (; overlaps > 0 && context.CanReport(); --overlaps)
        context.Report("Ram overlap detected...you should zero Ram");
}

} // namespace k7
