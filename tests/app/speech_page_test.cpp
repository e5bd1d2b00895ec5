// The speech page through its widgets: captions, the phrase list as a drag
// source with typed texts, drops on the report grid, the format box, the
// line commands, Save, and Speak through a voice the test listens to.
#include "app/views/speech_page.h"
#include "app/widgets/drop_table.h"
#include "tables_speech/phrase_vocabulary.h"
#include "tests/app/editor_fixture.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

using namespace k7;

namespace {

class HeardVoice : public SpeechVoice {
  public:
    explicit HeardVoice(std::vector<std::string>& heard, std::string unavailable = {})
        : heard_(heard), unavailable_(std::move(unavailable)) {}
    std::string Unavailable() const override { return unavailable_; }
    void Say(const std::string& text) override { heard_.push_back(text); }

  private:
    std::vector<std::string>& heard_;
    std::string unavailable_;
};

// What the phrase list drags for row `row`.
std::unique_ptr<QMimeData> DraggedPhrase(PhraseTable* phrases, int row) {
    QModelIndexList rows = {phrases->model()->index(row, 0), phrases->model()->index(row, 1)};
    return std::unique_ptr<QMimeData>(phrases->model()->mimeData(rows));
}

constexpr int Phrase1 = FirstPhraseColumn;

} // namespace

class SpeechPageTest : public QObject {
    Q_OBJECT

  private slots:
    void buttonsReadTheirCaptionsByteForByte() {
        test::EditorFixture f;
        std::vector<std::string> heard;
        SpeechPage page(f.workspace, std::make_unique<HeardVoice>(heard));
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        for (const char* caption : {"  New Table ", "Edit Table  ", "Delete Table", "Save", "Close",
                                    "Insert Line", "Delete Line", "Blank Cell", "Speak"})
            QCOMPARE(page.Button(caption)->text(), QString(caption));
        QCOMPARE(page.Grid()->rowCount(), 19);
        QCOMPARE(page.Grid()->horizontalHeaderItem(1)->text(), QString("LINE ENBL"));
        QCOMPARE(page.Grid()->horizontalHeaderItem(15)->text(), QString("PHRASE 14"));
        // Without a report the file could not keep a typed phrase.
        QVERIFY(!(page.Phrases()->item(34, 1)->flags() & Qt::ItemIsEditable));
        page.Button("Save")->click();
        QCOMPARE(f.ui.Errors, std::vector<std::string>{"You must name the report before saving"});
        QCOMPARE(QApplication::focusWidget(), page.HeaderField("Report name"));
    }

    void droppedPhrasesAndVariablesFillTheLineAndSpeakIt() {
        test::EditorFixture f;
        QVERIFY(f.OpenExample()); // phrase texts are kept only with a speech report
        std::vector<std::string> heard;
        SpeechPage page(f.workspace, std::make_unique<HeardVoice>(heard));
        page.resize(1000, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QCOMPARE(test::CellText(page.Phrases(), 0, 1), QString("Zero"));
        test::TypeInto(page.Phrases(), 34, 1, "Wet well level is");
        QCOMPARE(QString::fromStdString(PhraseText(f.workspace.project, 35)),
                 QString("Wet well level is"));

        auto phrase = DraggedPhrase(page.Phrases(), 34);
        QWidget* cells = page.Grid()->viewport();
        QVERIFY(test::Drop(cells, test::CellCentre(page.Grid(), 0, Phrase1), *phrase));
        QCOMPARE(test::CellText(page.Grid(), 0, Phrase1), QString("Wet well level is"));
        auto variable = test::NameData("WetWell.Value");
        QVERIFY(test::Drop(cells, test::CellCentre(page.Grid(), 0, Phrase1 + 1), *variable));
        QCOMPARE(test::CellText(page.Grid(), 0, Phrase1 + 1), QString("WetWell.Value"));

        test::ClickCell(page.Grid(), 0, Phrase1 + 1);
        QVERIFY(page.FormatDialog()->isVisible());
        QCOMPARE(page.FormatDialog()->windowTitle(), QString("Variable Speech Format Definition"));
        QCOMPARE(page.FormatField()->text(), QString("@@@.@@"));
        page.FormatDialog()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QVERIFY(!page.FormatDialog()->isVisible());

        // The sample value of "@@@.@@" counts 1, 2, 3 before the point, 4, 5 after.
        test::ClickCell(page.Grid(), 0, Phrase1);
        page.Button("Speak")->click();
        QCOMPARE(heard, std::vector<std::string>{"Wet well level is 123.45"});

        // A phrase dropped on the format makes the variable select from
        // phrases, starting at that one.
        test::ClickCell(page.Grid(), 0, Phrase1 + 1);
        auto two = DraggedPhrase(page.Phrases(), 2);
        QVERIFY(test::Drop(page.FormatField(), {5, 5}, *two));
        QCOMPARE(page.FormatField()->text(), QString("Two"));
        page.FormatDialog()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(QString::fromStdString(page.Editor().StoredCell(1, Phrase1 + 1)),
                 QString("WetWell.Value;3"));

        test::ClickCell(page.Grid(), 0, Phrase1);
        page.Button("Blank Cell")->click();
        QCOMPARE(test::CellText(page.Grid(), 0, Phrase1), QString());
        page.Button("Insert Line")->click();
        QCOMPARE(test::CellText(page.Grid(), 1, Phrase1 + 1), QString("WetWell.Value"));
        test::ClickCell(page.Grid(), 0, Phrase1);
        page.Button("Delete Line")->click();
        QCOMPARE(test::CellText(page.Grid(), 0, Phrase1 + 1), QString("WetWell.Value"));
    }

    void speakIsDisabledAndSaysWhyWithoutAnEngine() {
        test::EditorFixture f;
        std::vector<std::string> heard;
        SpeechPage page(f.workspace,
                        std::make_unique<HeardVoice>(heard, "No speech engine is installed."));
        QVERIFY(!page.Button("Speak")->isEnabled());
        QCOMPARE(page.Button("Speak")->toolTip(), QString("No speech engine is installed."));
    }
};

QTEST_MAIN(SpeechPageTest)
#include "speech_page_test.moc"
