// TSeComm32: the system's one serial port. Every exchange with a unit goes
// through it. Reads never wait: they take only the bytes already queued.
// Failures are reported through the UserInterface while ShowErrors is set.
#pragma once

#include "comm/port_names.h"
#include "comm/serial_platform.h"
#include "workspace/user_interface.h"

#include <memory>
#include <string>
#include <string_view>

namespace k7 {

enum class TBaudRate {
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br19200,
    br38400,
    br57600,
    br115200
};
enum class TParity { pEven, pMark, pNone, pOdd };
enum class TDataBits { db5, db6, db7, db8 };
enum class TStopBits { sb1, sb2 };
// Message mode is part of the port's interface, but nothing in the system
// switches it on, so its framing is not built: mMessage is only stored.
enum class TMode { mNormal, mMessage };

int BaudRateValue(TBaudRate rate);
LineParity LineParityOf(TParity parity);
int DataBitsValue(TDataBits bits);
int StopBitsValue(TStopBits bits);

constexpr const char* PortNotOpenMessage = "Port Not Open -- Operation Aborted";
constexpr const char* PortInUseMessage = "Port is in use -- Operation Aborted.";

class TSeComm32 {
  public:
    explicit TSeComm32(UserInterface& ui,
                       std::unique_ptr<SerialDevice> device = MakeSerialDevice());
    ~TSeComm32();
    TSeComm32(const TSeComm32&) = delete;
    TSeComm32& operator=(const TSeComm32&) = delete;

    // Opens and configures the port (closing it first if open); with
    // ShowErrors set, a failure asks Abort or Retry. True when open after.
    bool OpenPort();
    // Safe on a closed port.
    void ClosePort();
    // All bytes waiting, possibly none; any byte value, zero included.
    std::string ReadString();
    // True when every byte was written; an empty string is a zero-length write.
    bool WriteString(std::string_view bytes);
    // Discards both queues.
    void PurgePort();
    // Bytes waiting in the input queue. A device that has gone away (a
    // cable pulled, the far end of a pseudo-terminal closed) closes the
    // port and counts 0.
    int CharCount();

    bool PortOpen() const;
    bool InUse() const { return Reading; }

    // Setting a new value while the port is open closes and reopens it with
    // the new settings; while closed the value is only stored.
    int Port() const { return PortNumber; }
    void SetPort(int port);
    TBaudRate BaudRate() const { return Baud; }
    void SetBaudRate(TBaudRate rate);
    TParity Parity() const { return ParityChoice; }
    void SetParity(TParity parity);
    TDataBits DataBits() const { return Bits; }
    void SetDataBits(TDataBits bits);
    TStopBits StopBits() const { return Stops; }
    void SetStopBits(TStopBits bits);

    bool ShowErrors() const { return ReportErrors; }
    void SetShowErrors(bool show) { ReportErrors = show; }
    TMode Mode() const { return PortMode; }
    void SetMode(TMode mode) { PortMode = mode; }

    // Which device COMn opens.
    void SetPortNames(const PortNameTable& names) { Names = names; }
    const PortNameTable& PortNames() const { return Names; }
    // A device path used instead of COMn when not empty (reopens an open
    // port like the other settings).
    void SetDevicePath(const std::string& path);
    const std::string& DevicePath() const { return DirectPath; }
    // The device the port opens now, and the name its messages show.
    std::string DeviceName() const;
    std::string PortLabel() const;
    // Why the last open failed or the device was lost; empty otherwise.
    const std::string& LastError() const { return LastProblem; }

  private:
    bool TryOpen();
    void ReopenIfOpen();
    void LoseDevice();
    void Warn(const std::string& message);

    UserInterface& Ui;
    std::unique_ptr<SerialDevice> Device;
    PortNameTable Names;
    std::string DirectPath;
    std::string LastProblem;
    int PortNumber = 1;
    TBaudRate Baud = TBaudRate::br9600;
    TParity ParityChoice = TParity::pNone;
    TDataBits Bits = TDataBits::db8;
    TStopBits Stops = TStopBits::sb1;
    TMode PortMode = TMode::mNormal;
    bool ReportErrors = true;
    bool Reading = false;
};

} // namespace k7
