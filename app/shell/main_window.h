// The main window shell: caption, menus, tool bar, mode switch, status
// line, the shared progress panel and the compiler status panel, with the
// database lists beside the tabbed pages. Every command forwards to the
// session; the views reload from the workspace's change notices.
#pragma once

#include "app/qt/qt_timer.h"
#include "app/views/editor_pages.h"
#include "app/views/module_pages.h"
#include "session/session.h"
#include "workspace/project_history.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QListWidget;
class QRadioButton;
class QStackedWidget;
class QTabWidget;

namespace k7 {

class BasicModulesPage;
class CommunicationsSetupPanel;
class DatabaseListsPanel;
class DocumentationChoicesPanel;
class NotesPage;
class PreferencesPanel;
class SymbolListsPanel;
class ProgressPanelWidget;
class UnitLinkCommands;
class VariableSearchPanel;
class WatchWindowView;
class WindowLoadView;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a project given on the command line or dropped on the window,
    // through the same guard as Open.
    bool OpenPath(const std::string& path);

    QString StatusFieldText(int field) const;
    QAction* Command(const QString& name) const;
    QAction* RecentAction(int index) const { return recentActions_[index]; }
    QAction* CompileAction() const { return Command("Compile"); }
    QAction* ListErrorsAction() const { return Command("List Errors"); }
    QListWidget* ErrorListView() const { return errorList_; }
    QDockWidget* CompilerStatusPanel() const { return errorDock_; }
    ProgressPanelWidget* Progress() const { return progress_; }
    DatabaseListsPanel* DatabaseLists() const { return databases_; }
    SymbolListsPanel* SymbolLists() const { return symbols_; }
    NotesPage* Notes() const { return notes_; }
    PreferencesPanel* Preferences() const { return preferences_; }
    CommunicationsSetupPanel* CommunicationsSetup() const { return communications_; }
    VariableSearchPanel* VariableSearchWindow() const { return variableSearch_; }
    // The watch window once "Watch" made it; null before.
    WatchWindowView* WatchView() const { return watch_; }
    DocumentationChoicesPanel* DocumentationChoicesWindow() const { return documentation_; }
    QRadioButton* ModeButton(const QString& mode) const;
    QTabWidget* Pages() const { return pages_; }
    const EditorPages& Editors() const { return editors_; }
    ModulePages& Modules() const { return *modules_; }
    BasicModulesPage* BasicPage() const { return basic_; }

    // Where the unit link's timers and serial device come from: the
    // window's timers and the workstation's port unless tests set others
    // before the link is first used.
    void SetUnitLinkParts(TimerFactory* timers,
                          std::function<std::unique_ptr<SerialDevice>()> makeDevice);
    // The unit link, made on first use.
    UnitLink& Unit();
    WindowLoadView& LoadViewOfWindow() const { return *loadView_; }
    // The unit commands and the terminal page.
    UnitLinkCommands& UnitCommands() const { return *unitCommands_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateActions();
    void CreateMenusAndTools();
    void CreateModeSwitch(class QToolBar* tools);
    void CreatePanels();
    void CreateStatusLine();
    void HostEditorPages();
    QAction* AddCommand(const QString& name, void (MainWindow::*slot)(),
                        const QKeySequence& shortcut = {});
    QAction* AddLaterCommand(const QString& name, const QString& comesWith);

    // After New and Open: a history of its own, and the mode New selects.
    void ProjectReplaced();
    // After an edit marked the project changed: one step of the history.
    void ProjectChanged();
    // Caption, enabled commands, recent entries and the status line.
    void RefreshShell();
    void SetBusy(bool busy);
    void RunBusy(const std::function<void()>& work);
    template <typename Open> bool OpenThroughGuard(Open open);
    void SetMode(ShellMode mode);

    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAsClick();
    void CompileClick();
    void ListErrorsClick();
    void ReassignClick();
    void PreferencesClick();
    void CommunicationsSetupClick();
    void VariableSearchClick();
    void WatchClick();
    void DocumentClick();
    void BasicClick();
    void UndoClick();
    void RedoClick();
    void SetCardsClick();
    void ModulesClick();
    void SendPgmClick();
    void SendOsClick();
    void StopPgmClick();
    void RemoteLoadClick();
    void TerminalClick();
    void SendRtcClick();

    Session& session_;
    Workspace& workspace_;
    ChangeSubscription changes_;
    ProjectHistory history_;
    QTabWidget* pages_ = nullptr;
    std::map<QString, QAction*> commands_;
    std::vector<QAction*> laterCommands_; // present, wired by later windows
    QDockWidget* errorDock_ = nullptr;
    QListWidget* errorList_ = nullptr;
    QDockWidget* progressDock_ = nullptr;
    ProgressPanelWidget* progress_ = nullptr;
    QStackedWidget* lists_ = nullptr;
    DatabaseListsPanel* databases_ = nullptr;
    SymbolListsPanel* symbols_ = nullptr;
    NotesPage* notes_ = nullptr;
    EditorPages editors_;
    std::unique_ptr<ModulePages> modules_;
    BasicModulesPage* basic_ = nullptr;
    PreferencesPanel* preferences_ = nullptr;
    CommunicationsSetupPanel* communications_ = nullptr;
    VariableSearchPanel* variableSearch_ = nullptr;
    WatchWindowView* watch_ = nullptr;
    DocumentationChoicesPanel* documentation_ = nullptr;
    std::map<QString, QRadioButton*> modeButtons_;
    std::unique_ptr<WindowLoadView> loadView_;
    std::unique_ptr<UnitLinkCommands> unitCommands_;
    QtTimerFactory windowTimers_;
    TimerFactory* unitTimers_ = &windowTimers_;
    std::function<std::unique_ptr<SerialDevice>()> makeDevice_;
    bool busy_ = false;
    std::string statusMessage_; // the message panel: what the last command reported
    std::array<QAction*, RecentProjectLimit> recentActions_{};
    // Ram, Flash, the change flags, and the message panel.
    std::array<QLabel*, 4> statusFields_{};
};

} // namespace k7
