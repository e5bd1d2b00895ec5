// k7studio_screens: renders the main window with a project open, in each
// mode, and its panels to PNG files, for the README and for reviewing the
// layout without a display (run with QT_QPA_PLATFORM=offscreen).
//   k7studio_screens OUTPUT_FOLDER SYSTEM_FOLDER BASIC_FOLDER PROJECT.tvr
#include "app/qt/qt_user_interface.h"
#include "app/shell/main_window.h"
#include "app/shell/progress_panel_widget.h"
#include "app/views/bas_edit_form.h"
#include "app/views/basic_modules_page.h"
#include "app/views/commun_arrays_panel.h"
#include "app/views/communications_setup_panel.h"
#include "app/views/database_lists_panel.h"
#include "app/views/display_page.h"
#include "app/views/ladder_page.h"
#include "app/views/preferences_panel.h"
#include "app/views/speech_page.h"
#include "app/views/table_page.h"
#include "app/views/tlm_workbox_panel.h"
#include "app/views/variable_search_panel.h"
#include "app/widgets/basic_code_editor.h"

#include "workspace/date_text.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <cstdio>

namespace {

bool Save(QWidget* widget, const QString& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "k7studio_screens: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The editor pages on the project's first entries: the ladder, the
// workbox on the first RX message, the first display with the preview of
// its second line, the first table and the first speech report.
bool SaveEditorPages(k7::MainWindow& window, const QString& output) {
    const k7::EditorPages& pages = window.Editors();
    window.Command("Ladder")->trigger();
    bool ok = Save(&window, output, "ladder");

    window.Command("RX Arrays")->trigger();
    if (QListWidgetItem* message = pages.Arrays->RxList()->item(0))
        emit pages.Arrays->RxList()->itemClicked(message);
    ok = Save(&window, output, "tlm_workbox") && ok;
    pages.WorkboxPanel->Button("Cancel")->click();

    window.Command("Displays")->trigger();
    pages.Displays->NameList()->setCurrentRow(0);
    QPlainTextEdit* memo = pages.Displays->Memo();
    memo->setTextCursor(QTextCursor(memo->document()->findBlockByNumber(1)));
    ok = Save(&window, output, "display_editor") && ok;

    window.Command("Tables")->trigger();
    pages.Tables->TableList()->setCurrentRow(0);
    pages.Tables->Button("Edit Table")->click();
    ok = Save(&window, output, "table") && ok;

    window.Command("Speech")->trigger();
    pages.Speech->ReportList()->setCurrentRow(0);
    pages.Speech->Button("Edit Table  ")->click();
    ok = Save(&window, output, "speech_report") && ok;
    return ok;
}

// The BASIC page editing the example's instance, and the editor window on
// the example's module with one line made faulty and compiled.
bool SaveBasicPages(k7::MainWindow& window, const QString& output) {
    window.Command("BASIC")->trigger();
    k7::BasicModulesPage* page = window.BasicPage();
    page->ModuleList()->setCurrentRow(0);
    page->Button("Edit Module")->click();
    bool ok = Save(&window, output, "basic_modules");
    page->Button("Cancel")->click();

    page->LibraryList()->setCurrentRow(0);
    page->Button("Open Editor")->click();
    k7::TBasEditForm* form = page->EditorWindow();
    if (!form)
        return false;
    k7::BasicCodeEditor* text = form->TextControl();
    QTextCursor line(text->document()->findBlockByNumber(17)); // "  EFF = 0"
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    line.insertText("  123");
    form->Button1Click();
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(17)));
    ok = Save(form, output, "basic_editor") && ok;
    // The window closes without its question: the change was only for the picture.
    text->document()->setModified(false);
    form->close();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: k7studio_screens OUTPUT_FOLDER SYSTEM_FOLDER BASIC_FOLDER "
                             "PROJECT.tvr\n");
        return 2;
    }
    const QString output = argv[1];
    QDir().mkpath(output);

    // A program folder of its own, so the workstation's settings stay as
    // they are.
    QTemporaryDir programFolder;
    k7::QtUserInterface ui;
    k7::Session session(ui, k7::NowDateTimeText);
    k7::Workspace& workspace = session.Space();
    k7::StartOptions options;
    options.ProgramFolder = (programFolder.path() + "/").toStdString();
    options.SettingsPath = (programFolder.path() + "/K7Setup.ini").toStdString();
    options.SystemFolder = QDir(argv[2]).absolutePath().toStdString() + "/";
    options.BasicFolder = QDir(argv[3]).absolutePath().toStdString() + "/";
    session.Start(options);

    k7::MainWindow window(session);
    ui.SetParent(&window);
    window.show();
    if (!window.OpenPath(argv[4]))
        return 1;

    bool ok = Save(&window, output, "main_design");
    window.ModeButton("Engineer")->setChecked(true);
    ok = Save(&window, output, "main_engineer") && ok;

    // The progress panel as a compile shows it, caught half-way.
    k7::ProgressPanelWidget* progress = window.Progress();
    bool caught = false;
    progress->onPoll = [&] {
        if (!caught && progress->RepeatLabelText() == "Displays...") {
            caught = true;
            ok = Save(&window, output, "compile_progress") && ok;
        }
    };
    window.CompileAction()->trigger();
    progress->onPoll = nullptr;
    ok = Save(&window, output, "main_compiled") && ok;
    window.ModeButton("Debug")->setChecked(true);
    ok = Save(&window, output, "main_debug") && ok;
    window.ModeButton("Design")->setChecked(true);

    window.Command("Preferences")->trigger();
    ok = Save(window.Preferences(), output, "preferences") && ok;
    window.Preferences()->hide();
    window.Command("Communications Setup")->trigger();
    ok = Save(window.CommunicationsSetup(), output, "communications_setup") && ok;
    window.CommunicationsSetup()->hide();

    window.Command("Variable Search")->trigger();
    k7::DatabaseList* floats = window.DatabaseLists()->List(k7::DbType::Float);
    if (floats->count() > 0) {
        const QRect place = floats->visualItemRect(floats->item(0));
        QTest::mousePress(floats->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        QTest::mouseRelease(floats->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    }
    ok = Save(window.VariableSearchWindow(), output, "variable_search") && ok;
    window.VariableSearchWindow()->hide();

    ok = SaveEditorPages(window, output) && ok;
    ok = SaveBasicPages(window, output) && ok;

    // Closing without the guard's question: nothing here is the user's work.
    workspace.project.ProjectChanged = false;
    return ok ? 0 : 1;
}
