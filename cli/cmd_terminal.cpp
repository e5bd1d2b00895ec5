// k7c terminal: the terminal page on the command line. Keys go to the unit
// one byte each, the unit's lines come to the screen. Ctrl-] leaves; at the
// end of piped input the unit's output is shown for --linger milliseconds
// more.
#include "cli_port_options.h"
#include "cli_workspace.h"
#include "commands.h"

#include "comm/port_setup.h"
#include "comm/terminal.h"
#include "comm/timer_queue.h"

#include <chrono>
#include <iostream>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace k7::cli {

namespace {

constexpr char LeaveKey = 0x1D; // Ctrl-]

// The unit's output, as the terminal page shows it.
class Screen : public PumpListener {
  public:
    explicit Screen(Terminal& terminal) : Text(terminal) {}
    void TerminalBytes(const std::string& bytes) override {
        std::cout << Text.TerminalOutput(bytes) << std::flush;
    }
    void PortLost() override { Lost = true; }

    Terminal& Text;
    bool Lost = false;
};

// Keys reach the program one at a time and unchanged (Enter as CR, Ctrl-C
// as a byte for the unit); the keyboard's mode is put back at the end.
class RawKeyboard {
  public:
    RawKeyboard() {
        if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &Saved) != 0)
            return;
        termios raw = Saved;
        raw.c_lflag &= ~(ICANON | ECHO | ISIG | IEXTEN);
        raw.c_iflag &= ~(ICRNL | INLCR | IGNCR | IXON);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        Changed = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    ~RawKeyboard() {
        if (Changed)
            tcsetattr(STDIN_FILENO, TCSANOW, &Saved);
    }
    bool Interactive() const { return Changed; }

  private:
    termios Saved{};
    bool Changed = false;
};

struct TerminalOptions : PortOptions {
    int LingerMs = 1000;
};

std::int64_t ElapsedMs(std::chrono::steady_clock::time_point start) {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

int RunTerminal(const TerminalOptions& options) {
    TerminalUi ui;
    TSeComm32 port(ui);
    TimerQueue timers;
    ReceivePump pump(port, timers.CreateTimer());
    Terminal terminal;
    Screen screen(terminal);
    pump.SetListener(&screen);

    if (int status = OpenUnitPort(port, pump, options); status != ExitSuccess)
        return status;
    terminal.Clear();
    pump.SetComMode(ComModeAscii);

    RawKeyboard keyboard;
    if (keyboard.Interactive())
        std::cerr << "Terminal on " << port.PortLabel() << ". Ctrl-] leaves.\r\n";

    const auto start = std::chrono::steady_clock::now();
    bool inputOpen = true;
    std::int64_t lingerUntil = 0;
    int status = ExitSuccess;
    for (;;) {
        pollfd keys{STDIN_FILENO, POLLIN, 0};
        if (poll(&keys, inputOpen ? 1 : 0, 1) > 0) {
            char typed[256];
            const ssize_t n = read(STDIN_FILENO, typed, sizeof typed);
            if (n <= 0) {
                inputOpen = false;
                lingerUntil = ElapsedMs(start) + options.LingerMs;
            }
            for (ssize_t i = 0; i < n; ++i) {
                if (typed[i] == LeaveKey) {
                    port.ClosePort();
                    return status;
                }
                terminal.TerminalKey(typed[i], port);
            }
        }
        timers.AdvanceTo(ElapsedMs(start));
        if (screen.Lost) {
            std::cout << "\r\n" << port.LastError() << "\r\n";
            status = ExitFailure;
            break;
        }
        if (!inputOpen && ElapsedMs(start) >= lingerUntil)
            break;
    }
    port.ClosePort();
    return status;
}

} // namespace

void AddTerminalCommand(CLI::App& app, const GlobalOptions& global, int& status) {
    (void)global;
    auto options = std::make_shared<TerminalOptions>();
    CLI::App* command = app.add_subcommand(
        "terminal",
        "Talk to the unit: keys go to it, its lines come to the screen (Ctrl-] leaves)");
    AddPortOptions(command, *options);
    command
        ->add_option("--linger", options->LingerMs,
                     "Milliseconds of unit output shown after the input ends")
        ->check(CLI::Range(0, 600000))
        ->capture_default_str();
    command->callback([options, &status] { status = RunTerminal(*options); });
}

} // namespace k7::cli
