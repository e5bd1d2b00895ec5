// The main window's frame: start-up, notes and the change flags, opening
// from the command line and by a dropped file, the close guard, Undo and
// Redo.
#include "app/views/database_lists_panel.h"
#include "app/views/notes_page.h"
#include "tests/app/app_fixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QUrl>

using k7::test::AppFixture;

// Drags path over the window and drops it there; false when the window
// refused it on entry.
static bool DropFile(QWidget& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return true;
}

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithANewProjectInDesignMode() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        QCOMPARE(window.windowTitle(), QString("V5.62  "));
        QCOMPARE(window.geometry(), QRect(4, 4, 800, 600));
        QVERIFY(window.ModeButton("Design")->isChecked());
        QVERIFY(app.ui.Errors.empty());
        QStringList titles;
        for (QLabel* label : window.DatabaseLists()->findChildren<QLabel*>())
            titles << label->text();
        QCOMPARE(titles, QStringList({"Floating Pt", "Integer", "Status", "TX", "RX", "Strings"}));
        QVERIFY(!window.DatabaseLists()
                     ->List(k7::DbType::Status)
                     ->findItems("System.BootTrg", Qt::MatchExactly)
                     .isEmpty());
        QCOMPARE(window.StatusFieldText(2), QString());
        QVERIFY(!window.Command("Save")->isEnabled());
        for (int i = 0; i < k7::RecentProjectLimit; ++i)
            QVERIFY(!window.RecentAction(i)->isVisible());
        // The unit commands are live from the start, Send with its shortcut.
        QVERIFY(window.Command("Send Pgm")->isEnabled());
        QCOMPARE(window.Command("Send Pgm")->toolTip(), QString("Send Pgm (Ctrl+G)"));
    }

    void notesMarkTheProjectChangedAndRefuseABar() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        QPlainTextEdit* notes = window.Notes()->NotesEdit();
        QTest::keyClicks(notes, "Pump");
        QCOMPARE(app.workspace.project.Notes, std::string("Pump"));
        QCOMPARE(window.StatusFieldText(2), QString("  Need to save...  Need to compile..."));
        QVERIFY(window.Command("Save")->isEnabled());

        QTest::keyClicks(notes, "|");
        QCOMPARE(app.ui.Errors, std::vector<std::string>{k7::BarRefusedMessage});
        QCOMPARE(notes->toPlainText(), QString("Pump"));
        QCOMPARE(app.workspace.project.Notes, std::string("Pump"));
    }

    void savedByVersionAndDateAreShownReadOnly() {
        AppFixture app;
        QVERIFY(app.window->OpenPath(AppFixture::ExampleProject().toStdString()));
        k7::NotesPage* page = app.window->Notes();
        QVERIFY(page->SavedByField()->isReadOnly());
        QCOMPARE(page->SavedByField()->text().toStdString(), app.workspace.project.SavedByVersion);
        QCOMPARE(page->SavedOnField()->text().toStdString(), app.workspace.project.SavedOnDate);
        QVERIFY(!page->SavedOnField()->text().isEmpty());
    }

    void aPathOrADroppedFileOpensThroughTheGuard() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        const QString example = AppFixture::ExampleProject();
        QVERIFY(window.OpenPath(example.toStdString()));
        QCOMPARE(window.windowTitle(), "V5.62  " + example);
        QVERIFY(!window.RecentAction(0)->text().isEmpty());
        QVERIFY(window.RecentAction(0)->isVisible());

        QTest::keyClicks(window.Notes()->NotesEdit(), "x");
        app.ui.YesNoAnswers = {false};
        QVERIFY(DropFile(window, example));
        QCOMPARE(app.ui.Questions, std::vector<std::string>{"Project has changed, OK to delete?"});
        QVERIFY(app.workspace.project.ProjectChanged);

        app.ui.YesNoAnswers = {true};
        QVERIFY(DropFile(window, example));
        QCOMPARE(app.ui.Questions.size(), 2u);
        QVERIFY(!app.workspace.project.ProjectChanged);
        QCOMPARE(window.Notes()->NotesEdit()->toPlainText(),
                 QString::fromStdString(app.workspace.project.Notes).replace("\r\n", "\n"));

        // Only project files are taken.
        QVERIFY(!DropFile(window, app.SettingsPath()));
    }

    void closingAChangedProjectAsksThenSavesTheSettings() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.show();
        app.workspace.MarkProjectChanged(k7::ProjectPart::Notes);
        app.ui.YesNoAnswers = {false};
        QVERIFY(!window.close());
        QCOMPARE(app.ui.Questions.back(), std::string("Project has changed, OK to exit?"));
        QVERIFY(window.isVisible());

        app.ui.YesNoAnswers = {true};
        app.workspace.settings.RecentProjects = {"/p/a.tvr"};
        QVERIFY(window.close());
        QCOMPARE(app.SettingsFileLines().value(6), QString("/p/a.tvr"));
    }

    void undoAndRedoWalkACompileANotesEditAndAReassign() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        QVERIFY(window.OpenPath(AppFixture::ExampleProject().toStdString()));
        const std::vector<k7::TModuleInst>& modules = app.workspace.project.Modules;
        const std::string notes = app.workspace.project.Notes;
        QVERIFY(!window.Command("Undo")->isEnabled());

        // The compile assigns the RAM addresses the example does not store.
        window.CompileAction()->trigger();
        QVERIFY(modules.back().RamStart != 0);
        QPlainTextEdit* edit = window.Notes()->NotesEdit();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "!");
        app.ui.YesNoAnswers = {true};
        window.Command("Reassign")->trigger();
        QCOMPARE(app.ui.Questions.back(), std::string("Confirm OK to reassign project RAM?"));
        QCOMPARE(modules.back().RamStart, 0u);
        QVERIFY(window.Command("Save")->isEnabled());

        window.Command("Undo")->trigger();
        QVERIFY(modules.back().RamStart != 0);
        QCOMPARE(app.workspace.project.Notes, notes + "!");
        window.Command("Undo")->trigger();
        QCOMPARE(app.workspace.project.Notes, notes);
        QVERIFY(!edit->toPlainText().endsWith("!"));
        window.Command("Undo")->trigger();
        QCOMPARE(modules.back().RamStart, 0u);
        QVERIFY(!window.Command("Undo")->isEnabled());
        // The restored state needs saving and compiling again.
        QVERIFY(app.workspace.project.ProjectChanged);
        QVERIFY(app.workspace.project.NeedCompile);
        QVERIFY(window.Command("Save")->isEnabled());
        QVERIFY(window.CompileAction()->isEnabled());

        for (int step = 0; step < 3; ++step)
            window.Command("Redo")->trigger();
        QVERIFY(edit->toPlainText().endsWith("!"));
        QCOMPARE(modules.back().RamStart, 0u);
        QVERIFY(!window.Command("Redo")->isEnabled());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
