// k7studio_screens: renders the main window with a project open, in each
// mode, and its panels to PNG files, for the README and for reviewing the
// layout without a display (run with QT_QPA_PLATFORM=offscreen).
//   k7studio_screens OUTPUT_FOLDER SYSTEM_FOLDER BASIC_FOLDER PROJECT.tvr
#include "app/qt/qt_user_interface.h"
#include "app/shell/main_window.h"
#include "app/shell/progress_panel_widget.h"
#include "app/views/card_panel.h"
#include "app/shell/unit_link_commands.h"
#include "app/views/bas_edit_form.h"
#include "app/views/basic_modules_page.h"
#include "app/views/commun_arrays_panel.h"
#include "app/views/communications_setup_panel.h"
#include "app/views/database_lists_panel.h"
#include "app/views/display_page.h"
#include "app/views/documentation_choices.h"
#include "app/views/instance_lists_panel.h"
#include "app/views/ladder_page.h"
#include "app/views/library_panel.h"
#include "app/views/module_tree_panel.h"
#include "app/views/preferences_panel.h"
#include "app/views/speech_page.h"
#include "app/views/table_page.h"
#include "app/views/terminal_page.h"
#include "app/views/tlm_workbox_panel.h"
#include "app/views/variable_search_panel.h"
#include "app/views/watch_window.h"
#include "comm/timer_queue.h"
#include "app/widgets/basic_code_editor.h"

#include "workspace/date_text.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <cmath>
#include <QTreeWidget>
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

// A unit for the watch window's picture: it answers every request for the
// watch values with slowly changing numbers, so the trend has something
// to draw without hardware.
class PictureUnit : public k7::SerialDevice {
  public:
    bool Open(const std::string&, std::string&) override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Configure(const k7::LineSettings&) override { return true; }
    long BytesWaiting() override { return static_cast<long>(input_.size()); }
    std::string Read(std::size_t count) override {
        const std::string bytes = input_.substr(0, count);
        input_.erase(0, bytes.size());
        return bytes;
    }
    long Write(std::string_view bytes) override {
        if (bytes == "?92\r")
            input_ += Reply();
        return static_cast<long>(bytes.size());
    }
    void Purge() override { input_.clear(); }

  private:
    std::string Reply() {
        ++poll_;
        std::string line = "?";
        for (int slot = 0; slot < 30; ++slot) {
            const double wave = std::sin((poll_ + slot * 7) / 9.0);
            const double value = slot % 3 == 2 ? (wave > 0 ? 1 : 0) : 50 + slot * 4 + 20 * wave;
            line += (slot ? "," : "") + QString::number(value, 'f', 1).toStdString();
        }
        return line + "\r\n";
    }
    bool open_ = false;
    std::string input_;
    int poll_ = 0;
};

// The watch window with the first names of the Float and Status lists
// dropped on it, after two minutes of polls.
bool SaveWatchWindow(k7::MainWindow& window, k7::TimerQueue& timers, const QString& output) {
    window.Command("Watch")->trigger();
    k7::WatchWindowView* view = window.WatchView();
    if (!view || !view->isVisible())
        return false;
    view->clockMs = [&timers] { return timers.Now(); };
    k7::WatchGrid* grid = view->Grid();
    int row = 1;
    for (k7::DbType type : {k7::DbType::Float, k7::DbType::Status}) {
        k7::DatabaseList* list = window.DatabaseLists()->List(type);
        for (int item = 0; item < list->count() && item < 4; ++item, ++row) {
            QMimeData data;
            data.setText(list->item(item)->text());
            const QPoint at = grid->visualItemRect(grid->item(row, row % 2 ? 0 : 2)).center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &drop);
        }
    }
    for (int second = 0; second < 120; ++second)
        timers.Advance(k7::WatchPollIntervalMs);
    const bool ok = Save(view, output, "watch_window");
    view->close();
    return ok;
}

