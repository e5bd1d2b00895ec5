// Preferences and Communications Setup: edits take effect at once, the
// settings file is written only by Save (or by closing Communications
// Setup).
#include "app/views/communications_setup_panel.h"
#include "app/views/preferences_panel.h"
#include "tests/app/app_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using k7::test::AppFixture;

static QPushButton* Button(QWidget* panel, const QString& text) {
    for (QPushButton* button : panel->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

static void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class SettingsPanelsTest : public QObject {
    Q_OBJECT

  private slots:
    void preferencesSaveWritesTheFileAndClosesBothPanels() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.Command("Communications Setup")->trigger();
        window.Command("Preferences")->trigger();
        k7::PreferencesPanel* panel = window.Preferences();
        QCOMPARE(panel->windowTitle(), QString("Preferences"));
        Retype(panel->SystemFolderEdit(), "/k7/sys/");
        Retype(panel->ProjectFolderEdit(), "/k7/projects/");
        Retype(panel->BasicFolderEdit(), "/k7/basic/");
        QTest::mouseClick(panel->AlphabetizeBox(), Qt::LeftButton);

        QTest::mouseClick(Button(panel, "Save"), Qt::LeftButton);
        const QStringList lines = app.SettingsFileLines();
        QCOMPARE(lines.mid(0, 6), QStringList({"/k7/sys/", "/k7/projects/", "Spare", "/k7/basic/",
                                               "Spare", "0400301"}));
        QVERIFY(!panel->isVisible());
        QVERIFY(!window.CommunicationsSetup()->isVisible());
    }

    void preferencesCancelWritesNothingButTheEditsStayInEffect() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        const QStringList before = app.SettingsFileLines();
        window.Command("Preferences")->trigger();
        k7::PreferencesPanel* panel = window.Preferences();
        Retype(panel->ProjectFolderEdit(), "/k7/elsewhere/");
        QTest::mouseClick(Button(panel, "Cancel"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(app.SettingsFileLines(), before);

        window.Command("Open Project...")->trigger();
        QCOMPARE(app.ui.FileDialogs.back().InitialFolder, std::string("/k7/elsewhere/"));
        // Shown again, the panel holds the edit.
        window.Command("Preferences")->trigger();
        QCOMPARE(panel->ProjectFolderEdit()->text(), QString("/k7/elsewhere/"));
    }

    void communicationsSetupWritesItsChoicesWhenClosed() {
        AppFixture app;
        k7::MainWindow& window = *app.window;
        window.Command("Communications Setup")->trigger();
        k7::CommunicationsSetupPanel* panel = window.CommunicationsSetup();
        QCOMPARE(panel->windowTitle(), QString("Communications Setup"));
        QVERIFY(panel->Choice("Baud Rate:", "9600")->isChecked());
        for (auto [title, last] : {std::pair{"Port:", "COM8"}, std::pair{"Protocol:", "XModem"},
                                   std::pair{"Parity:", "Mark"}, std::pair{"Word Length:", "8"}})
            QVERIFY(panel->Choice(title, last));
        QTest::mouseClick(panel->Choice("Baud Rate:", "19,200"), Qt::LeftButton);
        QCOMPARE(app.SettingsFileLines().value(5), QString("0400311"));

        QTest::mouseClick(Button(panel, "OK"), Qt::LeftButton);
        QCOMPARE(app.SettingsFileLines().value(5), QString("0500311"));
        QVERIFY(!panel->isVisible());
    }
};

QTEST_MAIN(SettingsPanelsTest)
#include "settings_panels_test.moc"
