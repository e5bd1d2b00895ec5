// k7c clock: sets a unit's clock from this workstation's local time (the
// terminal page's "Send RTC"). Succeeds when the frame was written; no
// reply is awaited.
#include "cli_port_options.h"
#include "cli_workspace.h"
#include "commands.h"

#include "comm/clock_set.h"
#include "comm/port_setup.h"
#include "comm/timer_queue.h"

#include <iostream>
#include <memory>

namespace k7::cli {

namespace {

int RunClock(const PortOptions& options) {
    TerminalUi ui;
    TSeComm32 port(ui);
    TimerQueue timers;
    ReceivePump pump(port, timers.CreateTimer());
    if (int status = OpenUnitPort(port, pump, options); status != ExitSuccess)
        return status;
    Terminal terminal;
    const bool written = SendClock(port, terminal, ReadLocalClock());
    for (const auto& line : terminal.Lines())
        std::cout << line << "\n";
    port.ClosePort();
    return written ? ExitSuccess : ExitFailure;
}

} // namespace

void AddClockCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    (void)global;
    auto options = std::make_shared<PortOptions>();
    CLI::App* command =
        app.add_subcommand("clock", "Set the unit's clock from this workstation (Send RTC)");
    AddPortOptions(command, *options);
    command->callback([options, &status] { status = RunClock(*options); });
}

} // namespace k7::cli
