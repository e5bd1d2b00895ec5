#include "app/shell/main_window.h"

#include "app/shell/progress_panel_widget.h"
#include "app/shell/unit_link_commands.h"
#include "app/shell/window_load_view.h"
#include "app/views/basic_modules_page.h"
#include "app/views/communications_setup_panel.h"
#include "app/views/database_lists_panel.h"
#include "app/views/display_page.h"
#include "app/views/documentation_choices.h"
#include "app/views/ladder_page.h"
#include "app/views/notes_page.h"
#include "app/views/preferences_panel.h"
#include "app/views/speech_page.h"
#include "app/views/symbol_lists_panel.h"
#include "app/views/table_page.h"
#include "app/views/variable_search_panel.h"
#include "app/views/watch_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session), workspace_(session.Space()) {
    setGeometry(4, 4, 800, 600);
    setAcceptDrops(true);
    CreateActions();
    CreatePanels();
    CreateMenusAndTools();
    CreateStatusLine();
    HostEditorPages();
    unitCommands_ = std::make_unique<UnitLinkCommands>(*this, session_);
    unitCommands_->runBusy = [this](const std::function<void()>& work) { RunBusy(work); };
    // The views hear the notices themselves; the shell keeps the history
    // and its own fields.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (workspace_.OpenedAfresh(part))
            ProjectReplaced();
        else if (part != ProjectPart::CompileFinished)
            ProjectChanged(); // the compile's step is recorded once it is over
    });
    history_.Reset(workspace_.project);
    RefreshShell();
}

// The unit link holds the window's timers and load view: it goes first,
// then the commands that follow its ticks.
MainWindow::~MainWindow() {
    session_.EndUnit();
    unitCommands_.reset();
}

QAction* MainWindow::AddCommand(const QString& name, void (MainWindow::*slot)(),
                                const QKeySequence& shortcut) {
    auto* action = new QAction(name, this);
    action->setShortcut(shortcut);
    action->setToolTip(shortcut.isEmpty() ? name : name + " (" + shortcut.toString() + ")");
    connect(action, &QAction::triggered, this, slot);
    commands_[name] = action;
    return action;
}

// A command whose window is not part of this build yet: shown, disabled,
// and its tool tip says so.
QAction* MainWindow::AddLaterCommand(const QString& name, const QString& comesWith) {
    auto* action = new QAction(name, this);
    action->setEnabled(false);
    action->setToolTip(name + ": comes with the " + comesWith + ".");
    commands_[name] = action;
    laterCommands_.push_back(action);
    return action;
}

void MainWindow::CreateActions() {
    AddCommand("New", &MainWindow::NewClick, QKeySequence::New);
    AddCommand("Open Project...", &MainWindow::OpenClick, QKeySequence::Open);
    AddCommand("Save", &MainWindow::SaveClick, QKeySequence::Save);
    AddCommand("Save As", &MainWindow::SaveAsClick, QKeySequence::SaveAs);
    AddCommand("Compile", &MainWindow::CompileClick, Qt::Key_F9);
    AddCommand("List Errors", &MainWindow::ListErrorsClick);
    AddCommand("Reassign", &MainWindow::ReassignClick);
    AddCommand("Preferences", &MainWindow::PreferencesClick);
    AddCommand("Communications Setup", &MainWindow::CommunicationsSetupClick);
    AddCommand("Variable Search", &MainWindow::VariableSearchClick);
    AddCommand("Undo", &MainWindow::UndoClick, QKeySequence::Undo);
    AddCommand("Redo", &MainWindow::RedoClick, QKeySequence(Qt::CTRL | Qt::Key_Y));

    AddCommand("Set Cards", &MainWindow::SetCardsClick);
    AddCommand("Modules", &MainWindow::ModulesClick);
    AddLaterCommand("Ladder", "ladder editor");
    AddLaterCommand("TX Arrays", "TX array editor");
    AddLaterCommand("RX Arrays", "RX array editor");
    AddLaterCommand("Displays", "display editor");
    laterCommands_.push_back(AddCommand("BASIC", &MainWindow::BasicClick));
    AddLaterCommand("Tables", "tables page");
    AddLaterCommand("Speech", "speech reports page");
    AddCommand("Send Pgm", &MainWindow::SendPgmClick, Qt::CTRL | Qt::Key_G);
    AddCommand("Send OS", &MainWindow::SendOsClick);
    AddCommand("Stop Pgm", &MainWindow::StopPgmClick);
    AddCommand("Remote Load", &MainWindow::RemoteLoadClick);
    AddCommand("Watch", &MainWindow::WatchClick);
    AddCommand("Terminal", &MainWindow::TerminalClick);
    AddCommand("Send RTC", &MainWindow::SendRtcClick);
    AddCommand("Document", &MainWindow::DocumentClick);
}

