// The device side of Communications Setup: the devices offered, the port
// map file and the virtual unit.
#include "comm/port_map.h"
#include "comm/serial_devices.h"

#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace k7 {
namespace {

using test::FakeLine;
using test::FakeSerialDevice;
using test::TemporaryFolder;

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(SerialDevices, StableNamesFirstThenEachKindInNumberOrder) {
    const std::map<std::string, std::vector<std::string>> folders = {
        {"/dev/serial/by-id",
         {"usb-FTDI_FT232R_A1-if00-port0", "usb-Arduino_Uno_75-if00", ".hidden"}},
        {"/dev",
         {"ttyS10", "tty0", "ttyS2", "ttyACM0", "null", "ttyUSB1", "ttyUSB0", "ttySx", "ttyS"}}};
    const auto reader = [&](const std::string& folder) {
        const auto found = folders.find(folder);
        return found == folders.end() ? std::vector<std::string>{} : found->second;
    };
    EXPECT_EQ(
        ListSerialDevices(reader),
        (std::vector<std::string>{"/dev/serial/by-id/usb-Arduino_Uno_75-if00",
                                  "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0", "/dev/ttyUSB0",
                                  "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(SerialDevices, NoFoldersNoDevices) {
    EXPECT_TRUE(
        ListSerialDevices([](const std::string&) { return std::vector<std::string>{}; }).empty());
    EXPECT_TRUE(ReadFolderNames("/no/such/folder").empty());
}

struct PortMapTest : ::testing::Test {
    TemporaryFolder folder;
    test::ScriptedUi ui;
    FakeLine line;
    TSeComm32 port{ui, std::make_unique<FakeSerialDevice>(line)};
    PortMap map{port, folder.File(PortNamesFileName), K7SIM_PATH};
};

TEST_F(PortMapTest, ChosenDeviceIsWrittenWholeAndOpened) {
    ASSERT_EQ(map.SetDevice(1, "/dev/serial/by-id/usb-FTDI-port0"), "");
    const std::string text = FileText(map.MapFile());
    EXPECT_EQ(text.substr(0, 45), "COM1=/dev/serial/by-id/usb-FTDI-port0\r\nCOM2=/");
    EXPECT_FALSE(std::filesystem::exists(map.MapFile() + ".tmp"));
    ASSERT_TRUE(port.OpenPort());
    EXPECT_EQ(line.OpenedPaths.back(), "/dev/serial/by-id/usb-FTDI-port0");

    // Read back at the next start.
    TSeComm32 later{ui, std::make_unique<FakeSerialDevice>(line)};
    PortMap again{later, map.MapFile(), K7SIM_PATH};
    ASSERT_EQ(again.Load(), "");
    EXPECT_EQ(again.DeviceFor(1), "/dev/serial/by-id/usb-FTDI-port0");
    EXPECT_EQ(later.DeviceName(), "/dev/serial/by-id/usb-FTDI-port0");
}

TEST_F(PortMapTest, BadMapFileIsReportedAndChangesNothing) {
    std::ofstream(map.MapFile()) << "COM1=/dev/ttyS7\r\nnonsense\r\n";
    EXPECT_NE(map.Load().find("Line 2 is not of the form COMn=device"), std::string::npos);
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyUSB0");
}

TEST_F(PortMapTest, VirtualUnitRunsUntilAComPortIsChosen) {
    ASSERT_EQ(map.UseVirtualUnit(), "");
    const std::string device = map.Simulator().DevicePath();
    EXPECT_EQ(device.rfind("/dev/", 0), 0u);
    EXPECT_EQ(port.DeviceName(), device);
    EXPECT_TRUE(map.VirtualUnitInUse());
    EXPECT_NE(map.Simulator().StateFile().find("k7sim-"), std::string::npos);
    // The settings keep their COM index; only the open is redirected.
    EXPECT_EQ(port.PortLabel(), device);

    map.UseComPort();
    EXPECT_FALSE(map.VirtualUnitInUse());
    EXPECT_FALSE(map.Simulator().Running());
    EXPECT_EQ(port.DeviceName(), "/dev/ttyUSB0");
    EXPECT_EQ(port.PortLabel(), "COM1");
}

TEST(VirtualUnit, MissingSimulatorIsExplainedAndNothingRuns) {
    VirtualUnit unit("/no/such/k7sim");
    EXPECT_EQ(unit.Start(), "Cannot start the virtual unit: /no/such/k7sim was not found.");
    EXPECT_FALSE(unit.Running());
    EXPECT_EQ(unit.DevicePath(), "");
}

TEST(VirtualUnit, SimulatorThatFailsShowsWhatItSaid) {
    VirtualUnit unit(K7SIM_PATH, {"--no-such-option"});
    const std::string problem = unit.Start();
    EXPECT_EQ(problem.rfind("The virtual unit did not start", 0), 0u) << problem;
    EXPECT_FALSE(unit.Running());
}

TEST(VirtualUnit, StopEndsTheSimulatorAndRemovesItsState) {
    VirtualUnit unit(K7SIM_PATH);
    ASSERT_EQ(unit.Start(), "");
    const std::string state = unit.StateFile();
    EXPECT_TRUE(unit.Running());
    unit.Stop();
    EXPECT_FALSE(unit.Running());
    EXPECT_FALSE(std::filesystem::exists(state));
}

TEST(VirtualUnit, FoundBesideTheProgramOrInTheBuildTree) {
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.File("bin"));
    std::filesystem::create_directories(folder.File("sim"));
    const std::string inTree = folder.File("sim/k7sim");
    std::filesystem::copy_file(K7SIM_PATH, inTree);
    EXPECT_EQ(FindVirtualUnitProgram(folder.File("bin") + "/"), inTree);
    std::filesystem::copy_file(K7SIM_PATH, folder.File("bin/k7sim"));
    EXPECT_EQ(FindVirtualUnitProgram(folder.File("bin") + "/"), folder.File("bin/k7sim"));
}

} // namespace
} // namespace k7
