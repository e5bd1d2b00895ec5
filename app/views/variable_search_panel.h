// The "Variable Search" panel: a name pressed in a database list (TX
// excepted) is searched through the project and the places it is used
// are listed.
#pragma once

#include "docgen/variable_search.h"
#include "workspace/workspace.h"

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace k7 {

class VariableSearchPanel : public QWidget {
    Q_OBJECT

  public:
    VariableSearchPanel(Workspace& workspace, QWidget* parent = nullptr);
    // A press on a database name; searched only while the panel shows.
    void NamePressed(DbType list, const std::string& name);

    QLineEdit* SearchField() const { return field_; }
    QListWidget* ResultList() const { return results_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    VariableSearch search_;
    QLineEdit* field_;
    QListWidget* results_;
};

} // namespace k7
