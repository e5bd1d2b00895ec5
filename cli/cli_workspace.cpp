#include "cli_workspace.h"

#include "workspace/date_text.h"
#include "workspace/text_file.h"

#include <clocale>
#include <iostream>
#include <unistd.h>

namespace k7::cli {

void TerminalUi::ShowError(const std::string& message) {
    std::cout << message << std::endl;
}

static bool AskOnTerminal(const std::string& question, const char* choices, char yes) {
    std::cout << question << " " << choices << " " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer) || answer.empty())
        return false;
    return std::tolower(static_cast<unsigned char>(answer[0])) == yes;
}

bool TerminalUi::AskYesNo(const std::string& question) {
    if (assumeYes_) {
        std::cout << question << " Yes" << std::endl;
        return true;
    }
    if (!isatty(STDIN_FILENO)) {
        std::cout << question << " No" << std::endl;
        return false;
    }
    return AskOnTerminal(question, "[y/N]", 'y');
}

bool TerminalUi::AskRetry(const std::string& message) {
    if (!isatty(STDIN_FILENO)) {
        std::cout << message << " Abort" << std::endl;
        return false;
    }
    return AskOnTerminal(message, "[r]etry/[A]bort", 'r');
}

// k7c names its files on the command line; it never shows a file dialog.
std::optional<std::string> TerminalUi::ChooseOpenFile(const FileChoice&) {
    return std::nullopt;
}
std::optional<std::string> TerminalUi::ChooseSaveFile(const FileChoice&) {
    return std::nullopt;
}

std::string ProgramFolder() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "./";
    path[length] = '\0';
    return FolderPart(path);
}

namespace {

std::function<std::string()> DateTextOf(const std::string& fixedDate) {
    std::setlocale(LC_TIME, "");
    if (fixedDate.empty())
        return NowDateTimeText;
    return [fixedDate] { return fixedDate; };
}

StartOptions StartOptionsOf(const GlobalOptions& global) {
    StartOptions options;
    options.ProgramFolder = ProgramFolder();
    options.SettingsPath = global.SettingsFile;
    options.SystemFolder = global.SystemFolder;
    options.BasicFolder = global.BasicFolder;
    return options;
}

} // namespace

std::unique_ptr<Workspace> StartWorkspace(UserInterface& ui, const GlobalOptions& global,
                                          const std::string& fixedDate) {
    auto workspace = std::make_unique<Workspace>(ui, DateTextOf(fixedDate));
    workspace->Start(StartOptionsOf(global));
    return workspace;
}

std::unique_ptr<Session> StartSession(UserInterface& ui, const GlobalOptions& global,
                                      const std::string& fixedDate) {
    auto session = std::make_unique<Session>(ui, DateTextOf(fixedDate));
    session->Start(StartOptionsOf(global));
    return session;
}

int OpenProjectForCommand(Workspace& workspace, const std::string& path) {
    if (const std::string problem = TextFileProblem(path); !problem.empty()) {
        std::cerr << "k7c: " << problem << std::endl;
        return ExitUsage;
    }
    return workspace.OpenProjectPath(path) ? ExitSuccess : ExitFailure;
}

} // namespace k7::cli
