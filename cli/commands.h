// Each k7c subcommand lives in its own file and registers itself here.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace k7::cli {

// Options given before the subcommand; they override the settings' folders.
struct GlobalOptions {
    std::string SettingsFile;
    std::string SystemFolder;
    std::string BasicFolder;
};

// Exit status of every command: 0 success, 1 the job ran and failed,
// 2 usage or file-system error.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

void AddCheckCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddSaveCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddCompileCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddDocCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddClockCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddTerminalCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddBasicCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddSendCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddSendOsCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddStopCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddWatchCommand(CLI::App& app, const GlobalOptions& global, int& status);
void AddPokeCommand(CLI::App& app, const GlobalOptions& global, int& status);

} // namespace k7::cli
