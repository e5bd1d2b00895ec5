// Compile on the shared progress panel: its caption and labels, Cancel
// while it runs, and the compiler status panel after it.
#include "app/shell/progress_panel_widget.h"
#include "tests/app/app_fixture.h"

#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

using k7::test::AppFixture;

static QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

class CompileTest : public QObject {
    Q_OBJECT

  private slots:
    void aCleanCompileShowsItsStepsThenNoErrorsInGreenAndHidesThePanel() {
        AppFixture app(AppFixture::Library::Small);
        k7::MainWindow& window = *app.window;
        window.show();
        app.AddAdder("System.BootTrg");
        k7::ProgressPanelWidget* panel = window.Progress();
        QStringList captions, labels, repeats, messages;
        bool othersDisabled = true;
        connect(panel, &k7::ProgressPanelWidget::TextsChanged, this, [&] {
            for (auto [list, text] : {std::pair{&captions, panel->CaptionText()},
                                      std::pair{&labels, panel->LabelText()},
                                      std::pair{&repeats, panel->RepeatLabelText()}})
                if (!text.isEmpty() && (list->isEmpty() || list->back() != text))
                    *list << text;
        });
        panel->onPoll = [&] {
            messages << window.StatusFieldText(3);
            othersDisabled = othersDisabled && !window.menuBar()->isEnabled() &&
                             !window.Command("Save")->isEnabled() &&
                             panel->CancelButton()->isEnabled();
        };

        window.CompileAction()->trigger();
        QCOMPARE(captions, QStringList{"Compile Progress:"});
        QCOMPARE(labels, QStringList({"Compiling...", "Compiling Program..."}));
        // Pass 1 and pass 2 walk the same sections.
        const QStringList sections = {"Modules...",   "Ladder...",   "TX Arrays...",
                                      "RX Arrays...", "Displays...", "Com buffers...",
                                      "Tables...",    "Speech...",   "Basic..."};
        QCOMPARE(repeats, QStringList({"Initializing...", "Assigning RAM..."}) + sections +
                              sections + QStringList{"Finishing..."});
        QCOMPARE(messages.value(0), QString("Compiling..."));
        QVERIFY(othersDisabled);

        QCOMPARE(window.StatusFieldText(3), QString("Done compiling...no errors"));
        QCOMPARE(Texts(window.ErrorListView()), QStringList({"Compiling...", "No errors"}));
        QCOMPARE(window.ErrorListView()->item(1)->foreground().color(), QColor(Qt::darkGreen));
        QVERIFY(!window.CompilerStatusPanel()->isVisible());
        QVERIFY(!window.Progress()->isVisible());
        QVERIFY(!window.CompileAction()->isEnabled());
        QVERIFY(!window.ListErrorsAction()->isEnabled());
        QVERIFY(window.menuBar()->isEnabled());
        QVERIFY(window.StatusFieldText(0).startsWith("Ram= "));
        QVERIFY(window.StatusFieldText(1).startsWith("Flash= "));
        QVERIFY(QFile::exists(app.SystemPath("Intermed.Obj")));
    }

    void errorsStayListedInRedWithListErrorsEnabled() {
        AppFixture app(AppFixture::Library::Small);
        k7::MainWindow& window = *app.window;
        window.show();
        app.AddAdder("NOPE.SUM");
        window.CompileAction()->trigger();
        QCOMPARE(window.StatusFieldText(3), QString("Done compiling...errors"));
        QVERIFY(window.CompilerStatusPanel()->isVisible());
        QVERIFY(!window.ErrorListView()->findItems("NOPE", Qt::MatchContains).isEmpty());
        QCOMPARE(window.ErrorListView()->item(0)->foreground().color(), QColor(Qt::red));
        QVERIFY(window.ListErrorsAction()->isEnabled());
        QVERIFY(window.CompileAction()->isEnabled());
        QVERIFY(!QFile::exists(app.SystemPath("Intermed.Obj")));
    }

    void cancelWhileCompilingHaltsIt() {
        AppFixture app(AppFixture::Library::Small);
        k7::MainWindow& window = *app.window;
        window.show();
        app.AddAdder("System.BootTrg");
        k7::ProgressPanelWidget* panel = window.Progress();
        panel->onPoll = [panel] {
            if (panel->RepeatLabelText() == "Ladder...")
                QTest::mouseClick(panel->CancelButton(), Qt::LeftButton);
        };
        window.CompileAction()->trigger();
        QCOMPARE(window.StatusFieldText(3), QString("Compile halted by user"));
        QVERIFY(!window.ErrorListView()
                     ->findItems("Compile halted by user", Qt::MatchExactly)
                     .isEmpty());
        QCOMPARE(window.ErrorListView()->item(0)->foreground().color(), QColor(Qt::red));
        QVERIFY(window.CompilerStatusPanel()->isVisible());
        QVERIFY(window.ListErrorsAction()->isEnabled());
        QVERIFY(!QFile::exists(app.SystemPath("Intermed.Obj")));

        // The next compile starts without the earlier request.
        panel->onPoll = nullptr;
        window.CompileAction()->trigger();
        QCOMPARE(window.StatusFieldText(3), QString("Done compiling...no errors"));
    }
};

QTEST_MAIN(CompileTest)
#include "compile_test.moc"
