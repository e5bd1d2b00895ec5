// The main window shell: caption, menus, tool bar and status line over the
// workspace. Every command forwards to the workspace and then shows what
// changed; no project rule lives here.
#pragma once

#include "workspace/workspace.h"

#include <QMainWindow>
#include <array>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QTabWidget;

namespace k7 {

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(Workspace& workspace, QWidget* parent = nullptr);

    // Shows the workspace's state: caption, enabled commands, recent
    // entries and the status line.
    void Refresh();

    QString StatusFieldText(int field) const;
    QAction* RecentAction(int index) const { return recentActions_[index]; }
    QAction* CompileAction() const { return compileAction_; }
    QAction* ListErrorsAction() const { return listErrorsAction_; }
    QListWidget* ErrorListView() const { return errorList_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private slots:
    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAsClick();
    void CompileClick();
    void ListErrorsClick();

  private:
    void CreateActions();
    void CreateStatusLine();
    void CreateErrorList();
    void ShowErrorList(const std::vector<std::string>& errors, bool clean);

    Workspace& workspace_;
    QTabWidget* pages_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* compileAction_ = nullptr;
    QAction* listErrorsAction_ = nullptr;
    QDockWidget* errorDock_ = nullptr;
    QListWidget* errorList_ = nullptr;
    std::string statusMessage_; // the message panel: what the last command reported
    std::array<QAction*, RecentProjectLimit> recentActions_{};
    // Ram, Flash, the change flags, and the message panel.
    std::array<QLabel*, 4> statusFields_{};
};

} // namespace k7
