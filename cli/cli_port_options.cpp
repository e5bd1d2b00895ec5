#include "cli_port_options.h"

#include "cli_workspace.h"
#include "commands.h"

#include "comm/port_names.h"
#include "comm/port_setup.h"

#include <iostream>

namespace k7::cli {

void AddPortOptions(CLI::App* command, PortOptions& options) {
    command
        ->add_option(
            "--port", options.Port,
            "COMn (its device from K7Ports.ini beside k7c, or the default) or a device path")
        ->required();
    command->add_option("--baud", options.Baud, "Baud rate")
        ->check(CLI::IsMember({"300", "1200", "2400", "4800", "9600", "19200", "38400"}))
        ->capture_default_str();
    command->add_option("--parity", options.Parity, "Parity")
        ->check(CLI::IsMember({"None", "Odd", "Even", "Mark"}, CLI::ignore_case))
        ->capture_default_str();
    command->add_option("--data-bits", options.DataBits, "Data bits")
        ->check(CLI::IsMember({"5", "6", "7", "8"}))
        ->capture_default_str();
}

int OpenUnitPort(TSeComm32& port, ReceivePump& pump, const PortOptions& options) {
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
    return ExitSuccess;
}

} // namespace k7::cli
