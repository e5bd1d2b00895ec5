// TSeComm32 against a scripted device (dialogs, reopen rules, the in-use
// guard) and against a real pseudo-terminal (raw mode, line settings,
// exclusive use, purge, a far end that goes away).
#include "comm/serial_port.h"

#include "comm/serial_posix.h"

#include "tests/comm/fake_serial_device.h"
#include "tests/comm/pty_pair.h"
#include "tests/support/eventually.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k7 {
namespace {

using Messages = std::vector<std::string>;

class ScriptedPortTest : public ::testing::Test {
  protected:
    ScriptedPortTest() : Port(Ui, std::make_unique<test::FakeSerialDevice>(Line)) {
        PortNameTable names;
        names.SetDevice(3, "/dev/unit3");
        names.SetDevice(4, "/dev/unit4");
        Port.SetPortNames(names);
    }

    test::ScriptedUi Ui;
    test::FakeLine Line;
    TSeComm32 Port;
};

TEST_F(ScriptedPortTest, OpenConfiguresRaw9600Eight1None) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    EXPECT_EQ(Line.OpenedPaths, Messages{"/dev/unit3"});
    ASSERT_TRUE(Line.Settings);
    EXPECT_EQ(Line.Settings->BaudRate, 9600);
    EXPECT_EQ(Line.Settings->DataBits, 8);
    EXPECT_EQ(Line.Settings->Parity, LineParity::None);
    EXPECT_EQ(Line.Settings->StopBits, 1);
    EXPECT_TRUE(Ui.Questions.empty());
}

TEST_F(ScriptedPortTest, ADeviceThatRefusesItsLineSettingsIsClosedWithAMessage) {
    Port.SetPort(3);
    Line.RefusesSettings = true;
    EXPECT_FALSE(Port.OpenPort());
    EXPECT_FALSE(Port.PortOpen());
    const std::string expected =
        "/dev/unit3: the device refused the line settings 9600 baud, 8 data bits, 1 stop bits";
    EXPECT_EQ(Ui.Warnings, Messages{expected});
    EXPECT_EQ(Port.LastError(), expected);
}

TEST_F(ScriptedPortTest, ARateOutsideTheListIsRefused) {
    Port.SetPort(3);
    Port.SetBaudRate(static_cast<TBaudRate>(42));
    EXPECT_FALSE(Port.OpenPort());
    EXPECT_FALSE(Port.PortOpen());
    EXPECT_FALSE(Line.Settings); // never handed to the device
    EXPECT_EQ(Ui.Warnings, Messages{"COM3: the unit's ports run at no such baud rate"});
}

TEST_F(ScriptedPortTest, FailedOpenAsksAbortOrRetry) {
    Port.SetPort(3);
    Line.MissingDevices = {"/dev/unit3"};
    Ui.RetryAnswers = {true, true, false};
    EXPECT_FALSE(Port.OpenPort());
    EXPECT_EQ(Line.OpenedPaths.size(), 3u);
    EXPECT_EQ(Ui.Questions, Messages(3, "Error Opening COM3: "));
    EXPECT_FALSE(Port.PortOpen());
    EXPECT_NE(Port.LastError().find("/dev/unit3"), std::string::npos);
}

TEST_F(ScriptedPortTest, RetryThatSucceedsOpens) {
    Line.MissingDevices = {"/dev/unit3"};
    // The device appears while the box is up.
    struct AppearingUi : test::ScriptedUi {
        test::FakeLine* Line = nullptr;
        bool AskRetry(const std::string& message) override {
            Line->MissingDevices.clear();
            return ScriptedUi::AskRetry(message);
        }
    } ui;
    ui.Line = &Line;
    ui.RetryAnswers = {true};
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(Line));
    PortNameTable names;
    names.SetDevice(3, "/dev/unit3");
    port.SetPortNames(names);
    port.SetPort(3);
    EXPECT_TRUE(port.OpenPort());
    EXPECT_EQ(ui.Questions, Messages{"Error Opening COM3: "});
}

TEST_F(ScriptedPortTest, WithoutErrorsOneSilentAttempt) {
    Port.SetShowErrors(false);
    Port.SetPort(4);
    Line.MissingDevices = {"/dev/unit4"};
    EXPECT_FALSE(Port.OpenPort());
    EXPECT_EQ(Line.OpenedPaths.size(), 1u);
    EXPECT_TRUE(Ui.Questions.empty());
}

TEST_F(ScriptedPortTest, PortWithoutDeviceFailsWithItsName) {
    Port.SetPort(9);
    EXPECT_FALSE(Port.OpenPort());
    EXPECT_EQ(Ui.Questions, Messages{"Error Opening COM9: "});
    EXPECT_TRUE(Line.OpenedPaths.empty());
}

