// Undo and Redo of project changes: a bounded history of whole project
// states, one taken at each committed change. Going back or forward puts
// that state back as a change of its own: the project is marked changed
// and needs a compile, and every view reloads as after an Open.
#pragma once

#include "workspace/workspace.h"

#include <cstddef>
#include <vector>

namespace k7 {

constexpr std::size_t UndoHistoryLimit = 100;

class ProjectHistory {
  public:
    // Forgets every state; the project as it is now is the first one
    // (after New and Open).
    void Reset(const Project& project);
    // Records the project after a committed change; drops the states
    // that could have been redone and the oldest beyond the limit.
    void Record(const Project& project);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ + 1 < states_.size(); }
    // Put the earlier (later) state into the workspace; false when there
    // is none. The change they mark is not recorded again.
    bool Undo(Workspace& workspace);
    bool Redo(Workspace& workspace);

    std::size_t Size() const { return states_.size(); }

  private:
    bool Restore(Workspace& workspace, std::size_t position);

    std::vector<Project> states_;
    std::size_t position_ = 0;
    bool restoring_ = false;
};

} // namespace k7
