// LoadSequence: the timer-driven download of a compiled program or of the
// unit's operating system, and the stop of the unit's program. Each tick of
// Timer2 takes one step: switch the unit to the TAVRO protocol (through a
// local unit in pass-through mode for a remote load), halt its program,
// check its OS version, erase flash sectors, stream the image lines or the
// OS blocks (each acknowledged by any CRC-valid reply and repeated on
// time-out), send the closing record and restart the unit.
#pragma once

#include "comm/load_sequence_os_image.h"
#include "comm/load_sequence_texts.h"
#include "comm/port_setup.h"
#include "comm/project_link.h"
#include "comm/receive_pump.h"
#include "comm/serial_port.h"
#include "comm/tavro_frame.h"
#include "comm/terminal.h"
#include "comm/timer.h"
#include "workspace/user_interface.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace k7 {

class WatchWindow;

// What a sequence does: load the compiled program (directly or through a
// local unit in pass-through mode), load the OS, or stop the program.
enum class LoadMode { None, Program, Os, Stop, Remote };

// The steps of a sequence, in the order they follow each other. A tick
// runs the current step; a step that hands over to a later one lets that
// one run in the same tick unless it ends the tick, and at most one of
// the load steps (from SendProgramLines on) runs per tick.
enum class LoadStep {
    SwitchProtocol,   // the switch (or stop) byte; for a remote load, pass-through
    CheckPassThrough, // a remote load goes on only through a confirmed master
    HaltProgram,      // up to three halt commands, until the unit reports idle
    NoReply,          // the unit never answered the halt command
    CheckVersion,     // a program for another OS version only on request
    EraseFlash,       // one erase command per sector, each acknowledged
    // Program load.
    SendProgramLines,
    InstallSecurity,
    RestartProgram,
    // OS load.
    OpenOsFile,
    SkipBootArea,
    SendOsBlocks,
    SendOsChecksum,
    RestartOs,
    Finished,
};

// Time-outs of the sequence, in milliseconds.
constexpr int SwitchIntervalMs = 500;
constexpr int PhaseIntervalMs = 1000;
constexpr int HaltIntervalMs = 3000;
constexpr int FrameIntervalMs = 2000;
constexpr int OsFileIntervalMs = 10;
constexpr int AtOnceIntervalMs = 1;

constexpr int MaxFrameRepeats = 4; // a frame goes out at most five times
constexpr const char* ExpectedOsVersion = "5.62";

// The fields of the "Send Program to Remote" panel.
struct RemoteLoadParams {
    int RemoteAddress = 0;
    int WaitSeconds = 2; // "Wait for Reply, sec:"
    int ForwardAddress1 = 0;
    int ForwardAddress2 = 0;
    int ForwardAddress3 = 0;
    int MasterBoard = 0; // "Board # in master K7/K3 to TX:"
    int MasterPort = 0;  // "Port # in master K7/K3 to TX:"
};

// What the terminal page and the shared progress panel show of a load.
// Every call has a default that shows nothing.
class LoadView {
  public:
    virtual ~LoadView() = default;
    virtual void ShowProgress(bool /*visible*/) {}
    virtual void SetProgressCaption(const std::string& /*caption*/) {}
    virtual void SetProgressLabel(const std::string& /*label*/) {}
    virtual void SetRepeatLabel(const std::string& /*label*/) {}
    virtual void SetProgressPosition(int /*percent*/) {}
    virtual void ShowTerminalPage(bool /*visible*/) {}
    virtual void HideRemotePanel() {}
    virtual void HideCompilerStatus() {}
    // Text just added to the terminal (status lines end with "\r\n").
    virtual void TerminalTextAdded(const std::string& /*text*/) {}
};

// How the last sequence ended.
enum class LoadOutcome { None, Running, Succeeded, Failed, Cancelled };

class LoadSequence : public PumpListener {
  public:
    // The sequence makes itself the handler of timer2.
    LoadSequence(TSeComm32& port, ReceivePump& pump, Terminal& terminal, Timer& timer2,
                 UserInterface& ui, LoadView& view);
    ~LoadSequence() override;

