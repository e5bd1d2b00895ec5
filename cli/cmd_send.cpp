// k7c send PROJECT.tvr --port DEV [--yes] [--image FILE] [--remote ...]:
// compiles the project and loads it into the unit ("Send Pgm"), or through
// a local unit in pass-through mode into a remote one ("PgmToRemote").
#include "cli_unit_link.h"

#include "workspace/text_file.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace k7::cli {

namespace {

struct SendOptions {
    std::string Project;
    std::string Port;
    std::string Image;
    std::string Remote;
    bool Yes = false;
};

// ADDR,WAIT,F1,F2,F3,BOARD,PORT as the remote panel's fields.
bool ParseRemote(const std::string& text, RemoteLoadParams& params) {
    std::vector<int> values;
    std::stringstream fields(text);
    for (std::string field; std::getline(fields, field, ',');) {
        try {
            std::size_t used = 0;
            values.push_back(std::stoi(field, &used));
            if (used != field.size())
                return false;
        } catch (const std::exception&) {
            return false;
        }
    }
    if (values.size() != 7)
        return false;
    params.RemoteAddress = values[0];
    params.WaitSeconds = values[1];
    params.ForwardAddress1 = values[2];
    params.ForwardAddress2 = values[3];
    params.ForwardAddress3 = values[4];
    params.MasterBoard = values[5];
    params.MasterPort = values[6];
    return true;
}

int RunSend(const GlobalOptions& global, const SendOptions& options) {
    RemoteLoadParams remote;
    if (!options.Remote.empty() && !ParseRemote(options.Remote, remote)) {
        std::cerr << "k7c: --remote takes seven numbers: ADDR,WAIT,F1,F2,F3,BOARD,PORT\n";
        return ExitUsage;
    }
    if (options.Project.empty() && options.Image.empty()) {
        std::cerr << "k7c: send needs a project file or --image\n";
        return ExitUsage;
    }
    LoadSession session(global, options.Yes, options.Port);

    std::unique_ptr<ProjectLink> imageFile;
    ProjectLink* project = &session.Core->Link();
    if (!options.Image.empty()) {
        TextFile image = ReadTextLines(options.Image);
        if (!image.Ok) {
            std::cerr << "k7c: " << image.Error << std::endl;
            return ExitUsage;
        }
        imageFile = std::make_unique<ImageFileProject>(std::move(image.Lines));
        project = imageFile.get();
    } else {
        const int status = OpenProjectForCommand(session.Core->Space(), options.Project);
        if (status != ExitSuccess)
            return status;
    }
    const bool started = options.Remote.empty()
                             ? session.Sequence.SendProgram(*project)
                             : session.Sequence.StartRemoteLoad(remote, *project);
    if (!started)
        return ExitFailure;
    return session.Finish();
}

} // namespace

void AddSendCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    auto options = std::make_shared<SendOptions>();
    CLI::App* command =
        app.add_subcommand("send", "Compile a project and load it into the unit (Send Pgm)");
    command->add_option("project", options->Project, "Project file (.tvr)");
    command->add_option("--port", options->Port, "COM1..COM8 or the path of a serial device")
        ->required();
    command->add_flag("--yes", options->Yes, "Answer Yes to the OS version question");
    command->add_option("--image", options->Image,
                        "Send this download image instead of compiling the project");
    command->add_option("--remote", options->Remote,
                        "Load a remote unit through the local one: ADDR,WAIT,F1,F2,F3,BOARD,PORT");
    command->callback([&global, &status, options] { status = RunSend(global, *options); });
}

} // namespace k7::cli
