#include "workspace/project_history.h"

namespace k7 {

void ProjectHistory::Reset(const Project& project) {
    states_.assign(1, project);
    position_ = 0;
}

void ProjectHistory::Record(const Project& project) {
    if (restoring_)
        return;
    if (states_.empty()) {
        Reset(project);
        return;
    }
    states_.resize(position_ + 1);
    states_.push_back(project);
    // The limit counts the steps that can be undone.
    if (states_.size() > UndoHistoryLimit + 1)
        states_.erase(states_.begin());
    position_ = states_.size() - 1;
}

bool ProjectHistory::Undo(Workspace& workspace) {
    return CanUndo() && Restore(workspace, position_ - 1);
}

bool ProjectHistory::Redo(Workspace& workspace) {
    return CanRedo() && Restore(workspace, position_ + 1);
}

bool ProjectHistory::Restore(Workspace& workspace, std::size_t position) {
    position_ = position;
    restoring_ = true;
    workspace.project = states_[position];
    workspace.MarkProjectChanged(ProjectPart::WholeProject);
    restoring_ = false;
    return true;
}

} // namespace k7
