// The terminal page and the unit commands of the main window, over a
// scripted line on a hand-stepped clock: refusals before anything is sent,
// a clean load, a unit that falls silent, Cancel, Send OS without an image,
// the remote panel's ranges, typed keys, the identification line, Send
// RTC, the close of the window and a port that cannot open.
#include "app/shell/progress_panel_widget.h"
#include "app/shell/unit_link_commands.h"
#include "app/views/remote_load_panel.h"
#include "app/views/terminal_page.h"
#include "basic/basic_build.h"
#include "comm/crc16.h"
#include "comm/timer_queue.h"
#include "tests/app/app_fixture.h"
#include "tests/comm/fake_serial_device.h"
#include "workspace/text_file.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <optional>

using k7::test::AppFixture;

namespace {

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

std::string Reply(std::uint8_t status) {
    std::string frame = "\xC9\x08\x30";
    frame += std::string(2, '\0');
    frame += static_cast<char>(status);
    const std::uint16_t crc = k7::Crc16(frame);
    frame += static_cast<char>(crc >> 8);
    frame += static_cast<char>(crc & 0xFF);
    return frame;
}

// The window over a line whose far end answers every frame at once with
// "idle", prints its identification line when it first hears a byte, and
// can be told to fall silent after some frames.
class Rig {
  public:
    explicit Rig(AppFixture::Library library = AppFixture::Library::Shipped) : app(library) {
        window.SetUnitLinkParts(
            &timers, [this] { return std::make_unique<k7::test::FakeSerialDevice>(line); });
        window.UnitCommands().SetClock([] { return k7::ClockReading{2001, 1, 1, 9, 5, 7, 2}; });
    }

    k7::TerminalPage* Page() const { return window.UnitCommands().Page(); }
    bool PageShown() const { return window.Pages()->isTabVisible(window.Pages()->indexOf(Page())); }
    k7::LoadSequence& Sequence() { return window.Unit().Sequence; }
    QString PageText() const { return Page()->Text()->toPlainText(); }
    // The last n lines before the open line the caret is on.
    QStringList LastLines(int n) const {
        const QStringList lines = PageText().split('\n');
        return lines.mid(lines.size() - 1 - n, n);
    }

    // Moves the clock a millisecond at a time until done() holds or
    // limitMs pass; every step is one turn of the window's timers.
    void Run(int limitMs, const std::function<bool()>& done = {}) {
        for (int ms = 0; ms < limitMs && !(done && done()); ++ms) {
            timers.Advance(1);
            Answer();
            if (Page()->ComModeBox()->currentText() == "CRC")
                sawCrc = true;
        }
    }

    k7::TimerQueue timers;
    k7::test::FakeLine line;
    AppFixture app;
    k7::MainWindow& window = *app.window;
    std::optional<int> answeredFrames; // then silent; none: answers all
    bool greet = true;
    bool sawCrc = false;

  private:
    void Answer() {
        const std::string& sent = line.Written;
        while (seen_ < sent.size()) {
            if (static_cast<unsigned char>(sent[seen_]) == 0xC8 && seen_ + 1 < sent.size()) {
                seen_ += static_cast<unsigned char>(sent[seen_ + 1]);
                if (!answeredFrames || frames_++ < *answeredFrames)
                    line.Input += Reply(0x01);
                continue;
            }
            ++seen_;
            if (greet && !greeted_) {
                greeted_ = true;
                line.Input += "\r\nRevision Version 5.62\r\n";
            }
        }
    }
    std::size_t seen_ = 0;
    int frames_ = 0;
    bool greeted_ = false;
};

} // namespace

class TerminalPageTest : public QObject {
    Q_OBJECT

  private slots:
    void sendProgramRefusesBeforeAnythingIsSent_data() {
        QTest::addColumn<bool>("withErrors");
        QTest::addColumn<QString>("message");
        QTest::newRow("new project") << false << "There is no project installed to send.";
        QTest::newRow("compile errors") << true << "Project compile resulted in error(s).";
    }
    void sendProgramRefusesBeforeAnythingIsSent() {
        QFETCH(bool, withErrors);
        QFETCH(QString, message);
        Rig rig(AppFixture::Library::Small);
        if (withErrors)
            rig.app.AddAdder("NOPE.SUM");
        rig.window.Command("Send Pgm")->trigger();
        QCOMPARE(rig.app.ui.Errors, std::vector<std::string>{message.toStdString()});
        QVERIFY(rig.line.Written.empty());
        QVERIFY(!rig.PageShown());
        // The compile's errors are listed in the compiler status panel.
        QCOMPARE(rig.window.CompilerStatusPanel()->isHidden(), !withErrors);
        QCOMPARE(rig.window.ErrorListView()->count() > 0, withErrors);
    }

