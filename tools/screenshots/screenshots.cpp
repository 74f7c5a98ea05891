// Renders the login dialog and the main window with a project open into PNG files, for
// the README and for checking by eye how the Japanese texts come out:
//   bemsol-screenshots OUTDIR EXCHANGE_FILE
// Run it under xvfb-run (or QT_QPA_PLATFORM=offscreen). Not a test.

#include "fakeuserdialogs.h"
#include "grid/baselinegridview.h"
#include "grid/gridcolumns.h"
#include "shell/mainwindow.h"
#include "shell/logindialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool save(QWidget* w, const QString& path)
{
    QTest::qWait(200);
    const bool ok = w->grab().save(path);
    qInfo("%s %s", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        qWarning("usage: bemsol-screenshots OUTDIR EXCHANGE_FILE");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString exchange = QString::fromLocal8Bit(argv[2]);
    FakeUserDialogs dialogs;
    bool ok = true;

    QTemporaryDir programDir;
    QFile login(programDir.filePath("prtct.dat"));
    if (!login.open(QIODevice::WriteOnly))
        return 1;
    login.write("\"Bemsol Making Syubo And Kibo\"\r\n\"\x8e\x52\x93\x63\"\r\n\"pw\"\r\n"); // 山田
    login.close();
    LoginDialog dialog(LoginFileStore(FileLocations(programDir.path(), QString())), dialogs);
    dialog.show();
    dialog.passwordBox()->setText("pw");
    ok &= save(&dialog, out.filePath("bemsol-login.png"));
    dialog.hide();

    MainWindow window(QCoreApplication::applicationDirPath(), dialog.userName(), dialogs);
    window.resize(1180, 620);
    window.show();
    window.openFile(QFileInfo(exchange).absoluteFilePath());
    BaselineGridView* grid = window.grid();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(2, GridColumn::Session));
    ok &= save(&window, out.filePath("bemsol-main-window.png"));
    return ok && dialogs.messages.isEmpty() ? 0 : 1;
}
