#include "compiler/constant_pool.h"

#include "workspace/linescan.h"

#include <algorithm>

namespace k7 {

void ConstantList::Clear() {
    entries_.clear();
    index_.clear();
}

void ConstantList::Add(const std::string& text) {
    if (index_.emplace(text, entries_.size()).second)
        entries_.push_back({text, 0});
}

const PoolConstant* ConstantList::Find(const std::string& text) const {
    auto found = index_.find(text);
    return found == index_.end() ? nullptr : &entries_[found->second];
}

void ConstantPool::Clear() {
    Integers.Clear();
    Strings.Clear();
    Floats.Clear();
}

int ConstantClass(const std::string& text, const std::string& code) {
    int numberClass = NumberClass(text);
    const char first = code.empty() ? ' ' : code[0];
    const char fourth = code.size() >= 4 ? code[3] : ' ';
    if (first == 'S')
        return (fourth == 'C' || numberClass != 3) ? 1 : numberClass;
    if (std::count(text.begin(), text.end(), '.') > 1)
        return 3;
    return numberClass;
}

void AddConstant(ConstantPool& pool, const std::string& text, const std::string& code) {
    if (text.empty())
        return;
    switch (ConstantClass(text, code)) {
    case 0:
        pool.Integers.Add(text);
        break;
    case 1:
        pool.Strings.Add(text);
        break;
    case 2:
        pool.Floats.Add(text);
        break;
    default:
        break;
    }
}

} // namespace k7
