#include "comm/serial_port.h"

#include <string>

namespace k7 {

int BaudRateValue(TBaudRate rate) {
    switch (rate) {
    case TBaudRate::br300:
        return 300;
    case TBaudRate::br600:
        return 600;
    case TBaudRate::br1200:
        return 1200;
    case TBaudRate::br2400:
        return 2400;
    case TBaudRate::br4800:
        return 4800;
    case TBaudRate::br9600:
        return 9600;
    case TBaudRate::br19200:
        return 19200;
    case TBaudRate::br38400:
        return 38400;
    case TBaudRate::br57600:
        return 57600;
    case TBaudRate::br115200:
        return 115200;
    }
    return 0; // no rate of the list: the device refuses it
}

LineParity LineParityOf(TParity parity) {
    switch (parity) {
    case TParity::pEven:
        return LineParity::Even;
    case TParity::pMark:
        return LineParity::Mark;
    case TParity::pNone:
        return LineParity::None;
    case TParity::pOdd:
        return LineParity::Odd;
    }
    return LineParity::None;
}

int DataBitsValue(TDataBits bits) {
    return 5 + static_cast<int>(bits);
}

int StopBitsValue(TStopBits bits) {
    return bits == TStopBits::sb2 ? 2 : 1;
}

TSeComm32::TSeComm32(UserInterface& ui, std::unique_ptr<SerialDevice> device)
    : Ui(ui), Device(std::move(device)) {}

TSeComm32::~TSeComm32() {
    ClosePort();
}

std::string TSeComm32::DeviceName() const {
    return DirectPath.empty() ? Names.DeviceFor(PortNumber) : DirectPath;
}

std::string TSeComm32::PortLabel() const {
    return DirectPath.empty() ? "COM" + std::to_string(PortNumber) : DirectPath;
}

void TSeComm32::Warn(const std::string& message) {
    if (ReportErrors)
        Ui.ShowWarning(message);
}

bool TSeComm32::TryOpen() {
    const std::string device = DeviceName();
    if (device.empty()) {
        LastProblem = PortLabel() + " names no device";
        return false;
    }
    std::string reason;
    if (!Device->Open(device, reason)) {
        LastProblem = device + ": " + reason;
        return false;
    }
    LastProblem.clear();
    return true;
}

bool TSeComm32::OpenPort() {
    ClosePort();
    bool open = TryOpen();
    while (!open && ReportErrors && Ui.AskRetry("Error Opening " + PortLabel() + ": "))
        open = TryOpen();
    if (!open)
        return false;
    // A line left at other settings would only show as garbage later, so a
    // device that refuses them is closed again and says why.
    const LineSettings settings{BaudRateValue(Baud), DataBitsValue(Bits),
                                LineParityOf(ParityChoice), StopBitsValue(Stops)};
    if (settings.BaudRate == 0 || !Device->Configure(settings)) {
        Device->Close();
        LastProblem = settings.BaudRate == 0
                          ? PortLabel() + ": the unit's ports run at no such baud rate"
                          : DeviceName() + ": the device refused the line settings " +
                                std::to_string(settings.BaudRate) + " baud, " +
                                std::to_string(settings.DataBits) + " data bits, " +
                                std::to_string(settings.StopBits) + " stop bits";
        Warn(LastProblem);
        return false;
    }
    return true;
}

void TSeComm32::ClosePort() {
    Device->Close();
}

bool TSeComm32::PortOpen() const {
    return Device->IsOpen();
}

void TSeComm32::LoseDevice() {
    Device->Close();
    LastProblem = PortLabel() + ": the device has closed";
}

int TSeComm32::CharCount() {
    if (!PortOpen()) {
        Warn(PortNotOpenMessage);
        return 0;
    }
    const long waiting = Device->BytesWaiting();
    if (waiting < 0) {
        LoseDevice();
        return 0;
    }
    return static_cast<int>(waiting);
}

std::string TSeComm32::ReadString() {
    if (!PortOpen()) {
        Warn(PortNotOpenMessage);
        return {};
    }
    if (Reading) {
        // A plain message, not a warning: nothing is wrong with the line.
        if (ReportErrors)
            Ui.ShowMessage(PortInUseMessage);
        return {};
    }
    struct ReadingFlag {
        bool& Flag;
        explicit ReadingFlag(bool& flag) : Flag(flag) { Flag = true; }
        ~ReadingFlag() { Flag = false; }
    } guard(Reading);
    const int waiting = CharCount();
    if (waiting <= 0)
        return {};
    return Device->Read(static_cast<std::size_t>(waiting));
}

bool TSeComm32::WriteString(std::string_view bytes) {
    if (!PortOpen()) {
        Warn(PortNotOpenMessage);
        return false;
    }
    const long written = Device->Write(bytes);
    if (written < 0) {
        LoseDevice();
        return false;
    }
    return static_cast<std::size_t>(written) == bytes.size();
}

void TSeComm32::PurgePort() {
    if (PortOpen())
        Device->Purge();
}

void TSeComm32::ReopenIfOpen() {
    if (PortOpen())
        OpenPort();
}

void TSeComm32::SetPort(int port) {
    if (port == PortNumber)
        return;
    PortNumber = port;
    ReopenIfOpen();
}

void TSeComm32::SetBaudRate(TBaudRate rate) {
    if (rate == Baud)
        return;
    Baud = rate;
    ReopenIfOpen();
}

void TSeComm32::SetParity(TParity parity) {
    if (parity == ParityChoice)
        return;
    ParityChoice = parity;
    ReopenIfOpen();
}

void TSeComm32::SetDataBits(TDataBits bits) {
    if (bits == Bits)
        return;
    Bits = bits;
    ReopenIfOpen();
}

void TSeComm32::SetStopBits(TStopBits bits) {
    if (bits == Stops)
        return;
    Stops = bits;
    ReopenIfOpen();
}

void TSeComm32::SetDevicePath(const std::string& path) {
    if (path == DirectPath)
        return;
    DirectPath = path;
    ReopenIfOpen();
}

} // namespace k7
