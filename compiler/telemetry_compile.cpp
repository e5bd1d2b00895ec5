// The TX and RX array sections: a header record, one element record per
// row (what to send or where to put what arrives), then one group record
// per telemetry message, and the buffer each message needs on its port.
#include "compiler/compile_context.h"
#include "compiler/sections.h"
#include "workspace/linescan.h"
#include "workspace/project.h"
#include "workspace/telemetry_arrays.h"

#include <algorithm>
#include <unordered_map>

namespace k7 {

namespace {

constexpr uint32_t TxGroupMarker = 0x2328;
constexpr uint32_t TxHeaderMarker = 0x2329;
constexpr uint32_t RxGroupMarker = 0x232A;
constexpr uint32_t RxHeaderMarker = 0x232B;
constexpr uint32_t HeaderBytes = 4;
constexpr uint32_t ElementBytes = 8;
constexpr uint32_t GroupBytes = 20;
constexpr size_t ElementLineLimit = 80;
constexpr int32_t MaxMessageBuffer = 1000;
constexpr uint32_t SelfUnitCode = 255;
constexpr uint32_t AddressMask = 0xFFFFFF;
// Arrays with fewer rows (title included) are not compiled.
constexpr int MinimumArrayRows = 3;

enum class Direction { Tx, Rx };

const char* ArrayName(Direction direction) {
    return direction == Direction::Tx ? "TX array" : "RX array";
}

uint32_t TypeCode(const std::string& type) {
    switch (type.empty() ? '\0' : type[0]) {
    case 'F':
        return 1;
    case 'S':
        return 2;
    case 'L':
        return 3;
    default:
        return 0;
    }
}

uint32_t MultCode(const std::string& mult) {
    static const std::unordered_map<std::string, uint32_t> codes = {
        {"10000.0", 4}, {"1000.0", 5}, {"100.0", 6},  {"10.0", 7},    {".1", 9},
        {".01", 10},    {".001", 11},  {".0001", 12}, {"0.0001", 12}, {".00001", 13}};
    const auto found = codes.find(mult);
    return found == codes.end() ? 0 : found->second;
}

// The unit reads the word number of a received value from the code too.
uint32_t ElementCode(const TTlmRow& row, Direction direction) {
    uint32_t code = MultCode(row[TlmMult]) * 16 + TypeCode(row[TlmType]);
    if (direction == Direction::Rx)
        code += static_cast<uint32_t>(CellNumber(row[TlmWord])) * 256;
    return code;
}

// Port "0" is the first port of the CPU card, the same buffer as port 1.
int PortIndex(const std::string& cell) {
    const int port = CellNumber(cell);
    return port == 0 ? 1 : port;
}

// A unit number in one byte; "Us" (and any number below 0) is this unit.
uint32_t UnitCode(const std::string& cell) {
    if (cell == "Us")
        return SelfUnitCode;
    return static_cast<uint32_t>(CellNumber(cell)) & 0xFF;
}

uint32_t RowRamAddress(const TTlmRow& row) {
    return HexValue(row[TlmAddress]) & AddressMask;
}

// Element records are written in pairs (code, target); every line starts
// with the address of its first element. A line is measured without the
// bar that closes it, and closed once it grows past its limit; the next
// line starts at the following element's address, so a record whose last
// element passes the limit ends with a line holding only that address.
class ElementLines {
  public:
    explicit ElementLines(DownloadImage* image) : image_(image) {}
    void Add(uint32_t address, const std::string& code, const std::string& target) {
        if (line_.empty())
            line_ = HexWord(address) + "|";
        line_ += code + "|" + target + "|";
        if (line_.size() - 1 > ElementLineLimit) {
            Flush();
            line_ = HexWord(address + ElementBytes) + "|";
        }
    }
    void Flush() {
        if (!line_.empty() && image_)
            image_->Add(line_ + "\\");
        line_.clear();
    }

