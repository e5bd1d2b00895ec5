// A full repaint of the ladder grid of the largest ladder (199 rungs of
// contacts, lines and a coil, every cell named), offscreen, from the cell
// pictures of the shipped system folder. Target: under 20 ms a repaint in
// a Release build.
#include "app/widgets/ladder_grid.h"
#include "workspace/ladder_editor.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

using namespace k7;

Project LargestLadder() {
    Project project;
    project.LadderRows = LadderMaxRows;
    for (int r = 0; r < LadderMaxRows; ++r) {
        TLadderRung& rung = project.Ladder[r];
        rung.CellKinds[1] = KindOpen;
        rung.CellKinds[2] = KindClosed;
        for (int c = 3; c < CoilColumn; ++c)
            rung.CellKinds[c] = KindLineH;
        rung.CellKinds[CoilColumn] = KindCoil;
        rung.CellNames[1] = "Pump" + std::to_string(r) + ".State";
        rung.CellNames[2] = "Fault" + std::to_string(r) + ".State";
        rung.CellNames[CoilColumn] = "Run" + std::to_string(r) + ".Coil";
    }
    return project;
}

void BM_LadderFullRepaint(benchmark::State& state) {
    const Project project = LargestLadder();
    const CellPictures pictures = LoadCellPictures(K7_DATA_DIR);
    if (!pictures.Missing.empty()) {
        state.SkipWithError("cell pictures missing");
        return;
    }
    LadderGrid grid(project, pictures);
    QImage image(grid.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        grid.PaintRows(painter, 0, project.LadderRows - 1);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rungs"] = project.LadderRows;
}
BENCHMARK(BM_LadderFullRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
