// The watch window's reply collector on any bytes from the line, with
// named slots of every type so that each value column is filled.
#include "comm/watch.h"
#include "fuzz/fuzz_support.h"
#include "tests/comm/download_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    test::FakeLine wire;
    test::ScriptedUi ui;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(wire));
    TimerQueue timers;
    ReceivePump pump(port, timers.CreateTimer());
    WatchWindow window(port, pump, timers.CreateTimer(), ui);
    test::FixedProject project;
    project.Addresses = {{"Run", "2040010"},
                         {"Level", "1040020"},
                         {"Count", "1000"},
                         {"Total", "3040030"},
                         {"Text", "4040040"}};
    port.SetDevicePath("/dev/fuzz");
    if (!window.Open(project))
        return 0;
    const char* names[] = {"Run", "Level", "Count", "Total", "Text"};
    for (int row = 1; row <= 5; ++row) {
        window.StartDrag(names[row - 1]);
        window.Drop(0, row, project);
    }
    pump.SetWatchActive(true);
    // Arriving through the pump, in pieces of 1 to 64 bytes.
    std::size_t at = 0;
    while (at < size) {
        const std::size_t piece = 1 + data[at] % 64;
        ++at;
        const std::size_t take = std::min(piece, size - at);
        wire.Input.append(reinterpret_cast<const char*>(data + at), take);
        at += take;
        timers.Advance(ReceivePumpIntervalMs);
    }
    window.WatchBytes(std::string(reinterpret_cast<const char*>(data), size));
    timers.Advance(2000);
    window.Close();
    return 0;
}
