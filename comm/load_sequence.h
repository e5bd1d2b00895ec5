// LoadSequence: the timer-driven download of a compiled program or of the
// unit's operating system, and the stop of the unit's program. Each tick of
// Timer2 takes one step: switch the unit to the TAVRO protocol (through a
// local unit in pass-through mode for a remote load), halt its program,
// check its OS version, erase flash sectors, stream the image lines or the
// OS blocks (each acknowledged by any CRC-valid reply and repeated on
// time-out), send the closing record and restart the unit.
#pragma once

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

enum LoadModes {
    LoadModeNone = 0,
    LoadModeProgram = 1,
    LoadModeOs = 2,
    LoadModeStop = 3,
    LoadModeRemote = 4,
};

// Time-outs of the sequence, in milliseconds.
constexpr int SwitchIntervalMs = 500;
constexpr int PhaseIntervalMs = 1000;
constexpr int HaltIntervalMs = 3000;
constexpr int FrameIntervalMs = 2000;
constexpr int OsFileIntervalMs = 10;
constexpr int AtOnceIntervalMs = 1;

constexpr int FinishedState = 100;
constexpr int MaxFrameRepeats = 4; // a frame goes out at most five times
constexpr const char* ExpectedOsVersion = "5.62";

constexpr std::uint32_t OsSkippedBytes = 0x4000; // the unit's boot area, never sent
constexpr std::uint32_t OsBlockBytes = 128;
constexpr std::uint32_t OsChecksumAddress = 0x3FFFC; // the record of the checksum
constexpr std::uint32_t OsLastCountedAddress = 0x3FFF8;
constexpr int OsProgressTotal = 175000;
constexpr const char* OsImageName = "k7.dwn";

// Texts the sequence shows.
namespace LoadText {
constexpr const char* NoProject = "There is no project installed to send.";
constexpr const char* CompileErrors = "Project compile resulted in error(s).";
constexpr const char* SwitchingProtocol = "Switching K7 to TAVRO protocol...";
constexpr const char* StoppingProgram = "Stopping K7 program...";
constexpr const char* SwitchMark = "^R ";
constexpr const char* StopMark = "^K ";
constexpr const char* PassThroughOn = "Local K3/K7 is in passthrough mode";
constexpr const char* InitiatingPassThrough = "Initiating master pass-through mode...";
constexpr const char* MasterNotReady = "K3/K7 master not ready to pass pgm through";
constexpr const char* ProgramIdle = "K3/K7 program is idle";
constexpr const char* SendingHalt = "Sending command to halt K3/K7 program...";
constexpr const char* NoReply = "No reply from K7.";
constexpr const char* VersionQuestion =
    "Tav7 OS version may be incompatible with load, proceed anyway?";
constexpr const char* Responded = "K7 responded...";
constexpr const char* NotResponding = "K7 is not responding";
constexpr const char* ProgramCaption = "Load Progress";
constexpr const char* ProgramLabel = "Loading K7/K3 Program...";
constexpr const char* OsCaption = "Load Progress:";
constexpr const char* OsLabel = "Loading Tav7/Tav3 OS...";
constexpr const char* InstallingSecurity = "Installing program security...";
constexpr const char* ProgramLoaded = "Program load successful.";
constexpr const char* RestartingProgram = "Restarting K7 program...";
constexpr const char* SendingOsSecurity = "Sending OS security...";
constexpr const char* OsLoaded = "OS load successful.";
constexpr const char* RestartingOs = "Restarting K7 OS...";
constexpr const char* Terminated = "Sequence terminated";
constexpr const char* RepeatsPrefix = "Repeats=";
} // namespace LoadText

// "Cannot find file K7.DWN in " + the system folder.
std::string MissingOsImageMessage(const std::string& systemFolder);

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

// The running sum of the OS image words and its completion, which counts
// every word of erased flash after the image as 0xFFFF.
class OsChecksum {
  public:
    // Adds the big-endian words of one block; a last odd byte pairs with
    // 0xFF, the erased flash that follows it in the unit.
    void AddBlock(const std::string& block);
    // Counts the erased words from nextAddress up to 0x3FFF8 and marks a
    // sum that passed 0x7FFFFFFF on the way in bit 31.
    void Complete(std::uint32_t nextAddress);
    std::uint32_t Value() const { return Sum; }
    void Reset() { Sum = 0; }

  private:
    std::uint32_t Sum = 0;
};

// The OS image of a system folder ("k7.dwn" in any case).
std::string OsImagePath(const std::string& systemFolder);
// Whether the unit can take the OS image: present, at least 16 KiB, of
// even length, and ending before the checksum record. Empty text when it
// can be sent, otherwise the message to show.
std::string OsImageProblem(const std::string& systemFolder);

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
    int State() const { return Step; }
    int Mode() const { return LoadMode; }
    int TotalRepeats() const { return Repeats; }
    bool OsFileOpen() const { return OsFile.is_open(); }
    const std::string& UnitOsVersion() const { return Screen.UnitOsVersion(); }

    // PumpListener: unit output in ASCII mode, reply frames, a lost port.
    void TerminalBytes(const std::string& bytes) override;
    void ReplyArrived(const std::string& frame) override;
    void PortLost() override;

  private:
    void StartSequence();
    void ProtocolSwitchStep();
    void PassThroughCheckStep();
    bool HaltStep();
    void NoReplyStep();
    void VersionCheckStep();
    void EraseStep();
    void ProgramLoadStep();
    void ProgramLineState();
    void InstallSecurityState();
    void RestartProgramState();
    void OsLoadStep();
    void OpenOsFileState();
    void SkipBootAreaState();
    void OsBlockState();
    void OsChecksumState();
    void RestartOsState();
    void FinishStep();

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
    bool ProgramMode() const { return LoadMode == LoadModeProgram || LoadMode == LoadModeRemote; }

    TSeComm32& Port;
    ReceivePump& Pump;
    Terminal& Screen;
    Timer& Timer2;
    UserInterface& Ui;
    LoadView& View;
    WatchWindow* Watch = nullptr;
    SerialChoices Choices;
    std::string SystemFolder;

    int Step = FinishedState;
    int LoadMode = LoadModeNone;
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
