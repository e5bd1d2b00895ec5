#include "workspace/instance_lists.h"

namespace k7 {

const std::array<const char*, 6> InstanceListTitles = {"",        "I/O + Sys", "Math",
                                                       "Control", "Stats",     "Comm"};

const std::array<DatabaseListInfo, 6> DatabaseListInfos = {{
    {DbType::Float, "Floating Pt", 'F'},
    {DbType::Integer, "Integer", 'I'},
    {DbType::Status, "Status", 'D'},
    {DbType::Tx, "TX", 'T'},
    {DbType::Rx, "RX", 'A'},
    {DbType::String, "Strings", 'S'},
}};

int FindInstanceByEntry(const Project& project, const std::string& entry) {
    const std::string name = entry.substr(0, entry.find('.'));
    for (int i = 0; i < project.ModuleCount(); ++i)
        if (project.Modules[i].Name == name)
            return i;
    return -1;
}

int InstanceOfListRow(const Project& project, int category, int row) {
    if (category < 1 || category > 5)
        return -1;
    const auto& list = project.InstanceLists[category];
    if (row < 0 || row >= static_cast<int>(list.size()))
        return -1;
    return FindInstanceByEntry(project, list[row].Text);
}

const DatabaseListInfo& DatabaseListOf(DbType type) {
    for (const DatabaseListInfo& info : DatabaseListInfos)
        if (info.Type == type)
            return info;
    return DatabaseListInfos[0];
}

std::optional<DbDrag> StartDbDrag(const Project& project, DbType list, int row) {
    const std::vector<std::string>& names = project.Databases.List(list);
    if (row < 0 || row >= static_cast<int>(names.size()))
        return std::nullopt;
    return DbDrag{names[row], DatabaseListOf(list).DragLetter};
}

} // namespace k7
