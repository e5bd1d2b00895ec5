// The telemetry views through their widgets: the "Commun." entry points,
// the TLM Workbox with its selectors, grid and panels, and the whole arrays.
#include "app/views/commun_arrays_panel.h"
#include "app/views/telemetry_arrays_view.h"
#include "app/views/tlm_workbox_panel.h"
#include "app/widgets/drop_table.h"
#include "tests/app/editor_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace k7;

namespace {

// The three views wired as the program wires them.
struct TelemetryViews {
    explicit TelemetryViews(Workspace& workspace)
        : workbox(workspace), arrays(workspace, workbox), panel(workspace, workbox),
          whole(workspace) {
        QObject::connect(&arrays, &CommunArraysPanel::workboxOpened, &panel,
                         &TlmWorkboxPanel::Refresh);
        QObject::connect(&panel, &TlmWorkboxPanel::arraysChanged, &arrays, [this] {
            arrays.Reload();
            whole.Reload();
        });
        panel.resize(700, 600);
    }
    void Add(const QString& choice) {
        panel.AddRowChoices()->setCurrentText(choice);
        panel.Button("Add Row")->click();
    }
    // Clicks the empty row below the last entry, where "Add Row" appends.
    void SelectBottomRow() { test::ClickCell(panel.Entries(), panel.Entries()->rowCount() - 1, 0); }
    QString Cell(int row, WorkboxColumn column) {
        return test::CellText(panel.Entries(), row, static_cast<int>(column));
    }

    TlmWorkbox workbox;
    CommunArraysPanel arrays;
    TlmWorkboxPanel panel;
    TelemetryArraysView whole;
};

} // namespace

class TelemetryPageTest : public QObject {
    Q_OBJECT

  private slots:
    void aStatusWordIsNumberedByTheChosenNumbering() {
        test::EditorFixture f;
        TelemetryViews v(f.workspace);
        QVERIFY(v.panel.isHidden());
        v.arrays.NewRxButton()->click();
        QVERIFY(!v.panel.isHidden());
        QCOMPARE(v.panel.Frame()->title(), QString("RX Array Setup..."));
        v.Add("Integer-16 bit");
        v.SelectBottomRow();
        v.Add("Status-16 bit");
        // The word, the status word's 16 bits, and the empty row below.
        QCOMPARE(v.panel.Entries()->rowCount(), 18);
        QCOMPARE(v.Cell(17, WorkboxColumn::Type), QString());
        v.panel.NumberingBox()->setCurrentText("Modbus Numbering");
        QVERIFY(v.panel.SourceBox()->isHidden());
        for (int bit = 1; bit <= 16; ++bit) {
            QCOMPARE(v.Cell(bit, WorkboxColumn::Wd), QString("2"));
            QCOMPARE(v.Cell(bit, WorkboxColumn::Bit), QString::number(16 + bit));
        }
        v.panel.NumberingBox()->setCurrentText("K4...K7 Numbering");
        QVERIFY(!v.panel.SourceBox()->isHidden());
        QCOMPARE(v.Cell(1, WorkboxColumn::Bit), QString("1"));
        QCOMPARE(v.Cell(16, WorkboxColumn::Bit), QString("16"));
    }

    void aSelectorChangeOverEditsAsksAndNoRestoresIt() {
        test::EditorFixture f;
        TelemetryViews v(f.workspace);
        v.arrays.NewTxButton()->click();
        QCOMPARE(v.panel.Frame()->title(), QString("TX Array Setup..."));
        v.Add("Integer-16 bit");
        const int port = v.panel.PortBox()->value();
        QTest::keyClick(v.panel.PortBox(), Qt::Key_Up);
        QCOMPARE(f.ui.Questions,
                 std::vector<std::string>{"One or more entries has changed, OK to abandon?"});
        QCOMPARE(v.panel.PortBox()->value(), port);
        QCOMPARE(v.Cell(0, WorkboxColumn::Type), QString("Integer"));
    }

    void aReceivedNameSavesUnderItsSourceAndListsTheMessage() {
        test::EditorFixture f;
        TelemetryViews v(f.workspace);
        v.panel.SourceBox()->setValue(12);
        v.panel.DestBox()->setValue(-1);
        v.arrays.NewRxButton()->click();
        v.Add("Integer-16 bit");
        test::ClickCell(v.panel.Entries(), 0, static_cast<int>(WorkboxColumn::Name));
        QVERIFY(!v.panel.NameField()->isHidden());
        QTest::keyClicks(v.panel.NameField(), "LEVEL");
        QCOMPARE(v.Cell(0, WorkboxColumn::Name), QString("LEVEL"));
        v.panel.Button("Save")->click();
        QCOMPARE(QString::fromStdString(f.workspace.project.RxArray.Rows[1][TlmName]),
                 QString("12.LEVEL"));
        QCOMPARE(v.arrays.RxList()->count(), 1);
        QCOMPARE(v.arrays.RxList()->item(0)->text(), QString("Brd 0, Prt 1, Src 12, Dst Us"));
        QCOMPARE(test::CellText(v.whole.RxGrid(), 0, TlmName), QString("12.LEVEL"));
        QCOMPARE(v.whole.RxGrid()->horizontalHeaderItem(TlmName)->text(), QString("Name"));
        QVERIFY(f.workspace.project.ProjectChanged);
        // Picking the listed message opens the workbox on it again.
        v.panel.Button("Cancel")->click();
        QVERIFY(v.panel.isHidden());
        v.arrays.RxList()->setCurrentRow(0);
        emit v.arrays.RxList()->itemClicked(v.arrays.RxList()->item(0));
        QVERIFY(!v.panel.isHidden());
        QCOMPARE(v.Cell(0, WorkboxColumn::Name), QString("12.LEVEL"));
    }

    void txRowsTakeDropsMultipliersAndSpecialFields() {
        test::EditorFixture f;
        TelemetryViews v(f.workspace);
        v.arrays.NewTxButton()->click();
        v.Add("Integer-16 bit");
        auto name = test::NameData("System.BootTrg");
        QVERIFY(test::Drop(v.panel.Entries()->viewport(), test::CellCentre(v.panel.Entries(), 0, 0),
                           *name));
        QCOMPARE(v.Cell(0, WorkboxColumn::Name), QString("System.BootTrg"));

        test::ClickCell(v.panel.Entries(), 0, static_cast<int>(WorkboxColumn::Mult));
        QVERIFY(!v.panel.MultiplierPanel()->isHidden());
        v.panel.MultiplierPanel()->findChild<QPushButton*>("10.0")->click();
        QVERIFY(v.panel.MultiplierPanel()->isHidden());
        QCOMPARE(v.Cell(0, WorkboxColumn::Mult), QString("10.0"));
        v.panel.Button("Clear Cell")->click();
        QCOMPARE(v.Cell(0, WorkboxColumn::Mult), QString());

        test::ClickCell(v.panel.Entries(), 0, static_cast<int>(WorkboxColumn::Name));
        v.panel.Button("Special Field")->click();
        QCOMPARE(v.panel.SpecialPanel()->title(), QString("Special TLM Fields"));
        v.panel.SpecialPanel()->findChild<QPushButton*>("Archive Data")->click();
        QCOMPARE(v.Cell(0, WorkboxColumn::Name), QString("ArchiveData"));

        v.panel.Button("Delete Row")->click();
        QCOMPARE(v.panel.Entries()->rowCount(), 1);
    }
};

QTEST_MAIN(TelemetryPageTest)
#include "telemetry_page_test.moc"
