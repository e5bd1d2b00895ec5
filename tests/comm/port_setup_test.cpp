#include "comm/port_setup.h"

#include "comm/timer_queue.h"
#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

struct TerminalRecorder : PumpListener {
    std::string Bytes;
    void TerminalBytes(const std::string& bytes) override { Bytes += bytes; }
};

class PortSetupTest : public ::testing::Test {
  protected:
    PortSetupTest()
        : Port(Ui, std::make_unique<test::FakeSerialDevice>(Line)),
          Pump(Port, Timers.CreateTimer()) {
        PortNameTable names;
        for (int port = 1; port <= 10; ++port)
            names.SetDevice(port, "/dev/unit" + std::to_string(port));
        Port.SetPortNames(names);
        Pump.SetListener(&Recorder);
    }

    test::ScriptedUi Ui;
    test::FakeLine Line;
    TSeComm32 Port;
    TimerQueue Timers;
    ReceivePump Pump;
    TerminalRecorder Recorder;
};

TEST_F(PortSetupTest, DefaultChoicesOpenCom1At9600) {
    ASSERT_TRUE(SetupPort(Port, Pump, SerialChoices{}));
    EXPECT_EQ(Line.OpenedPaths.back(), "/dev/unit1");
    EXPECT_EQ(Line.Settings->BaudRate, 9600);
    EXPECT_EQ(Line.Settings->DataBits, 8);
    EXPECT_EQ(Line.Settings->Parity, LineParity::None);
    EXPECT_EQ(Line.Settings->StopBits, 1);
    EXPECT_TRUE(Pump.Running());
}

TEST_F(PortSetupTest, ChoicesMapToThePortSettings) {
    SerialChoices choices;
    choices.PortIndex = 2;
    choices.BaudIndex = 5; // "19,200"
    choices.ParityIndex = 3;
    choices.WordLengthIndex = 2;
    choices.ProtocolIndex = 1; // XModem: no effect on the port
    ASSERT_TRUE(SetupPort(Port, Pump, choices));
    EXPECT_EQ(Port.Port(), 3);
    EXPECT_EQ(Line.OpenedPaths.back(), "/dev/unit3");
    EXPECT_EQ(Line.Settings->BaudRate, 19200);
    EXPECT_EQ(Line.Settings->Parity, LineParity::Mark);
    EXPECT_EQ(Line.Settings->DataBits, 7);
    EXPECT_EQ(Line.Settings->StopBits, 1);
}

TEST_F(PortSetupTest, EveryOfferedChoice) {
    const int rates[] = {300, 1200, 2400, 4800, 9600, 19200, 38400};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(BaudRateValue(BaudRateOfChoice(i)), rates[i]) << BaudChoiceLabels[i];
    EXPECT_EQ(ParityOfChoice(0), TParity::pNone);
    EXPECT_EQ(ParityOfChoice(1), TParity::pOdd);
    EXPECT_EQ(ParityOfChoice(2), TParity::pEven);
    EXPECT_EQ(ParityOfChoice(3), TParity::pMark);
    EXPECT_EQ(DataBitsOfChoice(0), TDataBits::db5);
    EXPECT_EQ(DataBitsOfChoice(3), TDataBits::db8);
    EXPECT_EQ(PortOfChoice(0), 1);
    EXPECT_EQ(PortOfChoice(7), 8);
}

TEST_F(PortSetupTest, IndexOutsideItsListTakesTheDefault) {
    EXPECT_EQ(BaudRateOfChoice(7), TBaudRate::br9600);
    EXPECT_EQ(BaudRateOfChoice(-1), TBaudRate::br9600);
    EXPECT_EQ(ParityOfChoice(9), TParity::pNone);
    EXPECT_EQ(DataBitsOfChoice(4), TDataBits::db8);
    EXPECT_EQ(PortOfChoice(-3), 1);
}

TEST_F(PortSetupTest, StopBitsStayAsTheyAre) {
    Port.SetStopBits(TStopBits::sb2);
    ASSERT_TRUE(SetupPort(Port, Pump, SerialChoices{}));
    EXPECT_EQ(Line.Settings->StopBits, 2);
}

TEST_F(PortSetupTest, WaitingBytesAndTheAccumulatorAreDiscarded) {
    Pump.SetComMode(ComModeCrc);
    Line.Input = "\xC8\x08\x30";
    ASSERT_TRUE(Port.OpenPort());
    Pump.Start();
    Timers.Advance(1);
    ASSERT_EQ(Pump.Accumulator(), "\xC8\x08\x30");
    Line.Input = "stale bytes";
    ASSERT_TRUE(SetupPort(Port, Pump, SerialChoices{}));
    EXPECT_TRUE(Pump.Accumulator().empty());
    EXPECT_TRUE(Line.Input.empty());
    Pump.SetComMode(ComModeAscii);
    Timers.Advance(5);
    EXPECT_TRUE(Recorder.Bytes.empty());
}

TEST_F(PortSetupTest, OpenPortIsReopenedOnceWithTheNewChoices) {
    ASSERT_TRUE(SetupPort(Port, Pump, SerialChoices{}));
    SerialChoices choices;
    choices.BaudIndex = 6;
    choices.ParityIndex = 2;
    ASSERT_TRUE(SetupPort(Port, Pump, choices));
    EXPECT_EQ(Line.OpenedPaths.size(), 2u);
    EXPECT_EQ(Line.Settings->BaudRate, 38400);
    EXPECT_EQ(Line.Settings->Parity, LineParity::Even);
}

TEST_F(PortSetupTest, FailureLeavesThePortClosedAndThePumpStopped) {
    Line.MissingDevices = {"/dev/unit2"};
    SerialChoices choices;
    choices.PortIndex = 1;
    EXPECT_FALSE(SetupPort(Port, Pump, choices));
    EXPECT_EQ(Ui.Questions, (std::vector<std::string>{"Error Opening COM2: "}));
    EXPECT_FALSE(Port.PortOpen());
    EXPECT_FALSE(Pump.Running());
}

} // namespace
} // namespace k7
