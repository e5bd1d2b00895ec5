#include "comm/load_sequence.h"

#include "comm/ascii_messages.h"
#include "comm/watch.h"
#include "workspace/text_file.h"

namespace k7 {

namespace {

constexpr int FirstEraseSectorProgram = 5;
constexpr int FirstEraseSectorOs = 1;
constexpr int LastEraseSector = 6;
constexpr int EraseGiveUpCommands = 7;
// Switch bytes sent before the halt; a remote load sends four, then at
// most two pass-through frames.
constexpr int SwitchRounds = 3;
constexpr int RemoteSwitchBytes = 4;
constexpr int RemoteSwitchRounds = 6;
constexpr int HaltCommands = 3;

// The unit loads the markers "#0", "#1", "#3", "#4", "#8" and "#9"; the
// other section markers carry nothing for it.
bool IsLoadedMarker(const std::string& line) {
    return line.size() >= 2 && std::string("013489").find(line[1]) != std::string::npos;
}

// An image line too long for one frame is refused before anything is sent,
// so the unit never holds half of a program because of it.
std::string ImageLinesProblem(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const bool shortened = !line.empty() && line[0] == '#' && IsLoadedMarker(line);
        if (!shortened && line.size() > MaxProgramLineLength)
            return ImageLineTooLongText(i + 1, MaxProgramLineLength);
    }
    return {};
}

bool RouteValueFits(int value) {
    return value >= 0 && value <= 0xFF;
}

} // namespace

LoadSequence::LoadSequence(TSeComm32& port, ReceivePump& pump, Terminal& terminal, Timer& timer2,
                           UserInterface& ui, LoadView& view)
    : Port(port), Pump(pump), Screen(terminal), Timer2(timer2), Ui(ui), View(view) {
    Timer2.SetEnabled(false);
    Timer2.SetHandler([this] { Tick(); });
}

LoadSequence::~LoadSequence() {
    Timer2.SetEnabled(false);
    Timer2.SetHandler(nullptr);
}

// ---- user actions ----

bool LoadSequence::SendProgram(ProjectLink& project) {
    PassThroughConfirmed = false;
    CancelRequest = false;
    if (!project.ProjectPresent()) {
        Ui.ShowError(LoadText::NoProject);
        RemoteLoad = false;
        return false;
    }
    auto lines = project.ImageToSend();
    if (!lines) {
        Ui.ShowError(LoadText::CompileErrors);
        RemoteLoad = false;
        return false;
    }
    const std::string problem = ImageLinesProblem(*lines);
    if (!problem.empty()) {
        Ui.ShowError(problem);
        RemoteLoad = false;
        return false;
    }
    ImageLines = std::move(*lines);
    Pump.ClearReplyFrame();
    OpenTerminal();
    CurrentMode = RemoteLoad ? LoadMode::Remote : LoadMode::Program;
    StartSequence();
    return true;
}

bool LoadSequence::StartRemoteLoad(const RemoteLoadParams& params, ProjectLink& project) {
    const int route[] = {params.RemoteAddress,   params.ForwardAddress1, params.ForwardAddress2,
                         params.ForwardAddress3, params.MasterBoard,     params.MasterPort};
    for (int value : route) {
        if (!RouteValueFits(value)) {
            Ui.ShowError(LoadText::RouteOutOfRange);
            return false;
        }
    }
    if (params.WaitSeconds < 1 || params.WaitSeconds > 255) {
        Ui.ShowError(LoadText::WaitOutOfRange);
        return false;
    }
    Remote = params;
    View.HideRemotePanel();
    RemoteLoad = true;
    return SendProgram(project);
}

bool LoadSequence::SendOs() {
    CancelRequest = false;
    // Checked before anything is sent: the sequence erases the unit's OS
    // before it reads the file, and a unit without an OS cannot be reached.
    const std::string problem = OsImageProblem(SystemFolder);
    if (!problem.empty()) {
        Ui.ShowError(problem);
        return false;
    }
    OpenTerminal();
    CurrentMode = LoadMode::Os;
    StartSequence();
    return true;
}

