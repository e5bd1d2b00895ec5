// Which device each port choice opens. The system offers "COM1".."COM8";
// on this workstation each names a device path that the user can see and
// change (kept in a small file of "COMn=path" lines). Any other name given
// where a port is expected is taken as a device path itself, such as a
// pseudo-terminal.
#pragma once

#include <map>
#include <string>

namespace k7 {

constexpr const char* PortNamesFileName = "K7Ports.ini";

class PortNameTable {
  public:
    // The platform's defaults.
    PortNameTable();

    // Device path of COMn; empty when n has none.
    std::string DeviceFor(int port) const;
    void SetDevice(int port, const std::string& path);
    const std::map<int, std::string>& Entries() const { return Devices; }

    // "COM1=/dev/ttyUSB0" lines, ordered by port number, each ended by CR LF;
    // a default port without a device is written "COM2=".
    std::string Text() const;
    // Reads such lines over the current entries. Empty string on success,
    // otherwise a message naming the first bad line; nothing changes then.
    std::string ReadText(const std::string& text);

  private:
    std::map<int, std::string> Devices;
};

// Empty string on success, otherwise a message naming the file. A missing
// file is not an error: the table keeps its defaults.
std::string LoadPortNames(const std::string& path, PortNameTable& table);
// Writes the whole table to a temporary file beside path, then renames it.
std::string SavePortNames(const std::string& path, const PortNameTable& table);

// The port number of "COMn" (any case, n from 1 to 99); 0 for other names.
int ComPortNumber(const std::string& name);

} // namespace k7
