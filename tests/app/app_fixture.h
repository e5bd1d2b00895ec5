// What every desktop test starts from: a program folder of its own with the
// shipped system folder (or a small library), scripted message boxes and
// file dialogs, and the main window over a started session.
#pragma once

#include "app/shell/main_window.h"
#include "tests/support/scripted_ui.h"
#include "workspace/databases.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace k7::test {

// A library of two modules: System and an adder, enough for a compile.
inline constexpr const char* SmallLibrary =
    "57|1|System|The unit.|FIC.In 1.|FIC.In 2.|FIC.In 3.|FIC.In 4.|FIC.In 5."
    "|FIC.In 6.|FIC.In 7.|FIC.In 8.|FIC.In 9.|FIC.In 10.|DOSG.Boot.BootTrg"
    "|DOSG.Second.SecTrg|DOSS.Logon.Logon|\\\r\n"
    "10|2|Adder|Adds.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\\r\n";

class AppFixture {
  public:
    enum class Library { Shipped, Small };

    explicit AppFixture(Library library = Library::Shipped) {
        QDir(dir.path()).mkdir("K7System");
        if (library == Library::Shipped) {
            const QDir data(K7_DATA_DIR);
            for (const QString& name : data.entryList(QDir::Files))
                QFile::copy(data.filePath(name), SystemPath(name));
        } else {
            QFile file(SystemPath("K7MODDEF.TXT"));
            if (file.open(QIODevice::WriteOnly))
                file.write(SmallLibrary);
        }
        StartOptions options;
        options.ProgramFolder = (dir.path() + "/").toStdString();
        options.SettingsPath = SettingsPath().toStdString();
        session.Start(options);
        window = std::make_unique<MainWindow>(session);
    }

    QString SystemPath(const QString& name) const { return dir.path() + "/K7System/" + name; }
    QString SettingsPath() const { return dir.path() + "/K7Setup.ini"; }
    static QString ExampleProject() { return QStringLiteral(K7_EXAMPLES_DIR "pumpstation.tvr"); }

    QStringList SettingsFileLines() const {
        QFile file(SettingsPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split("\r\n");
    }

    // An adder whose first input names a variable that may not exist.
    void AddAdder(const std::string& input) {
        TModuleInst adder;
        adder.Category = 2;
        adder.ModuleNumber = 10;
        adder.Name = "ADD";
        adder.Values[1] = input;
        adder.Values[2] = "1.5";
        adder.Values[3] = "ADD.SUM";
        workspace.project.Modules.push_back(adder);
        RebuildDatabases(workspace.project, workspace.library);
        workspace.MarkProjectChanged(ProjectPart::Modules);
    }

    QTemporaryDir dir;
    ScriptedUi ui;
    Session session{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    Workspace& workspace = session.Space();
    std::unique_ptr<MainWindow> window;
};

} // namespace k7::test
