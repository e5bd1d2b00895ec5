// The com buffer section "#9": the buffer needs of the cards of the first
// cage, then one record per transmit and receive buffer with its RAM.
// The first pass only counts the records; the buffers take their RAM once,
// in the second pass.
#include "compiler/compile_context.h"
#include "compiler/sections.h"
#include "workspace/project.h"

namespace k7 {

namespace {

constexpr int32_t MinimumBuffer = 160;
constexpr int32_t FlashDiskBuffer = 768;
constexpr int ModemCard = 11;
constexpr int PrinterCard = 15;
constexpr int FlashDiskCard = 1;
constexpr uint32_t TransmitBufferMarker = 0x2332;
constexpr uint32_t ReceiveBufferMarker = 0x2333;
constexpr uint32_t BufferRecordBytes = 20;

void RaiseCardNeeds(CompileContext& context) {
    ComBufferSizes& buffers = context.Buffers;
    for (int slot = 1; slot <= 8; ++slot) {
        const int code = context.project.Cards.At(1, slot);
        const int port = 3 * slot;
        if (code == ModemCard) {
            ComBufferSizes::Raise(buffers.Tx[port], MinimumBuffer);
            ComBufferSizes::Raise(buffers.Rx[port], MinimumBuffer);
        } else if (code == PrinterCard) {
            for (int p = port; p <= port + 1; ++p) {
                ComBufferSizes::Raise(buffers.Tx[p], MinimumBuffer);
                ComBufferSizes::Raise(buffers.Rx[p], MinimumBuffer);
            }
        } else if (code == FlashDiskCard) {
            buffers.Tx[port] = FlashDiskBuffer;
        }
    }
}

void WriteBufferRecords(CompileContext& context, std::array<int32_t, ComPortCount>& sizes,
                        uint32_t marker, const char* name) {
    for (int port = 0; port < ComPortCount; ++port) {
        if (sizes[port] == 0)
            continue;
        ComBufferSizes::Raise(sizes[port], MinimumBuffer);
        const uint32_t size = static_cast<uint32_t>(sizes[port]);
        const uint32_t address = context.FlashCursor;
        const uint32_t next = address + BufferRecordBytes;
        if (context.Writing()) {
            const uint64_t bytes = std::min<uint64_t>(uint64_t{2} * size, RamCellCount + 1);
            const RamBlock block = FindRamBlock(context, static_cast<uint32_t>(bytes), name);
            const uint32_t start = block.Found() ? static_cast<uint32_t>(block.Start) : 0;
            context.Image.Add(HexWord(address) + "|" + HexWord(marker) + "|" + HexWord(next) + "|" +
                              HexWord(static_cast<uint32_t>(port)) + "|" + HexWord(start) + "|" +
                              HexWord(size) + "|\\");
        }
        context.FlashCursor = next;
    }
}

} // namespace

void CompileComBuffers(CompileContext& context) {
    RaiseCardNeeds(context);
    WriteBufferRecords(context, context.Buffers.Tx, TransmitBufferMarker, "Transmit buffer");
    WriteBufferRecords(context, context.Buffers.Rx, ReceiveBufferMarker, "Receive buffer");
}

} // namespace k7
