#include "clicommands.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return RunCliCommand(app.arguments().mid(1));
}
