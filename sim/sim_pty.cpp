#include "sim/sim_pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace k7::sim {

std::string OpenPseudoTerminal(PseudoTerminal& pty) {
    pty.Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.Master < 0)
        return std::string("posix_openpt: ") + std::strerror(errno);
    if (grantpt(pty.Master) != 0 || unlockpt(pty.Master) != 0) {
        const std::string reason = std::string("unlockpt: ") + std::strerror(errno);
        ClosePseudoTerminal(pty);
        return reason;
    }
    const char* name = ptsname(pty.Master);
    if (!name) {
        ClosePseudoTerminal(pty);
        return "ptsname failed";
    }
    pty.Path = name;
    pty.Keeper = open(pty.Path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.Keeper < 0) {
        const std::string reason = pty.Path + ": " + std::strerror(errno);
        ClosePseudoTerminal(pty);
        return reason;
    }
    // A unit's port passes bytes unchanged; a program that opens the line
    // sets its own mode, this only makes the line sane before that.
    termios tio{};
    if (tcgetattr(pty.Keeper, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(pty.Keeper, TCSANOW, &tio);
    }
    fcntl(pty.Master, F_SETFL, fcntl(pty.Master, F_GETFL) | O_NONBLOCK);
    fcntl(pty.Master, F_SETFD, FD_CLOEXEC);
    return {};
}

void ClosePseudoTerminal(PseudoTerminal& pty) {
    if (pty.Keeper >= 0)
        close(pty.Keeper);
    if (pty.Master >= 0)
        close(pty.Master);
    pty.Keeper = -1;
    pty.Master = -1;
}

} // namespace k7::sim
