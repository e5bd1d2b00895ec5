#include "workspace/name_order.h"

#include <algorithm>

namespace k7 {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    auto fold = [](char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i)
        if (fold(a[i]) != fold(b[i]))
            return fold(a[i]) < fold(b[i]);
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void SortIgnoringCase(std::vector<std::string>& entries) {
    std::stable_sort(entries.begin(), entries.end(), LessIgnoringCase);
}

std::vector<int> ModuleOrderList(const Project& project, bool sortByName) {
    std::vector<int> order(project.Modules.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (!sortByName)
        return order;
    std::vector<std::string> entries(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        entries[i] = project.Modules[i].Name + "|" + std::to_string(i + 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return LessIgnoringCase(entries[a], entries[b]); });
    return order;
}

} // namespace k7
