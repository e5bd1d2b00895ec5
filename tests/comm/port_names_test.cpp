#include "comm/port_names.h"

#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace k7 {
namespace {

namespace fs = std::filesystem;

using test::TemporaryFolder;

TEST(PortNames, DefaultsNameTheUsualDevices) {
    const PortNameTable table;
    EXPECT_EQ(table.DeviceFor(1), "/dev/ttyUSB0");
    EXPECT_EQ(table.DeviceFor(3), "/dev/ttyACM0");
    EXPECT_EQ(table.DeviceFor(5), "/dev/ttyS0");
    EXPECT_EQ(table.Entries().size(), 8u);
    EXPECT_EQ(table.DeviceFor(9), "");
}

TEST(PortNames, TextLinesOverrideEntries) {
    PortNameTable table;
    EXPECT_EQ(table.ReadText("COM1=/dev/ttyS4\r\ncom9=/dev/pts/3\r\n\r\nCOM8=\r\n"), "");
    EXPECT_EQ(table.DeviceFor(1), "/dev/ttyS4");
    EXPECT_EQ(table.DeviceFor(9), "/dev/pts/3");
    EXPECT_EQ(table.DeviceFor(8), "");
    EXPECT_EQ(table.DeviceFor(2), "/dev/ttyUSB1");
}

TEST(PortNames, BadLineChangesNothing) {
    PortNameTable table;
    const std::string problem = table.ReadText("COM1=/dev/ttyS4\nttyUSB0\n");
    EXPECT_EQ(problem, "Line 2 is not of the form COMn=device: ttyUSB0");
    EXPECT_EQ(table.DeviceFor(1), "/dev/ttyUSB0");
}

TEST(PortNames, TextIsOrderedByPortNumberAndKeepsAClearedPort) {
    PortNameTable table;
    table.ReadText("COM10=/dev/x\n");
    table.SetDevice(2, "");
    const std::string text = table.Text();
    EXPECT_EQ(text.substr(0, 19), "COM1=/dev/ttyUSB0\r\n");
    EXPECT_NE(text.find("\r\nCOM2=\r\n"), std::string::npos);
    EXPECT_LT(text.find("COM8="), text.find("COM10="));
}

TEST(PortNames, SaveAndLoadRoundTrip) {
    TemporaryFolder folder;
    ASSERT_FALSE(folder.Folder().empty());
    const std::string path = folder.Folder() + PortNamesFileName;
    PortNameTable saved;
    saved.SetDevice(4, "/dev/serial/by-id/usb-FTDI_K7-if00-port0");
    saved.SetDevice(2, ""); // cleared: must not come back as the default
    ASSERT_EQ(SavePortNames(path, saved), "");
    EXPECT_FALSE(fs::exists(path + ".k7tmp"));
    PortNameTable loaded;
    ASSERT_EQ(LoadPortNames(path, loaded), "");
    EXPECT_EQ(loaded.Entries(), saved.Entries());
}

TEST(PortNames, MissingFileKeepsTheDefaults) {
    TemporaryFolder folder;
    PortNameTable table;
    EXPECT_EQ(LoadPortNames(folder.Folder() + "absent.ini", table), "");
    EXPECT_EQ(table.Entries(), PortNameTable().Entries());
}

TEST(PortNames, BadFileIsNamedInTheMessage) {
    TemporaryFolder folder;
    const std::string path = folder.Folder() + "bad.ini";
    std::ofstream(path) << "COM1=/dev/a\nnonsense\n";
    PortNameTable table;
    EXPECT_EQ(LoadPortNames(path, table),
              path + ": Line 2 is not of the form COMn=device: nonsense");
}

TEST(PortNames, ComPortNumbers) {
    EXPECT_EQ(ComPortNumber("COM1"), 1);
    EXPECT_EQ(ComPortNumber("com8"), 8);
    EXPECT_EQ(ComPortNumber("COM12"), 12);
    EXPECT_EQ(ComPortNumber("COM"), 0);
    EXPECT_EQ(ComPortNumber("COMX"), 0);
    EXPECT_EQ(ComPortNumber("COM123"), 0);
    EXPECT_EQ(ComPortNumber("/dev/ttyS0"), 0);
}

} // namespace
} // namespace k7
