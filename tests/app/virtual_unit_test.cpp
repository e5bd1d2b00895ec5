// Communications Setup's device side and loads into k7sim from the window,
// on the window's own timers and the workstation's serial layer: the device
// list and the port map, the bundled example sent to the unit started
// through "Virtual unit", and a unit that falls silent mid-load.
#include "app/shell/progress_panel_widget.h"
#include "app/shell/unit_link_commands.h"
#include "app/views/communications_setup_panel.h"
#include "app/views/terminal_page.h"
#include "basic/basic_build.h"
#include "comm/timer_queue.h"
#include "tests/app/app_fixture.h"
#include "tests/comm/fake_serial_device.h"
#include "workspace/text_file.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <fstream>
#include <map>

using k7::test::AppFixture;

namespace {

constexpr int LoadTimeoutMs = 60000;

// The example's BASIC module built into a BASIC folder of the test's own,
// so the example compiles clean.
bool BuildExampleBasic(AppFixture& app) {
    const QString folder = app.dir.path() + "/K7Basic/";
    QDir().mkpath(folder);
    const QString source = folder + "PUMPEFF.BAS";
    QFile::copy(K7_EXAMPLES_DIR "K7Basic/PUMPEFF.BAS", source);
    const k7::TextFile lines = k7::ReadTextLines(source.toStdString());
    const auto built = k7::BuildBasicModule(lines.Lines, source.toStdString());
    app.workspace.settings.BasicFolder = folder.toStdString();
    return built.Outcome == k7::BasicBuildOutcome::Built;
}

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

QString PageText(k7::MainWindow& window) {
    return window.UnitCommands().Page()->Text()->toPlainText();
}

// The program lines the unit takes from an image: every data line, and the
// markers #0, #1, #3, #4, #8 and #9 as their first two characters.
std::vector<std::string> LoadedLines(const std::vector<std::string>& image) {
    std::vector<std::string> loaded;
    for (const std::string& line : image) {
        if (line.empty())
            continue;
        if (line[0] != '#')
            loaded.push_back(line);
        else if (line.size() >= 2 && std::string("013489").find(line[1]) != std::string::npos)
            loaded.push_back(line.substr(0, 2));
    }
    return loaded;
}

} // namespace

class VirtualUnitTest : public QObject {
    Q_OBJECT

  private slots:
    void deviceListFeedsThePortMap() {
        k7::TimerQueue timers;
        k7::test::FakeLine line;
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.SetUnitLinkParts(&timers,
                                [&] { return std::make_unique<k7::test::FakeSerialDevice>(line); });
        k7::CommunicationsSetupPanel* panel = window.CommunicationsSetup();
        const std::map<std::string, std::vector<std::string>> folders = {
            {"/dev/serial/by-id", {"usb-FTDI_FT232R_A1-if00-port0"}},
            {"/dev", {"ttyS1", "ttyUSB0", "null"}}};
        panel->folderReader = [&](const std::string& folder) {
            const auto found = folders.find(folder);
            return found == folders.end() ? std::vector<std::string>{} : found->second;
        };
        window.Command("Communications Setup")->trigger();
        QStringList offered;
        for (int i = 0; i < panel->DeviceBox()->count(); ++i)
            offered << panel->DeviceBox()->itemText(i);
        QCOMPARE(offered, (QStringList{"/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0",
                                       "/dev/ttyUSB0", "/dev/ttyS1"}));
        QCOMPARE(panel->DeviceCaption()->text(), QString("Device for COM1:"));
        QCOMPARE(panel->DeviceBox()->currentText(), QString("/dev/ttyUSB0"));

        QTest::mouseClick(panel->Choice("Port:", "COM3"), Qt::LeftButton);
        QCOMPARE(panel->DeviceCaption()->text(), QString("Device for COM3:"));
        QCOMPARE(panel->DeviceBox()->currentText(), QString("/dev/ttyACM0"));
        panel->DeviceBox()->setCurrentIndex(0);
        emit panel->DeviceBox()->textActivated(panel->DeviceBox()->itemText(0));
        const auto map = FileLines((app.dir.path() + "/K7Ports.ini").toStdString());
        QCOMPARE(map.at(2), std::string("COM3=/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0\r"));

        window.Command("Terminal")->trigger();
        QCOMPARE(line.OpenedPaths.back(),
                 std::string("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0"));
        // The settings file keeps the COM index.
        panel->CloseClick();
        QCOMPARE(app.SettingsFileLines().value(5).left(1), QString("2"));
    }