    void cleanLoadShowsItsProgressAndEndsWithTheRestart() {
        Rig rig;
        QVERIFY(BuildExampleBasic(rig.app));
        QVERIFY(rig.window.OpenPath(AppFixture::ExampleProject().toStdString()));
        rig.window.Command("Send Pgm")->trigger();
        QVERIFY(rig.PageShown());
        QCOMPARE(rig.Page()->ComModeBox()->currentText(), QString("ASCII"));
        QCOMPARE(rig.LastLines(1), QStringList{"Switching K7 to TAVRO protocol..."});

        k7::ProgressPanelWidget* progress = rig.window.Progress();
        rig.Run(60000, [&] { return !progress->isHidden(); });
        QCOMPARE(progress->CaptionText(), QString("Load Progress"));
        QCOMPARE(progress->LabelText(), QString("Loading K7/K3 Program..."));
        QCOMPARE(progress->RepeatLabelText(), QString("Repeats=0"));
        QVERIFY(!progress->parentWidget()->isHidden());

        rig.Run(600000, [&] { return !rig.Sequence().Running(); });
        QVERIFY(rig.sawCrc);
        QCOMPARE(rig.LastLines(3),
                 (QStringList{"Program load successful.", "Restarting K7 program...",
                              "Sequence terminated"}));
        QVERIFY(rig.PageText().contains("Sending command to erase sector 6 please wait..."));
        QCOMPARE(rig.Page()->ComModeBox()->currentText(), QString("ASCII"));
        QVERIFY(progress->parentWidget()->isHidden());
        QVERIFY(rig.app.ui.Errors.empty());
        QVERIFY(rig.app.ui.Questions.empty()); // the unit named version 5.62
        QVERIFY(rig.PageText().split('\n').size() <= 26);
    }

    void silentUnitIsRepeatedFourTimesThenNotResponding() {
        Rig rig;
        rig.answeredFrames = 4; // halt, two erases, the first line
        QVERIFY(BuildExampleBasic(rig.app));
        QVERIFY(rig.window.OpenPath(AppFixture::ExampleProject().toStdString()));
        rig.window.Command("Send Pgm")->trigger();
        rig.Run(600000, [&] { return !rig.Sequence().Running(); });
        QCOMPARE(rig.window.Progress()->RepeatLabelText(), QString("Repeats=4"));
        QCOMPARE(rig.app.ui.Errors, std::vector<std::string>{"K7 is not responding"});
        QCOMPARE(rig.LastLines(1), QStringList{"Sequence terminated"});
    }

    void cancelClosesThePageAndThePortAtTheNextTick() {
        Rig rig;
        QVERIFY(BuildExampleBasic(rig.app));
        QVERIFY(rig.window.OpenPath(AppFixture::ExampleProject().toStdString()));
        rig.window.Command("Send Pgm")->trigger();
        k7::ProgressPanelWidget* progress = rig.window.Progress();
        rig.Run(60000, [&] { return !progress->isHidden(); });
        progress->CancelButton()->click();
        QVERIFY(rig.line.Open);
        rig.Run(3000, [&] { return !rig.line.Open; });
        QVERIFY(!rig.line.Open);
        QVERIFY(!rig.PageShown());
        QVERIFY(progress->parentWidget()->isHidden());
        QVERIFY(!rig.Sequence().Running());
        QVERIFY(rig.app.ui.Errors.empty());
    }

    void sendOsWithoutTheImageSaysWhereItLooked() {
        Rig rig;
        rig.window.Command("Send OS")->trigger();
        const std::string folder = rig.app.workspace.settings.SystemFolder;
        QCOMPARE(rig.app.ui.Errors,
                 std::vector<std::string>{"Cannot find file K7.DWN in " + folder});
        QVERIFY(rig.line.Written.empty());
    }

