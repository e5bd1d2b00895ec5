#include "app/widgets/basic_highlighter.h"

#include <vector>

namespace k7 {

namespace {

struct Span {
    int Start = 0;
    int Length = 0;
    BasicHighlighter::Kind Kind = BasicHighlighter::Kind::Plain;
};

bool IsNameStart(QChar c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// A name goes on with the characters the lexer keeps in one field: letters,
// digits, "_", "." and the type marks "!", "$" and "%".
bool IsNamePart(QChar c) {
    return IsNameStart(c) || c.isDigit() || c == '.' || c == '!' || c == '$' || c == '%';
}

// Cuts one line into the spans that get a colour, the way the lexer reads it:
// a double quote opens a literal that ends at the next quote or the line end,
// an apostrophe outside a literal starts a comment, "#" first on a line names
// a section.
std::vector<Span> Spans(const ReservedWordTable& words, const QString& line, bool inCode) {
    using Kind = BasicHighlighter::Kind;
    std::vector<Span> spans;
    int i = 0;
    const int length = static_cast<int>(line.size());
    while (i < length && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (i < length && line[i] == '#') {
        spans.push_back({i, length - i, Kind::Section});
        return spans;
    }
    // Before "#CODE" a line is a description, not a statement.
    if (!inCode)
        return spans;
    while (i < length) {
        const QChar c = line[i];
        if (c == '\'') {
            spans.push_back({i, length - i, Kind::Comment});
            break;
        }
        if (c == '"') {
            const int close = static_cast<int>(line.indexOf('"', i + 1));
            const int end = close < 0 ? length : close + 1;
            spans.push_back({i, end - i, Kind::String});
            i = end;
            continue;
        }
        if (c.isDigit() || (c == '.' && i + 1 < length && line[i + 1].isDigit())) {
            int end = i;
            while (end < length && (line[end].isDigit() || line[end] == '.'))
                ++end;
            // "2B" is one name to the lexer, not a number.
            if (end < length && IsNameStart(line[end])) {
                while (end < length && IsNamePart(line[end]))
                    ++end;
            } else {
                spans.push_back({i, end - i, Kind::Number});
            }
            i = end;
            continue;
        }
        if (IsNameStart(c)) {
            int end = i;
            while (end < length && IsNamePart(line[end]))
                ++end;
            const std::string word = line.mid(i, end - i).toUpper().toStdString();
            if (words.Contains(word))
                spans.push_back({i, end - i, Kind::ReservedWord});
            i = end;
            continue;
        }
        ++i;
    }
    return spans;
}

} // namespace

BasicHighlighter::BasicHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    reserved_.setForeground(QColor(0, 0, 160));
    reserved_.setFontWeight(QFont::Bold);
    number_.setForeground(QColor(160, 80, 0));
    string_.setForeground(QColor(0, 120, 0));
    comment_.setForeground(QColor(110, 110, 110));
    comment_.setFontItalic(true);
    section_.setForeground(QColor(128, 0, 128));
    section_.setFontWeight(QFont::Bold);
}

BasicHighlighter::Kind BasicHighlighter::KindAt(const ReservedWordTable& words, const QString& line,
                                                int column) {
    for (const Span& span : Spans(words, line, true))
        if (column >= span.Start && column < span.Start + span.Length)
            return span.Kind;
    return Kind::Plain;
}

// The one thing a line hands to the next is whether "#CODE" came before it;
// typing inside the code leaves that as it was, so only the edited line is
// coloured again.
void BasicHighlighter::highlightBlock(const QString& text) {
    bool inCode = previousBlockState() == 1;
    if (!inCode && text.trimmed().toUpper().startsWith("#CODE"))
        inCode = true;
    setCurrentBlockState(inCode ? 1 : 0);
    for (const Span& span : Spans(ReservedWords(), text, inCode)) {
        switch (span.Kind) {
        case Kind::ReservedWord:
            setFormat(span.Start, span.Length, reserved_);
            break;
        case Kind::Number:
            setFormat(span.Start, span.Length, number_);
            break;
        case Kind::String:
            setFormat(span.Start, span.Length, string_);
            break;
        case Kind::Comment:
            setFormat(span.Start, span.Length, comment_);
            break;
        case Kind::Section:
            setFormat(span.Start, span.Length, section_);
            break;
        case Kind::Plain:
            break;
        }
    }
}

} // namespace k7
