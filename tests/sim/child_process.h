// Runs k7sim and k7c for end-to-end tests: a child with its standard
// output and error on pipes, ended with SIGTERM when the test is done.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace k7::test {

struct ChildResult {
    int ExitCode = -1; // -1 when ended by a signal or still running at the deadline
    bool TimedOut = false;
    std::string Out;
    std::string Err;
};

class ChildProcess {
  public:
    // environment: extra "NAME=value" entries. With pipeStdin the test
    // writes the child's standard input; otherwise it reads /dev/null.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment = {}, bool pipeStdin = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return Pid > 0; }
    // The next line of standard output, without its line end.
    std::optional<std::string> ReadLine(int timeoutMs);
    void WriteInput(const std::string& bytes);
    void CloseInput();
    void Terminate();
    // Waits for the end, collecting the output; kills the child at the deadline.
    ChildResult Wait(int timeoutMs);

  private:
    pid_t Pid = -1;
    int InFd = -1;
    int OutFd = -1;
    int ErrFd = -1;
    std::string OutBuffer;
    std::string ErrBuffer;
    bool Reaped = false;
};

} // namespace k7::test
