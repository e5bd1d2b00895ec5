// k7c doc PROJECT.tvr: writes the project's documentation file with the
// sections chosen, as the "Generate" button of "Documentation Choices" does.
#include "cli_workspace.h"
#include "commands.h"

#include "docgen/documentation.h"
#include "workspace/date_text.h"

#include <iostream>

namespace k7::cli {

namespace {

// File errors of the run are file-system errors of the command: stderr.
class DocErrorUi : public TerminalUi {
  public:
    void ShowError(const std::string& message) override {
        std::cerr << "k7c: " << message << std::endl;
    }
};

struct DocOptions {
    std::string Project;
    std::string Out;
    std::string Date;
    std::vector<std::string> Without;
};

int RunDoc(const GlobalOptions& global, const DocOptions& options) {
    TerminalUi ui;
    auto workspace = StartWorkspace(ui, global);
    const int opened = OpenProjectForCommand(*workspace, options.Project);
    if (opened != ExitSuccess)
        return opened;

    DocumentationChoices choices = OpenDocumentationChoices(workspace->project);
    if (!options.Out.empty())
        choices.FileName = options.Out;
    for (const std::string& name : options.Without)
        for (int section = 0; section < DocSectionCount; ++section)
            if (name == DocSectionNames[section])
                choices.Checked[section] = false;

    const std::string date = options.Date.empty() ? NowDateTimeText() : options.Date;
    DocErrorUi errors;
    ProgressPanel progress; // shows nothing
    DocumentationResult result = GenerateDocumentation(*workspace, choices, date, errors, progress);
    if (!result.Ok)
        return ExitUsage;
    std::cout << result.StatusText << std::endl;
    return ExitSuccess;
}

} // namespace

void AddDocCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto* command = app.add_subcommand("doc", "Write the documentation file of a project");
    auto options = std::make_shared<DocOptions>();
    command->add_option("project", options->Project, "Project file (.tvr)")->required();
    command->add_option("--out", options->Out,
                        "Documentation file (default: the project file's name + .Txt)");
    command->add_option("--date", options->Date,
                        "Date and time text of the first line, for reproducible files");
    command
        ->add_option("--without", options->Without,
                     "Sections to leave out: instructions, io, modules, displays, tlm, ladder, "
                     "tables, speech, databases, xref")
        ->delimiter(',')
        ->check(CLI::IsMember(
            std::vector<std::string>(DocSectionNames.begin(), DocSectionNames.end())));
    command->callback([&global, &status, options] { status = RunDoc(global, *options); });
}

} // namespace k7::cli