    void exampleGoesToTheVirtualUnit() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.UnitCommands().SetVirtualUnitProgram(K7SIM_PATH);
        window.Command("Communications Setup")->trigger();
        k7::CommunicationsSetupPanel* panel = window.CommunicationsSetup();
        QTest::mouseClick(panel->VirtualUnitBox(), Qt::LeftButton);
        QVERIFY(panel->VirtualUnitBox()->isChecked());
        k7::VirtualUnit& unit = window.UnitCommands().Ports().Simulator();
        QVERIFY(unit.Running());
        QCOMPARE(panel->VirtualUnitStatus()->text(),
                 "On: the port opens " + QString::fromStdString(unit.DevicePath()));

        QVERIFY(BuildExampleBasic(app));
        QVERIFY(window.OpenPath(AppFixture::ExampleProject().toStdString()));
        window.Command("Send Pgm")->trigger();
        k7::LoadSequence& sequence = window.Unit().Sequence;
        QVERIFY(sequence.Running());
        QTRY_VERIFY_WITH_TIMEOUT(!sequence.Running(), LoadTimeoutMs);
        QVERIFY2(PageText(window).endsWith("Sequence terminated\n"), qPrintable(PageText(window)));
        QVERIFY(app.ui.Errors.empty());
        QVERIFY(app.ui.Questions.empty());

        std::vector<std::string> received;
        const auto state = FileLines(unit.StateFile());
        for (const std::string& fact : state)
            if (fact.rfind("line|", 0) == 0)
                received.push_back(fact.substr(5));
        QCOMPARE(received, LoadedLines(app.session.LastCompile()->Image.Lines));
        QVERIFY(std::count(state.begin(), state.end(), "security|1") == 1);
        QVERIFY(std::count(state.begin(), state.end(), "control|30") == 1);

        // Another port choice stops the simulator.
        QTest::mouseClick(panel->Choice("Port:", "COM2"), Qt::LeftButton);
        QVERIFY(!unit.Running());
        QVERIFY(!panel->VirtualUnitBox()->isChecked());
        QCOMPARE(window.Unit().Port.DevicePath(), std::string());
        QCOMPARE(app.workspace.settings.PortIndex, 1);
    }

    void unitThatFallsSilentIsNotResponding() {
        k7::VirtualUnit silent(K7SIM_PATH, {"--silent-after", "4"});
        QCOMPARE(silent.Start(), std::string());
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.Command("Communications Setup")->trigger();
        k7::CommunicationsSetupPanel* panel = window.CommunicationsSetup();
        panel->DeviceBox()->setEditText(QString::fromStdString(silent.DevicePath()));
        emit panel->DeviceBox()->textActivated(panel->DeviceBox()->currentText());

        QVERIFY(BuildExampleBasic(app));
        QVERIFY(window.OpenPath(AppFixture::ExampleProject().toStdString()));
        window.Command("Send Pgm")->trigger();
        k7::LoadSequence& sequence = window.Unit().Sequence;
        QTRY_VERIFY_WITH_TIMEOUT(!sequence.Running(), LoadTimeoutMs);
        QCOMPARE(window.Progress()->RepeatLabelText(), QString("Repeats=4"));
        QCOMPARE(app.ui.Errors, std::vector<std::string>{"K7 is not responding"});
        QVERIFY(PageText(window).endsWith("Sequence terminated\n"));
    }
};

QTEST_MAIN(VirtualUnitTest)
#include "virtual_unit_test.moc"
