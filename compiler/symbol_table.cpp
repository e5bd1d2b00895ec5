#include "compiler/symbol_table.h"

#include "workspace/linescan.h"

namespace k7 {

void SymbolList::Clear() {
    rows_.clear();
    first_.clear();
}

void SymbolList::Add(const std::string& name, const std::string& address) {
    first_.emplace(name, rows_.size());
    rows_.push_back({name, address, {}});
}

const SymbolRow* SymbolList::Find(const std::string& name) const {
    auto found = first_.find(name);
    return found == first_.end() ? nullptr : &rows_[found->second];
}

void SymbolTable::Clear() {
    Float.Clear();
    Integer.Clear();
    Status.Clear();
    String.Clear();
    Timers.Clear();
    Triggers.Clear();
    triggerNames_.clear();
}

void SymbolTable::AddFloat(const std::string& name, uint32_t address) {
    Float.Add(name, HexText(address | TagFloat));
}

void SymbolTable::AddInteger(const std::string& name, uint32_t address) {
    Integer.Add(name, HexText(address | TagInteger));
}

void SymbolTable::AddStatus(const std::string& name, uint32_t address) {
    Status.Add(name, HexText(address | TagStatus));
}

void SymbolTable::AddString(const std::string& name, uint32_t address) {
    String.Add(name, HexText(address | TagString));
}

void SymbolTable::AddTimer(const std::string& name) {
    Timers.Add(name, {});
}

void SymbolTable::AddTrigger(const std::string& name) {
    triggerNames_.push_back(name);
}

void SymbolTable::AssignTimerAddresses(uint32_t start) {
    // Rebuilt so that the name index and the addresses agree.
    std::vector<SymbolRow> rows = Timers.Rows();
    Timers.Clear();
    for (size_t i = 0; i < rows.size(); ++i)
        Timers.Add(rows[i].Name, HexText(start + 4 * static_cast<uint32_t>(i)));
}

// Status bit `bit` of the 16-bit word `word` counted from start.
static std::string TriggerBitAddress(uint32_t start, uint32_t word, uint32_t bit) {
    return HexText((bit << StatusBitShift) | (start + 2 * word) | TagStatus);
}

void SymbolTable::AssignTriggerAddresses(uint32_t start) {
    Triggers.Clear();
    const uint32_t count = static_cast<uint32_t>(triggerNames_.size());
    for (uint32_t i = 0; i < count; ++i)
        Triggers.Add("@" + triggerNames_[i], TriggerBitAddress(start, i / 16, i % 16));
    const uint32_t firstPlainWord = count == 0 ? 0 : (count - 1) / 16 + 1;
    for (uint32_t i = 0; i < count; ++i)
        Triggers.Add(triggerNames_[i], TriggerBitAddress(start, firstPlainWord + i / 16, i % 16));
}

} // namespace k7
