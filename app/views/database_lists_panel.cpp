#include "app/views/database_lists_panel.h"

#include "workspace/instance_lists.h"

#include <QDrag>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>

namespace k7 {

DatabaseList::DatabaseList(const Project& project, DbType type, QWidget* parent)
    : QListWidget(parent), project_(project), type_(type) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setObjectName(DatabaseListOf(type).Title);
}

QMimeData* DatabaseList::DragData(int row) const {
    const std::optional<DbDrag> drag = StartDbDrag(project_, type_, row);
    if (!drag)
        return nullptr;
    auto* data = new QMimeData;
    const std::string payload = drag->Name + "\n" + drag->Letter;
    data->setData(DbDragMimeType, QByteArray::fromStdString(payload));
    data->setText(QString::fromStdString(drag->Name));
    return data;
}

// The press reaches Variable Search even when a drag then starts.
void DatabaseList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    const QListWidgetItem* item = itemAt(event->position().toPoint());
    if (item && onNamePressed)
        onNamePressed(type_, item->text().toStdString());
}

void DatabaseList::startDrag(Qt::DropActions) {
    QMimeData* data = DragData(currentRow());
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

DatabaseListsPanel::DatabaseListsPanel(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    for (std::size_t i = 0; i < DatabaseListInfos.size(); ++i) {
        const DatabaseListInfo& info = DatabaseListInfos[i];
        auto* list = new DatabaseList(workspace_.project, info.Type, this);
        list->onNamePressed = [this](DbType type, const std::string& name) {
            if (onNamePressed)
                onNamePressed(type, name);
        };
        lists_[static_cast<int>(info.Type)] = list;
        const int row = static_cast<int>(i / 2) * 2, column = static_cast<int>(i % 2);
        grid->addWidget(new QLabel(info.Title, this), row, column);
        grid->addWidget(list, row + 1, column);
    }
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (ChangesDatabaseNames(part))
            Refresh();
    });
    Refresh();
}

void DatabaseListsPanel::Refresh() {
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        DatabaseList* list = lists_[i];
        const std::vector<std::string>& names = workspace_.project.Databases.List(list->Type());
        if (names == shown_[i])
            continue;
        ++rebuilds_;
        shown_[i] = names;
        list->clear();
        for (const std::string& name : names)
            list->addItem(QString::fromStdString(name));
    }
}

} // namespace k7
