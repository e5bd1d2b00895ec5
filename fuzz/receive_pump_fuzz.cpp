// The receive pump on any bytes from the line, in both modes, arriving in
// pieces of varying size; CRC-valid frames go to the download sequence's
// reply check, ASCII text to the terminal.
#include "fuzz/fuzz_support.h"
#include "tests/comm/terminal_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    if (size < 1)
        return 0;
    test::TerminalLine terminal;
    // First byte: the mode and the size of the pieces.
    terminal.Open(data[0] & 1);
    const std::size_t piece = 1 + (data[0] >> 1);
    for (std::size_t at = 1; at < size; at += piece) {
        terminal.Receive(
            std::string_view(reinterpret_cast<const char*>(data + at), std::min(piece, size - at)));
        if (terminal.Pump.ReplyFrame().size() > 0)
            terminal.Pump.ClearReplyFrame();
    }
    terminal.Timers.Advance(5);
    (void)terminal.Screen.Lines();
    terminal.Pump.Stop();
    return 0;
}