bool LoadSequence::StopProgram() {
    CancelRequest = false;
    OpenTerminal();
    CurrentMode = LoadMode::Stop;
    StartSequence();
    return true;
}

void LoadSequence::OpenTerminal() {
    View.HideCompilerStatus();
    if (Watch && Watch->IsOpen())
        Watch->Close();
    Pump.SetWatchActive(false);
    Pump.SetListener(this);
    // The action goes on when the port did not open: every send then
    // reports that the port is not open.
    if (!SetupPort(Port, Pump, Choices))
        return;
    Pump.SetComMode(ComModeAscii);
    CurrentMode = LoadMode::None;
    Screen.Clear();
    Pump.ClearAccumulator();
    View.ShowTerminalPage(true);
}

void LoadSequence::CloseTerminal() {
    RemoteLoad = false;
    View.HideRemotePanel();
    Pump.Stop();
    Timer2.SetEnabled(false);
    View.ShowTerminalPage(false);
    View.ShowProgress(false);
    CloseOsFile();
    Port.ClosePort();
    if (Result == LoadOutcome::Running)
        Result = LoadOutcome::Cancelled;
}

void LoadSequence::StartSequence() {
    CloseOsFile();
    EnterStep(LoadStep::SwitchProtocol);
    Repeats = 0;
    RepeatCount = 0;
    View.SetRepeatLabel(std::string(LoadText::RepeatsPrefix) + "0");
    Timer2.SetInterval(SwitchIntervalMs);
    Timer2.SetEnabled(true);
    Pump.ClearReplyFrame();
    LastSent.clear();
    Screen.Clear();
    Result = LoadOutcome::Running;
    Say(CurrentMode == LoadMode::Stop ? LoadText::StoppingProgram : LoadText::SwitchingProtocol);
}

// ---- pump events ----

void LoadSequence::TerminalBytes(const std::string& bytes) {
    View.TerminalTextAdded(Screen.TerminalOutput(bytes));
}

void LoadSequence::ReplyArrived(const std::string&) {
    SetInterval(AtOnceIntervalMs);
}

// The unit's line went away (a cable pulled): nothing more can be sent, so
// the sequence ends at the next tick instead of repeating into a closed port.
void LoadSequence::PortLost() {
    if (!Running())
        return;
    CloseOsFile();
    if (!Port.LastError().empty())
        Say(Port.LastError());
    ShowErrorPaused(LoadText::NotResponding);
    EndWith(LoadOutcome::Failed);
    SetInterval(AtOnceIntervalMs);
}

// ---- the tick ----

void LoadSequence::Tick() {
    if (CancelRequest) {
        CloseTerminal();
        RemoteLoad = false;
        Result = LoadOutcome::Cancelled;
        return;
    }
    for (;;) {
        const LoadStep ran = Step;
        if (RunStep())
            break;
        // Only a hand-over to a later step goes on in the same tick, and
        // only the end follows a load step at once.
        if (Step <= ran)
            break;
        if (ran >= LoadStep::SendProgramLines && Step != LoadStep::Finished)
            break;
    }
    Screen.CutToLastLines(TerminalLineLimit);
}

