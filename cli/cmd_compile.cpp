// k7c compile PROJECT.tvr [--out FILE] [--date TEXT] [--save]: compiles a
// project as the desktop program's Compile command does and prints the
// error list and the RAM and flash figures.
#include "cli_workspace.h"
#include "commands.h"

#include "compiler/compile_driver.h"

#include <iostream>

namespace k7::cli {

namespace {

struct CompileCommandOptions {
    std::string Project, Out, Date;
    bool Save = false;
};

int RunCompile(const GlobalOptions& global, const CompileCommandOptions& options) {
    TerminalUi ui;
    auto session = StartSession(ui, global, options.Date);
    int status = OpenProjectForCommand(session->Space(), options.Project);
    if (status != ExitSuccess)
        return status;

    CompileRequest request;
    request.ImagePath = options.Out;
    request.ShowSaveError = false;
    ProgressPanel quiet;
    const CompileReport report = session->Compile(quiet, request);

    for (const std::string& message : report.ErrorList)
        std::cout << message << "\n";
    if (report.NewAddressesAssigned) {
        if (!options.Save)
            std::cout << "New RAM addresses were assigned; --save stores them in the project.\n";
        else if (session->Space().SaveProject())
            std::cout << "New RAM addresses were assigned and saved in the project.\n";
        else
            status = ExitUsage;
    }
    std::cout << RamFigureText(report.RamUsed) << "\n" << FlashFigureText(report.FlashUsed) << "\n";
    std::cout << (report.Outcome == CompileOutcome::Clean ? "Done compiling...no errors"
                                                          : "Done compiling...errors")
              << std::endl;
    if (!report.ImageSaveError.empty()) {
        std::cerr << "k7c: " << report.ImageSaveError << std::endl;
        return ExitUsage;
    }
    if (status != ExitSuccess)
        return status;
    return report.Outcome == CompileOutcome::Clean ? ExitSuccess : ExitFailure;
}

} // namespace

void AddCompileCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto* command = app.add_subcommand("compile", "Compile a project into its download image");
    auto options = std::make_shared<CompileCommandOptions>();
    command->add_option("project", options->Project, "Project file (.tvr)")->required();
    command->add_option(
        "--out", options->Out,
        "Write the image to this file instead of Intermed.Obj in the system folder");
    command->add_option("--date", options->Date, "Date and time text of the file name record");
    command->add_flag("--save", options->Save, "Store newly assigned RAM addresses in the project");
    command->callback([&global, &status, options] { status = RunCompile(global, *options); });
}

} // namespace k7::cli
