// The editor pages inside the main window: each command shows its page,
// and Undo takes back a ladder edit and a workbox Save with the pages
// showing the project as it was.
#include "app/shell/main_window.h"
#include "app/views/commun_arrays_panel.h"
#include "app/views/display_page.h"
#include "app/views/ladder_page.h"
#include "app/views/speech_page.h"
#include "app/views/table_page.h"
#include "app/views/tlm_workbox_panel.h"
#include "tests/app/editor_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace k7;

class EditorPagesTest : public QObject {
    Q_OBJECT

  private slots:
    void eachCommandShowsItsPage() {
        test::EditorFixture f;
        MainWindow window(f.session);
        const EditorPages& pages = window.Editors();
        const std::pair<const char*, QWidget*> commands[] = {
            {"Ladder", pages.Ladder},       {"TX Arrays", pages.Telemetry},
            {"RX Arrays", pages.Telemetry}, {"Displays", pages.Displays},
            {"Tables", pages.Tables},       {"Speech", pages.Speech}};
        for (auto [name, page] : commands) {
            QVERIFY(window.Command(name)->isEnabled());
            window.Command(name)->trigger();
            QCOMPARE(window.Pages()->currentWidget(), page);
        }
    }

    void undoTakesBackALadderEditAndAWorkboxSave() {
        test::EditorFixture f;
        MainWindow window(f.session);
        const EditorPages& pages = window.Editors();
        window.Command("Ladder")->trigger();
        QVERIFY(pages.Ladder->ToolButton(KindCoil)->isChecked());
        pages.Ladder->ToolButton(KindLineH)->click();
        QTest::mouseClick(pages.Ladder->Grid(), Qt::LeftButton, {},
                          pages.Ladder->Grid()->CellRect(1, 0).center());
        QCOMPARE(f.workspace.project.Ladder[0].CellKinds[1], KindLineH);

        window.Command("RX Arrays")->trigger();
        pages.Arrays->NewRxButton()->click();
        pages.WorkboxPanel->Button("Add Row")->click();
        pages.WorkboxPanel->Button("Save")->click();
        QCOMPARE(pages.Arrays->RxList()->count(), 1);

        window.Command("Undo")->trigger();
        QCOMPARE(pages.Arrays->RxList()->count(), 0);
        QCOMPARE(f.workspace.project.RxArray.RowCount(), 1); // the title row alone
        QCOMPARE(f.workspace.project.Ladder[0].CellKinds[1], KindLineH);
        window.Command("Undo")->trigger();
        QCOMPARE(f.workspace.project.Ladder[0].CellKinds[1], KindNone);
        window.Command("Redo")->trigger();
        QCOMPARE(f.workspace.project.Ladder[0].CellKinds[1], KindLineH);
    }

    void openingAnotherProjectDropsTheFormsOfTheOldOne() {
        test::EditorFixture f;
        MainWindow window(f.session);
        const EditorPages& pages = window.Editors();
        pages.Arrays->NewRxButton()->click();
        pages.WorkboxPanel->Button("Add Row")->click();
        QTest::keyClicks(pages.Displays->NameField(), "Old display");
        QVERIFY(window.OpenPath(K7_EXAMPLES_DIR "pumpstation.tvr"));
        QVERIFY(pages.WorkboxPanel->isHidden());
        QCOMPARE(pages.Displays->NameField()->text(), QString());
        QCOMPARE(pages.Displays->NameList()->count(), 1);
        QCOMPARE(pages.Arrays->RxList()->count(), 1);
    }
};

QTEST_MAIN(EditorPagesTest)
#include "editor_pages_test.moc"