bool LoadSequence::RunStep() {
    switch (Step) {
    case LoadStep::SwitchProtocol:
        return SwitchProtocolStep();
    case LoadStep::CheckPassThrough:
        return CheckPassThroughStep();
    case LoadStep::HaltProgram:
        return HaltProgramStep();
    case LoadStep::NoReply:
        return NoReplyStep();
    case LoadStep::CheckVersion:
        return CheckVersionStep();
    case LoadStep::EraseFlash:
        return EraseFlashStep();
    case LoadStep::SendProgramLines:
        ShowProgramProgress();
        return SendProgramLineStep();
    case LoadStep::InstallSecurity:
        ShowProgramProgress();
        return InstallSecurityStep();
    case LoadStep::RestartProgram:
        ShowProgramProgress();
        return RestartProgramStep();
    case LoadStep::OpenOsFile:
        return OpenOsFileStep();
    case LoadStep::SkipBootArea:
        return SkipBootAreaStep();
    case LoadStep::SendOsBlocks:
        return SendOsBlockStep();
    case LoadStep::SendOsChecksum:
        return SendOsChecksumStep();
    case LoadStep::RestartOs:
        return RestartOsStep();
    case LoadStep::Finished:
        return FinishStep();
    }
    return true;
}

void LoadSequence::EnterStep(LoadStep step) {
    Step = step;
    StepRound = 0;
}

void LoadSequence::EndWith(LoadOutcome outcome) {
    Result = outcome;
    EnterStep(LoadStep::Finished);
}

bool LoadSequence::SwitchProtocolStep() {
    View.SetProgressPosition(0);
    ImageLineIndex = 0;
    int rounds = SwitchRounds;
    if (CurrentMode == LoadMode::Stop) {
        SendBytes(std::string(1, StopProgramByte));
        Say(LoadText::StopMark);
    } else {
        const bool remote = CurrentMode == LoadMode::Remote;
        if (!remote || StepRound < RemoteSwitchBytes) {
            SendBytes(std::string(1, SwitchToTavroByte));
            Say(LoadText::SwitchMark);
        }
        if (remote) {
            rounds = RemoteSwitchRounds;
            if (StepRound >= RemoteSwitchBytes) {
                if (ReplyShowsPassThrough(Pump.ReplyFrame())) {
                    Say(LoadText::PassThroughOn);
                    PassThroughConfirmed = true;
                    rounds = StepRound + 1;
                }
                Pump.SetComMode(ComModeCrc);
                if (!PassThroughConfirmed) {
                    Say(LoadText::InitiatingPassThrough);
                    PassThroughRoute route;
                    route.MasterBoard = Remote.MasterBoard;
                    route.MasterPort = Remote.MasterPort;
                    route.RemoteAddress = Remote.RemoteAddress;
                    route.ForwardAddress1 = Remote.ForwardAddress1;
                    route.ForwardAddress2 = Remote.ForwardAddress2;
                    route.ForwardAddress3 = Remote.ForwardAddress3;
                    if (auto frame = PassThroughStartFrame(route))
                        SendFrame(*frame, false);
                }
            }
        }
    }
    StepRound += 1;
    if (StepRound >= rounds)
        EnterStep(LoadStep::CheckPassThrough);
    return false;
}

bool LoadSequence::CheckPassThroughStep() {
    // The master's answer to the pass-through frame is not an answer to a
    // halt command, whatever its idle bit says.
    Pump.ClearReplyFrame();
    if (RemoteLoad && !PassThroughConfirmed) {
        Say(LoadText::MasterNotReady);
        EndWith(LoadOutcome::Failed);
    } else {
        EnterStep(LoadStep::HaltProgram);
    }
    SetInterval(PhaseIntervalMs);
    return true;
}

bool LoadSequence::HaltProgramStep() {
    if (CurrentMode == LoadMode::Stop) {
        EndWith(LoadOutcome::Succeeded);
        return true;
    }
    Pump.SetComMode(ComModeCrc);
    if (!Pump.ReplyFrame().empty()) {
        if (ReplyShowsIdle(Pump.ReplyFrame())) {
            EnterStep(LoadStep::CheckVersion);
            Say(LoadText::ProgramIdle);
        }
        Pump.ClearReplyFrame();
    }
    if (Step == LoadStep::HaltProgram) {
        SetInterval(RemoteOr(HaltIntervalMs));
        Say(LoadText::SendingHalt);
        SendFrame(
            ControlFrame(CurrentMode == LoadMode::Os ? ControlHaltForOs : ControlHaltForProgram),
            false);
        StepRound += 1;
        if (StepRound >= HaltCommands)
            EnterStep(LoadStep::NoReply);
    }
    return false;
}

