// The POSIX side of the serial seam: how line settings become terminal
// attributes. Only the POSIX implementation and its tests include this.
#pragma once

#include "comm/serial_platform.h"

#include <termios.h>

namespace k7 {

// Raw mode whatever state the device was left in: no line editing, no
// echo, no signals, no character translation or stripping, no software or
// hardware flow control, no parity checking of received bytes, reads that
// return at once; then the rate, character size, parity and stop bits.
// False, with tio untouched, for a rate the unit's ports do not run at.
bool MakeRawLine(termios& tio, const LineSettings& settings);

} // namespace k7
