// The module definition library K7MODDEF.TXT: one record per module type,
// read once at start-up into a table indexed by module number.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace k7 {

constexpr int MaxModuleNumber = 200;
constexpr int MaxModuleItems = 40;

// Category codes; the same code plus 100 marks a module whose code is not
// built into the unit.
enum ModuleCategory {
    CatIoSystem = 1,
    CatMath = 2,
    CatControl = 3,
    CatStatistics = 4,
    CatComm = 5
};

struct TModuleItemDef {
    std::string Code;   // four attribute letters: database, direction, size, grouping
    std::string Prompt; // at most 40 characters; empty means the item is absent
    std::string Suffix; // output database-name suffix, at most 20 characters

    bool Present() const { return !Prompt.empty(); }
    char Letter(int position) const { // 1-based; ' ' when absent
        return position >= 1 && position <= static_cast<int>(Code.size()) ? Code[position - 1]
                                                                          : ' ';
    }
};

struct TModuleDef {
    int32_t TypeCode = 0;
    int32_t InputCount = 0;
    int32_t OutputCount = 0;
    int32_t ConstantCount = 0;
    std::string Name;
    std::string Description;                              // may hold CR LF line breaks
    std::array<TModuleItemDef, MaxModuleItems + 1> Items; // 1..40; [0] unused
    std::array<int32_t, 11> Params{};                     // 1..10; [0] unused

    bool Defined() const { return !Name.empty() || TypeCode != 0; }
    // Inputs and constants come first, then the outputs.
    int FirstOutputItem() const { return InputCount + ConstantCount + 1; }
    int LastItem() const { return InputCount + ConstantCount + OutputCount; }
    bool CodeInUnit() const { return TypeCode <= 100; }
};

class ModuleLibrary {
  public:
    ModuleLibrary();

    // Entry for a module number; numbers outside 1..200 give an empty entry.
    const TModuleDef& Module(int number) const;
    TModuleDef& MutableModule(int number);
    bool Has(int number) const {
        return number >= 1 && number <= MaxModuleNumber && Module(number).Defined();
    }

    // First module 1..TopNumber whose Name equals name exactly; 0 when none.
    int FindModuleByName(const std::string& name) const;

    // The highest module number read; a library need not be sorted by number.
    int TopNumber = 0;
    // Names per category 1..5 in file order; [0] unused.
    std::array<std::vector<std::string>, 6> CategoryLists;

  private:
    std::vector<TModuleDef> table_; // 0..200
    TModuleDef empty_;
};

struct LibraryLoad {
    ModuleLibrary Library;
    // One message per problem, each naming the file and line; empty when clean.
    std::vector<std::string> Messages;
};

// Parses library text given as its lines (CR LF already removed).
LibraryLoad ParseModuleLibrary(const std::vector<std::string>& lines, const std::string& fileName);
// Reads systemFolder + "K7MODDEF.TXT" (any case of the name).
LibraryLoad LoadModuleLibrary(const std::string& systemFolder);

} // namespace k7
