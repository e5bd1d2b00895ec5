// The main window shell: caption, menus, tool bar and status line over the
// workspace. Every command forwards to the workspace and then shows what
// changed; no project rule lives here.
#pragma once

#include "workspace/workspace.h"

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
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

  protected:
    void closeEvent(QCloseEvent* event) override;

  private slots:
    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAsClick();

  private:
    void CreateActions();
    void CreateStatusLine();

    Workspace& workspace_;
    QTabWidget* pages_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    std::array<QAction*, RecentProjectLimit> recentActions_{};
    std::array<QLabel*, 3> statusFields_{};
};

} // namespace k7
