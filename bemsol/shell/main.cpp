#include "mainwindow.h"
#include "logindialog.h"
#include "singleinstance.h"
#include "userdialogs.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bemsol"));
    // The desktop ties the windows to the launcher bemsol.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("bemsol"));
    // The program speaks Japanese whatever the desktop's language, and so do Qt's own
    // dialog buttons when Debian's Qt translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // A second copy ends at once and says nothing.
    SingleInstance instance;
    if (!instance.acquire())
        return 0;

    const QString programDir = QCoreApplication::applicationDirPath();
    QtUserDialogs dialogs;
    LoginDialog login(LoginFileStore(FileLocations::ForProgramDir(programDir)), dialogs);
    if (login.exec() != QDialog::Accepted)
        return 0;

    MainWindow window(programDir, login.userName(), dialogs);
    window.show();
    // A file named on the command line is opened as if chosen with 開く.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.openFile(QDir::current().absoluteFilePath(arguments.at(1)));
    return app.exec();
}
