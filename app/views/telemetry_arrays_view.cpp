#include "app/views/telemetry_arrays_view.h"

#include "workspace/workspace.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k7 {

static QTableWidget* ReadOnlyGrid() {
    auto* grid = new QTableWidget;
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setColumnCount(TlmColumnCount);
    QStringList titles;
    for (const std::string& title : TlmTitles)
        titles << QString::fromStdString(title);
    grid->setHorizontalHeaderLabels(titles);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

TelemetryArraysView::TelemetryArraysView(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    tx_ = ReadOnlyGrid();
    rx_ = ReadOnlyGrid();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("TX Array")));
    layout->addWidget(tx_);
    layout->addWidget(new QLabel(tr("RX Array")));
    layout->addWidget(rx_);
    // A compile writes the RAM addresses into the arrays.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::TelemetryArrays || part == ProjectPart::WholeProject ||
            part == ProjectPart::CompileFinished)
            Reload();
    });
    Reload();
}

void TelemetryArraysView::Fill(QTableWidget* grid, const TTlmArray& array) {
    // Row 0 of the array is its title row, shown as the grid's header.
    const int rows = std::max(0, array.RowCount() - 1);
    grid->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < TlmColumnCount; ++c)
            grid->setItem(r, c, new QTableWidgetItem(QString::fromStdString(array.Rows[r + 1][c])));
}

void TelemetryArraysView::Reload() {
    Fill(tx_, workspace_.project.TxArray);
    Fill(rx_, workspace_.project.RxArray);
}

} // namespace k7
