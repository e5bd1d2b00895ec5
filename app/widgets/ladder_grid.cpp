#include "app/widgets/ladder_grid.h"

#include "workspace/ladder_editor.h"

#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace k7 {

CellPictures LoadCellPictures(const std::string& systemFolder) {
    CellPictures pictures;
    std::string folder = systemFolder;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    for (int kind = KindBlank; kind <= LadderKindCount; ++kind) {
        const std::string path = folder + CellBitmap(kind);
        QPixmap& picture = pictures.Pictures[kind - 1];
        if (!picture.load(QString::fromStdString(path)))
            pictures.Missing.push_back(path);
    }
    return pictures;
}

LadderGrid::LadderGrid(const Project& project, const CellPictures& pictures, QWidget* parent)
    : QWidget(parent), project_(project), pictures_(pictures) {
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Resize();
}

void LadderGrid::Resize() {
    setFixedSize(RungNumberWidth + LadderColumns * CellWidth + FindingsWidth,
                 std::max(1, project_.LadderRows) * CellHeight);
    update();
}

void LadderGrid::SetSelectedRow(int row) {
    selectedRow_ = row;
    update();
}

void LadderGrid::SetFindings(std::map<int, std::string> findings) {
    findings_ = std::move(findings);
    update();
}

QRect LadderGrid::CellRect(int column, int row) const {
    return QRect(RungNumberWidth + (column - 1) * CellWidth, row * CellHeight, CellWidth,
                 CellHeight);
}

bool LadderGrid::CellAt(QPoint point, int& column, int& row) const {
    if (point.x() < RungNumberWidth)
        return false;
    column = (point.x() - RungNumberWidth) / CellWidth + 1;
    row = point.y() / CellHeight;
    return column >= 1 && column <= LadderColumns && row >= 0 && row < project_.LadderRows;
}

void LadderGrid::PaintCell(QPainter& painter, int column, int row) const {
    const QRect cell = CellRect(column, row);
    const TLadderRung& rung = project_.Ladder[row];
    const int32_t kind = CountedKind(rung.CellKinds[column]);
    const bool known = kind >= KindBlank && kind <= LadderKindCount;
    const QPixmap* picture = known ? &pictures_.Pictures[kind - 1] : nullptr;
    const int offset = CellPictureOffset(kind);
    if (picture && !picture->isNull()) {
        painter.drawPixmap(cell.left(), cell.top() + offset, *picture);
    } else {
        // A picture that could not be read: a plain outlined cell.
        painter.setPen(Qt::gray);
        painter.drawRect(cell.adjusted(0, offset, -1, -1));
    }
    if (offset > 0 && !rung.CellNames[column].empty()) {
        painter.setPen(Qt::black);
        // A name wider than the cell is cut with an ellipsis rather than
        // clipped at both ends.
        const QString name = painter.fontMetrics().elidedText(
            QString::fromStdString(rung.CellNames[column]), Qt::ElideRight, cell.width() - 2);
        painter.drawText(QRect(cell.left(), cell.top(), cell.width(), offset),
                         Qt::AlignCenter | Qt::TextSingleLine, name);
    }
}

void LadderGrid::PaintRows(QPainter& painter, int first, int last) const {
    const QFont small = [this] {
        QFont font = this->font();
        font.setPixelSize(10);
        return font;
    }();
    painter.setFont(small);
    for (int row = first; row <= last; ++row) {
        const QRect line(0, row * CellHeight, width(), CellHeight);
        painter.fillRect(line, row == selectedRow_ ? QColor(210, 225, 255) : Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, line.top(), RungNumberWidth - 4, CellHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(row + 1));
        for (int column = 1; column <= LadderColumns; ++column)
            PaintCell(painter, column, row);
        auto finding = findings_.find(row);
        if (finding != findings_.end()) {
            painter.setPen(Qt::red);
            painter.drawText(QRect(RungNumberWidth + LadderColumns * CellWidth + 6, line.top(),
                                   FindingsWidth - 8, CellHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                             QString::fromStdString(finding->second));
        }
    }
}

// A name cut to the cell's width is shown whole as the cell's tool tip.
bool LadderGrid::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    int column = 0, row = 0;
    if (CellAt(help->pos(), column, row) && !project_.Ladder[row].CellNames[column].empty())
        QToolTip::showText(help->globalPos(),
                           QString::fromStdString(project_.Ladder[row].CellNames[column]), this);
    else
        QToolTip::hideText();
    return true;
}

void LadderGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const int first = std::max(0, area.top() / CellHeight);
    const int last = std::min(project_.LadderRows - 1, area.bottom() / CellHeight);
    painter.fillRect(area, Qt::white);
    PaintRows(painter, first, last);
}

void LadderGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    int column = 0, row = 0;
    if (CellAt(point, column, row)) {
        emit cellClicked(column, row);
        return;
    }
    // A click on a rung's number selects the rung without drawing on it.
    row = point.y() / CellHeight;
    if (point.x() < RungNumberWidth && row < project_.LadderRows)
        SetSelectedRow(row);
}

void LadderGrid::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void LadderGrid::dragMoveEvent(QDragMoveEvent* event) {
    int column = 0, row = 0;
    if (event->mimeData()->hasText() && CellAt(event->position().toPoint(), column, row) &&
        column != CoilColumn)
        event->acceptProposedAction();
    else
        event->ignore();
}

void LadderGrid::dropEvent(QDropEvent* event) {
    int column = 0, row = 0;
    if (!event->mimeData()->hasText() || !CellAt(event->position().toPoint(), column, row))
        return;
    event->acceptProposedAction();
    emit nameDropped(column, row, event->mimeData()->text());
}

} // namespace k7
