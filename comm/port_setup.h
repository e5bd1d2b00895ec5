// SetupPort: applies the five choices of the Communications Setup panel
// (kept with the workspace settings as small indexes) to the serial port,
// opens it and starts the receive pump.
#pragma once

#include "comm/receive_pump.h"
#include "comm/serial_port.h"

#include <array>
#include <string>

namespace k7 {

struct WorkspaceSettings;

// The panel's choices by index, as the settings keep them.
struct SerialChoices {
    int PortIndex = 0;       // "Port:"        COM1..COM8
    int BaudIndex = 4;       // "Baud Rate:"   300..38,400
    int ProtocolIndex = 0;   // "Protocol:"    ASCII, XModem (no effect on the port)
    int ParityIndex = 0;     // "Parity:"      None, Odd, Even, Mark
    int WordLengthIndex = 3; // "Word Length:" 5..8
};

inline constexpr std::array<const char*, 8> PortChoiceLabels = {"COM1", "COM2", "COM3", "COM4",
                                                                "COM5", "COM6", "COM7", "COM8"};
inline constexpr std::array<const char*, 7> BaudChoiceLabels = {"300",  "1200",   "2400",  "4800",
                                                                "9600", "19,200", "38,400"};
inline constexpr std::array<const char*, 2> ProtocolChoiceLabels = {"ASCII", "XModem"};
inline constexpr std::array<const char*, 4> ParityChoiceLabels = {"None", "Odd", "Even", "Mark"};
inline constexpr std::array<const char*, 4> WordLengthChoiceLabels = {"5", "6", "7", "8"};

// The choices kept with the workspace settings.
SerialChoices SerialChoicesOf(const WorkspaceSettings& settings);

// An index outside its list (a hand-edited settings file) takes the
// default choice of that list: COM1, 9600 baud, no parity, 8 data bits.
int PortOfChoice(int portIndex);
TBaudRate BaudRateOfChoice(int baudIndex);
TParity ParityOfChoice(int parityIndex);
TDataBits DataBitsOfChoice(int wordLengthIndex);

// The index of a choice given by its label ("19,200" or "19200" for a
// rate, "Mark" or "mark" for a parity); -1 when the list does not offer it.
int BaudIndexOf(const std::string& label);
int ParityIndexOf(const std::string& label);
int WordLengthIndexOf(const std::string& label);

// A port given by name: "COMn" is port n through the port names, any other
// name is the path of a device (a pseudo-terminal, /dev/serial/by-id/...).
void ChoosePort(TSeComm32& port, SerialChoices& choices, const std::string& name);

// Clears the receive accumulator, applies the choices (stop bits stay as
// they are), opens the port; when it opened, discards what is waiting and
// starts the pump, otherwise leaves the port closed. True when open.
bool SetupPort(TSeComm32& port, ReceivePump& pump, const SerialChoices& choices);

} // namespace k7
