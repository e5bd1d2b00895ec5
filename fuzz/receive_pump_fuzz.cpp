// The receive pump on any bytes from the line, in both modes, arriving in
// pieces of varying size; CRC-valid frames go to the download sequence's
// reply check, ASCII text to the terminal.
#include "comm/receive_pump.h"
#include "comm/terminal.h"
#include "comm/timer_queue.h"
#include "fuzz/fuzz_support.h"
#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

namespace {

struct Listener : k7::PumpListener {
    k7::Terminal* Screen = nullptr;
    std::size_t ReplyBytes = 0;
    void TerminalBytes(const std::string& bytes) override { Screen->TerminalOutput(bytes); }
    void ReplyArrived(const std::string& frame) override { ReplyBytes += frame.size(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    if (size < 1)
        return 0;
    test::ScriptedUi ui;
    test::FakeLine line;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(line));
    TimerQueue timers;
    ReceivePump pump(port, timers.CreateTimer());
    Terminal screen;
    Listener listener;
    listener.Screen = &screen;
    pump.SetListener(&listener);
    port.SetDevicePath("/dev/fuzz");
    port.OpenPort();
    // First byte: the mode and the size of the pieces.
    pump.SetComMode(data[0] & 1);
    const std::size_t piece = 1 + (data[0] >> 1);
    pump.Start();
    for (std::size_t at = 1; at < size; at += piece) {
        line.Input.append(reinterpret_cast<const char*>(data + at), std::min(piece, size - at));
        timers.Advance(ReceivePumpIntervalMs);
        if (pump.ReplyFrame().size() > 0)
            pump.ClearReplyFrame();
    }
    timers.Advance(5);
    (void)screen.Lines();
    pump.Stop();
    return 0;
}
