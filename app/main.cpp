#include "app/application.h"
#include "app/messageboxprompts.h"
#include "app/tmainform.h"
#include "utilities/tsplash.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    app.speakFrench();
    MessageBoxPrompts::install();

    auto *splash = new TSplash;
    splash->showNow();

    QApplication::setApplicationName(QStringLiteral("Qor Commande"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));

    TMainForm mainForm; // creates every window of the program, in start-up order
    delete splash;
    mainForm.showMaximized();
    return app.exec();
}
