#include "app/views/symbol_lists_panel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace k7 {

namespace {

struct ShownList {
    SymbolListKind Kind;
    const char* Title;
};

// Where the database lists stand in Design mode; the timers and triggers
// take the places of the TX and RX lists.
constexpr ShownList ShownLists[] = {
    {SymbolListKind::Float, "Floating Pt"}, {SymbolListKind::Integer, "Integer"},
    {SymbolListKind::Status, "Status"},     {SymbolListKind::Timers, "Timers"},
    {SymbolListKind::Triggers, "Triggers"}, {SymbolListKind::String, "Strings"},
};

} // namespace

SymbolListsPanel::SymbolListsPanel(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    for (std::size_t i = 0; i < std::size(ShownLists); ++i) {
        const ShownList& shown = ShownLists[i];
        auto* table = new QTableWidget(this);
        table->setObjectName(shown.Title);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->verticalHeader()->hide();
        QStringList titles;
        for (const std::string& title : SymbolListTitles(shown.Kind))
            titles << QString::fromStdString(title);
        table->setColumnCount(titles.size());
        table->setHorizontalHeaderLabels(titles);
        grids_[static_cast<int>(shown.Kind)] = table;
        const int row = static_cast<int>(i / 2) * 2, column = static_cast<int>(i % 2);
        grid->addWidget(new QLabel(shown.Title, this), row, column);
        grid->addWidget(table, row + 1, column);
    }
    changes_ = session_.Space().notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::CompileFinished || part == ProjectPart::WholeProject)
            Rebuild();
    });
    Rebuild();
}

void SymbolListsPanel::Rebuild() {
    ++rebuilds_;
    for (const ShownList& shown : ShownLists) {
        QTableWidget* table = List(shown.Kind);
        const std::vector<SymbolListRow> rows = session_.SymbolListRows(shown.Kind);
        table->setUpdatesEnabled(false);
        table->clearContents();
        table->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const SymbolListRow& row = rows[r];
            const std::string* cells[] = {&row.Name, &row.Value, &row.Address, &row.Bit};
            for (int c = 0; c < table->columnCount(); ++c)
                table->setItem(r, c, new QTableWidgetItem(QString::fromStdString(*cells[c])));
        }
        table->setUpdatesEnabled(true);
    }
}

} // namespace k7
