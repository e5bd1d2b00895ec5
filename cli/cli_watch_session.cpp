#include "cli_watch_session.h"

#include <iostream>

namespace k7::cli {

namespace {

constexpr int RowsPerSide = WatchGridRows - 1;

} // namespace

WatchSession::WatchSession(const GlobalOptions& global, const std::string& portName)
    : Core(StartSession(Ui, global)), Unit(OpenUnitLink(*Core, Timers, View, portName)),
      Window(Unit.Watch) {}

int WatchSession::OpenWindow(const std::string& projectPath) {
    const int status = OpenProjectForCommand(Core->Space(), projectPath);
    if (status != ExitSuccess)
        return status;
    if (!Window.Open(Core->Link())) {
        if (!Unit.Port.LastError().empty())
            std::cout << Unit.Port.LastError() << std::endl;
        return ExitFailure;
    }
    return ExitSuccess;
}

bool WatchSession::Place(int index, const std::string& name) {
    const int column = index < RowsPerSide ? 0 : 2;
    const int row = index % RowsPerSide + 1;
    Places.emplace_back(column, row);
    Window.StartDrag(name);
    Window.Drop(column, row, Core->Link());
    if (Core->Link().LookupName(name).size() >= WatchAddressMinLength)
        return true;
    std::cout << name << ": no variable of this name has a place in the unit's watch table"
              << std::endl;
    return false;
}

void WatchSession::Poke(int index, const std::string& value) {
    const auto [column, row] = Places[static_cast<std::size_t>(index)];
    Window.SetCellText(column + 1, row, value);
    Window.KeyPress('\r', column + 1, row);
}

std::string WatchSession::ReplyLine() const {
    std::string line;
    for (const auto& [column, row] : Places) {
        if (!line.empty())
            line += " ";
        line += Window.Cell(column, row) + "=" + Window.Cell(column + 1, row);
    }
    return line;
}

int WatchSession::PrintReplies(int count) {
    int printed = 0;
    std::int64_t lastReply = Timers.Now();
    Window.SetReplyListener([&] {
        std::cout << ReplyLine() << std::endl;
        ++printed;
        lastReply = Timers.Now();
    });
    CatchInterrupt();
    RunUntil(
        Timers,
        [&] {
            return printed >= count || !Unit.Port.PortOpen() || InterruptRequested() ||
                   Timers.Now() - lastReply > WatchReplyWaitMs + WatchPollIntervalMs;
        },
        [] {});
    Window.SetReplyListener(nullptr);
    if (printed >= count)
        return ExitSuccess;
    if (InterruptRequested())
        return ExitFailure;
    std::cout << (Unit.Port.PortOpen() ? "No reply from K7." : Unit.Port.LastError()) << std::endl;
    return ExitFailure;
}

} // namespace k7::cli
