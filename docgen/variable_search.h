// The "Variable Search" panel: while it is shown, pressing the mouse on a
// name in one of the database lists searches where that name is used.
#pragma once

#include "workspace/module_library.h"
#include "workspace/project.h"

#include <string>
#include <vector>

namespace k7 {

constexpr const char* VariableSearchCaption = "Variable Search";
constexpr const char* VariableSearchHint = "Click on variable in database to start search.";
constexpr const char* VariableSearchFieldLabel = "Variable to search for...";
constexpr const char* VariableSearchResultLabel = "Where variable is used in project...";

class VariableSearch {
  public:
    VariableSearch(const Project& project, const ModuleLibrary& library)
        : project_(project), library_(library) {}

    void Show() { shown_ = true; }
    void Hide() { shown_ = false; }
    bool Shown() const { return shown_; }

    // The mouse pressed on a name of a database list. The Float, Integer,
    // Status, RX and String lists start a search that replaces the result
    // list; TX names (port, destination, word and bit codes) are not
    // searched. Returns true when a search ran.
    bool NamePressed(DbType list, const std::string& name);

    const std::string& SearchedName() const { return searched_; } // "Variable to search for..."
    const std::vector<std::string>& Results() const { return results_; }

  private:
    const Project& project_;
    const ModuleLibrary& library_;
    bool shown_ = false;
    std::string searched_;
    std::vector<std::string> results_;
};

} // namespace k7
