// Serial devices through the POSIX terminal interface.
#include "comm/serial_posix.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Mark parity needs the "stick parity" flag, which not every system has;
// without it mark parity falls back to odd.
#ifndef CMSPAR
#define CMSPAR 0
#endif

namespace k7 {

namespace {

speed_t SpeedCode(int baudRate) {
    switch (baudRate) {
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B0; // no rate the unit's ports run at
    }
}

tcflag_t SizeFlags(int dataBits) {
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

tcflag_t ParityFlags(LineParity parity) {
    switch (parity) {
    case LineParity::Odd:
        return PARENB | PARODD;
    case LineParity::Even:
        return PARENB;
    case LineParity::Mark:
        return PARENB | PARODD | CMSPAR; // "stick" parity, always 1
    case LineParity::None:
        break;
    }
    return 0;
}

} // namespace

bool MakeRawLine(termios& tio, const LineSettings& settings) {
    const speed_t speed = SpeedCode(settings.BaudRate);
    if (speed == B0)
        return false;
    tio.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL |
                     IXON | IXOFF | IXANY | IMAXBEL);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CREAD | CLOCAL | SizeFlags(settings.DataBits) | ParityFlags(settings.Parity);
    if (settings.StopBits == 2)
        tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    return true;
}

namespace {

bool DeviceGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

class PosixSerialDevice : public SerialDevice {
  public:
    ~PosixSerialDevice() override { Close(); }

    bool Open(const std::string& path, std::string& reason) override;
    void Close() override;
    bool IsOpen() const override { return Fd >= 0; }
    bool Configure(const LineSettings& settings) override;
    long BytesWaiting() override;
    std::string Read(std::size_t count) override;
    long Write(std::string_view bytes) override;
    void Purge() override;

  private:
    bool HungUp() const;
    int WriteBudgetMs(std::size_t count) const;

    int Fd = -1;
    int BaudRate = 9600;
};

bool PosixSerialDevice::Open(const std::string& path, std::string& reason) {
    Close();
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = errno == EBUSY ? "in use by another program" : std::strerror(errno);
        return false;
    }
    if (!isatty(fd)) {
        reason = "not a serial device";
        close(fd);
        return false;
    }
    // The terminal's own exclusive flag does not hold against a privileged
    // user, so a lock on the device keeps two of our programs apart too.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        reason = errno == EWOULDBLOCK ? "in use by another program" : std::strerror(errno);
        close(fd);
        return false;
    }
    ioctl(fd, TIOCEXCL);
    Fd = fd;
    return true;
}

void PosixSerialDevice::Close() {
    if (Fd < 0)
        return;
    ioctl(Fd, TIOCNXCL);
    close(Fd);
    Fd = -1;
}

bool PosixSerialDevice::Configure(const LineSettings& settings) {
    termios tio{};
    if (Fd < 0 || tcgetattr(Fd, &tio) != 0 || !MakeRawLine(tio, settings))
        return false;
    BaudRate = settings.BaudRate;
    const bool configured = tcsetattr(Fd, TCSANOW, &tio) == 0;
    // DTR and RTS stay low, as the unit's cable expects; devices without
    // modem lines (pseudo-terminals) refuse this harmlessly.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(Fd, TIOCMBIC, &lines);
    return configured;
}

bool PosixSerialDevice::HungUp() const {
    pollfd watch{Fd, POLLIN, 0};
    if (poll(&watch, 1, 0) < 0)
        return false;
    return (watch.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

long PosixSerialDevice::BytesWaiting() {
    if (Fd < 0)
        return -1;
    int count = 0;
    if (ioctl(Fd, FIONREAD, &count) != 0)
        return DeviceGone(errno) ? -1 : 0;
    if (count == 0 && HungUp())
        return -1;
    return count;
}

std::string PosixSerialDevice::Read(std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (Fd >= 0 && got < count) {
        const ssize_t n = read(Fd, bytes.data() + got, count - got);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break; // nothing more waiting (the descriptor never blocks) or gone
    }
    bytes.resize(got);
    return bytes;
}

int PosixSerialDevice::WriteBudgetMs(std::size_t count) const {
    // Ten bit times a byte, plus room for a driver that starts slowly.
    const long long lineMs =
        static_cast<long long>(count) * 10 * 1000 / (BaudRate > 0 ? BaudRate : 9600);
    return static_cast<int>(lineMs + 2000);
}

long PosixSerialDevice::Write(std::string_view bytes) {
    if (Fd < 0)
        return -1;
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(WriteBudgetMs(bytes.size()));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(Fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return DeviceGone(errno) ? -1 : static_cast<long>(done);
        // The output queue is full: wait for room, but never past the time
        // the bytes need on the line.
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd watch{Fd, POLLOUT, 0};
        if (poll(&watch, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            break;
        if (watch.revents & (POLLHUP | POLLERR | POLLNVAL))
            return -1;
    }
    return static_cast<long>(done);
}

void PosixSerialDevice::Purge() {
    if (Fd >= 0)
        tcflush(Fd, TCIOFLUSH);
}

} // namespace

std::unique_ptr<SerialDevice> MakeSerialDevice() {
    return std::make_unique<PosixSerialDevice>();
}

std::map<int, std::string> DefaultPortDevices() {
    // USB adapters first: that is what a workstation without built-in ports
    // has, and COM1 is the default choice.
    return {{1, "/dev/ttyUSB0"}, {2, "/dev/ttyUSB1"}, {3, "/dev/ttyACM0"}, {4, "/dev/ttyACM1"},
            {5, "/dev/ttyS0"},   {6, "/dev/ttyS1"},   {7, "/dev/ttyS2"},   {8, "/dev/ttyS3"}};
}

} // namespace k7
