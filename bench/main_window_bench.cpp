// The main window on the largest generated project, offscreen: the time to
// open it (read the file, then every list and page filled from the change
// notices, and painted), its ratio to a tenth of the project, and one page
// switch. Targets in a Release build: the open under 0.3 s with a ratio of
// at most 12, a page switch under 50 ms.
#include "app/shell/main_window.h"
#include "bench/bench_project.h"
#include "workspace/project_file.h"
#include "workspace/text_file.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <stdexcept>

namespace {

using namespace k7;
using namespace k7::bench;

// Answers every question with Yes; a message box would mean the open failed.
class BenchUi : public UserInterface {
  public:
    void ShowError(const std::string& message) override { throw std::runtime_error(message); }
    bool AskYesNo(const std::string&) override { return true; }
    bool AskRetry(const std::string&) override { return false; }
    std::optional<std::string> ChooseOpenFile(const FileChoice&) override { return {}; }
    std::optional<std::string> ChooseSaveFile(const FileChoice&) override { return {}; }
};

// A program folder with the generated library, the largest project and a
// tenth of it as project files, and the main window over a started session.
struct BenchWindow {
    BenchWindow() {
        const std::string folder = dir.path().toStdString() + "/";
        QDir(dir.path()).mkdir("K7System");
        // The shipped system folder (cell pictures and all), with the
        // generated library in place of the shipped one.
        const QDir data(K7_DATA_DIR);
        for (const QString& name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), dir.path() + "/K7System/" + name);
        QFile::remove(dir.path() + "/K7System/K7MODDEF.TXT");
        CheckWritten(WriteTextLines(folder + "K7System/K7MODDEF.TXT", BenchLibraryLines()));
        largestSize = LargestCleanSize();
        largest = WriteProject(folder + "LARGEST.tvr", largestSize);
        tenth = WriteProject(folder + "TENTH.tvr", largestSize / 10);
        StartOptions options;
        options.ProgramFolder = folder;
        session.Start(options);
        window = std::make_unique<MainWindow>(session);
        window->show();
        QApplication::processEvents();
    }

    static void CheckWritten(const std::string& error) {
        if (!error.empty())
            throw std::runtime_error(error);
    }

    static std::string WriteProject(const std::string& path, int instances) {
        CheckWritten(
            WriteProjectFile(path, MakeProject(instances), BenchLibrary(), "01/02/2026 10:00:00"));
        return path;
    }

    // Processor time of one open through the window, painting included.
    double OpenSeconds(const std::string& path) {
        const std::clock_t start = std::clock();
        if (!window->OpenPath(path))
            throw std::runtime_error("could not open " + path);
        QApplication::processEvents();
        return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }

    QTemporaryDir dir;
    BenchUi ui;
    Session session{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    std::unique_ptr<MainWindow> window;
    int largestSize = 0;
    std::string largest;
    std::string tenth;
};

BenchWindow& Bench() {
    static BenchWindow bench;
    return bench;
}

// Argument 10: the largest project; 1: a tenth of it.
void BM_OpenProject(benchmark::State& state) {
    BenchWindow& bench = Bench();
    const std::string& path = state.range(0) == 10 ? bench.largest : bench.tenth;
    for (auto _ : state)
        state.SetIterationTime(bench.OpenSeconds(path));
    state.counters["instances"] = state.range(0) == 10 ? bench.largestSize : bench.largestSize / 10;
}
BENCHMARK(BM_OpenProject)
    ->Arg(10)
    ->Arg(1)
    ->ArgName("tenths")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_OpenScaling(benchmark::State& state) {
    BenchWindow& bench = Bench();
    double largestSeconds = 0;
    double tenthSeconds = 0;
    for (auto _ : state) {
        largestSeconds += bench.OpenSeconds(bench.largest);
        tenthSeconds += bench.OpenSeconds(bench.tenth);
    }
    state.counters["ratio"] = tenthSeconds > 0 ? largestSeconds / tenthSeconds : 0;
}
BENCHMARK(BM_OpenScaling)->Unit(benchmark::kMillisecond);

// One switch to the next page on the largest project, painting included.
void BM_PageSwitch(benchmark::State& state) {
    BenchWindow& bench = Bench();
    bench.OpenSeconds(bench.largest);
    QTabWidget* pages = bench.window->Pages();
    int page = pages->currentIndex();
    for (auto _ : state) {
        page = (page + 1) % pages->count();
        const std::clock_t start = std::clock();
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    }
    state.counters["pages"] = pages->count();
}
BENCHMARK(BM_PageSwitch)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
