// The ladder page through its widgets: palette, clicks, the coil dialog,
// drops, rung insertion and the check's findings beside their rungs.
#include "app/views/ladder_page.h"
#include "tests/app/editor_fixture.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <algorithm>

using namespace k7;

class LadderPageTest : public QObject {
    Q_OBJECT

    static void Click(LadderPage& page, int column, int row) {
        QTest::mouseClick(page.Grid(), Qt::LeftButton, {},
                          page.Grid()->CellRect(column, row).center());
    }

  private slots:
    void opensWithTheCoilToolAndThePictures() {
        test::EditorFixture f;
        LadderPage page(f.workspace);
        page.show();
        QVERIFY(page.ToolButton(KindCoil)->isChecked());
        QVERIFY(!page.CoilDialogWindow()->isVisible());
        QVERIFY(page.Pictures().Missing.empty());
        QVERIFY(f.ui.Errors.empty());
        // Pick the open contact tool, draw one in column 2 of rung 1: the
        // grid shows its 29-pixel picture 11 pixels below the cell's top.
        page.ToolButton(KindOpen)->click();
        Click(page, 2, 0);
        const QImage shown = page.Grid()->grab().toImage();
        const QImage picture = page.Pictures().Pictures[KindOpen - 1].toImage();
        const QRect cell = page.Grid()->CellRect(2, 0);
        QCOMPARE(shown.copy(cell.left(), cell.top() + 11, 64, 29).convertToFormat(picture.format()),
                 picture);
    }

    void coilClickOpensTheDialogAndOkNamesTheCoil() {
        test::EditorFixture f;
        LadderPage page(f.workspace);
        page.show();
        Click(page, CoilColumn, 0);
        QVERIFY(page.CoilDialogWindow()->isVisible());
        QCOMPARE(page.CoilDialogWindow()->windowTitle(), QString("Enter Coil Tag Name"));
        QTest::keyClicks(page.CoilTagField(), "Pump");
        page.CoilDialogWindow()
            ->findChild<QDialogButtonBox*>()
            ->button(QDialogButtonBox::Ok)
            ->click();
        QVERIFY(!page.CoilDialogWindow()->isVisible());
        QCOMPARE(QString::fromStdString(f.workspace.project.Ladder[0].CellNames[CoilColumn]),
                 QString("Pump.Coil"));
        const auto& status = f.workspace.project.Databases.Status;
        QVERIFY(std::find(status.begin(), status.end(), "Pump.Coil") != status.end());
        QVERIFY(f.workspace.project.ProjectChanged);
    }

    void aClickOnTheLastRowGrowsTheGridByTwo() {
        test::EditorFixture f;
        LadderPage page(f.workspace);
        const int rows = f.workspace.project.LadderRows;
        const int height = page.Grid()->height();
        Click(page, 1, rows - 1);
        QCOMPARE(f.workspace.project.LadderRows, rows + 2);
        QCOMPARE(page.Grid()->height(), height + 2 * LadderGrid::CellHeight);
    }

    void aFaultyRungShowsItsFindingAndTakesADroppedName() {
        test::EditorFixture f;
        LadderPage page(f.workspace);
        page.ToolButton(KindOpen)->click();
        Click(page, 1, 2);
        QVERIFY(page.Grid()->Findings().count(2));
        QVERIFY(QString::fromStdString(page.Grid()->Findings().at(2))
                    .contains("Schematic error in ladder rung 3, cell 1"));
        auto name = test::NameData("Pump.Coil");
        QVERIFY(!test::Drop(page.Grid(), page.Grid()->CellRect(CoilColumn, 2).center(), *name));
        QVERIFY(test::Drop(page.Grid(), page.Grid()->CellRect(1, 2).center(), *name));
        QCOMPARE(QString::fromStdString(f.workspace.project.Ladder[2].CellNames[1]),
                 QString("Pump.Coil"));
    }

    void insertAndDeleteRungWorkAtTheSelectedRow() {
        test::EditorFixture f;
        LadderPage page(f.workspace);
        page.ToolButton(KindLineH)->click();
        Click(page, 1, 1);
        page.InsertRungButton()->click(); // rung 2 moves down to rung 3
        QCOMPARE(f.workspace.project.Ladder[1].CellKinds[1], KindNone);
        QCOMPARE(f.workspace.project.Ladder[2].CellKinds[1], KindLineH);
        QTest::mouseClick(page.Grid(), Qt::LeftButton, {}, page.Grid()->NumberRect(2).center());
        QCOMPARE(page.Grid()->SelectedRow(), 2);
        page.DeleteRungButton()->click();
        QCOMPARE(f.workspace.project.Ladder[2].CellKinds[1], KindNone);
    }

    void aMissingPictureIsOutlinedAndReportedOnce() {
        test::EditorFixture f;
        f.workspace.settings.SystemFolder = f.dir.path().toStdString();
        LadderPage page(f.workspace);
        QCOMPARE(static_cast<int>(page.Pictures().Missing.size()), 10);
        page.show();
        page.hide();
        page.show();
        QCOMPARE(static_cast<int>(f.ui.Errors.size()), 1);
        QVERIFY(page.Grid()->grab().toImage().pixelColor(page.Grid()->CellRect(1, 0).topLeft()) ==
                QColor(Qt::gray));
    }
};

QTEST_MAIN(LadderPageTest)
#include "ladder_page_test.moc"
