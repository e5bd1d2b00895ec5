#include "cli_unit_link.h"

#include "comm/port_setup.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

namespace k7::cli {

namespace {

volatile std::sig_atomic_t Interrupted = 0;

void OnInterrupt(int) {
    Interrupted = 1;
}

constexpr int BarWidth = 30;
// Longer than any sequence can run: every step has its own time-out.
constexpr int RunLimitMs = 12 * 3600 * 1000;

} // namespace

SerialChoices ChoicesForPort(TSeComm32& port, const WorkspaceSettings& settings,
                             const std::string& portName) {
    SerialChoices choices = SerialChoicesOf(settings);
    ChoosePort(port, choices, portName);
    return choices;
}

void PrintLinkCompile(const CompileReport& report) {
    for (const std::string& message : report.ErrorList)
        std::cout << message << "\n";
    if (!report.ImageSaveError.empty())
        std::cout << report.ImageSaveError << "\n";
    std::cout << (report.Outcome == CompileOutcome::Clean ? "Done compiling...no errors"
                                                          : "Done compiling...errors")
              << std::endl;
}

UnitLink& OpenUnitLink(Session& session, TimerQueue& timers, LoadView& view,
                       const std::string& portName) {
    CompileRequest request;
    request.ShowSaveError = false;
    session.SetLinkCompileRequest(request);
    session.SetLinkCompileListener(PrintLinkCompile);
    UnitLink& unit = session.Unit(timers, view);
    const WorkspaceSettings& settings = session.Space().settings;
    unit.Configure(ChoicesForPort(unit.Port, settings, portName), settings.SystemFolder);
    return unit;
}

ConsoleLoadView::ConsoleLoadView() : BarOnTerminal(isatty(STDERR_FILENO) != 0) {}

void ConsoleLoadView::ShowProgress(bool visible) {
    Visible = visible;
    if (visible)
        DrawBar();
    else
        EraseBar();
}

void ConsoleLoadView::SetRepeatLabel(const std::string& label) {
    Repeats = label;
    DrawBar();
}

void ConsoleLoadView::SetProgressPosition(int percent) {
    Percent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    DrawBar();
}

void ConsoleLoadView::DrawBar() {
    if (!BarOnTerminal || !Visible)
        return;
    const int filled = Percent * BarWidth / 100;
    std::cerr << "\r" << Caption << " [" << std::string(filled, '#')
              << std::string(BarWidth - filled, '.') << "] " << Percent << "% " << Repeats
              << std::flush;
    Drawn = true;
}

void ConsoleLoadView::EraseBar() {
    if (!Drawn)
        return;
    std::cerr << "\r\x1b[K" << std::flush;
    Drawn = false;
}

// The terminal shows CR LF line ends; standard output takes plain ones.
void ConsoleLoadView::TerminalTextAdded(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '\r')
            plain += c;
    if (plain.empty())
        return;
    const bool bar = Drawn;
    EraseBar();
    std::cout << plain << std::flush;
    if (bar)
        DrawBar();
}

void CatchInterrupt() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() {
    return Interrupted != 0;
}

void RunUntil(TimerQueue& timers, const std::function<bool()>& done,
              const std::function<void()>& cancel) {
    bool cancelled = false;
    RunInRealTime(
        timers,
        [&] {
            if (Interrupted && !cancelled) {
                cancelled = true;
                cancel();
            }
            return done();
        },
        RunLimitMs);
}

int StatusOf(LoadOutcome outcome) {
    return outcome == LoadOutcome::Succeeded ? ExitSuccess : ExitFailure;
}

LoadSession::LoadSession(const GlobalOptions& global, bool assumeYes, const std::string& portName)
    : Ui(assumeYes), Core(StartSession(Ui, global)),
      Unit(OpenUnitLink(*Core, Timers, View, portName)), Sequence(Unit.Sequence), Port(Unit.Port) {}

int LoadSession::Finish() {
    if (Sequence.Running() && !Port.PortOpen()) {
        // The port did not open: the desktop program would go on and report
        // every send; here the reason is told once.
        if (!Port.LastError().empty())
            std::cout << Port.LastError() << std::endl;
        Sequence.CloseTerminal();
        return ExitFailure;
    }
    CatchInterrupt();
    RunUntil(
        Timers, [this] { return !Sequence.Running(); }, [this] { Sequence.CancelLoad(); });
    // A cancel is acted on at the sequence's next tick.
    const LoadOutcome outcome = Sequence.Outcome();
    Sequence.CloseTerminal();
    if (outcome == LoadOutcome::Cancelled)
        std::cout << "Load cancelled." << std::endl;
    return StatusOf(outcome);
}

} // namespace k7::cli
