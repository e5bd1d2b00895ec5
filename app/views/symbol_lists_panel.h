// Debug mode's symbol lists of the last compile, in the place of the
// database lists: "Floating Pt", "Integer", "Status" (with its "Bit"
// column), "Timers", "Triggers" and "Strings", each with the names, values
// and addresses the compile assigned. The grids are rebuilt when a compile
// finishes or another project replaces the one shown.
#pragma once

#include "session/session.h"

#include <QWidget>
#include <array>

class QTableWidget;

namespace k7 {

class SymbolListsPanel : public QWidget {
    Q_OBJECT

  public:
    SymbolListsPanel(Session& session, QWidget* parent = nullptr);
    QTableWidget* List(SymbolListKind kind) const { return grids_[static_cast<int>(kind)]; }
    // How many times the grids were rebuilt.
    int RebuildCount() const { return rebuilds_; }

  private:
    void Rebuild();

    Session& session_;
    ChangeSubscription changes_;
    std::array<QTableWidget*, 6> grids_{};
    int rebuilds_ = 0;
};

} // namespace k7
