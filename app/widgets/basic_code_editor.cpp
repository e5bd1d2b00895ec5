#include "app/widgets/basic_code_editor.h"

#include "app/widgets/basic_highlighter.h"

#include <QPainter>
#include <QTextBlock>
#include <algorithm>

namespace k7 {

namespace {

// The gutter paints what its editor tells it to.
class LineNumberGutter : public QWidget {
  public:
    explicit LineNumberGutter(BasicCodeEditor* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->GutterWidth(), 0}; }

  protected:
    void paintEvent(QPaintEvent* event) override { editor_->PaintGutter(event); }

  private:
    BasicCodeEditor* editor_;
};

int DigitsOf(int count) {
    int digits = 1;
    for (int rest = std::max(1, count); rest >= 10; rest /= 10)
        ++digits;
    return digits;
}

} // namespace

BasicCodeEditor::BasicCodeEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFont(QStringLiteral("Monospace"), 10));
    gutter_ = new LineNumberGutter(this);
    highlighter_ = new BasicHighlighter(document());
    // The gutter is sized only when the number of digits changes, and
    // repainted only where the view scrolled or changed.
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { UpdateGutterWidth(); });
    connect(this, &QPlainTextEdit::updateRequest, this, &BasicCodeEditor::UpdateGutter);
    UpdateGutterWidth();
}

int BasicCodeEditor::GutterWidth() const {
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, digits_);
}

void BasicCodeEditor::UpdateGutterWidth() {
    const int digits = DigitsOf(blockCount());
    if (digits == digits_)
        return;
    digits_ = digits;
    setViewportMargins(GutterWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    gutter_->setGeometry(QRect(area.left(), area.top(), GutterWidth(), area.height()));
}

void BasicCodeEditor::UpdateGutter(const QRect& rect, int dy) {
    if (dy != 0)
        gutter_->scroll(0, dy);
    else
        gutter_->update(0, rect.y(), gutter_->width(), rect.height());
}

void BasicCodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    gutter_->setGeometry(QRect(area.left(), area.top(), GutterWidth(), area.height()));
}

void BasicCodeEditor::PaintGutter(QPaintEvent* event) {
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), QColor(236, 236, 236));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    const int height = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.setPen(IsShownRed(number) ? Qt::red : QColor(120, 120, 120));
            painter.drawText(0, top, gutter_->width() - 4, height, Qt::AlignRight,
                             QString::number(number + 1));
        }
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
        ++number;
    }
}

void BasicCodeEditor::SetErrorLines(const std::vector<int>& lines) {
    errorLines_ = lines;
    std::sort(errorLines_.begin(), errorLines_.end());
    errorLines_.erase(std::unique(errorLines_.begin(), errorLines_.end()), errorLines_.end());
    QList<QTextEdit::ExtraSelection> red;
    for (int line : errorLines_) {
        const QTextBlock block = document()->findBlockByNumber(line);
        if (!block.isValid())
            continue;
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(block);
        selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        selection.format.setForeground(Qt::red);
        red.push_back(selection);
    }
    setExtraSelections(red);
    gutter_->update();
}

bool BasicCodeEditor::IsShownRed(int line) const {
    return std::binary_search(errorLines_.begin(), errorLines_.end(), line);
}

void BasicCodeEditor::GoToLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    setTextCursor(QTextCursor(block));
    centerCursor();
    setFocus();
}

} // namespace k7
