// The BASIC page and the BASIC editor window, driven through their widgets:
// placing, editing and deleting BASIC instances, and editing, compiling,
// saving, searching and closing a source in the editor window.
#include "app/views/bas_edit_form.h"
#include "app/views/basic_modules_page.h"
#include "app/views/find_replace_dialogs.h"
#include "app/widgets/basic_code_editor.h"
#include "app/widgets/basic_highlighter.h"
#include "app/widgets/drop_table.h"
#include "tests/app/app_fixture.h"
#include "tests/app/editor_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>

using namespace k7;

namespace {

// The example's module in a BASIC folder of the test's own.
struct BasicFixture : test::AppFixture {
    BasicFixture() {
        QDir(dir.path()).mkdir("Basic");
        QFile::copy(K7_EXAMPLES_DIR "K7Basic/PUMPEFF.BAS", BasicPath("PUMPEFF.BAS"));
        workspace.settings.BasicFolder = (dir.path() + "/Basic/").toStdString();
        window->Command("BASIC")->trigger();
        page = window->BasicPage();
    }
    QString BasicPath(const QString& name) const { return dir.path() + "/Basic/" + name; }
    std::string LastError() const { return ui.Errors.empty() ? std::string() : ui.Errors.back(); }
    void Select(QListWidget* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.front()).center());
    }
    void TypeName(const QString& name) {
        page->NameField()->selectAll();
        QTest::keyClicks(page->NameField(), name);
    }
    QStringList Entries(QListWidget* list) const {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        return entries;
    }
    BasicModulesPage* page = nullptr;
};

// The caret to the start of the 0-based line, as a click would put it.
void CaretToLine(BasicCodeEditor* text, int line) {
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(line)));
}

} // namespace

class BasicEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void PlacingEditingAndDeletingInstances();
    void EditingCompilingAndSavingASource();
    void SearchingPrintingAndClosing();
};

void BasicEditorTest::PlacingEditingAndDeletingInstances() {
    BasicFixture f;
    QVERIFY(f.window->OpenPath(test::AppFixture::ExampleProject().toStdString()));
    f.window->Command("BASIC")->trigger();
    QCOMPARE(f.window->Pages()->currentWidget(), f.page);
    QCOMPARE(f.Entries(f.page->LibraryList()), QStringList{"PUMPEFF.BAS"});
    QCOMPARE(f.Entries(f.page->ModuleList()), QStringList{"PumpEff...PUMPEFF.BAS"});

    f.page->Button("Open For Proj")->click();
    QCOMPARE(f.LastError(), std::string("You must first select a BASIC file"));
    QVERIFY(f.page->WorkspacePanel()->isHidden());

    f.Select(f.page->LibraryList(), "PUMPEFF.BAS");
    f.page->Button("Open For Proj")->click();
    QVERIFY(!f.page->WorkspacePanel()->isHidden());
    QCOMPARE(f.page->TitleLabel()->text(), QString("BASIC File: PUMPEFF.BAS"));
    QCOMPARE(f.page->InputsGrid()->rowCount(), 5);
    QCOMPARE(test::CellText(f.page->InputsGrid(), 0, 0), QString("Flow in gpm"));
    QVERIFY(f.page->NotesBox()->toPlainText().startsWith("Estimates the wire-to-water"));

    // The name of an instance already in the project is refused.
    f.TypeName("PumpEff");
    f.page->Button("Save")->click();
    QCOMPARE(f.LastError(), std::string("Module name already exists"));

    f.TypeName("P1");
    QCOMPARE(test::CellText(f.page->OutputsGrid(), 1, 1), QString("P1.MSG$[20]"));
    const auto data = test::NameData("Flow.Value");
    QVERIFY(test::Drop(f.page->InputsGrid()->viewport(),
                       test::CellCentre(f.page->InputsGrid(), 0, 1), *data));
    QCOMPARE(test::CellText(f.page->InputsGrid(), 0, 1), QString("Flow.Value"));
    f.page->Button("Save")->click();
    QVERIFY(f.page->WorkspacePanel()->isHidden());
    QCOMPARE(f.Entries(f.page->ModuleList()),
             (QStringList{"PumpEff...PUMPEFF.BAS", "P1...PUMPEFF.BAS"}));
    QCOMPARE(f.workspace.project.BasicModules.back(),
             std::string("P1|PUMPEFF.BAS|IFlow.Value|||||fP1.EFF|sP1.MSG$[20]|nP1.LOW!|$0|$0"));
    QVERIFY(f.workspace.project.ProjectChanged);

    // Undo in the main window takes the saved instance back out.
    f.window->Command("Undo")->trigger();
    QCOMPARE(f.Entries(f.page->ModuleList()), QStringList{"PumpEff...PUMPEFF.BAS"});

    f.page->ModuleList()->clearSelection();
    f.page->Button("Edit Module")->click();
    QCOMPARE(f.LastError(), std::string("You must first select a module"));
    f.Select(f.page->ModuleList(), "PumpEff...PUMPEFF.BAS");
    f.page->Button("Edit Module")->click();
    QCOMPARE(f.page->NameField()->text(), QString("PumpEff"));
    QCOMPARE(test::CellText(f.page->InputsGrid(), 1, 1), QString("DischPress.Value"));
    f.page->Button("Cancel")->click();

    f.page->Button("Delete from Proj")->click();
    QVERIFY(f.workspace.project.BasicModules.empty());
    QCOMPARE(f.page->ModuleList()->count(), 0);
}

