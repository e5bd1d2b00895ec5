// The display section: for every LCD display a header record followed by
// one record per text line, in port and DSP number order, and the buffers
// a display panel needs on its port.
#include "compiler/compile_context.h"
#include "compiler/sections.h"
#include "workspace/display_record.h"
#include "workspace/project.h"
#include "workspace/record_list.h"

#include <algorithm>
#include <array>

namespace k7 {

namespace {

constexpr uint32_t DisplayHeaderMarker = 0x2330;
constexpr uint32_t DisplayLineMarker = 0x2331;
constexpr uint32_t RecordFixedBytes = 52;
constexpr size_t MaxDisplayName = 70;
constexpr int32_t DisplayTxBuffer = 2000;
constexpr int32_t DisplayRxBuffer = 320;
constexpr size_t ShortestField = 3; // shorter fields are the editor's place numbers

// The text and at least one terminating zero, in whole words.
uint32_t TextBytes(size_t length) {
    return static_cast<uint32_t>((length / 4 + 1) * 4);
}

// The header line of each port and DSP number; a later header with the
// same port and number replaces an earlier one.
struct DisplayIndex {
    std::array<std::array<int, DisplayNumberCount>, DisplayPortCount> Header;
    int LargestPort = -1;
};

DisplayIndex IndexDisplays(const std::vector<std::string>& displays) {
    DisplayIndex index;
    for (auto& port : index.Header)
        port.fill(-1);
    for (size_t i = 0; i < displays.size(); ++i) {
        if (!IsRecordHeader(displays[i]))
            continue;
        const DisplayHeader header = ParseDisplayHeader(displays[i]);
        if (header.Port < 0 || header.Port >= DisplayPortCount || header.Number < 0 ||
            header.Number >= DisplayNumberCount)
            continue;
        index.Header[header.Port][header.Number] = static_cast<int>(i);
        index.LargestPort = std::max(index.LargestPort, header.Port);
    }
    return index;
}

// The word of field k (0-based) of a line: a variable for a value place,
// a module record for the other places and for every field after a trend
// or event log place.
std::string FieldWord(CompileContext& context, const std::string& field, PlaceKind kind,
                      bool moduleFields, const std::string& displayName) {
    if (field.size() < ShortestField)
        return {};
    const std::string word = moduleFields || kind != PlaceKind::Value
                                 ? ModuleReference(context, field)
                                 : LookupName(context, field);
    if (word.empty())
        context.ReportInPass2("Cannot find " + field + " in display " + displayName);
    return word;
}

std::string LineRecord(CompileContext& context, const DisplayLine& line, uint32_t address,
                       uint32_t next, const std::string& displayName) {
    const std::vector<PlaceKind> kinds = PlaceKinds(line.Text);
    std::string record =
        HexWord(address) + "|" + HexWord(DisplayLineMarker) + "|" + HexWord(next) + "|";
    bool moduleFields = false;
    for (size_t k = 0; k < DisplayFieldCount; ++k) {
        const PlaceKind kind = k < kinds.size() ? kinds[k] : PlaceKind::Value;
        moduleFields = moduleFields || kind == PlaceKind::TrendOrLog;
        record += FieldWord(context, line.Fields[k], kind, moduleFields, displayName) + "|";
    }
    return record + line.Text + "|\\";
}

// The body lines of the display whose header is at `header`: up to the
// next header, without the lines too short to hold anything.
std::vector<DisplayLine> BodyLines(const std::vector<std::string>& displays, size_t header) {
    std::vector<DisplayLine> lines;
    for (size_t i = header + 1; i < displays.size() && !IsRecordHeader(displays[i]); ++i)
        if (displays[i].size() >= 2)
            lines.push_back(ParseDisplayLine(displays[i]));
    return lines;
}

void WriteDisplay(CompileContext& context, const std::vector<std::string>& displays,
                  size_t headerLine) {
    const DisplayHeader header = ParseDisplayHeader(displays[headerLine]);
    const std::string name = header.Name.substr(0, MaxDisplayName);
    const uint32_t address = context.FlashCursor;
    const uint32_t firstLine = address + RecordFixedBytes + TextBytes(name.size());

    std::vector<std::string> lineRecords;
    uint32_t cursor = firstLine;
    for (const DisplayLine& line : BodyLines(displays, headerLine)) {
        const uint32_t next = cursor + RecordFixedBytes + TextBytes(line.Text.size());
        lineRecords.push_back(LineRecord(context, line, cursor, next, name));
        cursor = next;
    }

    const std::string trigger = LookupName(context, header.Trigger);
    if (trigger.empty())
        context.ReportInPass2("Cannot find trigger status for display " + name);
    if (DownloadImage* image = context.PassImage()) {
        image->Add(
            HexWord(address) + "|" + HexWord(DisplayHeaderMarker) + "|" + HexWord(firstLine) + "|" +
            HexWord(cursor) + "|" + HexWord(static_cast<uint32_t>(header.Port)) + "|" +
            HexWord(static_cast<uint32_t>(header.Number)) + "|" +
            HexWord(static_cast<uint32_t>(header.Font)) + "|" + trigger + "|||||||" + name + "|\\");
        image->Lines.insert(image->Lines.end(), lineRecords.begin(), lineRecords.end());
    }
    context.FlashCursor = cursor;
}

} // namespace

void CompileDisplays(CompileContext& context) {
    const std::vector<std::string>& displays = context.project.Displays;
    const DisplayIndex index = IndexDisplays(displays);
    for (int port = 0; port <= index.LargestPort; ++port) {
        for (int number = 0; number < DisplayNumberCount; ++number) {
            const int headerLine = index.Header[port][number];
            if (headerLine < 0)
                continue;
            if (port > 0) {
                ComBufferSizes::Raise(context.Buffers.Tx[port], DisplayTxBuffer);
                ComBufferSizes::Raise(context.Buffers.Rx[port], DisplayRxBuffer);
            }
            WriteDisplay(context, displays, static_cast<size_t>(headerLine));
        }
    }
}

} // namespace k7
