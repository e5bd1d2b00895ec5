// End-to-end helpers: a k7sim process on its pseudo-terminal, and the
// system's side of the line (port, receive pump, terminal, load sequence,
// watch window) driven on the workstation's clock.
#pragma once

#include "comm/port_setup.h"
#include "comm/receive_pump.h"
#include "comm/serial_port.h"
#include "comm/terminal.h"
#include "comm/timer_queue.h"
#include "comm/watch.h"
#include "tests/comm/download_harness.h"
#include "tests/sim/child_process.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace k7::test {

// A running simulator; ended when this goes.
class SimulatedUnit {
  public:
    explicit SimulatedUnit(std::vector<std::string> options = {}) {
        std::vector<std::string> arguments = {K7SIM_PATH, "--state", Folder.File("unit.state")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        Process = std::make_unique<ChildProcess>(arguments);
        if (auto line = Process->ReadLine(5000))
            DevicePath = *line;
    }

    bool Ready() const { return DevicePath.rfind("/dev/", 0) == 0; }
    void Stop() {
        Process->Terminate();
        Process->Wait(5000);
    }

    std::string StateFile() const { return Folder.File("unit.state"); }
    std::vector<std::string> StateLines() const {
        std::ifstream file(StateFile());
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }
    bool StateHas(const std::string& line) const {
        for (const auto& present : StateLines())
            if (present == line)
                return true;
        return false;
    }

    TemporaryFolder Folder;
    std::unique_ptr<ChildProcess> Process;
    std::string DevicePath;
};

// What the pump hands on.
struct LinkListener : PumpListener {
    Terminal* Screen = nullptr;
    std::string TerminalRaw;
    std::string Watch;
    int Replies = 0;
    int Lost = 0;
    void TerminalBytes(const std::string& bytes) override {
        TerminalRaw += bytes;
        Screen->TerminalOutput(bytes);
    }
    void WatchBytes(const std::string& bytes) override { Watch += bytes; }
    void ReplyArrived(const std::string&) override { ++Replies; }
    void PortLost() override { ++Lost; }
};

// The system's end of the line.
class UnitLink {
  public:
    UnitLink() : Pump(Port, Timers.CreateTimer()) {
        Listener.Screen = &Screen;
        Pump.SetListener(&Listener);
    }

    bool Connect(const std::string& devicePath) {
        Port.SetDevicePath(devicePath);
        return SetupPort(Port, Pump, SerialChoices{});
    }

    // Runs the timers on the real clock until done() holds.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
        return RunInRealTime(Timers, done, timeoutMs);
    }
    // Lets the line run for a while; for checking that nothing comes.
    void RunFor(int milliseconds) {
        RunInRealTime(
            Timers, [] { return false; }, milliseconds);
    }

    // Sends a frame in CRC mode and waits for a valid reply.
    bool Exchange(const std::string& frame, int timeoutMs = 3000) {
        Pump.SetComMode(ComModeCrc);
        Pump.ClearReplyFrame();
        if (!Port.WriteString(frame))
            return false;
        return WaitFor([this] { return !Pump.ReplyFrame().empty(); }, timeoutMs);
    }

    ScriptedUi Ui;
    TSeComm32 Port{Ui};
    TimerQueue Timers;
    ReceivePump Pump;
    Terminal Screen;
    LinkListener Listener;
};

// The system's side for downloads: the terminal page with its load
// sequence and the watch window on one port.
struct Station {
    explicit Station(const std::string& device) {
        Port.SetDevicePath(device);
        Sequence.SetWatchWindow(&Window);
    }
    // Runs the timers on the real clock until the sequence has ended.
    bool RunSequence(int timeoutMs = 60000) {
        return RunInRealTime(
            Timers, [this] { return !Sequence.Running(); }, timeoutMs);
    }

    ScriptedUi Ui;
    TSeComm32 Port{Ui};
    TimerQueue Timers;
    ReceivePump Pump{Port, Timers.CreateTimer()};
    Terminal Screen;
    RecordingView View;
    LoadSequence Sequence{Port, Pump, Screen, Timers.CreateTimer(), Ui, View};
    WatchWindow Window{Port, Pump, Timers.CreateTimer(), Ui};
};

} // namespace k7::test
