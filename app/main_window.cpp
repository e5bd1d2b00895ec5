#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
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

    QToolBar* tools = addToolBar(tr("Tools"));
    auto* openButton = new QToolButton(tools);
    openButton->setDefaultAction(openAction_);
    openButton->setMenu(openMenu);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
    tools->addWidget(openButton);
    tools->addAction(saveAction_);
    tools->addAction(saveAsAction_);
}

void MainWindow::CreateStatusLine() {
    for (auto*& field : statusFields_) {
        field = new QLabel(this);
        statusBar()->addWidget(field, 1);
    }
}

QString MainWindow::StatusFieldText(int field) const {
    return statusFields_[field]->text();
}

void MainWindow::Refresh() {
    const ShellState& shell = workspace_.shell;
    setWindowTitle(Text(shell.Caption));
    saveAction_->setEnabled(shell.SaveEnabled);
    const auto recent = RecentMenuEntries(workspace_.settings);
    for (int i = 0; i < RecentProjectLimit; ++i) {
        const bool shown = i < static_cast<int>(recent.size());
        recentActions_[i]->setVisible(shown);
        recentActions_[i]->setText(shown ? Text(recent[i]) : QString());
    }
    statusFields_[0]->setText(Text(RamStatusText(workspace_.project)));
    statusFields_[1]->setText(Text(FlashStatusText(workspace_.project)));
    statusFields_[2]->setText(Text(StatusText(workspace_.project)));
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

void MainWindow::closeEvent(QCloseEvent* event) {
    if (workspace_.CloseMainWindow())
        event->accept();
    else
        event->ignore();
}

} // namespace k7