bool LoadSequence::NoReplyStep() {
    Say(LoadText::NoReply);
    EndWith(LoadOutcome::Failed);
    return false;
}

bool LoadSequence::CheckVersionStep() {
    const bool refused = ProgramMode() && Screen.UnitOsVersion() != ExpectedOsVersion &&
                         !AskPaused(LoadText::VersionQuestion);
    if (refused)
        EndWith(LoadOutcome::Failed);
    else
        EnterStep(LoadStep::EraseFlash);
    SetInterval(PhaseIntervalMs);
    return true;
}

bool LoadSequence::EraseFlashStep() {
    if (StepRound == 0) {
        EraseSector = ProgramMode() ? FirstEraseSectorProgram : FirstEraseSectorOs;
        // No erase command is out yet: a late answer to a halt command must
        // not count as the first sector's acknowledgement.
        Pump.ClearReplyFrame();
    }
    if (!Pump.ReplyFrame().empty()) {
        Say(LoadText::Responded);
        EraseSector += 1;
        Pump.ClearReplyFrame();
        if (EraseSector > LastEraseSector)
            EnterStep(ProgramMode() ? LoadStep::SendProgramLines : LoadStep::OpenOsFile);
    }
    if (Step == LoadStep::EraseFlash) {
        Say(ErasingSectorText(EraseSector));
        SendFrame(EraseSectorFrame(EraseSector), false);
        SetInterval(RemoteOr(HaltIntervalMs));
        StepRound += 1;
        if (StepRound >= EraseGiveUpCommands) {
            ShowErrorPaused(LoadText::NotResponding);
            EndWith(LoadOutcome::Failed);
        }
    }
    return false;
}

// ---- program load ----

void LoadSequence::ShowProgramProgress() {
    View.ShowProgress(true);
    View.SetProgressCaption(LoadText::ProgramCaption);
    View.SetProgressLabel(LoadText::ProgramLabel);
}

// Markers the unit loads go out as their first two characters, other
// markers are skipped; when the image ends while skipping, the last line
// taken goes out unchanged. Empty lines carry nothing and are passed over.
bool LoadSequence::NextProgramLine(std::string& line) {
    const std::string* lastTaken = nullptr;
    while (ImageLineIndex < ImageLines.size()) {
        const std::string& taken = ImageLines[ImageLineIndex++];
        if (taken.empty())
            continue;
        lastTaken = &taken;
        if (taken[0] != '#') {
            line = taken;
            return true;
        }
        if (IsLoadedMarker(taken)) {
            line = taken.substr(0, 2);
            return true;
        }
    }
    if (!lastTaken)
        return false;
    line = *lastTaken;
    return true;
}

bool LoadSequence::SendProgramLineStep() {
    if (RepeatRule() || AwaitingReply())
        return false;
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    std::string line;
    if (!NextProgramLine(line)) {
        EnterStep(LoadStep::InstallSecurity);
        View.ShowProgress(false);
        RepeatCount = 0;
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return false;
    }
    const auto frame = ProgramLineFrame(line);
    // A line that still cannot be framed (checked before the start) would
    // stop the unit's loader; it is passed over instead.
    if (!frame) {
        SetInterval(AtOnceIntervalMs);
        return false;
    }
    const std::size_t lines = ImageLines.size();
    View.SetProgressPosition(lines > 1 ? static_cast<int>(ImageLineIndex * 100 / (lines - 1))
                                       : 100);
    SendFrame(*frame, true);
    SetInterval(RemoteOr(FrameIntervalMs));
    return false;
}

