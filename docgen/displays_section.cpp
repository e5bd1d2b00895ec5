// The displays section: each display's header values and its text lines
// with the variables that fill them.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/linescan.h"
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

// Display fields shorter than this are place numbers, not names.
constexpr size_t MinDisplayField = 3;

void WriteContentLine(const std::string& stored, DocLines& out) {
    const std::vector<std::string> fields = BarFields(stored);
    const std::string& text = FieldAt(fields, 1);
    std::string line = "  " + text;
    if (text.size() < 45)
        line += std::string(45 - text.size(), '.');
    size_t lastAppended = text.size();
    for (int f = 2; f <= 11; ++f) {
        const std::string& field = FieldAt(fields, f);
        if (field.size() < MinDisplayField)
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
    const std::vector<std::string> fields = RecordHeaderFields(displays[header]);
    out.push_back("");
    out.push_back("");
    out.push_back("DISPLAY NAME=" + FieldAt(fields, 1) + "  Port=" + FieldAt(fields, 2) +
                  "  DSP#=" + FieldAt(fields, 3) + "  Font=" + FontText(FieldAt(fields, 4)) +
                  "  Trigger=" + FieldAt(fields, 5));
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
        const size_t first =
            firstHeader.emplace(FieldAt(RecordHeaderFields(displays[i]), 1), i).first->second;
        headers.push_back(first);
    }
    for (size_t header : headers)
        WriteDisplay(displays, header, out);
}

} // namespace k7
