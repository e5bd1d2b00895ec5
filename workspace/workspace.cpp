#include "workspace/workspace.h"

#include "workspace/databases.h"
#include "workspace/project_file.h"
#include "workspace/record_list.h"
#include "workspace/telemetry_arrays.h"
#include "workspace/text_file.h"

namespace k7 {

Workspace::Workspace(UserInterface& ui, std::function<std::string()> dateText)
    : ui_(ui), dateText_(std::move(dateText)) {}

void Workspace::Start(const StartOptions& options) {
    startMessages_.clear();
    settingsPath = options.SettingsPath.empty() ? SettingsFilePath(options.ProgramFolder)
                                                : options.SettingsPath;
    SettingsLoad loaded = LoadSettings(options.ProgramFolder, settingsPath);
    settings = loaded.Settings;
    startMessages_ = loaded.Messages;
    if (!options.SystemFolder.empty())
        settings.SystemFolder = WithTrailingSeparator(options.SystemFolder);
    if (!options.BasicFolder.empty())
        settings.BasicFolder = WithTrailingSeparator(options.BasicFolder);

    LibraryLoad libraryLoad = LoadModuleLibrary(settings.SystemFolder);
    library = std::move(libraryLoad.Library);
    startMessages_.insert(startMessages_.end(), libraryLoad.Messages.begin(),
                          libraryLoad.Messages.end());
    if (!startMessages_.empty()) {
        std::string text;
        for (const auto& message : startMessages_)
            text += (text.empty() ? "" : "\n") + message;
        ui_.ShowError(text);
    }
    ResetToNew();
    notices.Notify(ProjectPart::WholeProject);
}

bool Workspace::ConfirmDiscard() {
    return !project.ProjectChanged || ui_.AskYesNo("Project has changed, OK to delete?");
}

void Workspace::ResetToNew() {
    ResetProject(project, library);
    shell.Caption = CaptionPrefix;
    shell.SaveEnabled = false;
    shell.CompileEnabled = false;
    shell.ListErrorsEnabled = false;
    shell.Mode = ShellMode::Design;
}

bool Workspace::NewProject() {
    if (!ConfirmDiscard())
        return false;
    ResetToNew();
    notices.Notify(ProjectPart::WholeProject);
    return true;
}

void Workspace::RecordRecent(const std::string& path) {
    AddRecentProject(settings, path);
}

// Reads path into the (new) project; on failure the project is new again.
bool Workspace::LoadFile(const std::string& path) {
    project.FileName = path;
    TextFile file = ReadTextLines(path, ProjectFileLimits);
    if (!file.Ok) {
        ui_.ShowError(file.Error);
        ResetToNew();
        notices.Notify(ProjectPart::WholeProject);
        return false;
    }
    shell.Caption = CaptionPrefix + path;
    ProjectRead read = ReadProjectFile(file.Lines, library, project);
    if (!read.Ok) {
        ui_.ShowError(read.Message);
        ResetToNew();
        notices.Notify(ProjectPart::WholeProject);
        return false;
    }
    CompactArray(project.TxArray);
    CompactArray(project.RxArray);
    RebuildDatabases(project, library);
    ListArrays(project);
    RecordRecent(path);
    projectOpened_ = true;
    return true;
}

// What follows an open whether or not a file was read.
void Workspace::AfterOpen() {
    project.DisplayNames = RecordNames(project.Displays);
    project.SpeechReportNames = RecordNames(project.SpeechReports);
    project.ProjectChanged = false;
    project.NeedCompile = true;
    shell.SaveEnabled = false;
    shell.CompileEnabled = true;
    notices.Notify(ProjectPart::WholeProject);
}

bool Workspace::OpenProject() {
    if (!ConfirmDiscard())
        return false;
    project.ProjectChanged = false;
    ResetToNew();
    FileChoice choice;
    choice.Title = "Open Project";
    choice.InitialFolder = settings.ProjectFolder;
    choice.Filter = "Project Files...*.*|*.*";
    choice.DefaultExtension = "K7";
    std::optional<std::string> path = ui_.ChooseOpenFile(choice);
    bool opened = false;
    if (path) {
        opened = LoadFile(*path);
        if (!opened)
            return false;
    }
    AfterOpen();
    return opened;
}

bool Workspace::OpenProjectPath(const std::string& path) {
    if (!ConfirmDiscard())
        return false;
    project.ProjectChanged = false;
    ResetToNew();
    bool opened = false;
    if (path.size() > 3) {
        opened = LoadFile(path);
        if (!opened)
            return false;
    }
    AfterOpen();
    return opened;
}

bool Workspace::OpenRecentProject(int index) {
    if (index < 0 || index >= static_cast<int>(settings.RecentProjects.size()) ||
        index >= RecentProjectLimit)
        return false;
    const std::string path = settings.RecentProjects[index];
    return OpenProjectPath(path);
}

bool Workspace::SaveProject() {
    if (project.FileName.empty())
        return SaveProjectAs();
    const std::string& current = project.FileName;
    if (ExtensionOf(current) != "tvr" || FileNamePart(current).find('.') == std::string::npos)
        ui_.ShowError("File is being saved with <.tvr> extension.");
    const std::string target = ReplaceExtension(current, "tvr");
    if (target != current && FileExists(target) &&
        !ui_.AskYesNo(target + " already exists. OK to replace it?"))
        return false;
    const std::string error = WriteProjectFile(target, project, library, dateText_());
    if (!error.empty()) {
        ui_.ShowError(error);
        return false;
    }
    project.FileName = target;
    RecordRecent(target);
    project.ProjectChanged = false;
    shell.SaveEnabled = false;
    shell.Caption = CaptionPrefix + target;
    return true;
}

bool Workspace::SaveProjectAs() {
    FileChoice choice;
    choice.Title = "Save Project As";
    choice.InitialFolder = settings.ProjectFolder;
    choice.ProposedName = project.FileName;
    choice.Filter = "Project Files (*.tvr)|*.tvr";
    choice.DefaultExtension = "tvr";
    choice.AskBeforeOverwrite = true;
    std::optional<std::string> path = ui_.ChooseSaveFile(choice);
    if (!path || path->empty())
        return false;
    project.FileName = *path;
    shell.Caption = CaptionPrefix + *path;
    return SaveProject();
}

void Workspace::MarkProjectChanged(ProjectPart part) {
    k7::MarkProjectChanged(project);
    shell.SaveEnabled = true;
    shell.CompileEnabled = true;
    notices.Notify(part);
}

bool Workspace::SetProjectNotes(const std::string& notes) {
    if (RefuseStoredText(ui_, notes, StoredField::Notes))
        return false;
    // The notes field reports every keystroke, also ones that change nothing.
    const std::string normalized = NormalizedNotes(notes);
    if (normalized == project.Notes)
        return true;
    project.Notes = normalized;
    MarkProjectChanged(ProjectPart::Notes);
    return true;
}

bool Workspace::SaveSettings() {
    const std::string error = k7::SaveSettings(settings, settingsPath);
    if (!error.empty()) {
        ui_.ShowError(error);
        return false;
    }
    return true;
}

bool Workspace::CloseMainWindow() {
    if (project.ProjectChanged && !ui_.AskYesNo("Project has changed, OK to exit?"))
        return false;
    SaveSettings();
    return true;
}

} // namespace k7