// The module pages on the example: the library on its Math tab, the
// alternator in the instance editor, the wet well's module tree, and the
// card panel on cage 1 as a K7 and as a K3. A wider window shows the nine
// card faces side by side.
bool SaveModulePages(k7::MainWindow& window, const QString& output) {
    k7::ModulePages& pages = window.Modules();
    const QRect before = window.geometry();
    window.resize(1280, 760);
    window.Command("Modules")->trigger();
    pages.Library()->Tabs()->setCurrentIndex(k7::CatMath - 1);
    bool ok = Save(&window, output, "module_library");

    k7::InstanceListsPanel* lists = pages.Instances();
    auto select = [lists](int category, const QString& entry) {
        lists->Tabs()->setCurrentIndex(category - 1);
        const auto found = lists->List(category)->findItems(entry, Qt::MatchStartsWith);
        if (!found.isEmpty())
            lists->List(category)->setCurrentItem(found.first());
    };
    select(k7::CatControl, "Alternator...");
    lists->Button("Details")->click();
    ok = Save(&window, output, "instance_editor") && ok;
    pages.Editor().CancelInstanceEditor();

    select(k7::CatIoSystem, "WetWell...");
    lists->Button(" Tree   ")->click();
    pages.Tree()->Tree()->expandAll();
    ok = Save(&window, output, "module_tree") && ok;

    window.Command("Set Cards")->trigger();
    ok = Save(&window, output, "card_panel") && ok;
    pages.Cards()->UnitChoice()->setCurrentIndex(1);
    ok = Save(&window, output, "card_panel_k3") && ok;
    pages.Cards()->UnitChoice()->setCurrentIndex(0);
    window.setGeometry(before);
    return ok;
}

// The terminal page after the project went to the virtual unit (k7sim
// beside this program). Nothing is written when no simulator is found.
bool SaveTerminalAfterLoad(k7::MainWindow& window, const QString& output) {
    k7::CommunicationsSetupPanel* setup = window.CommunicationsSetup();
    window.Command("Communications Setup")->trigger();
    setup->VirtualUnitBox()->click();
    setup->hide();
    if (!setup->VirtualUnitBox()->isChecked()) {
        std::fprintf(stderr, "k7studio_screens: no virtual unit, terminal page not drawn\n");
        return true;
    }
    window.Command("Send Pgm")->trigger();
    k7::LoadSequence& sequence = window.Unit().Sequence;
    const QDeadlineTimer deadline(60000);
    while (sequence.Running() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const bool ok = Save(&window, output, "terminal_page");
    window.UnitCommands().Page()->Button("Close Terminal Page and Com Port")->click();
    window.UnitCommands().CloseForExit();
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
    // The unit link's timers outlive the session that uses them.
    k7::TimerQueue unitTimers;
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
    window.SetUnitLinkParts(&unitTimers, [] { return std::make_unique<PictureUnit>(); });
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
    ok = SaveWatchWindow(window, unitTimers, output) && ok;

    window.Command("Document")->trigger();
    ok = Save(window.DocumentationChoicesWindow(), output, "documentation_choices") && ok;
    window.DocumentationChoicesWindow()->hide();
    ok = SaveModulePages(window, output) && ok;

    // The terminal page needs a line that answers: a second window, on its
    // own window timers, sends the example to the virtual unit.
    {
        k7::Session unitSession(ui, k7::NowDateTimeText);
        unitSession.Start(options);
        k7::MainWindow unitWindow(unitSession);
        unitWindow.show();
        if (unitWindow.OpenPath(argv[4]))
            ok = SaveTerminalAfterLoad(unitWindow, output) && ok;
        unitSession.Space().project.ProjectChanged = false;
    }
    ok = SaveBasicPages(window, output) && ok;

    // Closing without the guard's question: nothing here is the user's work.
    workspace.project.ProjectChanged = false;
    return ok ? 0 : 1;
}
