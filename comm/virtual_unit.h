// "Virtual unit": k7sim started beside the program, so that a person
// without a unit sends, watches and pokes over its pseudo-terminal. The
// simulator prints the path of its line first; it records what it holds in
// a state file of its own, and it ends when it is stopped or this object
// goes.
#pragma once

#include <string>
#include <vector>

namespace k7 {

constexpr const char* VirtualUnitProgramName = "k7sim";
constexpr int VirtualUnitStartTimeoutMs = 5000;

class VirtualUnit {
  public:
    // program: the simulator's path; options are passed to it as they are.
    explicit VirtualUnit(std::string program, std::vector<std::string> options = {});
    ~VirtualUnit();
    VirtualUnit(const VirtualUnit&) = delete;
    VirtualUnit& operator=(const VirtualUnit&) = delete;

    // Starts the simulator and waits for the path of its line. Empty text
    // on success (also when it runs already), otherwise why it did not start.
    std::string Start(int timeoutMs = VirtualUnitStartTimeoutMs);
    // Ends the simulator and removes its state file. Safe when stopped.
    void Stop();
    // False once stopped or when the simulator ended by itself.
    bool Running();

    const std::string& Program() const { return Path; }
    // The pseudo-terminal to open as the port; empty while stopped.
    const std::string& DevicePath() const { return Device; }
    // Where the simulator records the program, OS blocks and clock it holds.
    const std::string& StateFile() const { return State; }

  private:
    std::string Path;
    std::vector<std::string> Options;
    std::string Device;
    std::string State;
    int Pid = -1;
    int OutFd = -1;
};

// The simulator to start: beside the program, then in the build tree's
// sim folder next to the program's own folder, then on the search path.
// Empty when none is found.
std::string FindVirtualUnitProgram(const std::string& programFolder);

} // namespace k7
