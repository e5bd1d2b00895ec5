// The display page through its widgets: the list, the form, the memo with
// its field names and preview, drops, and Save, Delete and New.
#include "app/views/display_page.h"
#include "app/widgets/drop_table.h"
#include "tests/app/editor_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

using namespace k7;

class DisplayPageTest : public QObject {
    Q_OBJECT

    static void PutCursorOnLine(QPlainTextEdit* memo, int line) {
        QTextCursor cursor(memo->document()->findBlockByNumber(line));
        memo->setTextCursor(cursor);
    }

  private slots:
    void aPickedDisplayShowsItsLineFieldsAndPreview() {
        test::EditorFixture f;
        QVERIFY(f.OpenExample());
        DisplayPage page(f.workspace);
        QCOMPARE(page.NameList()->count(), 1);
        QCOMPARE(page.NameList()->item(0)->text(), QString("Wet well"));
        QTest::mouseClick(page.NameList()->viewport(), Qt::LeftButton, {},
                          page.NameList()->visualItemRect(page.NameList()->item(0)).center());
        QCOMPARE(page.NameField()->text(), QString("Wet well"));
        QCOMPARE(page.TriggerField()->text(), QString("System.SecTrg"));
        // Line 3 of the example reads "Level @@.@ ft" filled by WetWell.Value:
        // the four-character place shows the name's first four, "WetW".
        PutCursorOnLine(page.Memo(), 1);
        QCOMPARE(test::CellText(page.Fields(), 0, 0), QString("WetWell.Value"));
        QCOMPARE(page.Preview()->text(), QString("Level WetW ft"));
        const QStringList hints = {"Display text...use @@.@  where variable data should appear.",
                                   "Use @T for trend, @E for event log, @H for hor bar."};
        for (const QString& hint : hints) {
            bool found = false;
            for (QLabel* label : page.findChildren<QLabel*>())
                found = found || label->text() == hint;
            QVERIFY2(found, qPrintable(hint));
        }
    }

    void aOneLetterNameIsRefused() {
        test::EditorFixture f;
        DisplayPage page(f.workspace);
        QTest::keyClicks(page.NameField(), "A");
        page.SaveButton()->click();
        QCOMPARE(f.ui.Errors, std::vector<std::string>{"You must name the display before saving"});
        QVERIFY(f.workspace.project.Displays.empty());
    }

    void aNewDisplayTakesDropsAndSavesDeletesAndAsksBeforeAbandoning() {
        test::EditorFixture f;
        DisplayPage page(f.workspace);
        QTest::keyClicks(page.NameField(), "PUMPS");
        QTest::keyClicks(page.Memo(), "Run @@@");
        auto field = test::NameData("Pump1Run.State");
        QVERIFY(
            test::Drop(page.Fields()->viewport(), test::CellCentre(page.Fields(), 0, 0), *field));
        QCOMPARE(page.Preview()->text(), QString("Run Pum"));
        auto trigger = test::NameData("System.SecTrg");
        QVERIFY(test::Drop(page.TriggerField(), page.TriggerField()->rect().center(), *trigger));
        QCOMPARE(page.TriggerField()->text(), QString("System.SecTrg"));
        page.SaveButton()->click();
        QCOMPARE(page.NameList()->count(), 1);
        QCOMPARE(page.NameList()->item(0)->text(), QString("PUMPS"));
        QCOMPARE(QString::fromStdString(f.workspace.project.Displays[0]),
                 QString("~PUMPS|0|0|0|System.SecTrg|"));

        QTest::keyClicks(page.Memo(), "!");
        page.NewButton()->click(); // scripted No keeps the edit
        QCOMPARE(f.ui.Questions,
                 std::vector<std::string>{"One or more entries has changed, OK to abandon?"});
        QCOMPARE(page.NameField()->text(), QString("PUMPS"));

        f.ui.YesNoAnswers = {true};
        page.DeleteButton()->click();
        QCOMPARE(f.ui.Questions.back(), std::string("Confirm OK to delete?"));
        QCOMPARE(page.NameList()->count(), 0);
        f.ui.YesNoAnswers = {true}; // the question comes before the selection is checked
        page.DeleteButton()->click();
        QCOMPARE(f.ui.Errors, std::vector<std::string>{"You must first select an entry"});
    }
};

QTEST_MAIN(DisplayPageTest)
#include "display_page_test.moc"
