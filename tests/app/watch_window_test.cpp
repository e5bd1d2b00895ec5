// The watch window through its widgets over a scripted serial line: opening
// it, a drop, poke mode, a typed value, the poll and its reply in the grid,
// the trend and the CSV log, the two clears, and the port closed with the
// main window.
#include "app/views/watch_window.h"
#include "app/widgets/trend_plot.h"
#include "comm/timer_queue.h"
#include "tests/app/app_fixture.h"
#include "tests/app/editor_fixture.h"
#include "tests/comm/fake_serial_device.h"

#include <QLineEdit>
#include <QPushButton>
#include <map>

using k7::test::AppFixture;

namespace {

// The unit's answer to "?92": "?" and thirty comma-separated fields, the
// field of slot s being field s + 1.
std::string Reply(const std::map<int, std::string>& slotValues) {
    std::string line = "?";
    for (int slot = 0; slot < 30; ++slot) {
        if (slot > 0)
            line += ",";
        const auto found = slotValues.find(slot);
        line += found == slotValues.end() ? "0" : found->second;
    }
    return line + "\r\n";
}

// The unit link's timers and line outlive the session that uses them.
struct UnitParts {
    k7::TimerQueue timers;
    k7::test::FakeLine wire;
};

struct WatchApp : UnitParts, AppFixture {
    WatchApp() : AppFixture(Library::Small) {
        window->SetUnitLinkParts(
            &timers, [this] { return std::make_unique<k7::test::FakeSerialDevice>(wire); });
        window->show();
    }
    k7::WatchWindowView* View() const { return window->WatchView(); }
    k7::WatchGrid* Grid() const { return View()->Grid(); }
    QString Written() const { return QString::fromStdString(wire.Written); }
    // Poll ticks until the window asks for the values (the pauses after
    // the last action run out first).
    bool PollSent() {
        for (int tick = 0; tick < 12; ++tick) {
            wire.Written.clear();
            timers.Advance(k7::WatchPollIntervalMs);
            if (wire.Written == "?92\r")
                return true;
        }
        return false;
    }
    // The reply arrives; the receive pump reads it on its next tick.
    void Answer(const std::string& reply) {
        wire.Input += reply;
        timers.Advance(2);
    }
};

} // namespace

class WatchWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void watchOnAFailingProjectShowsTheErrorAndOpensNothing() {
        WatchApp app;
        app.AddAdder("NOPE.SUM");
        app.window->Command("Watch")->trigger();
        QVERIFY(!app.ui.Errors.empty());
        QCOMPARE(QString::fromStdString(app.ui.Errors.back()),
                 QString("Project recompile resulted in error(s)."));
        QVERIFY(!app.View() || !app.View()->isVisible());
        QVERIFY(app.wire.OpenedPaths.empty());
    }

    void dropPokeTypePollPlotLogAndClear() {
        WatchApp app;
        app.AddAdder("System.BootTrg");
        app.ui.Errors.clear();
        app.window->Command("Watch")->trigger();
        QVERIFY(app.ui.Errors.empty());
        QVERIFY(app.View()->isVisible());
        QCOMPARE(app.View()->windowTitle(), QString("Watch Window"));
        k7::WatchGrid* grid = app.Grid();
        for (int column = 0; column < 4; ++column)
            QCOMPARE(k7::test::CellText(grid, 0, column),
                     QString(column % 2 ? "VALUE" : "VARIABLE"));

        // Row 3 of the right name column is slot 18.
        const std::string address = app.session.Link().LookupName("ADD.SUM");
        QVERIFY(address.size() >= 6);
        auto name = k7::test::NameData("ADD.SUM");
        app.wire.Written.clear();
        QVERIFY(k7::test::Drop(grid->viewport(), k7::test::CellCentre(grid, 3, 2), *name));
        QCOMPARE(grid->currentRow(), 3);
        QCOMPARE(grid->currentColumn(), 2);
        QCOMPARE(app.Written(), QString::fromStdString("?18=P" + address + "\r"));
        QCOMPARE(k7::test::CellText(grid, 3, 2), QString("ADD.SUM"));

        app.wire.Written.clear();
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, k7::test::CellCentre(grid, 3, 3));
        QCOMPARE(app.Written(), QString("?18=X\r"));
        QCOMPARE(grid->item(3, 3)->background().color(), QColor(Qt::yellow));

        // Enter in the cell's editor reaches the grid, which sends the text.
        app.wire.Written.clear();
        grid->setCurrentCell(3, 3);
        grid->editItem(grid->item(3, 3));
        auto* editor = grid->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "42");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(app.Written(), QString("?18=V42\r"));
        QCOMPARE(k7::test::CellText(grid, 3, 3), QString("42"));

        const QString log = app.dir.path() + "/watch.csv";
        app.ui.FileAnswers.push_back(log.toStdString());
        app.View()->Button("Log to CSV...")->click();
        app.View()->timeText = [] { return std::string("2026-12-07 14:30:01"); };

        QVERIFY(app.PollSent());
        app.Answer(Reply({{1, "3"}, {18, "7.5"}}));
        // Slot 1 has no name, so its value is not shown.
        QCOMPARE(k7::test::CellText(grid, 3, 3), QString("7.5"));
        QCOMPARE(k7::test::CellText(grid, 1, 1), QString());
        QVERIFY(app.PollSent());
        app.Answer(Reply({{18, "8"}}));
        QCOMPARE(k7::test::CellText(grid, 3, 3), QString("8"));

        const k7::WatchTrend& trend = app.View()->Trend();
        QCOMPARE(trend.Series().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(trend.Series()[0].Name), QString("ADD.SUM"));
        QCOMPARE(trend.Series()[0].Points.back().Value, 8.0);
        app.View()->Plot()->grab();
        QCOMPARE(app.View()->Plot()->LinesPainted(), 1);

        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(file.readAll()),
                 QString("2026-12-07 14:30:01,ADD.SUM,7.5\r\n2026-12-07 14:30:01,ADD.SUM,8\r\n"));

        app.View()->Button("Clr Values")->click();
        QCOMPARE(k7::test::CellText(grid, 3, 3), QString());
        QCOMPARE(k7::test::CellText(grid, 3, 2), QString("ADD.SUM"));
        app.wire.Written.clear();
        app.View()->Button("Clr Table")->click();
        QCOMPARE(app.Written(), QString("?91\r"));
        QCOMPARE(k7::test::CellText(grid, 3, 2), QString());
        QCOMPARE(grid->item(3, 3)->background().style(), Qt::NoBrush);
        QCOMPARE(k7::test::CellText(grid, 0, 0), QString("VARIABLE"));
    }

    void closingTheMainWindowClosesTheWatchAndItsPort() {
        WatchApp app;
        app.AddAdder("System.BootTrg");
        app.window->Command("Watch")->trigger();
        QVERIFY(app.wire.Open);
        app.ui.YesNoAnswers.push_back(true); // "Project has changed, OK to exit?"
        QVERIFY(app.window->close());
        QVERIFY(!app.wire.Open);
        QVERIFY(!app.View()->isVisible());
        // The poll sends nothing once the window is closed.
        app.wire.Written.clear();
        app.timers.Advance(5 * k7::WatchPollIntervalMs);
        QCOMPARE(app.Written(), QString());
    }
};

QTEST_MAIN(WatchWindowTest)
#include "watch_window_test.moc"
