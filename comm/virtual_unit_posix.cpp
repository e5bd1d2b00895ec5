#include "comm/virtual_unit.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace k7 {

namespace {

constexpr int StopTimeoutMs = 2000;

bool Executable(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

std::string NewStateFile() {
    static int made = 0;
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        folder = "/tmp";
    return (folder /
            ("k7sim-" + std::to_string(getpid()) + "-" + std::to_string(++made) + ".state"))
        .string();
}

// The first line the child writes, without its line end; stops at the
// deadline or when the child closes its output.
std::string FirstLine(int fd, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string text;
    while (text.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd watch{fd, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    const auto end = text.find('\n');
    if (end != std::string::npos)
        text.erase(end);
    return text;
}

} // namespace

VirtualUnit::VirtualUnit(std::string program, std::vector<std::string> options)
    : Path(std::move(program)), Options(std::move(options)) {}

VirtualUnit::~VirtualUnit() {
    Stop();
}

std::string VirtualUnit::Start(int timeoutMs) {
    if (Running())
        return {};
    Stop();
    if (Path.empty() || !Executable(Path))
        return "Cannot start the virtual unit: " +
               (Path.empty() ? std::string(VirtualUnitProgramName) : Path) + " was not found.";
    int out[2] = {-1, -1};
    if (pipe2(out, O_CLOEXEC) != 0)
        return std::string("Cannot start the virtual unit: ") + std::strerror(errno);
    State = NewStateFile();
    std::vector<std::string> arguments = {Path, "--state", State};
    arguments.insert(arguments.end(), Options.begin(), Options.end());
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // A simulator that writes after its first line must not stop on a
    // full pipe or a closed one.
    signal(SIGPIPE, SIG_IGN);
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive the program
        const int input = open("/dev/null", O_RDONLY);
        dup2(input, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(out[1], STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        return std::string("Cannot start the virtual unit: ") + std::strerror(errno);
    }
    Pid = pid;
    OutFd = out[0];
    const std::string line = FirstLine(OutFd, timeoutMs);
    if (line.rfind("/dev/", 0) != 0) {
        Stop();
        return "The virtual unit did not start" + (line.empty() ? std::string(".") : ": " + line);
    }
    Device = line;
    return {};
}

void VirtualUnit::Stop() {
    if (Pid > 0) {
        kill(Pid, SIGTERM);
        int status = 0;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(StopTimeoutMs);
        while (waitpid(Pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                kill(Pid, SIGKILL);
                waitpid(Pid, &status, 0);
                break;
            }
            usleep(1000);
        }
        Pid = -1;
    }
    if (OutFd >= 0)
        close(OutFd);
    OutFd = -1;
    Device.clear();
    if (!State.empty()) {
        std::error_code error;
        std::filesystem::remove(State, error);
        std::filesystem::remove(State + ".tmp", error);
        State.clear();
    }
}

bool VirtualUnit::Running() {
    if (Pid <= 0)
        return false;
    int status = 0;
    if (waitpid(Pid, &status, WNOHANG) == 0)
        return true;
    Pid = -1;
    return false;
}

std::string FindVirtualUnitProgram(const std::string& programFolder) {
    const std::filesystem::path folder(programFolder.empty() ? "." : programFolder);
    for (const auto& candidate :
         {folder / VirtualUnitProgramName, folder / ".." / "sim" / VirtualUnitProgramName})
        if (Executable(candidate))
            return candidate.lexically_normal().string();
    if (const char* searchPath = std::getenv("PATH")) {
        std::string paths = searchPath;
        std::size_t start = 0;
        while (start <= paths.size()) {
            const std::size_t end = std::min(paths.find(':', start), paths.size());
            const std::string entry = paths.substr(start, end - start);
            if (!entry.empty() && Executable(std::filesystem::path(entry) / VirtualUnitProgramName))
                return (std::filesystem::path(entry) / VirtualUnitProgramName).string();
            start = end + 1;
        }
    }
    return {};
}

} // namespace k7
