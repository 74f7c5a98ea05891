#include "dialogprompts.h"
#include "dravelwindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravel"));
    // The desktop ties the windows to the launcher dravel.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("dravel"));
    // The program speaks Japanese whatever the desktop's language, and so do Qt's own
    // dialog buttons when Debian's Qt translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    DialogPrompts prompts;
    DravelWindow window(prompts);
    window.show();
    return app.exec();
}