    void remotePanelRefusesValuesOutOfRange_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString route = "Remote addresses, board and port numbers must be 0 to 255.";
        QTest::newRow("remote address") << "Remote Address:"
                                        << "256" << route;
        QTest::newRow("not a number") << "Port # in master K7/K3 to TX:"
                                      << "x" << route;
        QTest::newRow("wait") << "Wait for Reply, sec:"
                              << "0"
                              << "Wait for Reply must be 1 to 255 seconds.";
    }
    void remotePanelRefusesValuesOutOfRange() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        Rig rig;
        rig.window.Command("Remote Load")->trigger();
        k7::RemoteLoadPanel* panel = rig.Page()->RemotePanel();
        QVERIFY(!panel->isHidden());
        for (const char* caption :
             {"Remote Address:", "Wait for Reply, sec:", "Forward Address 1:", "Forward Address 2:",
              "Forward Address 3:", "Board # in master K7/K3 to TX:",
              "Port # in master K7/K3 to TX:"})
            QVERIFY2(panel->Field(caption), caption);
        panel->Field(field)->setText(value);
        panel->StartButton()->click();
        QCOMPARE(rig.app.ui.Errors, std::vector<std::string>{message.toStdString()});
        QVERIFY(!panel->isHidden());
        panel->CancelButton()->click();
        QVERIFY(panel->isHidden());
    }

    void typedKeysGoToTheUnitAndItsLinesAreShown() {
        Rig rig;
        rig.greet = false;
        rig.window.Command("Terminal")->trigger();
        QVERIFY(rig.PageShown());
        QTest::keyClick(rig.Page()->Text(), 'a');
        QTest::keyClick(rig.Page()->Text(), Qt::Key_Return);
        QCOMPARE(rig.line.Written, std::string("a\r"));
        QCOMPARE(rig.PageText(), QString());

        rig.line.Input = "a\r\nRevision Version 5.62\r\n";
        rig.Run(5);
        QCOMPARE(rig.PageText(), QString("a\nRevision Version 5.62\n"));
        QCOMPARE(rig.Sequence().UnitOsVersion(), std::string("5.62"));
        QCOMPARE(rig.Page()->UnitVersionLabel()->text(), QString("Unit OS version: 5.62"));

        rig.Page()->ComModeBox()->setCurrentIndex(1);
        emit rig.Page()->ComModeBox()->activated(1);
        QCOMPARE(rig.window.Unit().Pump.ComMode(), 1);
    }

    void sendRtcSendsTheClockFrame() {
        Rig rig;
        rig.window.Command("Terminal")->trigger();
        rig.Page()->Button("Send RTC")->click();
        // 1 January 2001, 09:05:07, a Monday: seconds first, year last.
        const std::string sent = rig.line.Written;
        QCOMPARE(sent.size(), std::size_t(14));
        QCOMPARE(sent.substr(0, 12),
                 std::string("\xC8\x0E\x60\x00\x00\x07\x05\x09\x01\x01\x02\x01", 12));
        QCOMPARE(rig.LastLines(1), QStringList{"Sending RTC values..."});
    }

    void closingTheWindowClosesTheOpenPort() {
        Rig rig;
        rig.window.Command("Terminal")->trigger();
        QVERIFY(rig.line.Open);
        QVERIFY(rig.window.close());
        QVERIFY(!rig.line.Open);
        QVERIFY(!rig.window.Unit().Pump.Running());
    }

    void portThatCannotOpenAsksAbortOrRetry() {
        Rig rig;
        rig.line.MissingDevices = {"/dev/ttyUSB0"};
        rig.app.ui.RetryAnswers = {true};
        rig.window.Command("Terminal")->trigger();
        QCOMPARE(rig.app.ui.Questions,
                 (std::vector<std::string>{"Error Opening COM1: ", "Error Opening COM1: "}));
        QVERIFY(!rig.line.Open);
        QVERIFY(!rig.PageShown());
        // Every send then says the port is not open.
        rig.window.Command("Send RTC")->trigger();
        QCOMPARE(rig.app.ui.Warnings,
                 std::vector<std::string>{"Port Not Open -- Operation Aborted"});
    }

    void closeButtonClosesPageAndPort() {
        Rig rig;
        rig.window.Command("Stop Pgm")->trigger();
        QVERIFY(rig.PageShown());
        rig.Run(600);
        QCOMPARE(rig.line.Written, std::string("\x0B"));
        QVERIFY(rig.PageText().startsWith("Stopping K7 program...\n^K "));
        rig.Page()->Button("Close Terminal Page and Com Port")->click();
        QVERIFY(!rig.PageShown());
        QVERIFY(!rig.line.Open);
    }
};

QTEST_MAIN(TerminalPageTest)
#include "terminal_page_test.moc"
