#include "sim/sim_unit.h"

#include "comm/crc16.h"
#include "comm/tavro_frame.h"

#include <algorithm>

namespace k7::sim {

namespace {

// A frame whose bytes stop coming for this long is given up, so that the
// next frame is read from its own start byte.
constexpr std::int64_t FrameGapMs = 250;
constexpr std::size_t WatchLineLimit = 80;
// Noise never contains a start byte, so a receiver can still find the reply.
constexpr unsigned char NoisePattern[] = {0x00, 0x55, 0xAA, 0x13, 0x7F, 0xFF, 0x0D, 0x3F};

bool IsStartByte(unsigned char byte) {
    return byte == FrameStartByte || byte == ReplyStartByte;
}

std::string ReplyFrame(std::uint8_t command, std::uint8_t status) {
    std::string reply;
    reply += static_cast<char>(ReplyStartByte);
    reply += static_cast<char>(MinFrameLength);
    reply += static_cast<char>(command);
    reply += '\0';
    reply += '\0';
    reply += static_cast<char>(status);
    const std::uint16_t crc = Crc16(reply);
    reply += static_cast<char>(crc >> 8);
    reply += static_cast<char>(crc & 0xFF);
    return reply;
}

// "?5=P1A2B" -> slot 5, action 'P', argument "1A2B"; false for other text.
bool ParseSlotCommand(const std::string& line, int& slot, char& action, std::string& argument) {
    std::size_t at = 1;
    slot = 0;
    while (at < line.size() && at < 3 && line[at] >= '0' && line[at] <= '9')
        slot = slot * 10 + (line[at++] - '0');
    if (at == 1 || at + 1 >= line.size() || line[at] != '=' || slot >= SimWatchSlots)
        return false;
    action = line[at + 1];
    argument = line.substr(at + 2);
    return true;
}

} // namespace

SimUnit::SimUnit(SimOptions options) : Options(std::move(options)) {}

bool SimUnit::TakeStateChanged() {
    const bool changed = Changed;
    Changed = false;
    return changed;
}

std::string SimUnit::IdentificationLine() const {
    return "\r\nRevision Version " + Options.OsVersion + "\r\n";
}

void SimUnit::Send(std::string bytes, std::int64_t dueMs) {
    if (Options.Mute || bytes.empty())
        return;
    Outbox.push_back({dueMs, std::move(bytes)});
}

std::string SimUnit::TakeDueOutput(std::int64_t nowMs) {
    std::string due;
    std::deque<TimedOutput> later;
    for (auto& output : Outbox) {
        if (output.DueMs <= nowMs)
            due += output.Bytes;
        else
            later.push_back(std::move(output));
    }
    Outbox.swap(later);
    return due;
}

std::optional<std::int64_t> SimUnit::NextDeadline() const {
    std::optional<std::int64_t> next;
    for (const auto& output : Outbox)
        next = next ? std::min(*next, output.DueMs) : output.DueMs;
    if (!Frame.empty())
        next = next ? std::min(*next, FrameLastByteMs + FrameGapMs) : FrameLastByteMs + FrameGapMs;
    return next;
}

void SimUnit::CheckFrameTimeout(std::int64_t nowMs) {
    if (!Frame.empty() && nowMs - FrameLastByteMs >= FrameGapMs)
        Frame.clear();
}

void SimUnit::Receive(const std::string& bytes, std::int64_t nowMs) {
    CheckFrameTimeout(nowMs);
    for (char c : bytes)
        ReceiveByte(c, nowMs);
}

void SimUnit::ReceiveByte(char c, std::int64_t nowMs) {
    if (!Greeted) {
        Greeted = true;
        Send(IdentificationLine(), nowMs);
    }
    if (!Frame.empty()) {
        FrameByte(c, nowMs);
    } else if (IsStartByte(static_cast<unsigned char>(c))) {
        Frame.assign(1, c);
        FrameLastByteMs = nowMs;
        WatchLine.clear();
    } else {
        AsciiByte(c, nowMs);
    }
}

void SimUnit::FrameByte(char c, std::int64_t nowMs) {
    Frame += c;
    FrameLastByteMs = nowMs;
    const std::size_t declared = static_cast<unsigned char>(Frame[1]);
    if (declared < MinFrameLength)
        Frame.clear(); // cannot be a frame: the unit ignores it
    else if (Frame.size() == declared)
        FrameComplete(nowMs);
}

void SimUnit::FrameComplete(std::int64_t nowMs) {
    std::string frame;
    frame.swap(Frame);
    if (!FrameCheckMatches(frame, frame.size()))
        return; // a bad frame is dropped silently
    ++Unit.FramesReceived;
    Changed = true;
    const auto command = static_cast<std::uint8_t>(frame[2]);
    const std::string data = frame.substr(FrameHeaderLength, frame.size() - FrameOverhead);
    switch (command) {
    case CmdControl:
        if (!data.empty())
            Control(static_cast<unsigned char>(data[0]));
        break;
    case CmdPassThrough:
        if (!data.empty() && data[0] == 0x01) {
            Unit.PassThrough = true;
            Unit.PassThroughRoute = data.substr(1);
        } else if (!data.empty() && data[0] == 0x02) {
            Unit.PassThrough = false;
        }
        break;
    case CmdSetClock:
        if (data.size() >= 7) {
            std::array<int, 7> clock{};
            for (std::size_t i = 0; i < clock.size(); ++i)
                clock[i] = static_cast<unsigned char>(data[i]);
            Unit.Clock = clock;
        }
        break;
    case CmdOsBlock:
        if (data.size() >= 4) {
            std::uint32_t address = 0;
            for (int i = 0; i < 4; ++i)
                address = (address << 8) | static_cast<unsigned char>(data[i]);
            Unit.OsBlocks.emplace_back(address, data.substr(4));
        }
        break;
    case CmdProgramLine:
        Unit.ProgramLines.push_back(data);
        break;
    default:
        break; // answered like any other frame
    }
    Reply(command, nowMs);
    if (RestartPending) {
        RestartPending = false;
        Send(IdentificationLine(), nowMs + Options.DelayMs);
    }
}

void SimUnit::Control(int argument) {
    Unit.ControlArguments.push_back(argument);
    if (argument == ControlHaltForProgram || argument == ControlHaltForOs) {
        if (!Options.HaltNotIdle)
            Unit.ProgramIdle = true;
    } else if (argument > ControlEraseSectorBase && argument <= ControlEraseSectorBase + 6) {
        const int sector = argument - ControlEraseSectorBase;
        Unit.ErasedSectors.push_back(sector);
        if (sector == 5) {
            Unit.ProgramLines.clear();
            Unit.SecurityInstalled = false;
        }
        if (sector == 1)
            Unit.OsBlocks.clear();
    } else if (argument == ControlInstallSecurity) {
        Unit.SecurityInstalled = true;
    } else if (argument == ControlRestartProgram || argument == ControlRestartOs) {
        Restart();
    }
}

void SimUnit::Restart() {
    Unit.ProgramIdle = false;
    Unit.TavroMode = false;
    ++Unit.Restarts;
    RestartPending = true;
}

void SimUnit::Reply(std::uint8_t command, std::int64_t nowMs) {
    if (Options.DropEvery > 0 && Unit.FramesReceived % Options.DropEvery == 0)
        return;
    if (Options.SilentAfter > 0 && Unit.FramesReceived > Options.SilentAfter)
        return;
    ++RepliesBuilt;
    std::uint8_t status = 0;
    if (Unit.ProgramIdle)
        status |= StatusProgramIdle;
    if (Unit.PassThrough)
        status |= StatusPassThrough;
    std::string reply = ReplyFrame(command, status);
    if (Options.CorruptEvery > 0 && RepliesBuilt % Options.CorruptEvery == 0)
        reply.back() = static_cast<char>(reply.back() ^ 0x5A);
    std::string noise;
    for (int i = 0; i < Options.NoiseBytes; ++i)
        noise += static_cast<char>(NoisePattern[i % std::size(NoisePattern)]);
    Send(noise + reply, nowMs + Options.DelayMs);
}

void SimUnit::AsciiByte(char c, std::int64_t nowMs) {
    if (c == 0x12) {
        Unit.TavroMode = true;
        Changed = true;
        return;
    }
    if (c == 0x0B) {
        Unit.ProgramIdle = true;
        Changed = true;
        return;
    }
    if (!Unit.TavroMode)
        Send(c == '\r' ? std::string("\r\n") : std::string(1, c), nowMs);
    if (c == '?') {
        WatchLine.assign(1, '?');
    } else if (!WatchLine.empty()) {
        if (c == '\r') {
            WatchCommand(WatchLine, nowMs);
            WatchLine.clear();
        } else if (WatchLine.size() < WatchLineLimit) {
            WatchLine += c;
        } else {
            WatchLine.clear();
        }
    }
}

void SimUnit::WatchCommand(const std::string& line, std::int64_t nowMs) {
    if (line == "?91") {
        Unit.WatchAddresses.fill({});
        Unit.PokeMode.fill(false);
        Changed = true;
        return;
    }
    if (line == "?92") {
        std::string reply = "?";
        for (int slot = 0; slot < SimWatchSlots; ++slot) {
            if (slot > 0)
                reply += ',';
            const std::string& address = Unit.WatchAddresses[slot];
            if (!address.empty()) {
                const auto poked = Unit.PokedValues.find(address);
                reply += poked == Unit.PokedValues.end() ? "0" : poked->second;
            }
        }
        Send(reply + "\r\n", nowMs + Options.DelayMs);
        return;
    }
    int slot = 0;
    char action = 0;
    std::string argument;
    if (!ParseSlotCommand(line, slot, action, argument))
        return;
    if (action == 'P')
        Unit.WatchAddresses[slot] = argument;
    else if (action == 'X')
        Unit.PokeMode[slot] = true;
    else if (action == 'Y')
        Unit.PokeMode[slot] = false;
    else if (action == 'V' && !Unit.WatchAddresses[slot].empty())
        Unit.PokedValues[Unit.WatchAddresses[slot]] = argument;
    else
        return;
    Changed = true;
}

} // namespace k7::sim
