// The simulated unit: what a K7 does with the bytes that reach its serial
// port, and what it sends back. It speaks the ASCII dialect (echo, the
// identification line, control characters, watch commands) and answers
// CRC-valid TAVRO frames whenever they come. Faults a test can ask for
// are part of its options.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace k7::sim {

struct SimOptions {
    std::string OsVersion = "5.62";
    int DropEvery = 0;        // no reply to every Nth frame
    int CorruptEvery = 0;     // every Nth reply carries a wrong CRC
    int NoiseBytes = 0;       // bytes of noise before every reply
    int DelayMs = 0;          // replies go out this late
    bool Mute = false;        // never sends anything
    int SilentAfter = 0;      // answers only the first N frames (0: every frame)
    bool HaltNotIdle = false; // a halt is answered, but the program keeps running
};

constexpr int SimWatchSlots = 30;

// Everything the unit has been given, as the state file shows it.
struct UnitState {
    bool TavroMode = false;
    bool ProgramIdle = false;
    bool PassThrough = false;
    std::string PassThroughRoute; // the six route bytes of the last start
    bool SecurityInstalled = false;
    int Restarts = 0;
    int FramesReceived = 0;
    std::vector<int> ControlArguments; // every CmdControl argument, in order
    std::vector<int> ErasedSectors;
    std::optional<std::array<int, 7>> Clock; // second .. year byte, as received
    std::vector<std::string> ProgramLines;
    std::vector<std::pair<std::uint32_t, std::string>> OsBlocks;
    std::array<std::string, SimWatchSlots> WatchAddresses;
    std::array<bool, SimWatchSlots> PokeMode{};
    std::map<std::string, std::string> PokedValues; // address text -> value text
};

// Bytes to send no earlier than DueMs.
struct TimedOutput {
    std::int64_t DueMs = 0;
    std::string Bytes;
};

class SimUnit {
  public:
    explicit SimUnit(SimOptions options);

    // Bytes that arrived at nowMs.
    void Receive(const std::string& bytes, std::int64_t nowMs);
    // Gives up a frame that stopped arriving half-way.
    void CheckFrameTimeout(std::int64_t nowMs);
    std::optional<std::int64_t> NextDeadline() const;

    // Output due by nowMs, in order; removed from the queue.
    std::string TakeDueOutput(std::int64_t nowMs);

    const UnitState& State() const { return Unit; }
    // True once after each change of State().
    bool TakeStateChanged();

  private:
    void ReceiveByte(char c, std::int64_t nowMs);
    void AsciiByte(char c, std::int64_t nowMs);
    void FrameByte(char c, std::int64_t nowMs);
    void FrameComplete(std::int64_t nowMs);
    void WatchCommand(const std::string& line, std::int64_t nowMs);
    void Control(int argument);
    void Restart();
    void Reply(std::uint8_t command, std::int64_t nowMs);
    std::string IdentificationLine() const;
    void Send(std::string bytes, std::int64_t dueMs);

    SimOptions Options;
    UnitState Unit;
    bool Greeted = false;
    bool RestartPending = false;
    bool Changed = true;
    std::string Frame; // a frame being received
    std::int64_t FrameLastByteMs = 0;
    std::string WatchLine; // a watch command being received
    int RepliesBuilt = 0;
    std::deque<TimedOutput> Outbox;
};

} // namespace k7::sim
