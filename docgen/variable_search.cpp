#include "docgen/variable_search.h"

#include "docgen/cross_references.h"

namespace k7 {

bool VariableSearch::NamePressed(DbType list, const std::string& name) {
    if (!shown_ || list == DbType::Tx)
        return false;
    searched_ = name;
    results_.clear();
    FindReferences(project_, library_, name, results_);
    return true;
}

} // namespace k7