    // The Communications Setup choices and the system folder (with its
    // trailing separator), where the OS image is found.
    void SetSerialChoices(const SerialChoices& choices) { Choices = choices; }
    void SetSystemFolder(const std::string& folder) { SystemFolder = folder; }
    // The watch window that opening the terminal closes.
    void SetWatchWindow(WatchWindow* watch) { Watch = watch; }

    // "Send Pgm": true when the sequence started.
    bool SendProgram(ProjectLink& project);
    // The remote panel's "Start": copies the parameters and sends the
    // program through the local unit.
    bool StartRemoteLoad(const RemoteLoadParams& params, ProjectLink& project);
    // "Send OS".
    bool SendOs();
    // "Stop Pgm".
    bool StopProgram();
    // The progress panel's Cancel: the next tick closes the terminal.
    void CancelLoad() { CancelRequest = true; }

    void OpenTerminal();
    void CloseTerminal();

    // One tick of Timer2.
    void Tick();

    bool Running() const { return Timer2.Enabled(); }
    LoadOutcome Outcome() const { return Result; }
    LoadStep State() const { return Step; }
    LoadMode Mode() const { return CurrentMode; }
    int TotalRepeats() const { return Repeats; }
    bool OsFileOpen() const { return OsFile.is_open(); }
    const std::string& UnitOsVersion() const { return Screen.UnitOsVersion(); }

    // PumpListener: unit output in ASCII mode, reply frames, a lost port.
    void TerminalBytes(const std::string& bytes) override;
    void ReplyArrived(const std::string& frame) override;
    void PortLost() override;

  private:
    void StartSequence();
    // The one step of the current state; true when the tick ends with it.
    bool RunStep();
    bool SwitchProtocolStep();
    bool CheckPassThroughStep();
    bool HaltProgramStep();
    bool NoReplyStep();
    bool CheckVersionStep();
    bool EraseFlashStep();
    void ShowProgramProgress();
    bool SendProgramLineStep();
    bool InstallSecurityStep();
    bool RestartProgramStep();
    bool OpenOsFileStep();
    bool SkipBootAreaStep();
    bool SendOsBlockStep();
    bool SendOsChecksumStep();
    bool RestartOsStep();
    bool FinishStep();
    // Ends the sequence at once with the outcome given.
    void EndWith(LoadOutcome outcome);
    void EnterStep(LoadStep step);

    bool RepeatRule();
    bool AwaitingReply() const;
    void SendFrame(const std::string& frame, bool keep);
    void SendBytes(const std::string& bytes);
    void Say(const std::string& line);
    void ShowErrorPaused(const std::string& message);
    bool AskPaused(const std::string& question);
    void SetInterval(int milliseconds) { Timer2.SetInterval(milliseconds); }
    int RemoteOr(int milliseconds) const;
    bool NextProgramLine(std::string& line);
    void CloseOsFile();
    std::string ReadOsBlock();
    bool ProgramMode() const {
        return CurrentMode == LoadMode::Program || CurrentMode == LoadMode::Remote;
    }

    TSeComm32& Port;
    ReceivePump& Pump;
    Terminal& Screen;
    Timer& Timer2;
    UserInterface& Ui;
    LoadView& View;
    WatchWindow* Watch = nullptr;
    SerialChoices Choices;
    std::string SystemFolder;

    LoadStep Step = LoadStep::Finished;
    LoadMode CurrentMode = LoadMode::None;
    // The ticks spent in the current step (switch bytes, pass-through
    // frames, halt and erase commands sent).
    int StepRound = 0;
    bool RemoteLoad = false;
    bool PassThroughConfirmed = false;
    bool CancelRequest = false;
    int RepeatCount = 0;
    int Repeats = 0;
    int EraseSector = 0;
    std::size_t ImageLineIndex = 0;
    std::vector<std::string> ImageLines;
    std::uint32_t OsAddress = 0;
    OsChecksum Checksum;
    std::ifstream OsFile;
    std::string LastSent;
    RemoteLoadParams Remote;
    LoadOutcome Result = LoadOutcome::None;
};

} // namespace k7
