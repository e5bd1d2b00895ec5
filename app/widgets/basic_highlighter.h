// Colours a BASIC source as the person types: the dialect's reserved words,
// numbers, string literals and comments of the code, and the section
// headers. A line is coloured from its own text and whether the code has
// begun, so an edit re-colours only the lines it touched.
#pragma once

#include "basic/basic_tokens.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace k7 {

class BasicHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

  public:
    explicit BasicHighlighter(QTextDocument* document);

    // The kinds of text told apart, as the colouring names them.
    enum class Kind { Plain, ReservedWord, Number, String, Comment, Section };
    // The kind of the character at column of a line of code.
    static Kind KindAt(const ReservedWordTable& words, const QString& line, int column);

  protected:
    void highlightBlock(const QString& text) override;

  private:
    QTextCharFormat reserved_;
    QTextCharFormat number_;
    QTextCharFormat string_;
    QTextCharFormat comment_;
    QTextCharFormat section_;
};

} // namespace k7