bool LoadSequence::InstallSecurityStep() {
    if (RepeatRule())
        return false;
    if (!LastSent.empty()) {
        EnterStep(LoadStep::RestartProgram);
        RepeatCount = 0;
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return false;
    }
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    Say(LoadText::InstallingSecurity);
    SendFrame(ControlFrame(ControlInstallSecurity), true);
    SetInterval(RemoteOr(FrameIntervalMs));
    return false;
}

bool LoadSequence::RestartProgramStep() {
    if (RepeatRule())
        return false;
    if (!LastSent.empty()) {
        EndWith(LoadOutcome::Succeeded);
        Pump.SetComMode(ComModeAscii);
        SetInterval(AtOnceIntervalMs);
        return false;
    }
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    Say(LoadText::ProgramLoaded);
    Say(LoadText::RestartingProgram);
    SendFrame(ControlFrame(ControlRestartProgram), true);
    SetInterval(RemoteOr(FrameIntervalMs));
    return false;
}

// ---- OS load ----

bool LoadSequence::OpenOsFileStep() {
    const std::string path = OsImagePath(SystemFolder);
    if (FileExists(path))
        OsFile.open(path, std::ios::binary);
    if (!OsFile.is_open()) {
        Timer2.SetEnabled(false);
        Ui.ShowError(MissingOsImageMessage(SystemFolder));
        EndWith(LoadOutcome::Failed);
        return false;
    }
    View.ShowProgress(true);
    View.SetProgressCaption(LoadText::OsCaption);
    View.SetProgressLabel(LoadText::OsLabel);
    View.SetProgressPosition(0);
    EnterStep(LoadStep::SkipBootArea);
    OsAddress = 0;
    Checksum.Reset();
    SetInterval(OsFileIntervalMs);
    return false;
}

std::string LoadSequence::ReadOsBlock() {
    std::string block(OsBlockBytes, '\0');
    OsFile.read(block.data(), static_cast<std::streamsize>(block.size()));
    block.resize(static_cast<std::size_t>(OsFile.gcount()));
    return block;
}

bool LoadSequence::SkipBootAreaStep() {
    while (OsAddress < OsSkippedBytes - 1) {
        const std::string block = ReadOsBlock();
        if (block.empty())
            break;
        OsAddress += static_cast<std::uint32_t>(block.size());
    }
    // The file was checked before the start; one cut short since then must
    // not send its boot area as the OS.
    if (OsAddress < OsSkippedBytes) {
        View.ShowProgress(false);
        CloseOsFile();
        const std::string problem = OsImageProblem(SystemFolder);
        ShowErrorPaused(problem.empty() ? MissingOsImageMessage(SystemFolder) : problem);
        EndWith(LoadOutcome::Failed);
        return false;
    }
    EnterStep(LoadStep::SendOsBlocks);
    RepeatCount = 0;
    Pump.ClearReplyFrame();
    SetInterval(OsFileIntervalMs);
    return false;
}

bool LoadSequence::SendOsBlockStep() {
    if (RepeatRule() || AwaitingReply())
        return false;
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    const std::string block =
        OsAddress + OsBlockBytes <= OsChecksumAddress ? ReadOsBlock() : std::string();
    if (block.empty()) {
        View.ShowProgress(false);
        CloseOsFile();
        EnterStep(LoadStep::SendOsChecksum);
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return false;
    }
    View.SetProgressPosition(static_cast<int>(OsAddress * 100ull / OsProgressTotal));
    const auto frame = OsBlockFrame(OsAddress, block);
    Checksum.AddBlock(block);
    OsAddress += static_cast<std::uint32_t>(block.size());
    SendFrame(*frame, true);
    SetInterval(FrameIntervalMs);
    return false;
}

bool LoadSequence::SendOsChecksumStep() {
    if (RepeatRule())
        return false;
    if (!LastSent.empty()) {
        EnterStep(LoadStep::RestartOs);
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return false;
    }
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    Checksum.Complete(OsAddress);
    const auto frame = OsBlockFrame(OsChecksumAddress, BigEndianWord(Checksum.Value()));
    Say(LoadText::SendingOsSecurity);
    SendFrame(*frame, true);
    SetInterval(FrameIntervalMs);
    return false;
}

