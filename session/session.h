// The session: what one run of the desktop program (or one k7c command)
// works on. It owns the workspace, the last compile until the next one,
// the project as the download and the watch see it, and the link to the
// unit (port, receive pump, terminal, load sequence and watch window).
// Windows and k7c drive the session; they hold no project rule of their
// own.
#pragma once

#include "comm/load_sequence.h"
#include "comm/project_link.h"
#include "comm/receive_pump.h"
#include "comm/serial_port.h"
#include "comm/terminal.h"
#include "comm/timer.h"
#include "comm/watch.h"
#include "compiler/compile_context.h"
#include "workspace/progress_panel.h"
#include "workspace/workspace.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

// What a compile asked of the session leaves for the windows.
struct CompileReport {
    CompileOutcome Outcome = CompileOutcome::Errors;
    bool Clean = false;                 // clean and the image saved
    std::vector<std::string> ErrorList; // sorted, as the List Errors window shows it
    std::string StatusMessage;          // the status bar's message panel
    bool NewAddressesAssigned = false;  // the project took new RAM addresses
    std::string ImageSaveError;         // why the clean image could not be written
    int RamUsed = 0;
    int FlashUsed = 0;
};

// How a compile is run: where its image goes (empty: Intermed.Obj in the
// system folder) and the date text of its file name record (empty: the
// workspace's).
struct CompileRequest {
    std::string ImagePath;
    std::string DateText;
    // k7c reports an unwritable image itself; the desktop program shows it
    // in an error box.
    bool ShowSaveError = true;
};

// The symbol lists the Debug mode shows.
enum class SymbolListKind { Float, Integer, Status, String, Timers, Triggers };

// One row of a symbol list as Debug mode shows it. Bit is filled for the
// Status list only: the bit number of the typed address.
struct SymbolListRow {
    std::string Name;
    std::string Value;
    std::string Address;
    std::string Bit;
};

// Column titles: "Name", "Value", "Address", and "Bit" for Status.
std::vector<std::string> SymbolListTitles(SymbolListKind kind);
// The bit number held in bits 27..30 of a typed address given in hex;
// empty when the text is no hexadecimal number.
std::string StatusBitOf(const std::string& typedAddressHex);

// The port, pump, terminal, load sequence and watch window of one unit,
// wired together: the sequence closes the watch when it opens the terminal.
// Timers come from the factory (window timers in the desktop program, a
// TimerQueue in k7c and tests); the serial device is the workstation's
// unless one is given.
class UnitLink {
  public:
    UnitLink(UserInterface& ui, TimerFactory& timers, LoadView& view,
             std::unique_ptr<SerialDevice> device = MakeSerialDevice());
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    // Applies the Communications Setup choices and the system folder.
    void Configure(const SerialChoices& choices, const std::string& systemFolder);

    TSeComm32 Port;
    ReceivePump Pump;
    Terminal Screen;
    LoadSequence Sequence;
    WatchWindow Watch;
};

class Session {
  public:
    // dateText gives the workstation's date and time text for file headers.
    Session(UserInterface& ui, std::function<std::string()> dateText);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Workspace& Space() { return workspace_; }
    const Workspace& Space() const { return workspace_; }
    UserInterface& Ui() { return workspace_.Ui(); }

    // Starts the workspace (settings, module library, a new project).
    void Start(const StartOptions& options);

    // The Compile command: compiles the open project, keeps the compile
    // until the next one and applies its outcome to the shell (a clean
    // compile disables Compile and List Errors, otherwise List Errors is
    // enabled; a failure to save the image is shown in an error box).
    CompileReport Compile(ProgressPanel& progress, const CompileRequest& request = {});
    // The last compile; null before the first one.
    const CompileContext* LastCompile() const { return lastCompile_.get(); }
    // The report of the last compile; Outcome Errors before the first one.
    const CompileReport& LastReport() const { return lastReport_; }
    // Debug mode's rows of one symbol list of the last compile.
    std::vector<SymbolListRow> SymbolListRows(SymbolListKind kind) const;

    // The Reassign command, with the project's notices and the shell's
    // enabling following.
    bool Reassign();

    // The project as Send and Watch see it: compiled first when it needs
    // a compile, otherwise Intermed.Obj read back from the system folder.
    // The progress panel given here shows those compiles (none: nothing).
    ProjectLink& Link() { return *link_; }
    void SetLinkProgress(ProgressPanel* progress) { linkProgress_ = progress; }
    void SetLinkCompileRequest(const CompileRequest& request) { linkRequest_ = request; }
    // Called after every compile the link starts, with its report.
    void SetLinkCompileListener(std::function<void(const CompileReport&)> listener) {
        linkCompileListener_ = std::move(listener);
    }
    // False until a project was opened or a module instance added.
    bool ProjectPresent() const;

    // The unit link, made on first call with the factory, view and device
    // given (later calls return the same link). The factory and view must
    // outlive the session.
    UnitLink& Unit(TimerFactory& timers, LoadView& view,
                   std::unique_ptr<SerialDevice> device = MakeSerialDevice());
    // The unit link once made; null before.
    UnitLink* Unit() { return unit_.get(); }
    // Ends the unit link (its port closed), before the timers and the view
    // it was made with go.
    void EndUnit() { unit_.reset(); }

  private:
    class LinkedProject;
    friend class LinkedProject;
    bool LinkCompileIfNeeded();
    bool RunLinkCompile();

    Workspace workspace_;
    ChangeSubscription changes_;
    std::unique_ptr<CompileContext> lastCompile_;
    CompileReport lastReport_;
    std::unique_ptr<ProjectLink> link_;
    ProgressPanel* linkProgress_ = nullptr;
    CompileRequest linkRequest_;
    bool compiledSinceChange_ = false;
    std::function<void(const CompileReport&)> linkCompileListener_;
    std::unique_ptr<UnitLink> unit_;
};

} // namespace k7
