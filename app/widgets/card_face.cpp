#include "app/widgets/card_face.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <array>

namespace k7 {

namespace {
constexpr int CaptionHeight = 18;
constexpr int TitleHeight = 20;
constexpr int IndicatorHeight = 13;
constexpr int LineHeight = 17;
constexpr int Gap = 6;
constexpr int FaceWidth = 104;
} // namespace

QColor CardColour(int code) {
    // Picked so that neighbouring cards in a cage stay easy to tell apart.
    static const std::array<QColor, CardTypeCount + 1> colours = {
        QColor(90, 90, 90),    // 0 CPU or empty
        QColor(70, 110, 170),  // 1 flash
        QColor(120, 90, 160),  // 2 sleep
        QColor(170, 100, 60),  // 3 speech
        QColor(180, 60, 60),   // 4 relay 8
        QColor(200, 90, 90),   // 5 relay 4
        QColor(50, 130, 70),   // 6 digital in 8
        QColor(90, 160, 100),  // 7 digital in 4
        QColor(170, 140, 40),  // 8 analog out 1
        QColor(200, 170, 60),  // 9 analog out 4
        QColor(40, 120, 140),  // 10 analog in 8
        QColor(60, 80, 130),   // 11 modem
        QColor(140, 110, 70),  // 12 loop power
        QColor(150, 150, 150), // 13 vacant
        QColor(130, 60, 120),  // 14 combo
        QColor(80, 100, 100),  // 15 printer
        QColor(40, 150, 170),  // 16 AI 16 bit
        QColor(150, 120, 170), // 17 K3 AI/AO
    };
    return code >= 0 && code <= CardTypeCount ? colours[code] : colours[13];
}

CardFace::CardFace(int slot, QWidget* parent) : QWidget(parent), slot_(slot) {
    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setObjectName(QString("Slot %1").arg(slot));
}

void CardFace::Show(const SlotView& view) {
    view_ = view;
    setEnabled(view.Enabled);
    setToolTip(QString::fromStdString(view.Title));
    update();
}

QSize CardFace::sizeHint() const {
    return {FaceWidth, CaptionHeight + TitleHeight + 8 * IndicatorHeight + Gap +
                           SlotCount * LineHeight + 2 * Gap};
}

QSize CardFace::minimumSizeHint() const {
    return sizeHint();
}

QRect CardFace::CardRect() const {
    return rect().adjusted(1, CaptionHeight, -1, -1);
}

QRect CardFace::TitleRect() const {
    const QRect card = CardRect();
    return {card.left(), card.top(), card.width(), TitleHeight};
}

QRect CardFace::IndicatorRect(int position) const {
    const QRect card = CardRect();
    return {card.left() + Gap, TitleRect().bottom() + 1 + (position - 1) * IndicatorHeight,
            card.width() - 2 * Gap, IndicatorHeight};
}

QRect CardFace::LineRect(int line) const {
    const QRect card = CardRect();
    return {card.left() + Gap, IndicatorRect(8).bottom() + 1 + Gap + line * LineHeight,
            card.width() - 2 * Gap, LineHeight};
}

DropTarget CardFace::TargetAt(QPoint at) const {
    const QRect lists = IndicatorRect(1).united(LineRect(SlotCount - 1));
    return lists.contains(at) ? DropTarget::Lists : DropTarget::Frame;
}

void CardFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    painter.setPen(
        palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(QRect(0, 0, width(), CaptionHeight), Qt::AlignCenter,
                     QString::fromStdString(view_.Caption));

    const QRect card = CardRect();
    QColor face = CardColour(view_.DrawnCode);
    if (!enabled)
        face = face.lighter(170);
    painter.setBrush(face.lighter(160));
    painter.setPen(QPen(face.darker(130), 2));
    painter.drawRoundedRect(card, 4, 4);
    painter.fillRect(TitleRect().adjusted(1, 1, -1, 0), face);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::white);
    painter.drawText(TitleRect(), Qt::AlignCenter, QString::fromStdString(view_.Title));
    painter.setFont(font());

    for (int position = 1; position <= 8; ++position) {
        if (!view_.IndicatorVisible(position))
            continue;
        const QRect row = IndicatorRect(position);
        const QRect light(row.left(), row.top() + 2, row.height() - 4, row.height() - 4);
        painter.setBrush(QColor(220, 40, 40));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(light);
        painter.setPen(Qt::black);
        painter.drawText(row.adjusted(light.width() + 4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromStdString(view_.Indicators[position - 1]));
    }

    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSizeF(font().pointSizeF() * 0.9);
    painter.setFont(fixed);
    for (int line = 0; line < SlotCount; ++line) {
        const QRect row = LineRect(line);
        painter.setBrush(Qt::white);
        painter.setPen(QPen(face.darker(150), 1));
        painter.drawRect(row);
        const std::string& text = view_.Lines[line];
        // A bound instance's name stands out from the terminal labels.
        const bool bound = !text.empty() && text.front() != '[' && text.front() != ' ';
        painter.setPen(bound ? QColor(0, 0, 160) : Qt::black);
        painter.drawText(row.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromStdString(text));
    }
}

void CardFace::mousePressEvent(QMouseEvent* event) {
    for (int line = 0; line < SlotCount; ++line)
        if (LineRect(line).contains(event->position().toPoint())) {
            emit lineClicked(slot_, line);
            return;
        }
    QWidget::mousePressEvent(event);
}

void CardFace::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(CardDragMimeType))
        event->acceptProposedAction();
}

void CardFace::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(CardDragMimeType))
        event->acceptProposedAction();
}

void CardFace::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(CardDragMimeType))
        return;
    event->acceptProposedAction();
    const int code = QString::fromLatin1(event->mimeData()->data(CardDragMimeType)).toInt();
    emit cardDropped(slot_, code, TargetAt(event->position().toPoint()));
}

} // namespace k7