bool LoadSequence::RestartOsStep() {
    if (RepeatRule())
        return false;
    if (LastSent.empty()) {
        Pump.ClearReplyFrame();
        RepeatCount = 0;
        Say(LoadText::OsLoaded);
        Say(LoadText::RestartingOs);
        SendFrame(ControlFrame(ControlRestartOs), true);
        SetInterval(FrameIntervalMs);
        return false;
    }
    EndWith(LoadOutcome::Succeeded);
    Pump.SetComMode(ComModeAscii);
    SetInterval(AtOnceIntervalMs);
    return false;
}

// ---- the end ----

bool LoadSequence::FinishStep() {
    View.ShowProgress(false);
    Say(LoadText::Terminated);
    Pump.SetComMode(ComModeAscii);
    Timer2.SetEnabled(false);
    EnterStep(LoadStep::Finished);
    CloseOsFile();
    if (RemoteLoad) {
        if (Port.PortOpen())
            SendBytes(PassThroughEndFrame());
        RemoteLoad = false;
    }
    if (Result == LoadOutcome::Running)
        Result = LoadOutcome::Failed;
    return false;
}

// ---- helpers ----

// Rule R: the frame last sent has had no reply before its time-out. It goes
// out again, at most five times in all; then the unit is given up. True
// when the sequence ends here.
bool LoadSequence::RepeatRule() {
    if (!Pump.ReplyFrame().empty() || LastSent.empty())
        return false;
    RepeatCount += 1;
    Repeats += 1;
    if (RepeatCount > MaxFrameRepeats) {
        if (CurrentMode == LoadMode::Os && Step == LoadStep::SendOsBlocks) {
            View.ShowProgress(false);
            CloseOsFile();
        }
        ShowErrorPaused(LoadText::NotResponding);
        EndWith(LoadOutcome::Failed);
        return true;
    }
    View.SetRepeatLabel(LoadText::RepeatsPrefix + std::to_string(Repeats));
    SendBytes(LastSent);
    SetInterval(CurrentMode == LoadMode::Os ? FrameIntervalMs : RemoteOr(FrameIntervalMs));
    return false;
}

bool LoadSequence::AwaitingReply() const {
    return Pump.ReplyFrame().empty() && !LastSent.empty();
}

void LoadSequence::SendFrame(const std::string& frame, bool keep) {
    if (keep)
        LastSent = frame;
    SendBytes(frame);
}

// The result of the write is not looked at: a frame lost on the way is
// handled like a lost reply.
void LoadSequence::SendBytes(const std::string& bytes) {
    Port.WriteString(bytes);
}

void LoadSequence::Say(const std::string& line) {
    Screen.AppendLine(line);
    View.TerminalTextAdded(line + "\r\n");
}

// The sequence's timer waits while its dialog is shown, so that no tick
// runs inside a tick that waits for the user.
void LoadSequence::ShowErrorPaused(const std::string& message) {
    const bool wasRunning = Timer2.Enabled();
    Timer2.SetEnabled(false);
    Ui.ShowError(message);
    if (wasRunning)
        Timer2.SetEnabled(true);
}

bool LoadSequence::AskPaused(const std::string& question) {
    const bool wasRunning = Timer2.Enabled();
    Timer2.SetEnabled(false);
    const bool yes = Ui.AskYesNo(question);
    if (wasRunning)
        Timer2.SetEnabled(true);
    return yes;
}

int LoadSequence::RemoteOr(int milliseconds) const {
    return CurrentMode == LoadMode::Remote ? Remote.WaitSeconds * 1000 : milliseconds;
}

void LoadSequence::CloseOsFile() {
    if (OsFile.is_open())
        OsFile.close();
    OsFile.clear();
}

} // namespace k7
