// The simulated unit's end of a pseudo-terminal. Programs open the other
// end (Path) as they would open a serial port.
#pragma once

#include <string>

namespace k7::sim {

struct PseudoTerminal {
    int Master = -1;
    // The simulator keeps its own descriptor of the other end, so that the
    // line stays up (and bytes for the next program stay queued) while no
    // program has the port open.
    int Keeper = -1;
    std::string Path;
};

// Empty string on success, otherwise the reason.
std::string OpenPseudoTerminal(PseudoTerminal& pty);
void ClosePseudoTerminal(PseudoTerminal& pty);

} // namespace k7::sim
