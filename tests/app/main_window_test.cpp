// The main window shows the workspace's state and forwards its commands.
#include "app/shell/main_window.h"
#include "tests/support/scripted_ui.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
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

    // A system folder with a small library: System and an adder.
    void WriteSystemFolder(const QTemporaryDir& dir) {
        QDir(dir.path()).mkdir("K7System");
        QFile file(dir.path() + "/K7System/K7MODDEF.TXT");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("57|1|System|The unit.|FIC.In 1.|FIC.In 2.|FIC.In 3.|FIC.In 4.|FIC.In 5."
                   "|FIC.In 6.|FIC.In 7.|FIC.In 8.|FIC.In 9.|FIC.In 10.|DOSG.Boot.BootTrg"
                   "|DOSG.Second.SecTrg|DOSS.Logon.Logon|\\\r\n"
                   "10|2|Adder|Adds.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\\r\n");
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

    void compileShowsTheOutcomeAndSetsTheCommands() {
        QTemporaryDir dir;
        WriteSystemFolder(dir);
        k7::test::ScriptedUi ui;
        k7::Workspace workspace(ui, [] { return std::string("01/02/2026 10:00:00"); });
        workspace.Start(Options(dir));
        QVERIFY(ui.Errors.empty());
        k7::MainWindow window(workspace);

        // An input naming a variable that does not exist.
        k7::TModuleInst adder;
        adder.Category = 2;
        adder.ModuleNumber = 10;
        adder.Name = "ADD";
        adder.Values[1] = "NOPE.SUM";
        adder.Values[2] = "1.5";
        adder.Values[3] = "ADD.SUM";
        workspace.project.Modules.push_back(adder);
        workspace.MarkProjectChanged();
        QVERIFY(window.CompileAction()->isEnabled());
        QVERIFY(!window.ListErrorsAction()->isEnabled());

        window.CompileAction()->trigger();
        QCOMPARE(window.StatusFieldText(3), QString("Done compiling...errors"));
        QVERIFY(window.ListErrorsAction()->isEnabled());
        QVERIFY(window.CompileAction()->isEnabled());
        QVERIFY(!window.ErrorListView()->findItems("NOPE", Qt::MatchContains).isEmpty());
        QVERIFY(!QFile::exists(dir.path() + "/K7System/Intermed.Obj"));

        workspace.project.Modules.back().Values[1] = "System.BootTrg";
        workspace.MarkProjectChanged();
        window.CompileAction()->trigger();
        QCOMPARE(window.StatusFieldText(3), QString("Done compiling...no errors"));
        QVERIFY(!window.CompileAction()->isEnabled());
        QVERIFY(!window.ListErrorsAction()->isEnabled());
        QVERIFY(window.StatusFieldText(0).startsWith("Ram= "));
        QVERIFY(window.StatusFieldText(1).startsWith("Flash= "));
        QVERIFY(!window.ErrorListView()->findItems("No errors", Qt::MatchExactly).isEmpty());
        QVERIFY(QFile::exists(dir.path() + "/K7System/Intermed.Obj"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
