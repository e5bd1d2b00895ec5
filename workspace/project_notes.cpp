#include "workspace/project_notes.h"

namespace k7 {

bool EditProjectNotes(Workspace& workspace, const std::string& notes) {
    if (ContainsBar(notes)) {
        workspace.Ui().ShowError(BarRefusedMessage);
        return false;
    }
    if (notes == workspace.project.Notes)
        return true;
    workspace.project.Notes = notes;
    workspace.MarkProjectChanged();
    return true;
}

} // namespace k7
