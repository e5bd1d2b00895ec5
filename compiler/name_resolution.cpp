#include "compiler/name_resolution.h"

#include "compiler/compile_context.h"
#include "workspace/linescan.h"
#include "workspace/project.h"

namespace k7 {

const char* SystemVariableAddress(const std::string& name) {
    for (const auto& variable : SystemVariables)
        if (name == variable.Name)
            return variable.Address;
    return nullptr;
}

void NamedModuleTable::Clear() {
    entries_.clear();
    first_.clear();
}

void NamedModuleTable::Add(const std::string& name, uint32_t flashAddress) {
    const std::string cut = name.substr(0, TableNameWidth);
    first_.emplace(cut, entries_.size());
    entries_.push_back({cut, flashAddress});
}

int64_t NamedModuleTable::Find(const std::string& name) const {
    auto found = first_.find(name);
    return found == first_.end() ? int64_t{-1} : int64_t{entries_[found->second].Address};
}

BasicCodeTable::Result BasicCodeTable::BasicCode(const std::string& name, bool set,
                                                 uint32_t address, uint32_t size) {
    const std::string cut = name.substr(0, TableNameWidth);
    for (auto& entry : entries_) {
        if (entry.Name != cut)
            continue;
        if (set) {
            entry.Address = address;
            entry.Size = size;
        }
        return {HexText(entry.Address), entry.Size};
    }
    if (static_cast<int>(entries_.size()) < BasicCodeCapacity)
        entries_.push_back({cut, 0, 0});
    return {};
}

std::string RxAddressWord(const std::string& cell) {
    std::string word = !cell.empty() && cell[0] == '$' ? cell.substr(1) : cell;
    return HexValue(word) == 0 ? std::string() : word;
}

void RxNameIndex::Build(const Project& project) {
    addresses_.clear();
    const TTlmArray& rx = project.RxArray;
    for (int row = 1; row < rx.RowCount(); ++row)
        addresses_.emplace(rx.Rows[row][TlmName], RxAddressWord(rx.Rows[row][TlmAddress]));
}

std::string RxNameIndex::Find(const std::string& name) const {
    auto found = addresses_.find(name);
    return found == addresses_.end() ? std::string() : found->second;
}

std::string LookupName(const CompileContext& context, const std::string& name) {
    if (const char* system = SystemVariableAddress(name))
        return system;
    const SymbolTable& symbols = context.Symbols;
    for (const SymbolList* list : {&symbols.Float, &symbols.Integer, &symbols.Status})
        if (const SymbolRow* row = list->Find(name))
            return row->Address;
    std::string word = context.RxNames.Find(name);
    if (!word.empty())
        return word;
    if (const SymbolRow* row = symbols.String.Find(name))
        return row->Address;
    const ConstantPool& pool = context.Constants;
    for (const ConstantList* list : {&pool.Integers, &pool.Strings, &pool.Floats})
        if (const PoolConstant* constant = list->Find(name))
            return HexText(constant->Address);
    for (const SymbolList* list : {&symbols.Timers, &symbols.Triggers})
        if (const SymbolRow* row = list->Find(name))
            return row->Address;
    return {};
}

std::string ModuleReference(const CompileContext& context, const std::string& value) {
    const int64_t address = context.NamedModules.Find(value.substr(0, value.find('.')));
    return address < 0 ? std::string() : HexText(static_cast<uint32_t>(address));
}

} // namespace k7
