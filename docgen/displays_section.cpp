// The displays section: each display's header values and its text lines
// with the variables that fill them.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/display_record.h"
#include "workspace/record_list.h"

#include <unordered_map>

namespace k7 {

namespace {

// Stored font index 0, 1, 2: one, two or four times the normal size.
std::string FontText(const std::string& code) {
    if (code.empty())
        return "";
    switch (code[0]) {
    case '0':
        return "1X";
    case '1':
        return "2X";
    case '2':
        return "4X";
    default:
        return "";
    }
}

void WriteContentLine(const std::string& stored, DocLines& out) {
    const DisplayLine body = ParseDisplayLine(stored);
    const std::string& text = body.Text;
    std::string line = "  " + text;
    if (text.size() < 45)
        line += std::string(45 - text.size(), '.');
    size_t lastAppended = text.size();
    for (const std::string& field : body.Fields) {
        if (field.size() < MinDisplayFieldName)
            break;
        if (lastAppended > 80) {
            out.push_back(line);
            line = "     ...";
        }
        line += "  " + field;
        lastAppended = field.size();
    }
    out.push_back(line);
}

void WriteDisplay(const std::vector<std::string>& displays, size_t header, DocLines& out) {
    const DisplayHeaderTexts stored = ReadDisplayHeaderTexts(displays[header]);
    out.push_back("");
    out.push_back("");
    out.push_back("DISPLAY NAME=" + stored.Name + "  Port=" + stored.Port +
                  "  DSP#=" + stored.Number + "  Font=" + FontText(stored.Font) +
                  "  Trigger=" + stored.Trigger);
    out.push_back("");
    for (size_t i = header + 1; i < displays.size() && !IsHeaderLine(displays[i]); ++i)
        WriteContentLine(displays[i], out);
}

} // namespace

void WriteDisplaysSection(const DocSource& source, DocLines& out) {
    AppendIntroBlock(source.intro, 'D', out);
    const std::vector<std::string>& displays = source.project.Displays;
    // The display list shows the displays in the stored order of their headers;
    // each is documented from the first header bearing its name.
    std::vector<size_t> headers;
    std::unordered_map<std::string, size_t> firstHeader;
    for (size_t i = 0; i < displays.size(); ++i) {
        if (!IsHeaderLine(displays[i]))
            continue;
        const size_t first = firstHeader.emplace(RecordName(displays[i]), i).first->second;
        headers.push_back(first);
    }
    for (size_t header : headers)
        WriteDisplay(displays, header, out);
}

} // namespace k7
