// A pseudo-terminal made inside a test: the test holds the far end (as the
// unit would) and the port under test opens Path.
#pragma once

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace k7::test {

class PtyPair {
  public:
    PtyPair() {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
            return;
        const char* name = ptsname(Master);
        if (name)
            Path = name;
        fcntl(Master, F_SETFL, fcntl(Master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ready() const { return Master >= 0 && !Path.empty(); }

    void CloseMaster() {
        if (Master >= 0)
            close(Master);
        Master = -1;
    }

    // The line's settings as the port left them (a master reports those of
    // its terminal).
    termios Attributes() const {
        termios tio{};
        tcgetattr(Master, &tio);
        return tio;
    }
    void SetAttributes(const termios& tio) { tcsetattr(Master, TCSANOW, &tio); }

    void Send(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(Master, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += static_cast<std::size_t>(n);
            else
                poll(nullptr, 0, 1);
        }
    }

    // Whatever arrives within timeoutMs, stopping early once `count` bytes are in.
    std::string Receive(std::size_t count, int timeoutMs) {
        std::string bytes;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd watch{Master, POLLIN, 0};
            if (poll(&watch, 1, 5) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = read(Master, buffer, sizeof buffer);
            if (n > 0)
                bytes.append(buffer, static_cast<std::size_t>(n));
        }
        return bytes;
    }

    int Master = -1;
    std::string Path;
};

} // namespace k7::test
