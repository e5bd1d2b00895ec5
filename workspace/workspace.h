// The workspace: the settings, the module library and the one open
// project, with the user flows that replace or store the project (New,
// Open, open-recent, Save, Save As) and the start and stop of the program.
// Windows and k7c both drive it; it talks back only through UserInterface.
#pragma once

#include "workspace/change_notices.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/settings.h"
#include "workspace/user_interface.h"

#include <functional>
#include <string>
#include <vector>

namespace k7 {

// How the main window shows the project: "Design" lists the databases,
// "Debug" the last compile's symbol lists, "Engineer" lets the library show
// module definitions.
enum class ShellMode { Design, Debug, Engineer };
inline constexpr const char* ShellModeTexts[] = {"Design", "Debug", "Engineer"};
inline const char* ShellModeText(ShellMode mode) {
    return ShellModeTexts[static_cast<int>(mode)];
}

// What the main window shows of the workspace's state.
struct ShellState {
    std::string Caption = CaptionPrefix;
    bool SaveEnabled = false;
    bool CompileEnabled = false;
    bool ListErrorsEnabled = false;
    ShellMode Mode = ShellMode::Design;
};

struct StartOptions {
    std::string ProgramFolder; // with a trailing separator
    std::string SettingsPath;  // empty: K7Setup.ini where SettingsFilePath puts it
    std::string SystemFolder;  // non-empty: overrides the settings
    std::string BasicFolder;   // non-empty: overrides the settings
};

class Workspace {
  public:
    // dateText gives the workstation's date and time text for file headers.
    Workspace(UserInterface& ui, std::function<std::string()> dateText);

    // Reads the settings (writing the default file when missing), loads the
    // module library and creates a new project. Problems are shown in one
    // error box; the program goes on with what could be read.
    void Start(const StartOptions& options);
    // Messages of the last Start, for callers that print them.
    const std::vector<std::string>& StartMessages() const { return startMessages_; }

    bool NewProject();
    bool OpenProject();
    bool OpenProjectPath(const std::string& path);
    bool OpenRecentProject(int index);
    bool SaveProject();
    bool SaveProjectAs();

    // Every editor calls this after changing the project, naming the part
    // it changed: sets the change flags and the enabling, then tells every
    // subscriber.
    void MarkProjectChanged(ProjectPart part);
    // The project's notes, as typed; false (after a message) when the
    // project file could not hold them.
    bool SetProjectNotes(const std::string& notes);
    // Writes K7Setup.ini; false (after an error box) when it cannot be written.
    bool SaveSettings();
    // Closing the main window: the guard, then the settings are saved.
    bool CloseMainWindow();

    void SetDateText(std::function<std::string()> dateText) { dateText_ = std::move(dateText); }
    // The workstation's date and time text, as file headers take it.
    std::string DateText() const { return dateText_(); }
    UserInterface& Ui() { return ui_; }
    // True once a project file was read since start-up.
    bool ProjectOpened() const { return projectOpened_; }

    WorkspaceSettings settings;
    std::string settingsPath;
    ModuleLibrary library;
    Project project;
    ShellState shell;
    // Told of every change, and of the whole project replaced by New and
    // Open (without marking it changed).
    ChangeNotices notices;
    // True for the notice of New and Open: a project made or read afresh,
    // which editors holding a form of the old project drop. Undo and Redo
    // put a project back as a change of its own.
    bool OpenedAfresh(ProjectPart part) const {
        return part == ProjectPart::WholeProject && !project.ProjectChanged;
    }

  private:
    bool ConfirmDiscard();
    void ResetToNew();
    bool LoadFile(const std::string& path);
    void AfterOpen();
    void RecordRecent(const std::string& path);

    UserInterface& ui_;
    std::function<std::string()> dateText_;
    std::vector<std::string> startMessages_;
    bool projectOpened_ = false;
};

} // namespace k7
