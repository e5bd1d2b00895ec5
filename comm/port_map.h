// The device side of Communications Setup: which device each COM choice
// opens (the port map file, written whole at each change) and the virtual
// unit, which the port uses in place of any COM choice while it runs. The
// settings file keeps only the COM index; neither file records the virtual
// unit, so it is off at every start.
#pragma once

#include "comm/port_names.h"
#include "comm/serial_port.h"
#include "comm/virtual_unit.h"

#include <string>

namespace k7 {

class PortMap {
  public:
    // mapFile: the port map's path (K7Ports.ini in the program's folder).
    PortMap(TSeComm32& port, std::string mapFile, std::string virtualUnitProgram);

    // Reads the port map into the port. Empty text on success (a missing
    // file keeps the defaults), otherwise the message to show.
    std::string Load();
    // The device COMn opens.
    std::string DeviceFor(int comPort) const { return Names.DeviceFor(comPort); }
    // Maps COMn to a device and writes the port map. Empty text on
    // success; the mapping stays in effect even when the file could not
    // be written.
    std::string SetDevice(int comPort, const std::string& device);

    // A COM choice was made: the virtual unit stops and the port opens
    // COMn through the map again.
    void UseComPort();
    // Starts the virtual unit and points the port at its line. Empty text
    // on success, otherwise why it did not start (the port is unchanged).
    std::string UseVirtualUnit();
    bool VirtualUnitInUse();
    VirtualUnit& Simulator() { return Simulated; }
    const std::string& MapFile() const { return File; }

  private:
    TSeComm32& Port;
    std::string File;
    PortNameTable Names;
    VirtualUnit Simulated;
};

} // namespace k7
