// The serial-line options that k7c's direct unit commands (clock,
// terminal) share, and opening the port they name.
#pragma once

#include "comm/receive_pump.h"
#include "comm/serial_port.h"

#include <CLI/CLI.hpp>
#include <string>

namespace k7::cli {

struct PortOptions {
    std::string Port;
    std::string Baud = "9600";
    std::string Parity = "None";
    std::string DataBits = "8";
};

void AddPortOptions(CLI::App* command, PortOptions& options);

// Opens the port with the chosen line settings. Returns ExitSuccess, or the
// exit status after printing why the port could not be used.
int OpenUnitPort(TSeComm32& port, ReceivePump& pump, const PortOptions& options);

} // namespace k7::cli
