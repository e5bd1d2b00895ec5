// k7c send-os --port DEV: loads the unit's operating system from K7.DWN in
// the system folder ("Send OS").
#include "cli_unit_link.h"

#include <memory>

namespace k7::cli {

namespace {

struct SendOsOptions {
    std::string Port;
};

int RunSendOs(const GlobalOptions& global, const SendOsOptions& options) {
    LoadSession session(global, false, options.Port);
    if (!session.Sequence.SendOs())
        return ExitFailure;
    return session.Finish();
}

} // namespace

void AddSendOsCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto options = std::make_shared<SendOsOptions>();
    CLI::App* command = app.add_subcommand(
        "send-os", "Load the unit's operating system from K7.DWN in the system folder (Send OS)");
    command->add_option("--port", options->Port, "COM1..COM8 or the path of a serial device")
        ->required();
    command->callback([&global, &status, options] { status = RunSendOs(global, *options); });
}

} // namespace k7::cli
