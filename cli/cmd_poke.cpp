// k7c poke PROJECT.tvr --port DEV NAME=VALUE...: compiles the project, puts
// each name into a watch slot, writes its value as the watch window's Enter
// does, and prints the values the unit reports afterwards.
#include "cli_unit_link.h"
#include "cli_watch_session.h"

#include <iostream>
#include <memory>

namespace k7::cli {

namespace {

struct PokeOptions {
    std::string Project;
    std::string Port;
    std::vector<std::string> Assignments;
};

int RunPoke(const GlobalOptions& global, const PokeOptions& options) {
    if (options.Assignments.size() > WatchableSlots) {
        std::cerr << "k7c: the watch window has room for " << WatchableSlots << " names\n";
        return ExitUsage;
    }
    std::vector<std::pair<std::string, std::string>> pokes;
    for (const auto& assignment : options.Assignments) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            std::cerr << "k7c: poke takes NAME=VALUE, not \"" << assignment << "\"\n";
            return ExitUsage;
        }
        pokes.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
    }
    WatchSession session(global, options.Port);
    int status = session.OpenWindow(options.Project);
    if (status != ExitSuccess)
        return status;
    for (std::size_t i = 0; i < pokes.size(); ++i) {
        if (!session.Place(static_cast<int>(i), pokes[i].first)) {
            session.Window.Close();
            return ExitFailure;
        }
        session.Poke(static_cast<int>(i), pokes[i].second);
    }
    status = session.PrintReplies(1);
    session.Window.Close();
    return status;
}

} // namespace

void AddPokeCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto options = std::make_shared<PokeOptions>();
    CLI::App* command =
        app.add_subcommand("poke", "Write values into project variables of the running unit");
    command->add_option("project", options->Project, "Project file (.tvr)")->required();
    command->add_option("assignments", options->Assignments, "NAME=VALUE")->required();
    command->add_option("--port", options->Port, "COM1..COM8 or the path of a serial device")
        ->required();
    command->callback([&global, &status, options] { status = RunPoke(global, *options); });
}

} // namespace k7::cli
