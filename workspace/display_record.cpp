#include "workspace/display_record.h"

#include "workspace/record_list.h"
#include "workspace/telemetry_arrays.h"

#include <algorithm>

namespace k7 {

int CountPlaces(const std::string& text) {
    int places = 0;
    bool inRun = false; // inside a run of "@" and "." begun by an "@"
    for (char c : text) {
        if (c == '@') {
            if (!inRun)
                ++places;
            inRun = true;
        } else if (c != '.') {
            inRun = false;
        }
    }
    return places;
}

static PlaceKind KindOfLetter(char letter) {
    switch (letter) {
    case 'T':
    case 'E':
        return PlaceKind::TrendOrLog;
    case 'H':
        return PlaceKind::HorizontalBar;
    case 'V':
        return PlaceKind::OtherModule;
    default:
        return PlaceKind::Value;
    }
}

std::vector<PlaceKind> PlaceKinds(const std::string& text) {
    std::vector<PlaceKind> kinds;
    size_t i = 0;
    while (i < text.size() && kinds.size() < MaxLinePlaces) {
        if (text[i] != '@') {
            ++i;
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next == '@') {
            kinds.push_back(PlaceKind::Value);
            while (i < text.size() && (text[i] == '@' || text[i] == '.'))
                ++i;
            continue;
        }
        const PlaceKind kind = KindOfLetter(next);
        kinds.push_back(kind);
        i += kind == PlaceKind::Value ? 1 : 2;
    }
    return kinds;
}

std::string DisplayHeaderLine(const DisplayHeader& header) {
    return "~" + header.Name + "|" + std::to_string(header.Port) + "|" +
           std::to_string(header.Number) + "|" + std::to_string(header.Font) + "|" +
           header.Trigger + "|";
}

std::string DisplayBodyLine(const DisplayLine& line) {
    const int places = std::min(CountPlaces(line.Text), DisplayFieldCount);
    std::string text = line.Text + "|";
    for (int k = 1; k <= DisplayFieldCount; ++k)
        text += (k <= places ? line.Fields[k - 1] : std::to_string(k)) + "|";
    return text;
}

DisplayHeaderTexts ReadDisplayHeaderTexts(const std::string& line) {
    const std::vector<std::string> fields = RecordHeaderFields(line);
    return {FieldAt(fields, 1), FieldAt(fields, 2), FieldAt(fields, 3), FieldAt(fields, 4),
            FieldAt(fields, 5)};
}

DisplayHeader ParseDisplayHeader(const std::string& line) {
    const DisplayHeaderTexts texts = ReadDisplayHeaderTexts(line);
    DisplayHeader header;
    header.Name = texts.Name;
    header.Port = CellNumber(texts.Port);
    header.Number = CellNumber(texts.Number);
    header.Font = CellNumber(texts.Font);
    header.Trigger = texts.Trigger;
    return header;
}

DisplayLine ParseDisplayLine(const std::string& line) {
    const std::vector<std::string> fields = LineFields(line);
    DisplayLine body;
    body.Text = FieldAt(fields, 1);
    for (int k = 1; k <= DisplayFieldCount; ++k)
        body.Fields[k - 1] = FieldAt(fields, k + 1);
    return body;
}

} // namespace k7
