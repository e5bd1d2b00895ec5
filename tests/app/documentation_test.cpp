// "Document" through its panel: the file name and the ten boxes it opens
// with, "Generate" on the shared progress panel ending in the status
// bar's message, and Cancel.
#include "app/shell/progress_panel_widget.h"
#include "app/views/documentation_choices.h"
#include "tests/app/app_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

using k7::test::AppFixture;

class DocumentationTest : public QObject {
    Q_OBJECT

  private slots:
    void documentOpensTheChoicesAndGenerateWritesTheFile() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.show();
        QVERIFY(window.OpenPath(AppFixture::ExampleProject().toStdString()));
        window.Command("Document")->trigger();
        k7::DocumentationChoicesPanel* panel = window.DocumentationChoicesWindow();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->windowTitle(), QString("Documentation Choices"));
        QCOMPARE(panel->FileNameEdit()->text(),
                 QString::fromStdString(app.workspace.project.FileName) + ".Txt");
        const QStringList captions = {"Operating instructions",
                                      "I/O Setup",
                                      "Module Setup",
                                      "Displays",
                                      "TLM Arrays",
                                      "Ladder Logic Setup",
                                      "Table Setup",
                                      "Speech Setup",
                                      "Database Lists",
                                      "Database Cross Reference"};
        for (int section = 0; section < k7::DocSectionCount; ++section) {
            QCOMPARE(panel->SectionBox(k7::DocSection(section))->text(), captions[section]);
            QVERIFY(panel->SectionBox(k7::DocSection(section))->isChecked());
        }

        const QString out = app.dir.path() + "/plant.Txt";
        panel->FileNameEdit()->setText(out);
        k7::ProgressPanelWidget* progress = window.Progress();
        QStringList labels, repeats;
        bool shown = false;
        progress->onPoll = [&] {
            shown = shown || progress->isVisible();
            if (labels.isEmpty() || labels.back() != progress->LabelText())
                labels << progress->LabelText();
            if (repeats.isEmpty() || repeats.back() != progress->RepeatLabelText())
                repeats << progress->RepeatLabelText();
        };
        QTest::mouseClick(panel->GenerateButton(), Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(progress->CaptionText(), QString("Load Progress:"));
        QCOMPARE(labels, QStringList{"Generating documentation..."});
        QCOMPARE(repeats,
                 QStringList({"I/O...", "Modules...", "Displays...", "TLM Arrays...", "Ladder...",
                              "Tables...", "Speech...", "DataBases...", "Cross references..."}));
        QVERIFY(progress->findChild<QProgressBar*>()->styleSheet().contains("green"));
        QVERIFY(QFile::exists(out));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const int lines = QString::fromLatin1(file.readAll()).count("\r\n");
        QCOMPARE(window.StatusFieldText(3),
                 QString("Documentation file done.  %1 lines generated in file...%2.Txt")
                     .arg(lines - 1)
                     .arg(QFileInfo(AppFixture::ExampleProject()).fileName()));
        QVERIFY(!panel->isVisible());
        QVERIFY(!progress->isVisible());
        QVERIFY(app.ui.Errors.empty());
    }

    void cancelHidesThePanelAndWritesNothing() {
        AppFixture app;
        app.window->show();
        app.window->Command("Document")->trigger();
        k7::DocumentationChoicesPanel* panel = app.window->DocumentationChoicesWindow();
        QVERIFY(panel->isVisible());
        const QString out = app.dir.path() + "/none.Txt";
        panel->FileNameEdit()->setText(out);
        QTest::mouseClick(panel->CancelButton(), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_MAIN(DocumentationTest)
#include "documentation_test.moc"
