// k7c stop --port DEV: stops the unit's program ("Stop Pgm").
#include "cli_unit_link.h"

#include <memory>

namespace k7::cli {

namespace {

struct StopOptions {
    std::string Port;
};

int RunStop(const GlobalOptions& global, const StopOptions& options) {
    LoadSession session(global, false, options.Port);
    session.Sequence.StopProgram();
    return session.Finish();
}

} // namespace

void AddStopCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto options = std::make_shared<StopOptions>();
    CLI::App* command = app.add_subcommand("stop", "Stop the unit's program (Stop Pgm)");
    command->add_option("--port", options->Port, "COM1..COM8 or the path of a serial device")
        ->required();
    command->callback([&global, &status, options] { status = RunStop(global, *options); });
}

} // namespace k7::cli