TEST_F(ScriptedPortTest, DirectDevicePathIsOpenedAndNamed) {
    Port.SetDevicePath("/dev/pts/7");
    Line.MissingDevices = {"/dev/pts/7"};
    EXPECT_FALSE(Port.OpenPort());
    EXPECT_EQ(Ui.Questions, Messages{"Error Opening /dev/pts/7: "});
    Line.MissingDevices.clear();
    EXPECT_TRUE(Port.OpenPort());
    EXPECT_EQ(Line.OpenedPaths.back(), "/dev/pts/7");
}

TEST_F(ScriptedPortTest, ChangingASettingReopensAnOpenPort) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Port.SetBaudRate(TBaudRate::br19200);
    EXPECT_EQ(Line.OpenedPaths.size(), 2u);
    EXPECT_EQ(Line.Settings->BaudRate, 19200);
    Port.SetParity(TParity::pMark);
    EXPECT_EQ(Line.Settings->Parity, LineParity::Mark);
    Port.SetDataBits(TDataBits::db7);
    EXPECT_EQ(Line.Settings->DataBits, 7);
    Port.SetStopBits(TStopBits::sb2);
    EXPECT_EQ(Line.Settings->StopBits, 2);
    Port.SetPort(4);
    EXPECT_EQ(Line.OpenedPaths.back(), "/dev/unit4");
    EXPECT_EQ(Line.OpenedPaths.size(), 6u);
    EXPECT_TRUE(Port.PortOpen());
    // The same value again is no change.
    Port.SetBaudRate(TBaudRate::br19200);
    EXPECT_EQ(Line.OpenedPaths.size(), 6u);
}

TEST_F(ScriptedPortTest, ChangingASettingOfAClosedPortOpensNothing) {
    Port.SetBaudRate(TBaudRate::br38400);
    Port.SetPort(3);
    Port.SetParity(TParity::pEven);
    EXPECT_TRUE(Line.OpenedPaths.empty());
    EXPECT_FALSE(Port.PortOpen());
    ASSERT_TRUE(Port.OpenPort());
    EXPECT_EQ(Line.Settings->BaudRate, 38400);
    EXPECT_EQ(Line.Settings->Parity, LineParity::Even);
}

TEST_F(ScriptedPortTest, FailedReopenLeavesThePortClosed) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Line.MissingDevices = {"/dev/unit4"};
    Port.SetPort(4);
    EXPECT_FALSE(Port.PortOpen());
    EXPECT_EQ(Ui.Questions, Messages{"Error Opening COM4: "});
}

TEST_F(ScriptedPortTest, ClosedPortRefusesEveryTransfer) {
    EXPECT_EQ(Port.CharCount(), 0);
    EXPECT_EQ(Port.ReadString(), "");
    EXPECT_FALSE(Port.WriteString("x"));
    Port.PurgePort();
    Port.ClosePort();
    EXPECT_EQ(Ui.Warnings, Messages(3, "Port Not Open -- Operation Aborted"));
    EXPECT_EQ(Line.PurgeCalls, 0);
    EXPECT_EQ(Line.ReadCalls, 0);
}

TEST_F(ScriptedPortTest, ClosedPortIsQuietWithoutErrors) {
    Port.SetShowErrors(false);
    EXPECT_EQ(Port.CharCount(), 0);
    EXPECT_EQ(Port.ReadString(), "");
    EXPECT_FALSE(Port.WriteString("x"));
    EXPECT_TRUE(Ui.Errors.empty());
}

TEST_F(ScriptedPortTest, EmptyQueueIsNotRead) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    EXPECT_EQ(Port.ReadString(), "");
    EXPECT_EQ(Line.ReadCalls, 0);
}

TEST_F(ScriptedPortTest, EveryByteValuePassesBothWays) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    Line.Input = all;
    EXPECT_EQ(Port.CharCount(), 256);
    EXPECT_EQ(Port.ReadString(), all);
    EXPECT_TRUE(Port.WriteString(all));
    EXPECT_EQ(Line.Written, all);
    EXPECT_TRUE(Port.WriteString(""));
}

TEST_F(ScriptedPortTest, ShortWriteIsFalse) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Line.WriteLimit = 3;
    EXPECT_FALSE(Port.WriteString("abcdef"));
    EXPECT_TRUE(Ui.Errors.empty());
}

TEST_F(ScriptedPortTest, ReadInsideAReadIsRefused) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Line.Input = "abc";
    std::string nested = "unset";
    bool inUseDuring = false;
    Line.DuringRead = [&] {
        inUseDuring = Port.InUse();
        nested = Port.ReadString();
    };
    EXPECT_EQ(Port.ReadString(), "abc");
    EXPECT_TRUE(inUseDuring);
    EXPECT_EQ(nested, "");
    EXPECT_EQ(Ui.Messages, Messages{"Port is in use -- Operation Aborted."});
    EXPECT_FALSE(Port.InUse());
}

