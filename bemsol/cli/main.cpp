#include "clicommands.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    // The forms are drawn with fonts, which need a GUI application; a batch run has no
    // screen, so the offscreen platform serves unless the caller chose another.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunCliCommand(app.arguments().mid(1));
}
