// The watch window on the command line, shared by k7c watch and poke.
#pragma once

#include "cli_unit_link.h"

#include "comm/watch.h"

#include <string>
#include <vector>

namespace k7::cli {

constexpr std::size_t WatchableSlots = 28;
// A unit that sends no reply for this long is given up.
constexpr int WatchReplyWaitMs = 5000;

class WatchSession {
  public:
    WatchSession(const GlobalOptions& global, const std::string& portName);

    // Opens the project and the watch window (compiling first). Exit status.
    int OpenWindow(const std::string& projectPath);
    // Drops a name on the index-th place: slots 1 to 14, then 16 to 29.
    // False (after a message) when the name has no address to watch.
    bool Place(int index, const std::string& name);
    // Types value into the value cell of the index-th place and presses Enter.
    void Poke(int index, const std::string& value);
    // Prints count replies as NAME=VALUE lines. Exit status.
    int PrintReplies(int count);

    TerminalUi Ui;
    // The timers and the view outlive the session's unit link, which holds them.
    TimerQueue Timers;
    LoadView View;
    std::unique_ptr<Session> Core;
    UnitLink& Unit;
    WatchWindow& Window;

  private:
    std::string ReplyLine() const;
    std::vector<std::pair<int, int>> Places; // (column, row) of each name
};

} // namespace k7::cli
