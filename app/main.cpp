// k7studio: the desktop program. "k7studio PROJECT.tvr" opens that project,
// as file managers call it.
#include "app/qt/qt_user_interface.h"
#include "app/shell/main_window.h"

#include "workspace/date_text.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    k7::QtUserInterface ui;
    k7::Workspace workspace(ui, k7::NowDateTimeText);

    k7::StartOptions options;
    options.ProgramFolder = (QCoreApplication::applicationDirPath() + "/").toStdString();
    workspace.Start(options);

    k7::MainWindow window(workspace);
    ui.SetParent(&window);
    const QStringList arguments = application.arguments();
    if (arguments.size() > 1)
        window.OpenPath(arguments[1].toStdString());
    window.show();
    return application.exec();
}
