// Grids, fields and lists that take the names the database lists and the
// phrase list drag. Each forwards the drop to its page, which asks the core;
// the widget itself never changes its content on a drop.
#pragma once

#include <QLineEdit>
#include <QTableWidget>

namespace k7 {

// A dragged variable name travels as plain text; a dragged phrase as its
// number under this type, so a drop can tell the two apart.
constexpr const char* PhraseMimeType = "application/x-k7-phrase";

class DropTable : public QTableWidget {
    Q_OBJECT

  public:
    explicit DropTable(QWidget* parent = nullptr);

  signals:
    void nameDropped(int row, int column, const QString& name);
    void phraseDropped(int row, int column, int phrase);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class DropLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit DropLineEdit(QWidget* parent = nullptr);

  signals:
    void nameDropped(const QString& name);
    void phraseDropped(int phrase);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The width of a grid's line number column.
constexpr int NumberColumnWidth = 40;

// Shows text in a grid cell, keeping the cell's item: a page refreshes its
// grid from inside the grid's own change signal, while the item that sent
// it is still in use.
void ShowCell(QTableWidget* grid, int row, int column, const QString& text, bool editable = true);

// The phrase list: rows drag their phrase number.
class PhraseTable : public QTableWidget {
    Q_OBJECT

  public:
    explicit PhraseTable(QWidget* parent = nullptr);

  protected:
    QMimeData* mimeData(const QList<QTableWidgetItem*>& items) const override;
};

} // namespace k7
