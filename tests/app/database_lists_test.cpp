// The database lists: drags carry the name and its type letter, and a
// press on a name feeds Variable Search while it shows.
#include "app/views/database_lists_panel.h"
#include "app/views/variable_search_panel.h"
#include "tests/app/app_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>

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
};

QTEST_MAIN(DatabaseListsTest)
#include "database_lists_test.moc"
