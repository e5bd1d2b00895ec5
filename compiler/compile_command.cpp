#include "compiler/compile_command.h"

#include "workspace/workspace.h"

namespace k7 {

CompileCommandResult CompileCommand(Workspace& workspace, CompileProgress& progress) {
    CompileContext context(workspace.project, workspace.library,
                           WorkspaceCompileOptions(workspace.settings, workspace.DateText()));
    context.MarkChanged = [&workspace] { workspace.MarkProjectChanged(); };
    CompileCommandResult result;
    result.Outcome = Compile(context, progress);
    result.ErrorList = context.ErrorList;
    result.StatusMessage = context.StatusMessage;

    const bool clean = result.Outcome == CompileOutcome::Clean && context.ImageSaveError.empty();
    if (!context.ImageSaveError.empty())
        workspace.Ui().ShowError(context.ImageSaveError);
    result.ShowInGreen = clean;
    workspace.shell.CompileEnabled = !clean;
    workspace.shell.ListErrorsEnabled = !clean;
    return result;
}

} // namespace k7
