#include "tests/sim/child_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace k7::test {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0)
        close(fd);
    fd = -1;
}

// Appends one read's worth; false at end of file (or a broken pipe).
bool Drain(int fd, std::string& into) {
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0)
        into.append(buffer, static_cast<std::size_t>(n));
    return n > 0 || (n < 0 && errno == EINTR);
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, bool pipeStdin) {
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
    // Close-on-exec, so that no other child holds these pipes open.
    if ((pipeStdin && pipe2(in, O_CLOEXEC) != 0) || pipe2(out, O_CLOEXEC) != 0 ||
        pipe2(err, O_CLOEXEC) != 0)
        return;
    signal(SIGPIPE, SIG_IGN);
    Pid = fork();
    if (Pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive a crashed test
        const int input = pipeStdin ? in[0] : open("/dev/null", O_RDONLY);
        dup2(input, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (const auto& entry : environment)
            putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> argv;
        for (const auto& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pipeStdin) {
        close(in[0]);
        InFd = in[1];
    }
    close(out[1]);
    close(err[1]);
    OutFd = out[0];
    ErrFd = err[0];
}

ChildProcess::~ChildProcess() {
    if (Pid > 0 && !Reaped) {
        kill(Pid, SIGTERM);
        Wait(5000);
    }
    CloseFd(InFd);
    CloseFd(OutFd);
    CloseFd(ErrFd);
}

std::optional<std::string> ChildProcess::ReadLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto end = OutBuffer.find('\n');
        if (end != std::string::npos) {
            std::string line = OutBuffer.substr(0, end);
            OutBuffer.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0 || OutFd < 0)
            return std::nullopt;
        pollfd watch{OutFd, POLLIN, 0};
        if (poll(&watch, 1, static_cast<int>(left)) > 0 && !Drain(OutFd, OutBuffer))
            CloseFd(OutFd);
    }
}

void ChildProcess::WriteInput(const std::string& bytes) {
    if (InFd >= 0 && write(InFd, bytes.data(), bytes.size()) < 0)
        CloseFd(InFd);
}

void ChildProcess::CloseInput() {
    CloseFd(InFd);
}

void ChildProcess::Terminate() {
    if (Pid > 0 && !Reaped)
        kill(Pid, SIGTERM);
}

ChildResult ChildProcess::Wait(int timeoutMs) {
    ChildResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (Pid > 0 && !Reaped) {
        pollfd watch[2] = {{OutFd, POLLIN, 0}, {ErrFd, POLLIN, 0}};
        if (poll(watch, 2, 10) > 0) {
            if ((watch[0].revents & (POLLIN | POLLHUP)) && !Drain(OutFd, OutBuffer))
                CloseFd(OutFd);
            if ((watch[1].revents & (POLLIN | POLLHUP)) && !Drain(ErrFd, ErrBuffer))
                CloseFd(ErrFd);
        }
        if (waitpid(Pid, &status, WNOHANG) == Pid) {
            Reaped = true;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            result.TimedOut = true;
            kill(Pid, SIGKILL);
            waitpid(Pid, &status, 0);
            Reaped = true;
        }
    }
    // What the child wrote just before it ended: the pipes are at their
    // end of file once the child is gone.
    while (OutFd >= 0 && Drain(OutFd, OutBuffer)) {
    }
    while (ErrFd >= 0 && Drain(ErrFd, ErrBuffer)) {
    }
    CloseFd(OutFd);
    CloseFd(ErrFd);
    if (Reaped && !result.TimedOut && WIFEXITED(status))
        result.ExitCode = WEXITSTATUS(status);
    result.Out = OutBuffer;
    result.Err = ErrBuffer;
    return result;
}

} // namespace k7::test
