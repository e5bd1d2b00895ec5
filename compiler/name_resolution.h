// Turning names into the words of the image: variables, constants, timers
// and triggers through LookupName, other module records through the
// NamedModuleTable, BASIC object code through the BasicCodeTable.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace k7 {

struct CompileContext;
struct Project;

// The three variables every unit has at fixed addresses.
struct SystemVariable {
    const char* Name;
    const char* Address;
};
constexpr SystemVariable SystemVariables[] = {
    {"GlobalSP", "1000"}, {"GlobalRTC", "1003"}, {"ArchiveData", "1006"}};
// Address text of a system variable; nullptr for any other name.
const char* SystemVariableAddress(const std::string& name);

// Records that other records refer to by name (module instances of types
// 20, 18, 65 and 168, table records), with their flash addresses. Filled in
// the first pass only.
class NamedModuleTable {
  public:
    void Clear();
    void Add(const std::string& name, uint32_t flashAddress);
    // First entry with this exact name; -1 when none.
    int64_t Find(const std::string& name) const;
    size_t Size() const { return entries_.size(); }

  private:
    struct Entry {
        std::string Name;
        uint32_t Address;
    };
    std::vector<Entry> entries_;
    std::unordered_map<std::string, size_t> first_;
};

constexpr int BasicCodeCapacity = 100;
constexpr size_t TableNameWidth = 40;

// One entry per BASIC object file in the image; modules made from the same
// source share the entry and one copy of the code.
class BasicCodeTable {
  public:
    struct Entry {
        std::string Name;
        uint32_t Address = 0;
        uint32_t Size = 0;
    };
    void Clear() { entries_.clear(); }
    const std::vector<Entry>& Entries() const { return entries_; }

    struct Result {
        std::string Address; // hexadecimal word; empty for a new entry or a full table
        uint32_t Size = 0;
    };
    // BasicCode: the entry of name, made when new (then the address is
    // empty); with set, its address and size are stored first.
    Result BasicCode(const std::string& name, bool set, uint32_t address, uint32_t size);

  private:
    std::vector<Entry> entries_;
};

// The RX rows by name (first row wins), read once the RAM assignment has
// written their addresses.
class RxNameIndex {
  public:
    void Build(const Project& project);
    // The row's address as an image word ("$" dropped); empty when the name
    // has no row or its row has no address yet.
    std::string Find(const std::string& name) const;

  private:
    std::unordered_map<std::string, std::string> addresses_;
};

// An RX Address cell as an image word: "$" dropped, empty when it holds no
// address (empty, "0", "$0").
std::string RxAddressWord(const std::string& cell);

// The typed address of a variable, constant, timer or trigger as a
// hexadecimal word; empty text when the name is not known.
std::string LookupName(const CompileContext& context, const std::string& name);

// The flash address of the record named by value up to its first ".";
// empty text when no such record is known (yet).
std::string ModuleReference(const CompileContext& context, const std::string& value);

} // namespace k7
