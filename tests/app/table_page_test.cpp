// The tables page through its widgets: New Table and its titles, typing and
// drops in the grid, the header's drop targets, and the list commands.
#include "app/views/table_page.h"
#include "app/widgets/drop_table.h"
#include "tests/app/editor_fixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace k7;

class TablePageTest : public QObject {
    Q_OBJECT

  private slots:
    void newTableShowsItsTitlesAndRowNamesGetTheirOutput() {
        test::EditorFixture f;
        TablePage page(f.workspace);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QVERIFY(page.EditorArea()->isHidden());
        page.Button("New Table")->click();
        QVERIFY(!page.EditorArea()->isHidden());
        QStringList titles;
        for (int c = 1; c < page.Grid()->columnCount(); ++c)
            titles << page.Grid()->horizontalHeaderItem(c)->text();
        QCOMPARE(titles,
                 (QStringList{"TYPE", "ROW NAME", "WT INPUT", "1", "2", "3", "4", "5", "OUTPUT"}));
        QCOMPARE(page.Grid()->rowCount(), 5);
        test::TypeInto(page.Grid(), 0, ColumnRowName, "FLOW");
        QCOMPARE(test::CellText(page.Grid(), 0, ColumnRowName), QString("FLOW"));
        QCOMPARE(test::CellText(page.Grid(), 0, 9), QString("FLOW.TBL"));
    }

    void dropsGoToInputsAndValuesOnly() {
        test::EditorFixture f;
        TablePage page(f.workspace);
        page.Button("New Table")->click();
        page.resize(900, 500);
        auto name = test::NameData("Flow.Value");
        QVERIFY(test::Drop(page.Grid()->viewport(), test::CellCentre(page.Grid(), 1, ColumnType),
                           *name));
        QCOMPARE(f.ui.Errors, std::vector<std::string>{"You cannot drop into this column"});
        page.RowTypeBox()->setCurrentText("Status");
        test::ClickCell(page.Grid(), 1, ColumnType);
        QCOMPARE(test::CellText(page.Grid(), 1, ColumnType), QString("Status"));
        QVERIFY(test::Drop(page.Grid()->viewport(), test::CellCentre(page.Grid(), 1, ColumnWtInput),
                           *name));
        QCOMPARE(test::CellText(page.Grid(), 1, ColumnWtInput), QString("Flow.Value"));
        QVERIFY(test::Drop(page.ReadSelectorField(), {5, 5}, *name));
        QCOMPARE(QString::fromStdString(page.Editor().Table().Header.ReadSelector),
                 QString("Flow.Value"));
    }

    void saveNeedsANameAndTheListCommandsNeedAnEntry() {
        test::EditorFixture f;
        TablePage page(f.workspace);
        page.Button("Edit Table")->click();
        page.Button("New Table")->click();
        page.Button("Save to Proj")->click();
        QTest::keyClicks(page.NameField(), "LEVELS");
        page.Button("Save to Proj")->click();
        QCOMPARE(f.ui.Errors, (std::vector<std::string>{"You must first select an entry",
                                                        "You must name the table before saving"}));
        QCOMPARE(page.TableList()->count(), 1);
        QCOMPARE(page.TableList()->item(0)->text(), QString("LEVELS"));

        QTest::keyClicks(page.NameField(), "2");
        page.Button("Close")->click(); // scripted No keeps the editor open
        QVERIFY(!page.EditorArea()->isHidden());
        f.ui.YesNoAnswers = {true, true};
        page.Button("Close")->click();
        QVERIFY(page.EditorArea()->isHidden());

        page.TableList()->setCurrentRow(0);
        page.Button("Delete Table")->click();
        QCOMPARE(f.ui.Questions,
                 (std::vector<std::string>{"One or more entries has changed, OK to abandon?",
                                           "One or more entries has changed, OK to abandon?",
                                           "Confirm OK to delete?"}));
        QCOMPARE(page.TableList()->count(), 0);
    }
};

QTEST_MAIN(TablePageTest)
#include "table_page_test.moc"