void BasicEditorTest::EditingCompilingAndSavingASource() {
    BasicFixture f;
    f.Select(f.page->LibraryList(), "PUMPEFF.BAS");
    f.page->Button("Open Editor")->click();
    TBasEditForm* form = f.page->EditorWindow();
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->windowModality(), Qt::ApplicationModal);
    QCOMPARE(form->windowTitle(), "K7 Text Editor - " + f.BasicPath("PUMPEFF.BAS"));
    BasicCodeEditor* text = form->TextControl();
    QVERIFY(!text->document()->isModified());

    // The gutter sits left of the text, as wide as its widest line number.
    QVERIFY(text->Gutter()->isVisible());
    QCOMPARE(text->Gutter()->width(), text->GutterWidth());
    QCOMPARE(text->viewport()->geometry().left(), text->GutterWidth() + text->frameWidth());
    QCOMPARE(BasicHighlighter::KindAt(ReservedWordTable(), "IF PUMPS% = 0 THEN", 0),
             BasicHighlighter::Kind::ReservedWord);

    // Row 18 is "  EFF = 0"; each line end counts two in "Pos: ".
    const int faulty = 17;
    QCOMPARE(text->document()->findBlockByNumber(faulty).text(), QString("  EFF = 0"));
    // A line that is no statement: the person selects the line and types over it.
    const auto typeOver = [text](int line, const QString& with) {
        QTextCursor whole(text->document()->findBlockByNumber(line));
        whole.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        text->setTextCursor(whole);
        QTest::keyClicks(text, with);
    };
    typeOver(faulty, "123");
    QCOMPARE(form->StatusPanel(0), QString("Row: 18"));
    QCOMPARE(form->StatusPanel(1), QString("Col: 4"));
    int offset = 3;
    for (int line = 0; line < faulty; ++line)
        offset += static_cast<int>(text->document()->findBlockByNumber(line).text().size()) + 2;
    QCOMPARE(form->StatusPanel(2), "Pos: " + QString::number(offset));

    QTest::mouseClick(form->CompileButton(), Qt::LeftButton);
    QCOMPARE(form->StatusPanel(3), QString("There is one error"));
    QVERIFY(text->IsShownRed(faulty));
    QVERIFY(!text->IsShownRed(faulty + 1));
    QCOMPARE(text->extraSelections().size(), 1);
    QCOMPARE(text->extraSelections()[0].format.foreground().color(), QColor(Qt::red));
    QVERIFY(text->document()->isModified()); // as typed, not from the colour

    // A click on the listed error goes to its line and shows its message.
    QCOMPARE(form->ErrorList()->count(), 1);
    CaretToLine(text, 0);
    QCOMPARE(form->StatusPanel(3), QString("OK"));
    QListWidgetItem* error = form->ErrorList()->item(0);
    QVERIFY(error->text().startsWith("Line 18: "));
    QTest::mouseClick(form->ErrorList()->viewport(), Qt::LeftButton, {},
                      form->ErrorList()->visualItemRect(error).center());
    QCOMPARE(text->textCursor().blockNumber(), faulty);
    QCOMPARE(form->StatusPanel(3), QString::fromStdString(form->Model().Errors()[0].Message));
    CaretToLine(text, faulty + 1);
    QCOMPARE(form->StatusPanel(3), QString("OK"));

    typeOver(faulty, "  EFF = 0");
    QTest::mouseClick(form->CompileButton(), Qt::LeftButton);
    QCOMPARE(form->StatusPanel(3), QString("No errors."));
    QVERIFY(QFile::exists(f.BasicPath("PUMPEFF.Obj")));
    QVERIFY(!text->IsShownRed(faulty));
    QVERIFY(!form->ErrorList()->isVisible());

    // Save As of "PUMP.txt" writes "PUMP.BAS".
    f.ui.FileAnswers = {f.BasicPath("PUMP.txt").toStdString()};
    form->Command("Save &As...")->trigger();
    QVERIFY(QFile::exists(f.BasicPath("PUMP.BAS")));
    QVERIFY(!QFile::exists(f.BasicPath("PUMP.txt")));
    QCOMPARE(form->windowTitle(), "K7 Text Editor - " + f.BasicPath("PUMP.BAS"));
    QVERIFY(!text->document()->isModified());

    // Closing an unmodified window asks nothing; the library is read again.
    QVERIFY(form->close());
    QVERIFY(f.ui.Questions.empty());
    QCOMPARE(f.Entries(f.page->LibraryList()), (QStringList{"PUMP.BAS", "PUMPEFF.BAS"}));
}

