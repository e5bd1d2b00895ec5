// A program load from the desktop window, offscreen, into k7sim over a
// pseudo-terminal, against `k7c send` of the same image in the same run.
// The image is generated: 3 000 data lines of the compiler's shape between
// its markers, the size of the largest generated project's image. Counters:
//   window_ms  the load from the window's "Send Pgm" path to "Sequence terminated"
//   k7c_ms     `k7c send --image` of the same image into another k7sim
//   ratio      window_ms / k7c_ms (target: at most 1.10)
//   max_gap_ms the longest time between two turns of the window's event
//              loop during the load (target: below 20)
#include "app/qt/qt_user_interface.h"
#include "app/shell/main_window.h"
#include "app/shell/unit_link_commands.h"
#include "comm/virtual_unit.h"
#include "tests/support/scripted_ui.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace k7;

constexpr int GeneratedDataLines = 3000;
constexpr int LoadTimeoutMs = 600000;

// Data lines "address|fields|\" as the image writer makes them, with the
// file name, section and end markers.
std::vector<std::string> GeneratedImage() {
    std::vector<std::string> lines = {"#0 File name...|\\", "#1 Modules...|\\"};
    for (int i = 0; i < GeneratedDataLines; ++i) {
        const int address = 0x8000 + 12 * i;
        char line[96];
        std::snprintf(line, sizeof line, "%X|2328|A|%X|%X|3F800000|1000%X|\\", address,
                      address % 0xFF, address * 3 % 0xFFFF, address % 0x10);
        lines.push_back(line);
    }
    lines.push_back("#D End of file");
    return lines;
}

class FixedImage : public ProjectLink {
  public:
    explicit FixedImage(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    bool ProjectPresent() override { return true; }
    std::optional<std::vector<std::string>> ImageToSend() override { return lines_; }
    bool CompileIfNeeded() override { return true; }
    std::string LookupName(const std::string&) override { return {}; }

  private:
    std::vector<std::string> lines_;
};

double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// `k7c send --image` into a simulator of its own; -1 when it failed.
double K7cSendMs(const QString& folder, const std::string& imagePath) {
    VirtualUnit unit(K7SIM_PATH);
    if (!unit.Start().empty())
        return -1;
    const std::string settings = (folder + "/k7c.ini").toStdString();
    const std::string system = (folder + "/").toStdString();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execl(K7C_PATH, K7C_PATH, "--settings", settings.c_str(), "--system", system.c_str(),
              "send", "--yes", "--image", imagePath.c_str(), "--port", unit.DevicePath().c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double elapsed = Milliseconds(std::chrono::steady_clock::now() - start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed : -1;
}

struct WindowRun {
    double LoadMs = -1;
    double MaxGapMs = 0;
};

// The window's load into the virtual unit, on the window's own timers.
WindowRun WindowLoad(const QString& folder, const std::vector<std::string>& image) {
    test::ScriptedUi ui;
    Session session(ui, [] { return std::string("01/02/2026 10:00:00"); });
    StartOptions options;
    options.ProgramFolder = (folder + "/").toStdString();
    options.SettingsPath = (folder + "/K7Setup.ini").toStdString();
    options.SystemFolder = (folder + "/").toStdString();
    session.Start(options);
    MainWindow window(session);
    window.UnitCommands().SetVirtualUnitProgram(K7SIM_PATH);
    window.show();
    WindowRun run;
    if (!window.UnitCommands().Ports().UseVirtualUnit().empty())
        return run;

    FixedImage project(image);
    LoadSequence& sequence = window.Unit().Sequence;
    QElapsedTimer sinceTurn;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(1); // a turn at least every millisecond when idle
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        run.MaxGapMs = std::max(run.MaxGapMs, sinceTurn.nsecsElapsed() / 1e6);
        sinceTurn.restart();
    });
    const auto start = std::chrono::steady_clock::now();
    if (!sequence.SendProgram(project))
        return run;
    sinceTurn.start();
    heartbeat.start();
    while (sequence.Running() &&
           Milliseconds(std::chrono::steady_clock::now() - start) < LoadTimeoutMs)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    heartbeat.stop();
    if (sequence.Outcome() == LoadOutcome::Succeeded)
        run.LoadMs = Milliseconds(std::chrono::steady_clock::now() - start);
    sequence.CloseTerminal();
    return run;
}

void BM_WindowLoadAgainstK7c(benchmark::State& state) {
    QTemporaryDir folder;
    const std::vector<std::string> image = GeneratedImage();
    const std::string imagePath = (folder.path() + "/Intermed.Obj").toStdString();
    {
        std::ofstream file(imagePath, std::ios::binary);
        for (const std::string& line : image)
            file << line << "\r\n";
    }
    for (auto _ : state) {
        const double k7c = K7cSendMs(folder.path(), imagePath);
        const WindowRun window = WindowLoad(folder.path(), image);
        if (k7c <= 0 || window.LoadMs <= 0) {
            state.SkipWithError("a load did not succeed");
            return;
        }
        state.counters["lines"] = static_cast<double>(image.size());
        state.counters["k7c_ms"] = k7c;
        state.counters["window_ms"] = window.LoadMs;
        state.counters["ratio"] = window.LoadMs / k7c;
        state.counters["max_gap_ms"] = window.MaxGapMs;
    }
}
BENCHMARK(BM_WindowLoadAgainstK7c)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
