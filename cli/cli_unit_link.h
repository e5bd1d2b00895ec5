// What k7c's send, send-os, stop, watch and poke share: the project as the
// download and the watch see it (compiled on demand, or an image file),
// the port options, and the terminal's side of the load: its lines on
// standard output and a progress bar on a terminal.
#pragma once

#include "cli_workspace.h"
#include "commands.h"

#include "comm/load_sequence.h"
#include "comm/project_link.h"
#include "comm/timer_queue.h"
#include "session/session.h"

#include <functional>
#include <memory>
#include <string>

namespace k7::cli {

// An image file sent as it is (k7c send --image).
class ImageFileProject : public ProjectLink {
  public:
    explicit ImageFileProject(std::vector<std::string> lines) : Lines(std::move(lines)) {}
    bool ProjectPresent() override { return true; }
    std::optional<std::vector<std::string>> ImageToSend() override { return Lines; }
    bool CompileIfNeeded() override { return true; }
    std::string LookupName(const std::string&) override { return {}; }

  private:
    std::vector<std::string> Lines;
};

// The port given with --port, with the other line choices of the settings.
SerialChoices ChoicesForPort(TSeComm32& port, const WorkspaceSettings& settings,
                             const std::string& portName);

// Prints what a compile started by Send or Watch reported: the error list,
// an image that could not be written and the closing status line.
void PrintLinkCompile(const CompileReport& report);

// Points the session's unit link at the --port device, printing the link's
// compiles.
UnitLink& OpenUnitLink(Session& session, TimerQueue& timers, LoadView& view,
                       const std::string& portName);

// The terminal page and progress panel on a text terminal: terminal text
// on standard output, the progress bar on standard error when that is a
// terminal.
class ConsoleLoadView : public LoadView {
  public:
    ConsoleLoadView();
    void ShowProgress(bool visible) override;
    void SetProgressCaption(const std::string& caption) override { Caption = caption; }
    void SetRepeatLabel(const std::string& label) override;
    void SetProgressPosition(int percent) override;
    void TerminalTextAdded(const std::string& text) override;

  private:
    void DrawBar();
    void EraseBar();
    bool BarOnTerminal = false;
    bool Visible = false;
    bool Drawn = false;
    std::string Caption;
    std::string Repeats = "Repeats=0";
    int Percent = 0;
};

// Ctrl-C asks for the progress panel's Cancel instead of ending k7c.
void CatchInterrupt();
bool InterruptRequested();

// Runs the timers on the workstation's clock until done() holds; a Ctrl-C
// calls cancel() once.
void RunUntil(TimerQueue& timers, const std::function<bool()>& done,
              const std::function<void()>& cancel);

// The exit status of a finished sequence.
int StatusOf(LoadOutcome outcome);

// A started workspace and the terminal page's side of the line, ready for
// one load sequence.
class LoadSession {
  public:
    LoadSession(const GlobalOptions& global, bool assumeYes, const std::string& portName);

    // Runs the started sequence to its end (Ctrl-C cancels it), closes the
    // terminal and the port, and gives the exit status.
    int Finish();

    TerminalUi Ui;
    // The timers and the view outlive the session's unit link, which holds them.
    TimerQueue Timers;
    ConsoleLoadView View;
    std::unique_ptr<Session> Core;
    UnitLink& Unit;
    LoadSequence& Sequence;
    TSeComm32& Port;
};

} // namespace k7::cli
