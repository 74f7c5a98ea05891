#include "dialogprompts.h"
#include "dravelwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravel"));
    DialogPrompts prompts;
    DravelWindow window(prompts);
    window.show();
    return app.exec();
}
