#include "dravelcli.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return runDravelCli(app.arguments().mid(1));
}
