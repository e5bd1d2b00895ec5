// k7c watch PROJECT.tvr --port DEV NAME... [--count N]: compiles the project,
// puts the names into the unit's watch slots 1 to 14, then 16 to 29, and
// prints one line of NAME=VALUE pairs per reply to the once-a-second poll.
#include "cli_unit_link.h"
#include "cli_watch_session.h"

#include <iostream>
#include <memory>

namespace k7::cli {

namespace {

struct WatchOptions {
    std::string Project;
    std::string Port;
    std::vector<std::string> Names;
    int Count = 1;
};

int RunWatch(const GlobalOptions& global, const WatchOptions& options) {
    if (options.Names.size() > WatchableSlots) {
        std::cerr << "k7c: the watch window has room for " << WatchableSlots << " names\n";
        return ExitUsage;
    }
    WatchSession session(global, options.Port);
    int status = session.OpenWindow(options.Project);
    if (status != ExitSuccess)
        return status;
    for (std::size_t i = 0; i < options.Names.size(); ++i)
        session.Place(static_cast<int>(i), options.Names[i]);
    status = session.PrintReplies(options.Count);
    session.Window.Close();
    return status;
}

} // namespace

void AddWatchCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto options = std::make_shared<WatchOptions>();
    CLI::App* command =
        app.add_subcommand("watch", "Show live values of project variables read from the unit");
    command->add_option("project", options->Project, "Project file (.tvr)")->required();
    command->add_option("names", options->Names, "Variables to watch (at most 28)")->required();
    command->add_option("--port", options->Port, "COM1..COM8 or the path of a serial device")
        ->required();
    command->add_option("--count", options->Count, "Replies to print")
        ->check(CLI::Range(1, 1000000))
        ->capture_default_str();
    command->callback([&global, &status, options] { status = RunWatch(global, *options); });
}

} // namespace k7::cli
