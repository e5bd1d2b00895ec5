// The symbol lists of a compile: every variable, timer and trigger with the
// typed address the unit knows it by. The watch and the documentation read
// them after the compile; "Debug" mode shows them.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace k7 {

// Type tags of a TypedAddress (bits 24..26); a Status bit number sits in
// bits 27..30.
constexpr uint32_t TagInteger = 0x0000000;
constexpr uint32_t TagFloat = 0x1000000;
constexpr uint32_t TagStatus = 0x2000000;
constexpr uint32_t TagLongInt = 0x3000000;
constexpr uint32_t TagString = 0x4000000;
constexpr uint32_t TagMask = 0x7000000;
constexpr uint32_t StatusBitShift = 27;

struct SymbolRow {
    std::string Name;
    std::string Address; // hexadecimal word; empty until assigned (timers, triggers)
    std::string Value;   // shown beside the address; the compile leaves it empty
};

// An ordered list in which a name finds its first row.
class SymbolList {
  public:
    void Clear();
    void Add(const std::string& name, const std::string& address);
    const SymbolRow* Find(const std::string& name) const;
    std::vector<SymbolRow>& Rows() { return rows_; }
    const std::vector<SymbolRow>& Rows() const { return rows_; }
    size_t Size() const { return rows_.size(); }

  private:
    std::vector<SymbolRow> rows_;
    std::unordered_map<std::string, size_t> first_;
};

struct SymbolTable {
    SymbolList Float, Integer, Status, String;
    SymbolList Timers;   // plain addresses
    SymbolList Triggers; // "@" + name rows first, then the plain names

    void Clear();
    void AddFloat(const std::string& name, uint32_t address);
    void AddInteger(const std::string& name, uint32_t address);
    void AddStatus(const std::string& name, uint32_t address);
    void AddString(const std::string& name, uint32_t address);
    // Names only; AssignTimerAddresses and AssignTriggerAddresses follow.
    void AddTimer(const std::string& name);
    void AddTrigger(const std::string& name);

    // Timer i (from 0) at start + 4i.
    void AssignTimerAddresses(uint32_t start);
    // Doubles the trigger list into "@" rows and plain rows, each trigger
    // taking one status bit of the 16-bit words from start on: the "@" bits
    // first, then the plain bits from a fresh word.
    void AssignTriggerAddresses(uint32_t start);

    size_t TimerCount() const { return Timers.Size(); }
    size_t TriggerCount() const { return triggerNames_.size(); }

  private:
    std::vector<std::string> triggerNames_;
};

} // namespace k7
