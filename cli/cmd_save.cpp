// k7c save PROJECT.tvr [--out FILE] [--date TEXT]: opens a project and
// writes it back as Save does, in the current format.
#include "cli_workspace.h"
#include "commands.h"

#include "workspace/date_text.h"
#include "workspace/project_file.h"

#include <iostream>

namespace k7::cli {

void AddSaveCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto* command =
        app.add_subcommand("save", "Open a project and write it back in the current format");
    struct Options {
        std::string Project, Out, Date;
    };
    auto options = std::make_shared<Options>();
    command->add_option("project", options->Project, "Project file (.tvr)")->required();
    command->add_option("--out", options->Out, "Write to this exact file instead");
    command->add_option("--date", options->Date, "Date and time text for the header");
    command->callback([&global, &status, options] {
        TerminalUi ui;
        auto workspace = StartWorkspace(ui, global, options->Date);
        status = OpenProjectForCommand(*workspace, options->Project);
        if (status != ExitSuccess)
            return;
        if (options->Out.empty()) {
            status = workspace->SaveProject() ? ExitSuccess : ExitUsage;
            if (status == ExitSuccess)
                std::cout << "Saved " << workspace->project.FileName << std::endl;
            return;
        }
        const std::string date = options->Date.empty() ? NowDateTimeText() : options->Date;
        const std::string error =
            WriteProjectFile(options->Out, workspace->project, workspace->library, date);
        if (!error.empty()) {
            std::cerr << "k7c: " << error << std::endl;
            status = ExitUsage;
            return;
        }
        std::cout << "Saved " << options->Out << std::endl;
    });
}

} // namespace k7::cli
