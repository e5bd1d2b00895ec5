// k7c: the command line face of K7 Studio. Results and the system's
// messages go to standard output, usage and file-system errors to
// standard error.
#include "commands.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace k7::cli;
    CLI::App app{"k7c - compile, check, send and document K7/K3 projects"};
    app.require_subcommand(1);

    GlobalOptions global;
    app.add_option("--settings", global.SettingsFile,
                   "Settings file to use instead of K7Setup.ini");
    app.add_option("--system", global.SystemFolder, "System folder (module library, images)");
    app.add_option("--basic", global.BasicFolder, "Folder of BASIC sources");

    int status = ExitSuccess;
    AddCheckCommand(app, global, status);
    AddSaveCommand(app, global, status);
    AddCompileCommand(app, global, status);
    AddDocCommand(app, global, status);
    AddClockCommand(app, global, status);
    AddTerminalCommand(app, global, status);
    AddBasicCommand(app, global, status);
    AddSendCommand(app, global, status);
    AddSendOsCommand(app, global, status);
    AddStopCommand(app, global, status);
    AddWatchCommand(app, global, status);
    AddPokeCommand(app, global, status);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return ExitUsage;
    }
    return status;
}