TEST_F(ScriptedPortTest, VanishedDeviceClosesThePort) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Line.Gone = true;
    EXPECT_EQ(Port.CharCount(), 0);
    EXPECT_FALSE(Port.PortOpen());
    EXPECT_NE(Port.LastError().find("closed"), std::string::npos);
    EXPECT_TRUE(Ui.Errors.empty());
}

TEST_F(ScriptedPortTest, WriteToAVanishedDeviceClosesThePort) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Line.Gone = true;
    EXPECT_FALSE(Port.WriteString("x"));
    EXPECT_FALSE(Port.PortOpen());
}

TEST_F(ScriptedPortTest, PurgeDiscardsWhatIsWaiting) {
    Port.SetPort(3);
    ASSERT_TRUE(Port.OpenPort());
    Line.Input = "stale";
    Port.PurgePort();
    EXPECT_EQ(Line.PurgeCalls, 1);
    EXPECT_EQ(Port.CharCount(), 0);
}

// --- a real pseudo-terminal -------------------------------------------------

class PtyPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Pty.Ready());
        Port.SetDevicePath(Pty.Path);
    }

    test::ScriptedUi Ui;
    test::PtyPair Pty;
    TSeComm32 Port{Ui};
};

std::string AllByteValues() {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    return all;
}

TEST_F(PtyPortTest, RawModeEvenOnACookedLine) {
    // Leave the line as a login terminal would have it: line editing, echo,
    // signals, CR and NL translation, XON/XOFF.
    termios cooked = Pty.Attributes();
    cooked.c_iflag |= ICRNL | IXON | ISTRIP;
    cooked.c_oflag |= OPOST | ONLCR;
    cooked.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    Pty.SetAttributes(cooked);

    ASSERT_TRUE(Port.OpenPort());
    const std::string all = AllByteValues();
    Pty.Send(all);
    ASSERT_TRUE(test::Eventually([&] { return Port.CharCount() >= 256; }));
    EXPECT_EQ(Port.ReadString(), all);

    ASSERT_TRUE(Port.WriteString(all));
    // Nothing echoed, nothing translated: exactly the bytes written.
    EXPECT_EQ(Pty.Receive(1000, 300), all);
}

TEST_F(PtyPortTest, LineSettingsReachTheDevice) {
    // A pseudo-terminal keeps the rate and stop bits it is given (it always
    // reports 8 bits without parity: those are checked on the attributes
    // below).
    Port.SetBaudRate(TBaudRate::br19200);
    Port.SetStopBits(TStopBits::sb2);
    ASSERT_TRUE(Port.OpenPort());
    const termios tio = Pty.Attributes();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B19200));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | INPCK | ICRNL));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(tio.c_oflag & OPOST);
}

TEST_F(PtyPortTest, ReopensWithTheNewRate) {
    ASSERT_TRUE(Port.OpenPort());
    termios tio = Pty.Attributes();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    Port.SetBaudRate(TBaudRate::br38400);
    EXPECT_TRUE(Port.PortOpen());
    tio = Pty.Attributes();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B38400));
    Port.SetStopBits(TStopBits::sb2);
    EXPECT_TRUE(Pty.Attributes().c_cflag & CSTOPB);
    // Still one working line after the reopens.
    Pty.Send("ok");
    EXPECT_TRUE(test::Eventually([&] { return Port.CharCount() == 2; }));
    EXPECT_EQ(Port.ReadString(), "ok");
}

TEST_F(PtyPortTest, SecondOpenOfTheSameDeviceFails) {
    ASSERT_TRUE(Port.OpenPort());
    TSeComm32 other(Ui);
    other.SetShowErrors(false);
    other.SetDevicePath(Pty.Path);
    EXPECT_FALSE(other.OpenPort());
    EXPECT_NE(other.LastError().find("in use"), std::string::npos) << other.LastError();
    Port.ClosePort();
    EXPECT_TRUE(other.OpenPort());
}

TEST_F(PtyPortTest, ReadTakesOnlyWhatIsWaiting) {
    ASSERT_TRUE(Port.OpenPort());
    EXPECT_EQ(Port.CharCount(), 0);
    EXPECT_EQ(Port.ReadString(), "");
    Pty.Send(std::string("a\0b", 3));
    ASSERT_TRUE(test::Eventually([&] { return Port.CharCount() == 3; }));
    EXPECT_EQ(Port.ReadString(), std::string("a\0b", 3));
    EXPECT_EQ(Port.ReadString(), "");
}