  private:
    DownloadImage* image_;
    std::string line_;
};

// The target word of an element; found is false when the name does not
// resolve. A TX row without a name sends nothing in particular.
std::string ElementTarget(const CompileContext& context, const std::string& name,
                          Direction direction, bool& found) {
    if (direction == Direction::Tx && name.empty()) {
        found = true;
        return {};
    }
    std::string target;
    if (direction == Direction::Tx)
        target = LookupName(context, name);
    else if (const char* system = SystemVariableAddress(name))
        target = system;
    else
        target = context.RxNames.Find(name);
    found = target.size() >= 3;
    return target;
}

void WriteElements(CompileContext& context, const TTlmArray& array, Direction direction) {
    ElementLines lines(context.PassImage());
    for (int r = 1; r < array.RowCount(); ++r) {
        const TTlmRow& row = array.Rows[r];
        if (row[TlmWord].empty())
            continue;
        bool found = true;
        const std::string target = ElementTarget(context, row[TlmName], direction, found);
        if (!found) {
            context.ReportInPass2("Cannot find " + row[TlmName] + " in " + ArrayName(direction));
            continue;
        }
        const uint32_t code = ElementCode(row, direction);
        lines.Add(context.FlashCursor, code == 0 ? std::string() : HexWord(code), target);
        context.FlashCursor += ElementBytes;
    }
    lines.Flush();
}

// Every later row with the name of an earlier one is reported once for
// each earlier row, as a pairwise comparison would.
void ReportDuplicateRxNames(CompileContext& context, const TTlmArray& array) {
    if (!context.options.FlagDuplicateDbNames || !context.Writing())
        return;
    std::unordered_map<std::string, int> seen;
    std::vector<int> laterCount(static_cast<size_t>(array.RowCount()), 0);
    for (int r = array.RowCount() - 1; r >= 1; --r) {
        const std::string& name = array.Rows[r][TlmName];
        if (name.empty() || SystemVariableAddress(name))
            continue;
        laterCount[static_cast<size_t>(r)] = seen[name]++;
    }
    for (int r = 1; r < array.RowCount() && context.CanReport(); ++r)
        for (int n = 0; n < laterCount[static_cast<size_t>(r)] && context.CanReport(); ++n)
            context.Report(array.Rows[r][TlmName] + " appears more than once in RX array");
}

// The fields that tell one message from the next.
struct MessageKey {
    int Port = 0;
    uint32_t Source = 0;
    uint32_t Dest = 0;
    bool operator==(const MessageKey&) const = default;
};

MessageKey KeyOf(const TTlmRow& row, Direction direction) {
    return {PortIndex(row[TlmPort]),
            direction == Direction::Rx ? UnitCode(row[TlmSource]) : SelfUnitCode,
            UnitCode(row[TlmDest])};
}

// A message's buffer holds the span of RAM its values cover, plus room
// for the message's own framing.
void RaiseBufferNeed(CompileContext& context, Direction direction, const std::string& portCell,
                     int port, int64_t span) {
    if (port < 0 || port >= ComPortCount) {
        context.ReportInPass2("Out of range port " + portCell + " in " + ArrayName(direction));
        return;
    }
    const int64_t need = std::min<int64_t>((span / 4 + 1) * 4 + 20, MaxMessageBuffer);
    auto& sizes = direction == Direction::Tx ? context.Buffers.Tx : context.Buffers.Rx;
    ComBufferSizes::Raise(sizes[static_cast<size_t>(port)], static_cast<int32_t>(need));
}

void WriteGroups(CompileContext& context, const TTlmArray& array, Direction direction,
                 uint32_t firstElement) {
    // Element addresses count every row with a word, even one whose name
    // did not resolve.
    std::vector<int> rows;
    for (int r = 1; r < array.RowCount(); ++r)
        if (!array.Rows[r][TlmWord].empty())
            rows.push_back(r);
    const uint32_t marker = direction == Direction::Tx ? TxGroupMarker : RxGroupMarker;
    size_t first = 0;
    while (first < rows.size()) {
        const MessageKey key = KeyOf(array.Rows[rows[first]], direction);
        size_t end = first + 1;
        while (end < rows.size() && KeyOf(array.Rows[rows[end]], direction) == key)
            ++end;

        const uint32_t address = context.FlashCursor;
        const uint32_t group =
            (static_cast<uint32_t>(key.Port & 0xFF) << 16) | (key.Source << 8) | key.Dest;
        const uint32_t firstAddress = firstElement + static_cast<uint32_t>(first) * ElementBytes;
        const uint32_t lastAddress = firstElement + static_cast<uint32_t>(end - 1) * ElementBytes;
        if (DownloadImage* image = context.PassImage())
            image->Add(HexWord(address) + "|" + HexWord(marker) + "|" +
                       HexWord(address + GroupBytes) + "|" + HexWord(group) + "|" +
                       HexWord(firstAddress) + "|" + HexWord(lastAddress) + "|\\");
        context.FlashCursor += GroupBytes;

        const int64_t from = RowRamAddress(array.Rows[rows[first]]);
        const int64_t to = end < rows.size() ? RowRamAddress(array.Rows[rows[end]])
                                             : RowRamAddress(array.Rows[rows.back()]) + 4;
        RaiseBufferNeed(context, direction, array.Rows[rows[first]][TlmPort], key.Port, to - from);
        first = end;
    }
}

void CompileArray(CompileContext& context, const TTlmArray& array, Direction direction) {
    if (array.RowCount() < MinimumArrayRows)
        return;
    const uint32_t header = direction == Direction::Tx ? TxHeaderMarker : RxHeaderMarker;
    if (DownloadImage* image = context.PassImage())
        image->Add(HexWord(context.FlashCursor) + "|" + HexWord(header) + "|\\");
    context.FlashCursor += HeaderBytes;

    const uint32_t firstElement = context.FlashCursor;
    WriteElements(context, array, direction);
    if (direction == Direction::Rx)
        ReportDuplicateRxNames(context, array);
    (direction == Direction::Tx ? context.Sys.Tx : context.Sys.Rx) = context.FlashCursor;
    WriteGroups(context, array, direction, firstElement);
}

} // namespace

void CompileTx(CompileContext& context) {
    CompileArray(context, context.project.TxArray, Direction::Tx);
}

void CompileRx(CompileContext& context) {
    CompileArray(context, context.project.RxArray, Direction::Rx);
}

} // namespace k7
