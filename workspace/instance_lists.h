// The lists the user picks instances and database names from: the five
// instance lists under "Modules in this K7 Project" and the six database
// lists, whose entries are dragged into instance inputs with a type letter.
#pragma once

#include "workspace/project.h"

#include <array>
#include <optional>
#include <string>

namespace k7 {

constexpr const char* InstanceListsTitle = "Modules in this K7 Project";

// Titles of the instance lists of categories 1..5; [0] unused.
extern const std::array<const char*, 6> InstanceListTitles;

// The instance an instance-list entry names: the entry cut at its first "."
// compared exactly with the instance names. Index into Project::Modules,
// -1 when no instance has that name.
int FindInstanceByEntry(const Project& project, const std::string& entry);

// The instance behind entry `row` of the list of `category` (1..5); -1 when
// there is no such entry.
int InstanceOfListRow(const Project& project, int category, int row);

struct DatabaseListInfo {
    DbType Type;
    const char* Title; // "Floating Pt", "Integer", "Status", "TX", "RX", "Strings"
    char DragLetter;   // 'F', 'I', 'D', 'T', 'A', 'S'
};

// The six database lists in the order the window shows them.
extern const std::array<DatabaseListInfo, 6> DatabaseListInfos;
const DatabaseListInfo& DatabaseListOf(DbType type);

// What a drag from a database list carries.
struct DbDrag {
    std::string Name;
    char Letter = ' ';
};

// Starts a drag of entry `row` of a database list; nothing when there is no
// such entry.
std::optional<DbDrag> StartDbDrag(const Project& project, DbType list, int row);

} // namespace k7
