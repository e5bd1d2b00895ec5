#include "comm/load_sequence.h"

#include "comm/ascii_messages.h"
#include "comm/watch.h"
#include "workspace/text_file.h"

#include <filesystem>

namespace k7 {

namespace {

constexpr int FirstEraseSectorProgram = 5;
constexpr int FirstEraseSectorOs = 1;
constexpr int LastEraseSector = 6;
constexpr int FirstEraseState = 10;
constexpr int EraseGiveUpState = 17; // seven erase commands in all

std::string BigEndianWord(std::uint32_t value) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

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
            return "Download image line " + std::to_string(i + 1) + " is longer than " +
                   std::to_string(MaxProgramLineLength) + " characters; nothing was sent.";
    }
    return {};
}

bool RouteValueFits(int value) {
    return value >= 0 && value <= 0xFF;
}

} // namespace

std::string MissingOsImageMessage(const std::string& systemFolder) {
    return "Cannot find file K7.DWN in " + systemFolder;
}

std::string OsImagePath(const std::string& systemFolder) {
    return FindFileIgnoringCase(systemFolder, OsImageName);
}

std::string OsImageProblem(const std::string& systemFolder) {
    const std::string path = OsImagePath(systemFolder);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return MissingOsImageMessage(systemFolder);
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return MissingOsImageMessage(systemFolder);
    const std::string name = "K7.DWN in " + systemFolder;
    if (size < OsSkippedBytes)
        return name + " is shorter than 16384 bytes; it is not an OS image.";
    if (size % 2 != 0)
        return name + " has an odd length; the unit's flash takes whole words.";
    if (size > OsChecksumAddress)
        return name + " is longer than the unit's flash (262140 bytes).";
    return {};
}

void OsChecksum::AddBlock(const std::string& block) {
    for (std::size_t i = 0; i < block.size(); i += 2) {
        const unsigned high = static_cast<unsigned char>(block[i]);
        const unsigned low = i + 1 < block.size() ? static_cast<unsigned char>(block[i + 1]) : 0xFF;
        Sum += high * 256 + low;
    }
}

// The unit checks the sum with its own carry rule: the sum is kept below
// 0x80000000 while the erased words are added, and a flag remembers in
// bit 31 whether the top bit was taken off an odd number of times.
void OsChecksum::Complete(std::uint32_t nextAddress) {
    bool flag = false;
    for (std::uint32_t address = nextAddress; address <= OsLastCountedAddress; ++address) {
        if (address % 2 != 0)
            continue;
        if (Sum > 0x7FFF0000u) {
            Sum -= 0x80000000u;
            flag = !flag;
        }
        Sum += 0xFFFF;
    }
    if (flag)
        Sum |= 0x80000000u;
}

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
    LoadMode = RemoteLoad ? LoadModeRemote : LoadModeProgram;
    StartSequence();
    return true;
}

