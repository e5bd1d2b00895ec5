// k7c check PROJECT.tvr: opens a project as the desktop program would and
// prints a summary of it and any I/O instance not bound to a channel that
// exists, or what stopped it from opening.
#include "cli_workspace.h"
#include "commands.h"

#include "workspace/io_points.h"
#include "workspace/project.h"

#include <iostream>

namespace k7::cli {

static const char* const CategoryNames[] = {"",        "I/O + System", "Math",
                                            "Control", "Statistics",   "Commun."};

static void PrintSummary(const Workspace& workspace) {
    const Project& p = workspace.project;
    std::cout << "Project: " << p.FileName << "\n";
    std::cout << "Saved by version " << p.SavedByVersion << " on " << p.SavedOnDate << "\n";
    std::cout << "Unit: " << (p.Unit == UnitType::K3 ? "K3" : "K7")
              << ", LCD: " << (p.Lcd == LcdType::Small ? "Small" : "Large") << "\n";

    int cards = 0;
    for (int cage = 1; cage <= CageCount; ++cage) {
        std::string slots;
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (p.Cards.At(cage, slot) == 0)
                continue;
            ++cards;
            slots += " " + std::to_string(slot) + ":" + std::to_string(p.Cards.At(cage, slot));
        }
        if (!slots.empty())
            std::cout << "Cage " << cage << " (slot:card code):" << slots << "\n";
    }
    std::cout << "Cards: " << cards << "\n";

    std::cout << "Instances: " << p.ModuleCount();
    for (int category = 1; category <= 5; ++category)
        std::cout << (category == 1 ? " (" : ", ") << CategoryNames[category] << " "
                  << p.InstanceLists[category].size();
    std::cout << ")\n";

    const DatabaseLists& db = p.Databases;
    std::cout << "Databases: Floating Pt " << db.Float.size() << ", Integer " << db.Integer.size()
              << ", Status " << db.Status.size() << ", TX " << db.Tx.size() << ", RX "
              << db.Rx.size() << ", Strings " << db.String.size() << "\n";
    std::cout << "Displays: " << p.DisplayNames.size() << ", Tables: " << p.Tables.size()
              << " lines, Speech reports: " << p.SpeechReportNames.size()
              << ", BASIC modules: " << p.BasicModules.size() << "\n";
}

void AddCheckCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto* command = app.add_subcommand("check", "Open a project and print a summary of it");
    auto path = std::make_shared<std::string>();
    command->add_option("project", *path, "Project file (.tvr)")->required();
    command->callback([&global, &status, path] {
        TerminalUi ui;
        auto workspace = StartWorkspace(ui, global);
        const bool libraryClean = workspace->StartMessages().empty();
        status = OpenProjectForCommand(*workspace, *path);
        if (status != ExitSuccess)
            return;
        PrintSummary(*workspace);
        const IoCheckResult io = CheckIoPoints(workspace->project, workspace->library);
        for (const std::string& message : io.Messages)
            std::cout << message << "\n";
        if (!libraryClean || !io.Clean())
            status = ExitFailure;
    });
}

} // namespace k7::cli
