// The speech section: the phrase vocabulary and every report with its
// lines spelled out in phrases and variables.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/record_list.h"
#include "workspace/speech_record.h"

#include <cctype>

namespace k7 {

namespace {

bool HasReport(const std::vector<std::string>& reports) {
    for (const std::string& line : reports)
        if (IsHeaderLine(line))
            return true;
    return false;
}

// The phrase vocabulary keeps row 255 free; the documentation lists 1 to 254.
constexpr int DocumentedPhrases = 254;

void WritePhrases(const Project& project, DocLines& out) {
    for (int row = 1; row <= DocumentedPhrases; ++row)
        if (project.SpeechPhrases[row].size() > 1)
            out.push_back(std::to_string(row) + " " + project.SpeechPhrases[row]);
    out.push_back(" ");
    out.push_back(" ");
    out.push_back("REPORTS:");
    out.push_back(" ");
}

std::string ReportHeader(const std::string& line) {
    const SpeechHeader h = ParseSpeechHeader(line);
    return "RPT NAME=" + h.Name + ", RPT Trig=" + h.Trigger + ", RPT STOP=" + h.Stop +
           ", LINE Trig=" + h.LineTrigger + ", LINE SEL=" + h.LineSelect +
           ", SCAN Trig=" + h.ScanTrigger + ", BOARD=" + h.Board;
}

// A cell beginning with a digit is a phrase number; any other cell is a
// variable, shown in braces. The enable cell and the first 13 phrase cells
// are shown, the cells the unit reads.
std::string ReportLine(const Project& project, int number, const std::string& line) {
    const SpeechLine cells = ParseSpeechLine(line);
    std::string text = std::to_string(number) + " ";
    for (size_t i = 0; i < static_cast<size_t>(SpeechPhraseCells); ++i) {
        const std::string& cell = cells[i];
        if (cell.empty())
            continue;
        if (std::isdigit(static_cast<unsigned char>(cell[0]))) {
            const int phrase = TextNumber(cell);
            text +=
                (phrase >= 1 && phrase <= PhraseCount ? project.SpeechPhrases[phrase] : "") + " ";
        } else {
            text += "{" + cell + "} ";
        }
    }
    return text;
}

} // namespace

void WriteSpeechSection(const DocSource& source, DocLines& out) {
    const Project& project = source.project;
    if (!HasReport(project.SpeechReports))
        return;
    AppendIntroBlock(source.intro, 'V', out);
    WritePhrases(project, out);
    bool firstReport = true;
    int lineNumber = 0;
    for (const std::string& line : project.SpeechReports) {
        if (line.size() < 2)
            continue;
        if (line[0] == '~') {
            if (!firstReport) {
                out.push_back(" ");
                out.push_back(" ");
            }
            firstReport = false;
            out.push_back(ReportHeader(line));
            lineNumber = 0;
            continue;
        }
        out.push_back(ReportLine(project, ++lineNumber, line));
    }
}

} // namespace k7
