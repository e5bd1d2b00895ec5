// k7studio: the desktop program.
#include "app/main_window.h"
#include "app/qt_user_interface.h"

#include "workspace/date_text.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    k7::QtUserInterface ui;
    k7::Session session(ui, k7::NowDateTimeText);

    k7::StartOptions options;
    options.ProgramFolder = (QCoreApplication::applicationDirPath() + "/").toStdString();
    session.Start(options);

    k7::MainWindow window(session);
    ui.SetParent(&window);
    window.show();
    return application.exec();
}
