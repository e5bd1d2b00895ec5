#include "workspace/display_preview.h"

namespace k7 {

// The width of the place that begins at text[i] (an "@"), scanned as the
// unit reads it: a run of "@" and "." begun by "@@", "@" and its module
// letter, or a lone "@".
static size_t PlaceWidth(const std::string& text, size_t i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (next == '@') {
        size_t end = i;
        while (end < text.size() && (text[end] == '@' || text[end] == '.'))
            ++end;
        return end - i;
    }
    if (next == 'T' || next == 'E' || next == 'H' || next == 'V')
        return 2;
    return 1;
}

std::string PreviewDisplayLine(const DisplayLine& line) {
    const std::string& text = line.Text;
    std::string shown;
    size_t place = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '@') {
            shown += text[i++];
            continue;
        }
        const size_t width = PlaceWidth(text, i);
        const std::string& field = place < line.Fields.size() ? line.Fields[place] : std::string();
        if (field.empty())
            shown += text.substr(i, width);
        else
            shown +=
                field.substr(0, width) + std::string(width - std::min(width, field.size()), ' ');
        ++place;
        i += width;
    }
    return shown;
}

} // namespace k7
