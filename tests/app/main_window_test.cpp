// The main window shows the workspace's state and forwards its commands.
#include "app/main_window.h"
#include "tests/support/scripted_ui.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    k7::StartOptions Options(const QTemporaryDir& dir) {
        k7::StartOptions options;
        options.ProgramFolder = (dir.path() + "/").toStdString();
        options.SettingsPath = (dir.path() + "/K7Setup.ini").toStdString();
        return options;
    }

  private slots:
    void startsWithANewProject() {
        QTemporaryDir dir;
        k7::test::ScriptedUi ui;
        k7::Workspace workspace(ui, [] { return std::string("01/02/2026 10:00:00"); });
        workspace.Start(Options(dir));
        k7::MainWindow window(workspace);
        QCOMPARE(window.windowTitle(), QString("V5.62  "));
        QCOMPARE(window.StatusFieldText(2), QString());
        QCOMPARE(workspace.project.ModuleCount(), 1);
        // The library folder is empty, so the start reports it once.
        QCOMPARE(static_cast<int>(ui.Errors.size()), 1);
        for (int i = 0; i < k7::RecentProjectLimit; ++i)
            QVERIFY(!window.RecentAction(i)->isVisible());
    }

    void statusLineFollowsTheChangeFlags() {
        QTemporaryDir dir;
        k7::test::ScriptedUi ui;
        k7::Workspace workspace(ui, [] { return std::string("d"); });
        workspace.Start(Options(dir));
        k7::MainWindow window(workspace);
        workspace.MarkProjectChanged();
        window.Refresh();
        QCOMPARE(window.StatusFieldText(2), QString("  Need to save...  Need to compile..."));
    }

    void closingAChangedProjectAsksFirst() {
        QTemporaryDir dir;
        k7::test::ScriptedUi ui;
        k7::Workspace workspace(ui, [] { return std::string("d"); });
        workspace.Start(Options(dir));
        k7::MainWindow window(workspace);
        window.show();
        workspace.MarkProjectChanged();
        ui.YesNoAnswers = {false};
        QVERIFY(!window.close());
        QCOMPARE(ui.Questions.back(), std::string("Project has changed, OK to exit?"));
        ui.YesNoAnswers = {true};
        workspace.settings.RecentProjects = {"/p/a.tvr"};
        QVERIFY(window.close());
        // Closing saved the settings, recent list included.
        QFile file(dir.path() + "/K7Setup.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith("/p/a.tvr\r\n"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
