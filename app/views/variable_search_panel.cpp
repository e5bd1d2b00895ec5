#include "app/views/variable_search_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace k7 {

VariableSearchPanel::VariableSearchPanel(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Tool), search_(workspace.project, workspace.library),
      field_(new QLineEdit(this)), results_(new QListWidget(this)) {
    setWindowTitle(VariableSearchCaption);
    setObjectName(VariableSearchCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(VariableSearchHint, this));
    layout->addWidget(new QLabel(VariableSearchFieldLabel, this));
    field_->setReadOnly(true);
    layout->addWidget(field_);
    layout->addWidget(new QLabel(VariableSearchResultLabel, this));
    layout->addWidget(results_);
    resize(360, 320);
}

void VariableSearchPanel::NamePressed(DbType list, const std::string& name) {
    if (!search_.NamePressed(list, name))
        return;
    field_->setText(QString::fromStdString(search_.SearchedName()));
    results_->clear();
    for (const std::string& place : search_.Results())
        results_->addItem(QString::fromStdString(place));
}

void VariableSearchPanel::showEvent(QShowEvent* event) {
    search_.Show();
    QWidget::showEvent(event);
}

void VariableSearchPanel::hideEvent(QHideEvent* event) {
    search_.Hide();
    QWidget::hideEvent(event);
}

} // namespace k7
