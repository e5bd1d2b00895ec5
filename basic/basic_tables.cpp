#include "basic/basic_tables.h"

namespace k7 {

void BasicTables::Clear() {
    *this = BasicTables();
}

int BasicTables::Find(const Index& index, const std::string& name) {
    auto found = index.find(name);
    return found == index.end() ? NotFound : found->second;
}

void BasicTables::AddInput(const BasicIoRow& row) {
    inputIndex_.emplace(row.Name, static_cast<int>(InputTable.size()));
    InputTable.push_back(row);
}

void BasicTables::AddOutput(const BasicIoRow& row) {
    outputIndex_.emplace(row.Name, static_cast<int>(OutputTable.size()));
    OutputTable.push_back(row);
}

int BasicTables::AddLocal(const BasicLocalRow& row) {
    localIndex_.emplace(row.Name, static_cast<int>(VarTable.size()));
    VarTable.push_back(row);
    return static_cast<int>(VarTable.size()) - 1;
}

void BasicTables::AddtoLabelList(const std::string& name, int address) {
    labelIndex_.emplace(name, static_cast<int>(LabelTable.size()));
    LabelTable.push_back({name, address});
}

void BasicTables::AddConstant(const std::string& text) {
    if (constantIndex_.emplace(text, static_cast<int>(ConstantsList.size())).second)
        ConstantsList.push_back(text);
}

} // namespace k7