bool LoadSequence::StartRemoteLoad(const RemoteLoadParams& params, ProjectLink& project) {
    const int route[] = {params.RemoteAddress,   params.ForwardAddress1, params.ForwardAddress2,
                         params.ForwardAddress3, params.MasterBoard,     params.MasterPort};
    for (int value : route) {
        if (!RouteValueFits(value)) {
            Ui.ShowError("Remote addresses, board and port numbers must be 0 to 255.");
            return false;
        }
    }
    if (params.WaitSeconds < 1 || params.WaitSeconds > 255) {
        Ui.ShowError("Wait for Reply must be 1 to 255 seconds.");
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
    LoadMode = LoadModeOs;
    StartSequence();
    return true;
}

bool LoadSequence::StopProgram() {
    CancelRequest = false;
    OpenTerminal();
    LoadMode = LoadModeStop;
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
    LoadMode = LoadModeNone;
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
    Step = LoadMode == LoadModeRemote ? -2 : 1;
    Repeats = 0;
    RepeatCount = 0;
    View.SetRepeatLabel(std::string(LoadText::RepeatsPrefix) + "0");
    Timer2.SetInterval(SwitchIntervalMs);
    Timer2.SetEnabled(true);
    Pump.ClearReplyFrame();
    LastSent.clear();
    Screen.Clear();
    Result = LoadOutcome::Running;
    Say(LoadMode == LoadModeStop ? LoadText::StoppingProgram : LoadText::SwitchingProtocol);
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
    Result = LoadOutcome::Failed;
    Step = FinishedState;
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
    if (Step < 4)
        ProtocolSwitchStep();
    if (Step == 4) {
        PassThroughCheckStep();
        return;
    }
    if (Step >= 5 && Step <= 7 && HaltStep())
        return;
    if (Step == 8)
        NoReplyStep();
    if (Step == 9) {
        VersionCheckStep();
        return;
    }
    if (Step >= FirstEraseState && Step <= 19)
        EraseStep();
    if (Step >= 20 && Step <= 29) {
        if (ProgramMode())
            ProgramLoadStep();
        else if (LoadMode == LoadModeOs)
            OsLoadStep();
    }
    if (Step >= FinishedState)
        FinishStep();
    Screen.CutToLastLines(TerminalLineLimit);
}

void LoadSequence::ProtocolSwitchStep() {
    View.SetProgressPosition(0);
    ImageLineIndex = 0;
    if (LoadMode == LoadModeStop) {
        SendBytes(std::string(1, StopProgramByte));
        Say(LoadText::StopMark);
    } else {
        if (LoadMode < LoadModeStop || (LoadMode == LoadModeRemote && Step < 2)) {
            SendBytes(std::string(1, SwitchToTavroByte));
            Say(LoadText::SwitchMark);
        }
        if (LoadMode == LoadModeRemote && Step >= 2) {
            if (ReplyShowsPassThrough(Pump.ReplyFrame())) {
                Say(LoadText::PassThroughOn);
                PassThroughConfirmed = true;
                Step = 3;
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
    Step += 1;
}

void LoadSequence::PassThroughCheckStep() {
    // The master's answer to the pass-through frame is not an answer to a
    // halt command, whatever its idle bit says.
    Pump.ClearReplyFrame();
    if (RemoteLoad && !PassThroughConfirmed) {
        Say(LoadText::MasterNotReady);
        Result = LoadOutcome::Failed;
        Step = FinishedState;
    }
    SetInterval(PhaseIntervalMs);
    Step += 1;
    Screen.CutToLastLines(TerminalLineLimit);
}

// True when the tick ends here.
bool LoadSequence::HaltStep() {
    if (LoadMode == LoadModeStop) {
        Result = LoadOutcome::Succeeded;
        Step = FinishedState;
        return true;
    }
    Pump.SetComMode(ComModeCrc);
    if (!Pump.ReplyFrame().empty()) {
        if (ReplyShowsIdle(Pump.ReplyFrame())) {
            Step = 9;
            Say(LoadText::ProgramIdle);
        }
        Pump.ClearReplyFrame();
    }
    if (Step < 9) {
        SetInterval(RemoteOr(HaltIntervalMs));
        Say(LoadText::SendingHalt);
        SendFrame(ControlFrame(LoadMode == LoadModeOs ? ControlHaltForOs : ControlHaltForProgram),
                  false);
        Step += 1;
    }
    return false;
}

void LoadSequence::NoReplyStep() {
    Say(LoadText::NoReply);
    Result = LoadOutcome::Failed;
    Step = FinishedState;
}

void LoadSequence::VersionCheckStep() {
    if (ProgramMode() && Screen.UnitOsVersion() != ExpectedOsVersion) {
        if (!AskPaused(LoadText::VersionQuestion)) {
            Result = LoadOutcome::Failed;
            Step = FinishedState;
        }
    }
    Step += 1;
    SetInterval(PhaseIntervalMs);
    Screen.CutToLastLines(TerminalLineLimit);
}

void LoadSequence::EraseStep() {
    if (Step == FirstEraseState) {
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
            Step = 20;
    }
    if (Step < 20) {
        Say("Sending command to erase sector " + std::to_string(EraseSector) + " please wait...");
        SendFrame(EraseSectorFrame(EraseSector), false);
        SetInterval(RemoteOr(HaltIntervalMs));
        Step += 1;
        if (Step >= EraseGiveUpState && Step <= 19) {
            ShowErrorPaused(LoadText::NotResponding);
            Result = LoadOutcome::Failed;
            Step = FinishedState;
        }
    }
}

// ---- program load ----

void LoadSequence::ProgramLoadStep() {
    View.ShowProgress(true);
    View.SetProgressCaption(LoadText::ProgramCaption);
    View.SetProgressLabel(LoadText::ProgramLabel);
    if (Step == 20)
        ProgramLineState();
    else if (Step == 23)
        InstallSecurityState();
    else if (Step == 24)
        RestartProgramState();
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

void LoadSequence::ProgramLineState() {
    if (RepeatRule() || AwaitingReply())
        return;
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    std::string line;
    if (!NextProgramLine(line)) {
        Step = 23;
        View.ShowProgress(false);
        RepeatCount = 0;
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return;
    }
    const auto frame = ProgramLineFrame(line);
    // A line that still cannot be framed (checked before the start) would
    // stop the unit's loader; it is passed over instead.
    if (!frame) {
        SetInterval(AtOnceIntervalMs);
        return;
    }
    const std::size_t lines = ImageLines.size();
    View.SetProgressPosition(lines > 1 ? static_cast<int>(ImageLineIndex * 100 / (lines - 1))
                                       : 100);
    SendFrame(*frame, true);
    SetInterval(RemoteOr(FrameIntervalMs));
}

void LoadSequence::InstallSecurityState() {
    if (RepeatRule())
        return;
    if (!LastSent.empty()) {
        Step = 24;
        RepeatCount = 0;
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return;
    }
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    Say(LoadText::InstallingSecurity);
    SendFrame(ControlFrame(ControlInstallSecurity), true);
    SetInterval(RemoteOr(FrameIntervalMs));
}

void LoadSequence::RestartProgramState() {
    if (RepeatRule())
        return;
    if (!LastSent.empty()) {
        Result = LoadOutcome::Succeeded;
        Step = FinishedState;
        Pump.SetComMode(ComModeAscii);
        SetInterval(AtOnceIntervalMs);
        return;
    }
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    Say(LoadText::ProgramLoaded);
    Say(LoadText::RestartingProgram);
    SendFrame(ControlFrame(ControlRestartProgram), true);
    SetInterval(RemoteOr(FrameIntervalMs));
}

// ---- OS load ----

void LoadSequence::OsLoadStep() {
    switch (Step) {
    case 20:
        OpenOsFileState();
        break;
    case 21:
        SkipBootAreaState();
        break;
    case 22:
        OsBlockState();
        break;
    case 23:
        OsChecksumState();
        break;
    case 24:
        RestartOsState();
        break;
    default:
        break;
    }
}

void LoadSequence::OpenOsFileState() {
    const std::string path = OsImagePath(SystemFolder);
    if (FileExists(path))
        OsFile.open(path, std::ios::binary);
    if (!OsFile.is_open()) {
        Timer2.SetEnabled(false);
        Ui.ShowError(MissingOsImageMessage(SystemFolder));
        Result = LoadOutcome::Failed;
        Step = FinishedState;
        return;
    }
    View.ShowProgress(true);
    View.SetProgressCaption(LoadText::OsCaption);
    View.SetProgressLabel(LoadText::OsLabel);
    View.SetProgressPosition(0);
    Step = 21;
    OsAddress = 0;
    Checksum.Reset();
    SetInterval(OsFileIntervalMs);
}

std::string LoadSequence::ReadOsBlock() {
    std::string block(OsBlockBytes, '\0');
    OsFile.read(block.data(), static_cast<std::streamsize>(block.size()));
    block.resize(static_cast<std::size_t>(OsFile.gcount()));
    return block;
}

void LoadSequence::SkipBootAreaState() {
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
        ShowErrorPaused(OsImageProblem(SystemFolder).empty() ? MissingOsImageMessage(SystemFolder)
                                                             : OsImageProblem(SystemFolder));
        Result = LoadOutcome::Failed;
        Step = FinishedState;
        return;
    }
    Step = 22;
    RepeatCount = 0;
    Pump.ClearReplyFrame();
    SetInterval(OsFileIntervalMs);
}

void LoadSequence::OsBlockState() {
    if (RepeatRule() || AwaitingReply())
        return;
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    const std::string block =
        OsAddress + OsBlockBytes <= OsChecksumAddress ? ReadOsBlock() : std::string();
    if (block.empty()) {
        View.ShowProgress(false);
        CloseOsFile();
        Step = 23;
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return;
    }
    View.SetProgressPosition(static_cast<int>(OsAddress * 100ull / OsProgressTotal));
    const auto frame = OsBlockFrame(OsAddress, block);
    Checksum.AddBlock(block);
    OsAddress += static_cast<std::uint32_t>(block.size());
    SendFrame(*frame, true);
    SetInterval(FrameIntervalMs);
}

void LoadSequence::OsChecksumState() {
    if (RepeatRule())
        return;
    if (!LastSent.empty()) {
        Step = 24;
        LastSent.clear();
        SetInterval(AtOnceIntervalMs);
        return;
    }
    Pump.ClearReplyFrame();
    RepeatCount = 0;
    Checksum.Complete(OsAddress);
    const auto frame = OsBlockFrame(OsChecksumAddress, BigEndianWord(Checksum.Value()));
    Say(LoadText::SendingOsSecurity);
    SendFrame(*frame, true);
    SetInterval(FrameIntervalMs);
}

void LoadSequence::RestartOsState() {
    if (RepeatRule())
        return;
    if (LastSent.empty()) {
        Pump.ClearReplyFrame();
        RepeatCount = 0;
        Say(LoadText::OsLoaded);
        Say(LoadText::RestartingOs);
        SendFrame(ControlFrame(ControlRestartOs), true);
        SetInterval(FrameIntervalMs);
        return;
    }
    Result = LoadOutcome::Succeeded;
    Step = FinishedState;
    Pump.SetComMode(ComModeAscii);
    SetInterval(AtOnceIntervalMs);
}

// ---- the end ----

void LoadSequence::FinishStep() {
    View.ShowProgress(false);
    Say(LoadText::Terminated);
    Pump.SetComMode(ComModeAscii);
    Timer2.SetEnabled(false);
    Step = FinishedState;
    CloseOsFile();
    if (RemoteLoad) {
        if (Port.PortOpen())
            SendBytes(PassThroughEndFrame());
        RemoteLoad = false;
    }
    if (Result == LoadOutcome::Running)
        Result = LoadOutcome::Failed;
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
        if (LoadMode == LoadModeOs && Step == 22) {
            View.ShowProgress(false);
            CloseOsFile();
        }
        ShowErrorPaused(LoadText::NotResponding);
        Result = LoadOutcome::Failed;
        Step = FinishedState;
        return true;
    }
    View.SetRepeatLabel(LoadText::RepeatsPrefix + std::to_string(Repeats));
    SendBytes(LastSent);
    SetInterval(LoadMode == LoadModeOs ? FrameIntervalMs : RemoteOr(FrameIntervalMs));
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
    return LoadMode == LoadModeRemote ? Remote.WaitSeconds * 1000 : milliseconds;
}

void LoadSequence::CloseOsFile() {
    if (OsFile.is_open())
        OsFile.close();
    OsFile.clear();
}

} // namespace k7
