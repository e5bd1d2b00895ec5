// k7c compile PROJECT.tvr [--out FILE] [--date TEXT] [--save]: compiles a
// project as the desktop program's Compile command does and prints the
// error list and the RAM and flash figures.
#include "cli_workspace.h"
#include "commands.h"

#include "compiler/compile_driver.h"
#include "workspace/date_text.h"

#include <iostream>

namespace k7::cli {

namespace {

struct CompileCommandOptions {
    std::string Project, Out, Date;
    bool Save = false;
};

int RunCompile(const GlobalOptions& global, const CompileCommandOptions& options) {
    TerminalUi ui;
    auto workspace = StartWorkspace(ui, global, options.Date);
    int status = OpenProjectForCommand(*workspace, options.Project);
    if (status != ExitSuccess)
        return status;

    const std::string date = options.Date.empty() ? NowDateTimeText() : options.Date;
    CompileOptions compileOptions = WorkspaceCompileOptions(workspace->settings, date);
    if (!options.Out.empty())
        compileOptions.ImagePath = options.Out;
    CompileContext context(workspace->project, workspace->library, compileOptions);
    context.MarkChanged = [&workspace] { workspace->MarkProjectChanged(); };
    CompileProgress progress;
    const CompileOutcome outcome = Compile(context, progress);

    for (const std::string& message : context.ErrorList)
        std::cout << message << "\n";
    if (context.NewAddressesAssigned) {
        if (!options.Save)
            std::cout << "New RAM addresses were assigned; --save stores them in the project.\n";
        else if (workspace->SaveProject())
            std::cout << "New RAM addresses were assigned and saved in the project.\n";
        else
            status = ExitUsage;
    }
    std::cout << RamFigureText(context.RamUsed) << "\n"
              << FlashFigureText(context.FlashUsed) << "\n";
    std::cout << (outcome == CompileOutcome::Clean ? "Done compiling...no errors"
                                                   : "Done compiling...errors")
              << std::endl;
    if (!context.ImageSaveError.empty()) {
        std::cerr << "k7c: " << context.ImageSaveError << std::endl;
        return ExitUsage;
    }
    if (status != ExitSuccess)
        return status;
    return outcome == CompileOutcome::Clean ? ExitSuccess : ExitFailure;
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
