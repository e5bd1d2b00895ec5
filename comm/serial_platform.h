// The seam between TSeComm32 and the operating system's serial devices.
// Each platform supplies one file (serial_posix.cpp here) with a
// SerialDevice implementation, the factory and its default port names.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace k7 {

enum class LineParity { None, Odd, Even, Mark };

struct LineSettings {
    int BaudRate = 9600;
    int DataBits = 8; // 5..8
    LineParity Parity = LineParity::None;
    int StopBits = 1; // 1 or 2
};

// One open serial device. Every call returns at once except Write, which
// waits only as long as the bytes take on the line.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    // Opens the device for exclusive use; on failure returns false and sets
    // reason to the operating system's explanation.
    virtual bool Open(const std::string& path, std::string& reason) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Raw 8-bit transfer with the given line settings and no flow control.
    virtual bool Configure(const LineSettings& settings) = 0;
    // Bytes waiting in the input queue; -1 when the device has gone away.
    virtual long BytesWaiting() = 0;
    // At most count bytes of those waiting; never waits for more.
    virtual std::string Read(std::size_t count) = 0;
    // Bytes written; -1 when the device has gone away.
    virtual long Write(std::string_view bytes) = 0;
    // Discards both queues and aborts transfers in progress.
    virtual void Purge() = 0;
};

std::unique_ptr<SerialDevice> MakeSerialDevice();

// Device paths of COM1..COM8 on this platform before the user changes them.
std::map<int, std::string> DefaultPortDevices();

} // namespace k7
