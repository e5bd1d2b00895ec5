// What every k7c command that works on a project shares: the terminal's
// side of the UI seam and the start-up of a workspace.
#pragma once

#include "commands.h"
#include "session/session.h"
#include "workspace/user_interface.h"
#include "workspace/workspace.h"

#include <memory>

namespace k7::cli {

// Messages go to standard output; questions are asked when standard input
// is a terminal and answered No otherwise (or Yes with assumeYes).
class TerminalUi : public UserInterface {
  public:
    explicit TerminalUi(bool assumeYes = false) : assumeYes_(assumeYes) {}
    void ShowError(const std::string& message) override;
    bool AskYesNo(const std::string& question) override;
    bool AskRetry(const std::string& message) override;
    std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;

  private:
    bool assumeYes_;
};

// The folder k7c runs from, with a trailing separator.
std::string ProgramFolder();

// A started workspace for the global options, with date texts from the
// workstation clock unless fixedDate is given.
std::unique_ptr<Workspace> StartWorkspace(UserInterface& ui, const GlobalOptions& global,
                                          const std::string& fixedDate = {});

// A started session for the global options, dated like StartWorkspace.
std::unique_ptr<Session> StartSession(UserInterface& ui, const GlobalOptions& global,
                                      const std::string& fixedDate = {});

// Opens a project file for a command: file-system problems are printed on
// standard error and give ExitUsage, a file that is not a project ExitFailure.
int OpenProjectForCommand(Workspace& workspace, const std::string& path);

} // namespace k7::cli
