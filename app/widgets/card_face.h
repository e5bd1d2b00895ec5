// One slot of the card panel, drawn in code: the slot's caption above the
// card, the card's title, its indicator lights with their labels and its
// nine terminal lines, where the I/O instances bound to a channel show
// their names. The face takes cards dropped from the card list and reports
// a click on a terminal line; what either means is the panel's business.
#pragma once

#include "workspace/card_cage.h"

#include <QWidget>

namespace k7 {

// The MIME format of a card dragged from the card list: its type code.
constexpr const char* CardDragMimeType = "application/x-k7-card";

class CardFace : public QWidget {
    Q_OBJECT

  public:
    CardFace(int slot, QWidget* parent = nullptr);

    void Show(const SlotView& view);
    const SlotView& View() const { return view_; }
    int Slot() const { return slot_; }

    // Where things are drawn, in the face's coordinates.
    QRect TitleRect() const;
    QRect IndicatorRect(int position) const; // 1..8
    QRect LineRect(int line) const;          // 0..8
    // A drop inside the indicator or terminal columns lands on the lists;
    // anywhere else on the card it lands on the frame.
    DropTarget TargetAt(QPoint at) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void cardDropped(int slot, int code, DropTarget target);
    void lineClicked(int slot, int line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QRect CardRect() const;

    int slot_;
    SlotView view_;
};

// The face colour of a card type; the seventeen types each have their own.
QColor CardColour(int code);

} // namespace k7
