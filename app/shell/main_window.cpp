#include "app/main_window.h"

#include "compiler/compile_command.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

MainWindow::MainWindow(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace) {
    setGeometry(4, 4, 800, 600);
    pages_ = new QTabWidget(this);
    setCentralWidget(pages_);
    CreateActions();
    CreateStatusLine();
    CreateErrorList();
    Refresh();
}

void MainWindow::CreateActions() {
    newAction_ = new QAction(tr("New"), this);
    openAction_ = new QAction(tr("Open Project..."), this);
    saveAction_ = new QAction(tr("Save"), this);
    saveAsAction_ = new QAction(tr("Save As"), this);
    connect(newAction_, &QAction::triggered, this, &MainWindow::NewClick);
    connect(openAction_, &QAction::triggered, this, &MainWindow::OpenClick);
    connect(saveAction_, &QAction::triggered, this, &MainWindow::SaveClick);
    connect(saveAsAction_, &QAction::triggered, this, &MainWindow::SaveAsClick);
    compileAction_ = new QAction(tr("Compile"), this);
    listErrorsAction_ = new QAction(tr("List Errors"), this);
    connect(compileAction_, &QAction::triggered, this, &MainWindow::CompileClick);
    connect(listErrorsAction_, &QAction::triggered, this, &MainWindow::ListErrorsClick);

    // The Open tool button's drop-down: New, Open, then the recent projects.
    auto* openMenu = new QMenu(this);
    openMenu->addAction(newAction_);
    openMenu->addAction(openAction_);
    openMenu->addSeparator();
    for (int i = 0; i < RecentProjectLimit; ++i) {
        recentActions_[i] = openMenu->addAction(QString());
        connect(recentActions_[i], &QAction::triggered, this, [this, i] {
            workspace_.OpenRecentProject(i);
            Refresh();
        });
    }

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(newAction_);
    fileMenu->addAction(openAction_);
    fileMenu->addAction(saveAction_);
    fileMenu->addAction(saveAsAction_);
    fileMenu->addSeparator();
    fileMenu->addAction(tr("Exit"), this, &QWidget::close);

    QMenu* projectMenu = menuBar()->addMenu(tr("&Project"));
    projectMenu->addAction(compileAction_);
    projectMenu->addAction(listErrorsAction_);

    QToolBar* tools = addToolBar(tr("Tools"));
    auto* openButton = new QToolButton(tools);
    openButton->setDefaultAction(openAction_);
    openButton->setMenu(openMenu);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
    tools->addWidget(openButton);
    tools->addAction(saveAction_);
    tools->addAction(saveAsAction_);
    tools->addAction(compileAction_);
    tools->addAction(listErrorsAction_);
}

void MainWindow::CreateStatusLine() {
    for (auto*& field : statusFields_) {
        field = new QLabel(this);
        statusBar()->addWidget(field, 1);
    }
}

void MainWindow::CreateErrorList() {
    errorDock_ = new QDockWidget(tr("Errors"), this);
    errorList_ = new QListWidget(errorDock_);
    errorDock_->setWidget(errorList_);
    addDockWidget(Qt::BottomDockWidgetArea, errorDock_);
    errorDock_->hide();
}

// The compile's error list, green when clean and red otherwise.
void MainWindow::ShowErrorList(const std::vector<std::string>& errors, bool clean) {
    errorList_->clear();
    for (const std::string& error : errors)
        errorList_->addItem(Text(error));
    errorList_->setStyleSheet(clean ? QStringLiteral("color: green")
                                    : QStringLiteral("color: red"));
    errorDock_->show();
}

QString MainWindow::StatusFieldText(int field) const {
    return statusFields_[field]->text();
}

void MainWindow::Refresh() {
    const ShellState& shell = workspace_.shell;
    setWindowTitle(Text(shell.Caption));
    saveAction_->setEnabled(shell.SaveEnabled);
    compileAction_->setEnabled(shell.CompileEnabled);
    listErrorsAction_->setEnabled(shell.ListErrorsEnabled);
    const auto recent = RecentMenuEntries(workspace_.settings);
    for (int i = 0; i < RecentProjectLimit; ++i) {
        const bool shown = i < static_cast<int>(recent.size());
        recentActions_[i]->setVisible(shown);
        recentActions_[i]->setText(shown ? Text(recent[i]) : QString());
    }
    statusFields_[0]->setText(Text(RamStatusText(workspace_.project)));
    statusFields_[1]->setText(Text(FlashStatusText(workspace_.project)));
    statusFields_[2]->setText(Text(StatusText(workspace_.project)));
    statusFields_[3]->setText(Text(statusMessage_));
}

void MainWindow::NewClick() {
    workspace_.NewProject();
    Refresh();
}

void MainWindow::OpenClick() {
    workspace_.OpenProject();
    Refresh();
}

void MainWindow::SaveClick() {
    workspace_.SaveProject();
    Refresh();
}

void MainWindow::SaveAsClick() {
    workspace_.SaveProjectAs();
    Refresh();
}

void MainWindow::CompileClick() {
    statusMessage_ = "Compiling...";
    Refresh();
    CompileProgress progress;
    const CompileCommandResult result = CompileCommand(workspace_, progress);
    statusMessage_ = result.StatusMessage;
    ShowErrorList(result.ErrorList, result.ShowInGreen);
    Refresh();
}

void MainWindow::ListErrorsClick() {
    errorDock_->show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (workspace_.CloseMainWindow())
        event->accept();
    else
        event->ignore();
}

} // namespace k7
