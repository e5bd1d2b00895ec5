#include "app/widgets/drop_table.h"

#include <QDropEvent>
#include <QMimeData>

namespace k7 {

static bool Droppable(const QMimeData* data) {
    return data->hasText() || data->hasFormat(PhraseMimeType);
}

static int PhraseOf(const QMimeData* data) {
    return QString::fromLatin1(data->data(PhraseMimeType)).toInt();
}

DropTable::DropTable(QWidget* parent) : QTableWidget(parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DropTable::dragEnterEvent(QDragEnterEvent* event) {
    if (Droppable(event->mimeData()))
        event->acceptProposedAction();
}

void DropTable::dragMoveEvent(QDragMoveEvent* event) {
    if (Droppable(event->mimeData()))
        event->acceptProposedAction();
}

void DropTable::dropEvent(QDropEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || !Droppable(event->mimeData()))
        return;
    event->acceptProposedAction();
    if (event->mimeData()->hasFormat(PhraseMimeType))
        emit phraseDropped(index.row(), index.column(), PhraseOf(event->mimeData()));
    else
        emit nameDropped(index.row(), index.column(), event->mimeData()->text());
}

DropLineEdit::DropLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(true);
}

void DropLineEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (Droppable(event->mimeData()))
        event->acceptProposedAction();
}

void DropLineEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (Droppable(event->mimeData()))
        event->acceptProposedAction();
}

void DropLineEdit::dropEvent(QDropEvent* event) {
    if (!Droppable(event->mimeData()))
        return;
    event->acceptProposedAction();
    if (event->mimeData()->hasFormat(PhraseMimeType))
        emit phraseDropped(PhraseOf(event->mimeData()));
    else
        emit nameDropped(event->mimeData()->text());
}

void ShowCell(QTableWidget* grid, int row, int column, const QString& text, bool editable) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    item->setText(text);
    const Qt::ItemFlags flags = item->flags();
    item->setFlags(editable ? flags | Qt::ItemIsEditable : flags & ~Qt::ItemIsEditable);
}

PhraseTable::PhraseTable(QWidget* parent) : QTableWidget(parent) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

QMimeData* PhraseTable::mimeData(const QList<QTableWidgetItem*>& items) const {
    if (items.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(PhraseMimeType, QByteArray::number(items.first()->row() + 1));
    return data;
}

} // namespace k7
