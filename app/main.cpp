// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "gui/application.h"
#include "gui/desktopplatform.h"
#include "utilities/splashscreen.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    app.speakFrench();
    // Message boxes, file and print dialogs, the clock and the mail program: the real desktop.
    DesktopPlatform desktop;
    Platform::install(&desktop);

    auto *splash = new SplashScreen;
    splash->showNow();

    QApplication::setApplicationName(QStringLiteral("Qor Commande"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.qor.commande"));

    MainWindow mainForm; // creates every window of the program, in start-up order
    delete splash;
    // A desktop opening an order file starts the program with the file's name, its only
    // argument.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        mainForm.openAtStart(arguments.at(1));
    mainForm.show(); // where it was closed, maximised the first time
    return app.exec();
}
