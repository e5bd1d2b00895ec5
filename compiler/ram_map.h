// The unit's RAM as the compile sees it: one occupancy cell per byte, the
// first-fit block search and the reservation of addresses stored in the
// project from earlier compiles.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace k7 {

struct CompileContext;

constexpr uint32_t RamBase = 0x40F000;
constexpr uint32_t RamBytes = 0x31000;          // 200704
constexpr uint32_t RamCellCount = RamBytes + 1; // cells 0..0x31000

class RamMap {
  public:
    RamMap() : words_((RamCellCount + 63) / 64, 0) {}

    void Clear();
    bool Used(uint32_t cell) const { return (words_[cell / 64] >> (cell % 64)) & 1; }
    // Marks cells first..last (first <= last < RamCellCount) and returns
    // how many of them were used already.
    uint32_t MarkRange(uint32_t first, uint32_t last);
    // Number of occupied cells.
    int UsedCount() const { return static_cast<int>(usedCount_); }

    // First run of at least size free cells that starts on a multiple of 4;
    // the cells are marked used. Returns the first cell, or -1 when no run
    // is long enough.
    int64_t TakeFirstFit(uint32_t size);

  private:
    // First free cell at or after cell, or RamCellCount.
    uint32_t NextFree(uint32_t cell) const;
    // First used cell in [cell, limit), or limit.
    uint32_t NextUsed(uint32_t cell, uint32_t limit) const;

    // A bit a cell, 64 to a word: 25 KB that every compile allocates and
    // clears (a byte a cell took 200 KB), and runs are searched and marked
    // a word at a time.
    std::vector<uint64_t> words_;
    // Kept as cells are marked: a compile asks for it, and a map nothing
    // was marked in is cleared without touching its words.
    uint32_t usedCount_ = 0;
    // Cells are only ever taken during one compile, never given back, so a
    // search for a given size can resume where the last one for a size no
    // larger stopped: no fitting run can have appeared before that point.
    std::map<uint32_t, uint32_t> searchedUpTo_;
};

// First-fit block of size bytes (a size of 0 or 1 takes one cell). Reports
// "Cannot find large enough RAM block for " + name while fewer than 20
// errors were reported, and returns start -1 when there is no room.
struct RamBlock {
    int64_t Start = -1;
    int64_t End = -1;
    bool Found() const { return Start >= 0; }
};
RamBlock FindRamBlock(CompileContext& context, uint32_t size, const std::string& name);

// Marks the cells of a stored typed address (4 bytes for Integer, Float and
// Long Int, 2 for a Status word, 1 otherwise) and reports overlaps, except
// for Status words, which up to 16 bits share.
void ReserveX(CompileContext& context, const std::string& typedAddress);

// Marks a stored block start..end (byte addresses) and reports overlaps;
// only the cells inside RAM are marked.
void ReserveRange(CompileContext& context, uint32_t start, uint32_t end);

} // namespace k7
