// The database lists: drags carry the name and its type letter, and a
// press on a name feeds Variable Search while it shows; "Debug" puts the
// last compile's symbol lists in their place. Each list is rebuilt from the
// notices of its parts only.
#include "app/views/database_lists_panel.h"
#include "app/views/notes_page.h"
#include "app/views/symbol_lists_panel.h"
#include "app/views/variable_search_panel.h"
#include "tests/app/app_fixture.h"

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

using k7::test::AppFixture;

static void PressName(k7::DatabaseList* list, int row) {
    const QRect place = list->visualItemRect(list->item(row));
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
}

class DatabaseListsTest : public QObject {
    Q_OBJECT

  private slots:
    void aDragFromStatusCarriesTheNameAndD() {
        AppFixture app;
        k7::DatabaseList* status = app.window->DatabaseLists()->List(k7::DbType::Status);
        const QList<QListWidgetItem*> found = status->findItems("System.BootTrg", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        std::unique_ptr<QMimeData> data(status->DragData(status->row(found.front())));
        QVERIFY(data);
        QCOMPARE(data->data(k7::DbDragMimeType), QByteArray("System.BootTrg\nD"));
        QCOMPARE(data->text(), QString("System.BootTrg"));
    }

    void aPressedNameFillsVariableSearchButATxNameDoesNot() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.show();
        QVERIFY(window.OpenPath(AppFixture::ExampleProject().toStdString()));
        k7::DatabaseList* floats = window.DatabaseLists()->List(k7::DbType::Float);
        k7::DatabaseList* tx = window.DatabaseLists()->List(k7::DbType::Tx);
        QVERIFY(floats->count() > 0 && tx->count() > 0);
        k7::VariableSearchPanel* search = window.VariableSearchWindow();

        // Hidden, the panel ignores presses.
        PressName(floats, 0);
        QVERIFY(search->SearchField()->text().isEmpty());

        window.Command("Variable Search")->trigger();
        QCOMPARE(search->windowTitle(), QString("Variable Search"));
        PressName(floats, 0);
        QCOMPARE(search->SearchField()->text(), floats->item(0)->text());
        const int results = search->ResultList()->count();
        QVERIFY(results > 0);

        PressName(tx, 0);
        QCOMPARE(search->SearchField()->text(), floats->item(0)->text());
        QCOMPARE(search->ResultList()->count(), results);
    }

    void onlyAChangeOfTheDatabasesRefillsAList() {
        AppFixture app(AppFixture::Library::Small);
        k7::MainWindow& window = *app.window;
        k7::DatabaseListsPanel* lists = window.DatabaseLists();
        const int before = lists->RebuildCount();
        QTest::keyClicks(window.Notes()->NotesEdit(), "notes");
        window.ModeButton("Engineer")->setChecked(true);
        window.ModeButton("Design")->setChecked(true);
        k7::SymbolListsPanel* symbols = window.SymbolLists();
        const int compiled = symbols->RebuildCount();
        for (int page = window.Pages()->count() - 1; page >= 0; --page)
            window.Pages()->setCurrentIndex(page);
        QCOMPARE(lists->RebuildCount(), before);

        // The adder's one output joins the Float list only.
        app.AddAdder("System.BootTrg");
        QCOMPARE(lists->RebuildCount(), before + 1);
        QVERIFY(!lists->List(k7::DbType::Float)->findItems("ADD.SUM", Qt::MatchExactly).isEmpty());
        // The symbol lists follow the compiles alone.
        QCOMPARE(symbols->RebuildCount(), compiled);
        window.CompileAction()->trigger();
        QCOMPARE(symbols->RebuildCount(), compiled + 1);
        QCOMPARE(lists->RebuildCount(), before + 1);
    }

    void debugShowsTheLastCompilesAddressesAndDesignTheNames() {
        AppFixture app(AppFixture::Library::Small);
        k7::MainWindow& window = *app.window;
        app.AddAdder("System.BootTrg");
        window.CompileAction()->trigger();
        QCOMPARE(app.session.LastReport().Clean, true);

        window.ModeButton("Debug")->setChecked(true);
        QVERIFY(app.workspace.shell.Mode == k7::ShellMode::Debug);
        QVERIFY(window.DatabaseLists()->isHidden());
        QTableWidget* status = window.SymbolLists()->List(k7::SymbolListKind::Status);
        QVERIFY(!status->isHidden());
        QCOMPARE(status->columnCount(), 4);
        QCOMPARE(status->horizontalHeaderItem(3)->text(), QString("Bit"));
        const QList<QTableWidgetItem*> logon = status->findItems("System.Logon", Qt::MatchExactly);
        QCOMPARE(logon.size(), 1);
        const int row = logon.front()->row();
        QVERIFY(!status->item(row, 2)->text().isEmpty());
        QCOMPARE(status->item(row, 3)->text().toStdString(),
                 k7::StatusBitOf(status->item(row, 2)->text().toStdString()));
        QCOMPARE(window.SymbolLists()->List(k7::SymbolListKind::Float)->columnCount(), 3);
        // A trigger has no RAM address of its own: it is listed apart.
        QCOMPARE(window.SymbolLists()
                     ->List(k7::SymbolListKind::Triggers)
                     ->findItems("System.BootTrg", Qt::MatchExactly)
                     .size(),
                 1);

        window.ModeButton("Design")->setChecked(true);
        QVERIFY(window.SymbolLists()->isHidden());
        QVERIFY(!window.DatabaseLists()->isHidden());
        QCOMPARE(window.DatabaseLists()
                     ->List(k7::DbType::Status)
                     ->findItems("System.BootTrg", Qt::MatchExactly)
                     .size(),
                 1);
    }
};

QTEST_MAIN(DatabaseListsTest)
#include "database_lists_test.moc"