void MainWindow::CreateMenusAndTools() {
    // The Open tool button's drop-down: New, Open, then the recent projects.
    auto* openMenu = new QMenu(this);
    openMenu->addAction(Command("New"));
    openMenu->addAction(tr("Open"), this, &MainWindow::OpenClick);
    openMenu->addSeparator();
    for (int i = 0; i < RecentProjectLimit; ++i) {
        recentActions_[i] = openMenu->addAction(QString());
        connect(recentActions_[i], &QAction::triggered, this, [this, i] {
            OpenThroughGuard([this, i] { return workspace_.OpenRecentProject(i); });
        });
    }

    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (const char* name : {"New", "Open Project...", "Save", "Save As"})
        file->addAction(Command(name));
    file->addSeparator();
    file->addAction(Command("Preferences"));
    file->addAction(Command("Communications Setup"));
    file->addSeparator();
    file->addAction(tr("Exit"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(Command("Undo"));
    edit->addAction(Command("Redo"));

    QMenu* project = menuBar()->addMenu(tr("&Project"));
    for (const char* name : {"Compile", "List Errors", "Reassign", "Variable Search"})
        project->addAction(Command(name));
    project->addSeparator();
    project->addAction(Command("Modules"));
    project->addAction(Command("Set Cards"));
    QMenu* unit = menuBar()->addMenu(tr("&Unit"));
    for (const char* name :
         {"Send Pgm", "Send OS", "Stop Pgm", "Remote Load", "Terminal", "Send RTC"})
        unit->addAction(Command(name));
    for (QAction* later : laterCommands_) {
        const QString name = later->text();
        const bool unitCommand = name.startsWith("Send") || name == "Stop Pgm" ||
                                 name == "Remote Load" || name == "Watch" || name == "Terminal";
        (unitCommand ? unit : project)->addAction(later);
    }
    unit->addAction(Command("Watch"));
    project->addAction(Command("Document"));

    QToolBar* tools = addToolBar(tr("Tools"));
    tools->setObjectName("Tools");
    auto* openButton = new QToolButton(tools);
    openButton->setDefaultAction(Command("Open Project..."));
    openButton->setMenu(openMenu);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
    tools->addWidget(openButton);
    for (const char* name :
         {"Save", "Save As", "Compile", "List Errors", "Set Cards", "Send Pgm", "Document"})
        tools->addAction(Command(name));
    // The mode switch gets a row of its own, so a narrow window never
    // folds it away.
    addToolBarBreak();
    QToolBar* modes = addToolBar(tr("Mode"));
    modes->setObjectName("Mode");
    CreateModeSwitch(modes);
}

void MainWindow::CreateModeSwitch(QToolBar* tools) {
    auto* group = new QButtonGroup(this);
    for (ShellMode mode : {ShellMode::Design, ShellMode::Debug, ShellMode::Engineer}) {
        const QString text = ShellModeText(mode);
        auto* button = new QRadioButton(text, tools);
        button->setToolTip(QString("Show the project in %1 mode").arg(text));
        group->addButton(button);
        tools->addWidget(button);
        modeButtons_[text] = button;
        connect(button, &QRadioButton::toggled, this, [this, mode](bool on) {
            if (on)
                SetMode(mode);
        });
    }
    modeButtons_["Design"]->setChecked(true);
}

void MainWindow::CreatePanels() {
    auto* splitter = new QSplitter(this);
    // "Design" shows the database lists, "Debug" the symbol lists in their place.
    lists_ = new QStackedWidget(splitter);
    databases_ = new DatabaseListsPanel(workspace_, lists_);
    symbols_ = new SymbolListsPanel(session_, lists_);
    lists_->addWidget(databases_);
    lists_->addWidget(symbols_);
    pages_ = new QTabWidget(splitter);
    notes_ = new NotesPage(workspace_, pages_);
    pages_->addTab(notes_, tr("Project"));
    editors_ = AddEditorPages(*pages_, workspace_);
    modules_ = std::make_unique<ModulePages>(*pages_, workspace_, editors_);
    basic_ = new BasicModulesPage(workspace_, pages_);
    pages_->addTab(basic_, tr("BASIC"));
    splitter->addWidget(lists_);
    splitter->addWidget(pages_);
    splitter->setSizes({300, 500});
    setCentralWidget(splitter);

    errorDock_ = new QDockWidget(tr("Compiler Status"), this);
    errorDock_->setObjectName("Compiler Status");
    errorList_ = new QListWidget(errorDock_);
    errorDock_->setWidget(errorList_);
    addDockWidget(Qt::BottomDockWidgetArea, errorDock_);
    errorDock_->hide();

    progressDock_ = new QDockWidget(tr("Progress"), this);
    progressDock_->setObjectName("Progress");
    progress_ = new ProgressPanelWidget(progressDock_);
    progressDock_->setWidget(progress_);
    addDockWidget(Qt::BottomDockWidgetArea, progressDock_);
    progressDock_->hide();
    resizeDocks({errorDock_, progressDock_}, {130, 130}, Qt::Vertical);
    loadView_ = std::make_unique<WindowLoadView>(*progress_, *errorDock_);
    progress_->onStatusMessage = [this](const std::string& message) {
        statusMessage_ = message;
        statusFields_[3]->setText(Text(message));
    };

    preferences_ = new PreferencesPanel(workspace_, this);
    communications_ = new CommunicationsSetupPanel(workspace_, this);
    // Save in Preferences writes the settings and closes both panels.
    preferences_->onSaved = [this] { communications_->hide(); };
    variableSearch_ = new VariableSearchPanel(workspace_, this);
    documentation_ = new DocumentationChoicesPanel(workspace_, *progress_, *progressDock_, this);
    databases_->onNamePressed = [this](DbType list, const std::string& name) {
        variableSearch_->NamePressed(list, name);
    };
}

void MainWindow::SetUnitLinkParts(TimerFactory* timers,
                                  std::function<std::unique_ptr<SerialDevice>()> makeDevice) {
    unitTimers_ = timers ? timers : &windowTimers_;
    makeDevice_ = std::move(makeDevice);
}

UnitLink& MainWindow::Unit() {
    if (UnitLink* made = session_.Unit())
        return *made;
    UnitLink& made = session_.Unit(unitCommands_->Timers(*unitTimers_), *loadView_,
                                   makeDevice_ ? makeDevice_() : MakeSerialDevice());
    unitCommands_->LinkMade(made);
    return made;
}

// The editor pages' commands show their page.
void MainWindow::HostEditorPages() {
    const std::pair<const char*, QWidget*> pages[] = {
        {"Ladder", editors_.Ladder},       {"TX Arrays", editors_.Telemetry},
        {"RX Arrays", editors_.Telemetry}, {"Displays", editors_.Displays},
        {"Tables", editors_.Tables},       {"Speech", editors_.Speech}};
    for (auto [name, page] : pages) {
        QAction* command = Command(name);
        command->setEnabled(true);
        command->setToolTip(tr("Show the %1 page").arg(name));
        connect(command, &QAction::triggered, this,
                [this, page = page] { pages_->setCurrentWidget(page); });
    }
}

void MainWindow::CreateStatusLine() {
    for (auto*& field : statusFields_) {
        field = new QLabel(this);
        statusBar()->addWidget(field, 1);
    }
}

QAction* MainWindow::Command(const QString& name) const {
    auto found = commands_.find(name);
    return found == commands_.end() ? nullptr : found->second;
}

QRadioButton* MainWindow::ModeButton(const QString& mode) const {
    auto found = modeButtons_.find(mode);
    return found == modeButtons_.end() ? nullptr : found->second;
}

QString MainWindow::StatusFieldText(int field) const {
    return statusFields_[field]->text();
}

void MainWindow::ProjectReplaced() {
    history_.Reset(workspace_.project);
    ModeButton(ShellModeText(workspace_.shell.Mode))->setChecked(true);
}

void MainWindow::ProjectChanged() {
    history_.Record(workspace_.project);
    RefreshShell();
}

void MainWindow::RefreshShell() {
    const ShellState& shell = workspace_.shell;
    setWindowTitle(Text(shell.Caption));
    Command("Save")->setEnabled(!busy_ && shell.SaveEnabled);
    Command("Compile")->setEnabled(!busy_ && shell.CompileEnabled);
    Command("List Errors")->setEnabled(!busy_ && shell.ListErrorsEnabled);
    Command("Undo")->setEnabled(!busy_ && history_.CanUndo());
    Command("Redo")->setEnabled(!busy_ && history_.CanRedo());
    for (const char* name : {"New", "Open Project...", "Save As", "Reassign", "Preferences",
                             "Communications Setup", "Variable Search"})
        Command(name)->setEnabled(!busy_);
    const auto recent = RecentMenuEntries(workspace_.settings);
    for (int i = 0; i < RecentProjectLimit; ++i) {
        const bool shown = i < static_cast<int>(recent.size());
        recentActions_[i]->setVisible(shown);
        recentActions_[i]->setEnabled(!busy_);
        recentActions_[i]->setText(shown ? Text(recent[i]) : QString());
    }
    statusFields_[0]->setText(Text(RamStatusText(workspace_.project)));
    statusFields_[1]->setText(Text(FlashStatusText(workspace_.project)));
    statusFields_[2]->setText(Text(StatusText(workspace_.project)));
    statusFields_[3]->setText(Text(statusMessage_));
}

// While a compile runs only Cancel on the progress panel can be pressed.
void MainWindow::SetBusy(bool busy) {
    busy_ = busy;
    menuBar()->setEnabled(!busy);
    for (auto& [mode, button] : modeButtons_)
        button->setEnabled(!busy);
    databases_->setEnabled(!busy);
    pages_->setEnabled(!busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    RefreshShell();
}

// A command that may compile first: only Cancel on the progress panel can
// be pressed meanwhile, and the addresses its compile assigned are one
// history step, recorded once the command is over.
void MainWindow::RunBusy(const std::function<void()>& work) {
    if (busy_)
        return;
    bool compiled = false;
    ChangeSubscription compiles = workspace_.notices.Subscribe([&compiled](ProjectPart part) {
        if (part == ProjectPart::CompileFinished)
            compiled = true;
    });
    SetBusy(true);
    work();
    SetBusy(false);
    if (compiled && session_.LastReport().NewAddressesAssigned)
        ProjectChanged();
    RefreshShell();
}

void MainWindow::SetMode(ShellMode mode) {
    workspace_.shell.Mode = mode;
    lists_->setCurrentWidget(mode == ShellMode::Debug ? static_cast<QWidget*>(symbols_)
                                                      : databases_);
    modules_->SetMode(Text(ShellModeText(mode)));
}

// Every open starts with the guard; an answer other than Yes leaves the
// project as it was (still changed), anything else replaced it: a file
// read, or a new project after a cancelled dialog or an unreadable file.
template <typename Open> bool MainWindow::OpenThroughGuard(Open open) {
    const bool opened = open();
    if (!workspace_.project.ProjectChanged) {
        statusMessage_.clear();
        errorDock_->hide();
    }
    RefreshShell();
    return opened;
}

bool MainWindow::OpenPath(const std::string& path) {
    return OpenThroughGuard([&] { return workspace_.OpenProjectPath(path); });
}

void MainWindow::NewClick() {
    OpenThroughGuard([this] { return workspace_.NewProject(); });
}

void MainWindow::OpenClick() {
    OpenThroughGuard([this] { return workspace_.OpenProject(); });
}

void MainWindow::SaveClick() {
    workspace_.SaveProject();
    RefreshShell();
}

void MainWindow::SaveAsClick() {
    workspace_.SaveProjectAs();
    RefreshShell();
}

void MainWindow::CompileClick() {
    if (busy_)
        return;
    errorList_->clear();
    errorDock_->show();
    progress_->Reset();
    progressDock_->show();
    SetBusy(true);
    const CompileReport result = session_.Compile(*progress_);
    progressDock_->hide();
    SetBusy(false);
    statusMessage_ = result.StatusMessage;
    for (const std::string& error : result.ErrorList) {
        auto* item = new QListWidgetItem(Text(error), errorList_);
        item->setForeground(result.Clean ? Qt::darkGreen : Qt::red);
    }
    if (result.Clean)
        errorDock_->hide();
    // A compile that assigned new RAM addresses changed the project: one
    // step of the history, recorded once the compile is over.
    if (result.NewAddressesAssigned)
        ProjectChanged();
    RefreshShell();
}

void MainWindow::ListErrorsClick() {
    errorDock_->show();
}

void MainWindow::ReassignClick() {
    session_.Reassign();
    RefreshShell();
}

void MainWindow::PreferencesClick() {
    preferences_->Load();
    preferences_->show();
}

void MainWindow::CommunicationsSetupClick() {
    communications_->Load();
    communications_->show();
}

void MainWindow::VariableSearchClick() {
    variableSearch_->show();
}

// The watch window is made with the unit link, on first use.
void MainWindow::WatchClick() {
    UnitLink& unit = Unit();
    unit.Configure(SerialChoicesOf(workspace_.settings), workspace_.settings.SystemFolder);
    if (!watch_)
        watch_ = new WatchWindowView(unit.Watch, session_.Link(), workspace_.Ui(), this);
    if (watch_->Open())
        errorDock_->hide();
    RefreshShell();
}

void MainWindow::DocumentClick() {
    documentation_->Open();
}

void MainWindow::BasicClick() {
    basic_->Reload();
    pages_->setCurrentWidget(basic_);
}

void MainWindow::UndoClick() {
    // The restore is a change notice of its own: the views reload from it.
    history_.Undo(workspace_);
    RefreshShell();
}

void MainWindow::RedoClick() {
    history_.Redo(workspace_);
    RefreshShell();
}

void MainWindow::SetCardsClick() {
    modules_->ShowCards();
}

void MainWindow::ModulesClick() {
    modules_->ShowModules();
}

void MainWindow::SendPgmClick() {
    unitCommands_->SendProgram(true);
}

void MainWindow::SendOsClick() {
    unitCommands_->SendOs();
}

void MainWindow::StopPgmClick() {
    unitCommands_->StopProgram();
}

void MainWindow::RemoteLoadClick() {
    unitCommands_->RemoteLoad();
}

void MainWindow::TerminalClick() {
    unitCommands_->OpenTerminal();
}

void MainWindow::SendRtcClick() {
    unitCommands_->SendClock();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (workspace_.CloseMainWindow()) {
        // Closing the watch window closes its port.
        if (watch_)
            watch_->close();
        unitCommands_->CloseForExit();
        event->accept();
    } else {
        event->ignore();
    }
}

static QString DroppedProject(const QMimeData* data) {
    if (!data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(".tvr", Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedProject(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenPath(path.toStdString());
}

} // namespace k7