void BasicEditorTest::SearchingPrintingAndClosing() {
    BasicFixture f;
    f.Select(f.page->LibraryList(), "PUMPEFF.BAS");
    f.page->Button("Open Editor")->click();
    TBasEditForm* form = f.page->EditorWindow();
    BasicCodeEditor* text = form->TextControl();

    // Find starts with a selection of 1 to 29 characters.
    QTextCursor eff(text->document()->findBlockByNumber(11)); // "Efficiency in percent:EFF"
    eff.movePosition(QTextCursor::EndOfBlock);
    eff.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 3);
    text->setTextCursor(eff);
    form->EditMenu()->aboutToShow();
    QVERIFY(form->Command("&Copy")->isEnabled());
    QVERIFY(!form->Command("Find &Next")->isEnabled());
    form->Command("&Find...")->trigger();
    FindDialog* find = form->FindBox();
    QVERIFY(find->isVisible());
    QCOMPARE(find->SearchField()->text(), QString("EFF"));

    // The letter case as typed: "Eff" is not "EFF"; then whole words only.
    find->SearchField()->setText("Eff");
    find->MatchCaseBox()->setChecked(true);
    QTest::mouseClick(find->Button("Find Next"), Qt::LeftButton);
    QCOMPARE(text->textCursor().selectionStart(), eff.selectionStart());
    QCOMPARE(text->textCursor().selectedText(), QString("EFF"));
    find->MatchCaseBox()->setChecked(false);
    find->WholeWordBox()->setChecked(true);
    QTest::mouseClick(find->Button("Find Next"), Qt::LeftButton);
    QCOMPARE(text->textCursor().selectedText(), QString("EFF"));
    QCOMPARE(text->textCursor().blockNumber(), 17); // "  EFF = 0", not "WHP = ..."
    const int found = text->textCursor().selectionStart();
    find->SearchField()->setText("NO SUCH TEXT");
    QTest::mouseClick(find->Button("Find Next"), Qt::LeftButton);
    QCOMPARE(text->textCursor().selectionStart(), found);
    QCOMPARE(text->textCursor().selectedText(), QString("EFF"));
    form->EditMenu()->aboutToShow();
    QVERIFY(form->Command("Find &Next")->isEnabled());

    // Replace All shares the search text and is one step of the undo history.
    form->Command("&Replace...")->trigger();
    ReplaceDialog* replace = form->ReplaceBox();
    QCOMPARE(replace->SearchField()->text(), QString("EFF"));
    replace->WholeWordBox()->setChecked(true);
    replace->ReplacementField()->setText("ETA");
    text->setTextCursor(QTextCursor(text->document()));
    QTest::mouseClick(replace->Button("Replace All"), Qt::LeftButton);
    const QString replaced = text->toPlainText();
    QCOMPARE(replaced.count("ETA"), 5);
    QVERIFY(!replaced.contains(QRegularExpression("\\bEFF\\b")));
    QVERIFY(replaced.contains("EFFICIENCY"));
    QVERIFY(text->document()->isModified());
    text->undo();
    QCOMPARE(text->toPlainText().count("ETA"), 0);
    text->redo();

    // Printing to a PDF file needs no printer.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(f.dir.path() + "/pump.pdf");
    form->PrintTo(printer);
    QCOMPARE(printer.docName(), f.BasicPath("PUMPEFF.BAS"));
    QVERIFY(QFileInfo(f.dir.path() + "/pump.pdf").size() > 1000);

    // The closing question: Cancel keeps the window open, No closes it.
    f.ui.ThreeWayAnswers = {Answer::Cancel, Answer::No};
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QCOMPARE(f.ui.Questions, std::vector<std::string>{"File PUMPEFF.BAS has changed. Save now?"});
    QVERIFY(form->close());
    QVERIFY(f.ui.Questions.size() == 2);
    QFile source(f.BasicPath("PUMPEFF.BAS"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY(!source.readAll().contains("ETA"));
}

QTEST_MAIN(BasicEditorTest)
#include "basic_editor_test.moc"
