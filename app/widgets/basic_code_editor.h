// The BASIC editor window's text control: plain text with the line numbers
// in a gutter on its left and the lines of the last compile's errors shown
// red. The red is drawn over the text, not written into it, so it neither
// marks the text modified nor enters the undo history.
#pragma once

#include <QPlainTextEdit>
#include <vector>

namespace k7 {

class BasicHighlighter;

class BasicCodeEditor : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit BasicCodeEditor(QWidget* parent = nullptr);

    QWidget* Gutter() const { return gutter_; }
    int GutterWidth() const;
    BasicHighlighter* Highlighter() const { return highlighter_; }

    // 0-based lines to show red; an empty list shows every line black.
    void SetErrorLines(const std::vector<int>& lines);
    const std::vector<int>& ErrorLines() const { return errorLines_; }
    // The colour the line is drawn in over its own colouring.
    bool IsShownRed(int line) const;

    // Puts the caret at the start of the 0-based line and shows it.
    void GoToLine(int line);

    void PaintGutter(QPaintEvent* event);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void UpdateGutterWidth();
    void UpdateGutter(const QRect& rect, int dy);

    QWidget* gutter_ = nullptr;
    BasicHighlighter* highlighter_ = nullptr;
    std::vector<int> errorLines_;
    int digits_ = 0;
};

} // namespace k7
