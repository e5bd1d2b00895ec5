#include "workspace/speech_record.h"

#include "workspace/record_list.h"

#include <algorithm>
#include <vector>

namespace k7 {

std::string SpeechHeaderLine(const SpeechHeader& header) {
    return "~" + header.Name + "|" + header.Trigger + "|" + header.Stop + "|" + header.LineTrigger +
           "|" + header.LineSelect + "|" + header.ScanTrigger + "|" + header.Board;
}

SpeechHeader ParseSpeechHeader(const std::string& line) {
    const std::vector<std::string> fields = LineFields(line);
    auto field = [&fields](size_t n) { return n <= fields.size() ? fields[n - 1] : std::string(); };
    SpeechHeader header;
    header.Name = RecordName(line);
    header.Trigger = field(2);
    header.Stop = field(3);
    header.LineTrigger = field(4);
    header.LineSelect = field(5);
    header.ScanTrigger = field(6);
    header.Board = field(7);
    return header;
}

std::string SpeechLineText(const SpeechLine& line) {
    std::string text;
    for (const std::string& cell : line)
        text += cell + "|";
    return text;
}

SpeechLine ParseSpeechLine(const std::string& text) {
    const std::vector<std::string> fields = LineFields(text);
    SpeechLine line;
    for (size_t i = 0; i < line.size() && i < fields.size(); ++i)
        line[i] = fields[i];
    return line;
}

static bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of the digits at the start of text, held below 2^32.
static uint32_t LeadingNumber(const std::string& text) {
    uint64_t value = 0;
    for (size_t i = 0; i < text.size() && IsDigit(text[i]); ++i)
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[i] - '0'), 0xFFFFFFFF);
    return static_cast<uint32_t>(value);
}

SpeechCell ParseSpeechCell(const std::string& stored) {
    SpeechCell cell;
    if (stored.empty())
        return cell;
    if (IsDigit(stored[0])) {
        cell.Kind = SpeechCellKind::Phrase;
        cell.Phrase = LeadingNumber(stored);
        return cell;
    }
    const size_t semicolon = stored.find(';');
    if (semicolon == std::string::npos) {
        cell.Kind = SpeechCellKind::Undelimited;
        cell.Variable = stored;
        return cell;
    }
    cell.Variable = stored.substr(0, semicolon);
    const std::string rest = stored.substr(semicolon + 1);
    if (!rest.empty() && IsDigit(rest[0])) {
        cell.Kind = SpeechCellKind::PhraseSelector;
        cell.Phrase = LeadingNumber(rest);
    } else {
        cell.Kind = SpeechCellKind::SpokenNumber;
        cell.Format = rest;
    }
    return cell;
}

std::string SpokenNumberCell(const std::string& variable, const std::string& format) {
    return variable + ";" + format;
}

std::string PhraseSelectorCell(const std::string& variable, uint32_t firstPhrase) {
    return variable + ";" + std::to_string(firstPhrase);
}

std::string SpeechCellName(const std::string& cell) {
    const size_t semicolon = cell.find(';');
    if (semicolon == std::string::npos)
        return cell;
    const std::string name = cell.substr(0, semicolon);
    const size_t first = name.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : name.substr(first);
}

} // namespace k7
