#include "tables_speech/spoken_text.h"

#include "tables_speech/phrase_vocabulary.h"
#include "tables_speech/speech_report.h"
#include "workspace/project.h"

namespace k7 {

std::string SampleValue(const std::string& format) {
    const FormatDigits digits = CountFormatDigits(format);
    std::string value;
    int next = 1;
    auto digit = [&next] {
        const char c = static_cast<char>('0' + next);
        next = next % 9 + 1;
        return c;
    };
    for (uint32_t i = 0; i < digits.Before; ++i)
        value += digit();
    if (value.empty())
        value.push_back('0'); // no digit before the point is still spoken as "0"
    if (digits.After > 0) {
        value += '.';
        for (uint32_t i = 0; i < digits.After; ++i)
            value += digit();
    }
    return value;
}

static std::string CellWords(const Project& project, const SpeechCell& cell) {
    switch (cell.Kind) {
    case SpeechCellKind::Phrase:
    case SpeechCellKind::PhraseSelector:
        return PhraseText(project, cell.Phrase);
    case SpeechCellKind::SpokenNumber:
        return SampleValue(cell.Format);
    case SpeechCellKind::Empty:
    case SpeechCellKind::Undelimited:
        break;
    }
    return {};
}

std::string SpokenText(const Project& project, const SpeechLine& line) {
    std::string text;
    for (int cell = 1; cell < SpeechLineCells; ++cell) {
        const std::string words = CellWords(project, ParseSpeechCell(line[cell]));
        if (words.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += words;
    }
    return text;
}

} // namespace k7
