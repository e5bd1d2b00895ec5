// k7c clock: sets a unit's clock from this workstation's local time (the
// terminal page's "Send RTC"). Succeeds when the frame was written; no
// reply is awaited.
#include "cli_workspace.h"
#include "commands.h"

#include "comm/clock_set.h"
#include "comm/port_setup.h"
#include "comm/timer_queue.h"

#include <iostream>
#include <memory>

namespace k7::cli {

namespace {

struct ClockOptions {
    std::string Port;
    std::string Baud = "9600";
    std::string Parity = "None";
    std::string DataBits = "8";
};

int RunClock(const ClockOptions& options) {
    TerminalUi ui;
    TSeComm32 port(ui);
    TimerQueue timers;
    ReceivePump pump(port, timers.CreateTimer());
    SerialChoices choices;
    choices.BaudIndex = BaudIndexOf(options.Baud);
    choices.ParityIndex = ParityIndexOf(options.Parity);
    choices.WordLengthIndex = WordLengthIndexOf(options.DataBits);
    PortNameTable names;
    const std::string problem = LoadPortNames(ProgramFolder() + PortNamesFileName, names);
    if (!problem.empty()) {
        std::cerr << "k7c: " << problem << "\n";
        return ExitUsage;
    }
    port.SetPortNames(names);
    ChoosePort(port, choices, options.Port);
    if (!SetupPort(port, pump, choices)) {
        if (!port.LastError().empty())
            std::cout << port.LastError() << "\n";
        return ExitFailure;
    }
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
    auto options = std::make_shared<ClockOptions>();
    CLI::App* command =
        app.add_subcommand("clock", "Set the unit's clock from this workstation (Send RTC)");
    command
        ->add_option(
            "--port", options->Port,
            "COMn (its device from K7Ports.ini beside k7c, or the default) or a device path")
        ->required();
    command->add_option("--baud", options->Baud, "Baud rate")
        ->check(CLI::IsMember({"300", "1200", "2400", "4800", "9600", "19200", "38400"}))
        ->capture_default_str();
    command->add_option("--parity", options->Parity, "Parity")
        ->check(CLI::IsMember({"None", "Odd", "Even", "Mark"}, CLI::ignore_case))
        ->capture_default_str();
    command->add_option("--data-bits", options->DataBits, "Data bits")
        ->check(CLI::IsMember({"5", "6", "7", "8"}))
        ->capture_default_str();
    command->callback([options, &status] { status = RunClock(*options); });
}

} // namespace k7::cli
