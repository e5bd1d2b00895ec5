// k7sim: a simulated K7 unit on a pseudo-terminal. Prints the path of its
// device as its first line, then behaves as a unit until it is ended with
// SIGTERM or SIGINT. See README.md for its options and state file.
#include "sim/sim_pty.h"
#include "sim/sim_state_file.h"
#include "sim/sim_unit.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <iostream>
#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t StopRequested = 0;

void RequestStop(int) {
    StopRequested = 1;
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Queued bytes that a program on the other end has not read yet; a program
// that never reads must not make the simulator grow without end.
constexpr std::size_t OutputQueueLimit = 1 << 20;

class SimulatorLoop {
  public:
    SimulatorLoop(k7::sim::PseudoTerminal& pty, k7::sim::SimUnit& unit, std::string stateFile)
        : Pty(pty), Unit(unit), StateFile(std::move(stateFile)) {}

    int Run() {
        SaveState();
        while (!StopRequested) {
            if (!WaitAndReceive())
                return 1;
            Unit.CheckFrameTimeout(NowMs());
            SaveState(); // before the replies, so a reply means the state is on disk
            Queue(Unit.TakeDueOutput(NowMs()));
            Flush();
        }
        SaveState();
        return 0;
    }

  private:
    int PollTimeout() const {
        const auto next = Unit.NextDeadline();
        if (!next)
            return 100;
        const std::int64_t wait = *next - NowMs();
        return static_cast<int>(wait < 0 ? 0 : (wait > 100 ? 100 : wait));
    }

    bool WaitAndReceive() {
        pollfd watch{Pty.Master, static_cast<short>(POLLIN | (Output.empty() ? 0 : POLLOUT)), 0};
        if (poll(&watch, 1, PollTimeout()) < 0)
            return errno == EINTR;
        if (!(watch.revents & POLLIN))
            return true;
        char buffer[4096];
        const ssize_t n = read(Pty.Master, buffer, sizeof buffer);
        if (n > 0)
            Unit.Receive(std::string(buffer, static_cast<std::size_t>(n)), NowMs());
        return true;
    }

    void Queue(const std::string& bytes) {
        Output += bytes;
        if (Output.size() > OutputQueueLimit)
            Output.erase(0, Output.size() - OutputQueueLimit);
    }

    void Flush() {
        while (!Output.empty()) {
            const ssize_t n = write(Pty.Master, Output.data(), Output.size());
            if (n <= 0)
                return; // the line is full; the next round goes on
            Output.erase(0, static_cast<std::size_t>(n));
        }
    }

    void SaveState() {
        if (!Unit.TakeStateChanged() || StateFile.empty())
            return;
        const std::string problem = k7::sim::WriteStateFile(StateFile, Unit.State());
        if (!problem.empty())
            std::cerr << "k7sim: " << problem << "\n";
    }

    k7::sim::PseudoTerminal& Pty;
    k7::sim::SimUnit& Unit;
    std::string StateFile;
    std::string Output;
};

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"k7sim - a simulated K7 unit on a pseudo-terminal"};
    k7::sim::SimOptions options;
    std::string stateFile;
    app.add_option("--os-version", options.OsVersion, "Version in the identification line")
        ->capture_default_str();
    app.add_option("--state", stateFile, "File that receives the unit's state after each change");
    app.add_option("--drop-every", options.DropEvery, "Do not answer every Nth frame")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--corrupt-every", options.CorruptEvery, "Send a wrong CRC in every Nth reply")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--noise", options.NoiseBytes, "Bytes of noise before every reply")
        ->check(CLI::Range(0, 4096));
    app.add_option("--delay-ms", options.DelayMs, "Send every reply this many milliseconds late")
        ->check(CLI::Range(0, 600000));
    app.add_flag("--mute", options.Mute, "Never answer anything");
    app.add_option("--silent-after", options.SilentAfter,
                   "Answer the first N frames, then no frame at all (a unit that goes quiet)")
        ->check(CLI::NonNegativeNumber);
    app.add_flag("--halt-not-idle", options.HaltNotIdle, "Answer a halt without the idle bit");
    CLI11_PARSE(app, argc, argv);

    k7::sim::PseudoTerminal pty;
    const std::string problem = k7::sim::OpenPseudoTerminal(pty);
    if (!problem.empty()) {
        std::cerr << "k7sim: " << problem << "\n";
        return 1;
    }
    std::cout << pty.Path << std::endl;

    CatchStopSignals();
    k7::sim::SimUnit unit(options);
    const int status = SimulatorLoop(pty, unit, stateFile).Run();
    k7::sim::ClosePseudoTerminal(pty);
    return status;
}