TEST_F(PtyPortTest, PurgeDiscardsTheInputQueue) {
    ASSERT_TRUE(Port.OpenPort());
    Pty.Send("0123456789");
    ASSERT_TRUE(test::Eventually([&] { return Port.CharCount() == 10; }));
    Port.PurgePort();
    EXPECT_EQ(Port.CharCount(), 0);
    EXPECT_EQ(Port.ReadString(), "");
}

TEST_F(PtyPortTest, FarEndThatGoesAwayClosesThePort) {
    ASSERT_TRUE(Port.OpenPort());
    Pty.CloseMaster();
    EXPECT_TRUE(test::Eventually([&] { return Port.CharCount() == 0 && !Port.PortOpen(); }));
    EXPECT_TRUE(Ui.Errors.empty());
    EXPECT_FALSE(Port.WriteString("x"));
    EXPECT_EQ(Ui.Warnings, Messages{"Port Not Open -- Operation Aborted"});
}

TEST_F(PtyPortTest, CloseIsSafeTwice) {
    ASSERT_TRUE(Port.OpenPort());
    Port.ClosePort();
    Port.ClosePort();
    EXPECT_FALSE(Port.PortOpen());
}

// Attributes that every flag is set in, as a badly left device might have.
termios Cluttered() {
    termios tio{};
    tio.c_iflag = ~tcflag_t{0};
    tio.c_oflag = ~tcflag_t{0};
    tio.c_cflag = ~tcflag_t{0};
    tio.c_lflag = ~tcflag_t{0};
    return tio;
}

TEST(PosixLine, RawWhateverTheDeviceWasLeftIn) {
    termios tio = Cluttered();
    MakeRawLine(tio, LineSettings{});
    EXPECT_FALSE(tio.c_iflag & (IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL |
                                IXON | IXOFF | IXANY));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_FALSE(tio.c_lflag & (ECHO | ECHONL | ICANON | ISIG | IEXTEN));
    EXPECT_FALSE(tio.c_cflag & (CRTSCTS | CSTOPB | PARENB));
    EXPECT_TRUE(tio.c_cflag & CREAD);
    EXPECT_TRUE(tio.c_cflag & CLOCAL);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
}

TEST(PosixLine, ParityFlags) {
    const tcflag_t parityBits = PARENB | PARODD | CMSPAR;
    const struct {
        LineParity Parity;
        tcflag_t Flags;
    } cases[] = {{LineParity::None, 0},
                 {LineParity::Odd, PARENB | PARODD},
                 {LineParity::Even, PARENB},
                 {LineParity::Mark, PARENB | PARODD | CMSPAR}};
    for (const auto& c : cases) {
        termios tio = Cluttered();
        LineSettings settings;
        settings.Parity = c.Parity;
        MakeRawLine(tio, settings);
        EXPECT_EQ(tio.c_cflag & parityBits, c.Flags) << static_cast<int>(c.Parity);
        EXPECT_FALSE(tio.c_iflag & INPCK); // received parity is not checked
    }
}

TEST(PosixLine, SizeStopBitsAndRates) {
    const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    for (int bits = 5; bits <= 8; ++bits) {
        termios tio = Cluttered();
        LineSettings settings;
        settings.DataBits = bits;
        settings.StopBits = 2;
        MakeRawLine(tio, settings);
        EXPECT_EQ(tio.c_cflag & CSIZE, sizes[bits - 5]);
        EXPECT_TRUE(tio.c_cflag & CSTOPB);
    }
    termios tio{};
    LineSettings settings;
    settings.BaudRate = 19200;
    EXPECT_TRUE(MakeRawLine(tio, settings));
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B19200));
    // A rate the unit's ports do not run at is refused, not made 9600.
    settings.BaudRate = 14400;
    termios untouched = Cluttered();
    EXPECT_FALSE(MakeRawLine(untouched, settings));
    EXPECT_EQ(untouched.c_lflag, ~tcflag_t{0});
}

TEST(PosixPort, RefusesWhatIsNoSerialDevice) {
    test::ScriptedUi ui;
    TSeComm32 port(ui);
    port.SetDevicePath("/dev/null");
    EXPECT_FALSE(port.OpenPort());
    EXPECT_EQ(ui.Questions, Messages{"Error Opening /dev/null: "});
    EXPECT_NE(port.LastError().find("not a serial device"), std::string::npos);

    port.SetDevicePath("/nonexistent/ttyK7");
    port.SetShowErrors(false);
    EXPECT_FALSE(port.OpenPort());
    EXPECT_FALSE(port.PortOpen());
}

} // namespace
} // namespace k7
