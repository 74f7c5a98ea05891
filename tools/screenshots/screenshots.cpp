// Renders the login dialog, the main window with a project open, its file menu with
// recent files, the progress of long work and the checks window over that project into
// PNG files, for the README,
// the manual and for checking by eye how the Japanese texts come out:
//   bemsol-screenshots OUTDIR EXCHANGE_FILE
// Run it under xvfb-run: the menus are windows of their own, taken from the screen.
// Not a test.

#include "fakeuserdialogs.h"
#include "grid/baselinegridview.h"
#include "grid/gridcolumns.h"
#include "shell/checkswindow.h"
#include "shell/mainwindow.h"
#include "shell/logindialog.h"
#include "shell/recentfiles.h"
#include "shell/workprogress.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

bool save(QWidget* w, const QString& path)
{
    QTest::qWait(200);
    const bool ok = w->grab().save(path);
    qInfo("%s %s", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

// The file menu opened on its 最近使ったファイル, with a surveyor's recent work listed.
bool saveRecentFilesMenu(MainWindow& window, const QString& path)
{
    RecentFiles recent(ProgramSettingsPath());
    recent.clear();
    for (const char* file : {"/home/sokuryo/業務/北沢地区/TTC/kitazawa-0612.xml",
                             "/home/sokuryo/業務/北沢地区/北沢地区4級基準点.dat",
                             "/home/sokuryo/業務/中浦地区/TTC/nakaura-0727.xml",
                             "/home/sokuryo/業務/中浦地区/中浦地区3級基準点.dat"})
        recent.add(QString::fromUtf8(file));

    QMenu* fileMenu = window.menu(QStringLiteral("mnFile"));
    QMenu* recentMenu = window.menu(QStringLiteral("mnRecent"));
    const QRect title = window.menuBar()->actionGeometry(fileMenu->menuAction());
    fileMenu->popup(window.menuBar()->mapToGlobal(title.bottomLeft()));
    QTest::qWait(200);
    fileMenu->setActiveAction(recentMenu->menuAction());
    const QRect item = fileMenu->actionGeometry(recentMenu->menuAction());
    recentMenu->popup(fileMenu->mapToGlobal(item.topRight()));
    QTest::qWait(300);

    const QRect shown = window.frameGeometry();
    const QRect area(shown.topLeft(),
                     QPoint(recentMenu->geometry().right() + 16,
                            std::max(fileMenu->geometry().bottom(), recentMenu->geometry().bottom()) + 40));
    const bool ok = QGuiApplication::primaryScreen()
                        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                        .save(path);
    qInfo("%s %s", ok ? "wrote" : "could not write", qPrintable(path));
    recentMenu->close();
    fileMenu->close();
    return ok;
}

// The progress of a long drawing, part way through, over the main window.
bool saveWorkProgress(MainWindow& window, const QString& path)
{
    WorkProgress progress(&window, QStringLiteral("帳票を作成しています"));
    const ProgressCallback report = progress.callback();
    report(0, 1000);
    QTest::qWait(1000); // it shows only for work that lasts
    report(420, 1000);
    auto* dialog = window.findChild<QProgressDialog*>(QString::fromLatin1(WorkProgress::objectName));
    return dialog && save(dialog, path);
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
    ok &= saveRecentFilesMenu(window, out.filePath("bemsol-recent-files.png"));
    ok &= saveWorkProgress(window, out.filePath("work-progress.png"));

    ChecksWindow checks(window.document(), [] { return QSet<int>{}; });
    checks.show();
    ok &= save(&checks, out.filePath("checks-window.png"));
    return ok && dialogs.messages.isEmpty() ? 0 : 1;
}
