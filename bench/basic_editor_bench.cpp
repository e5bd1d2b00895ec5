// Typing in the BASIC editor window's text control with a 10 000-line
// source loaded: the time per keystroke, colouring, gutter and status
// line included. Runs on the offscreen platform.
#include "app/views/bas_edit_form.h"
#include "app/widgets/basic_code_editor.h"
#include "tests/support/scripted_ui.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <benchmark/benchmark.h>

namespace {

QString TenThousandLines() {
    QString text = "' A long module\n#INPUTS\nFlow in gpm:FLOW\n#OUTPUTS\nTotal:TOTAL\n#CODE\n";
    for (int i = 6; i < 10000; ++i)
        text += QString("IF FLOW > %1 THEN TOTAL = TOTAL + FLOW * 2.5 ' step %1\n").arg(i);
    text += "END";
    return text;
}

void TypeHundredCharacters(benchmark::State& state) {
    k7::test::ScriptedUi ui;
    k7::TBasEditForm form("", "", ui);
    form.show();
    k7::BasicCodeEditor* text = form.TextControl();
    text->setPlainText(TenThousandLines());
    // Typing in the middle of the module, where the view has to follow.
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(5000)));
    text->centerCursor();
    QApplication::processEvents();
    const QString typed = "X";
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, typed);
            QApplication::sendEvent(text, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, typed);
            QApplication::sendEvent(text, &release);
            QApplication::processEvents();
        }
        state.PauseTiming();
        text->undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    // Seconds per keystroke (an inverted rate of keystrokes).
    state.counters["per_keystroke"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 100.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TypeHundredCharacters)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
