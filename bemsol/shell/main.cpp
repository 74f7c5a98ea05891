#include "form1.h"
#include "frmlogin.h"
#include "singleinstance.h"
#include "userdialogs.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bemsol"));

    // A second copy ends at once and says nothing.
    SingleInstance instance;
    if (!instance.acquire())
        return 0;

    const QString programDir = QCoreApplication::applicationDirPath();
    QtUserDialogs dialogs;
    frmLogin login(
        LoginFileStore(programDir,
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
        dialogs);
    if (login.exec() != QDialog::Accepted)
        return 0;

    Form1 window(programDir, login.MyUserName(), dialogs);
    window.show();
    // A file named on the command line is opened as if chosen with 開く.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.openFile(QDir::current().absoluteFilePath(arguments.at(1)));
    return app.exec();
}
