// A receive pump reading a fake serial line into a terminal, wired as the
// terminal page wires them: the tests, the bench and the fuzz target feed
// it bytes and look at the screen.
#pragma once

#include "comm/receive_pump.h"
#include "comm/terminal.h"
#include "comm/timer_queue.h"
#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

#include <memory>
#include <string>
#include <string_view>

namespace k7::test {

struct TerminalLine : PumpListener {
    ScriptedUi Ui;
    FakeLine Line;
    TSeComm32 Port{Ui, std::make_unique<FakeSerialDevice>(Line)};
    TimerQueue Timers;
    ReceivePump Pump{Port, Timers.CreateTimer()};
    Terminal Screen;

    // Opens the port and starts the pump in the given mode.
    bool Open(int comMode = ComModeAscii) {
        Pump.SetListener(this);
        Pump.SetComMode(comMode);
        Port.SetDevicePath("/dev/fake");
        if (!Port.OpenPort())
            return false;
        Pump.Start();
        return true;
    }

    // The bytes arrive on the line and the pump's next tick reads them.
    void Receive(std::string_view bytes) {
        Line.Input.append(bytes);
        Timers.Advance(ReceivePumpIntervalMs);
    }

    void TerminalBytes(const std::string& bytes) override { Screen.TerminalOutput(bytes); }
};

} // namespace k7::test
