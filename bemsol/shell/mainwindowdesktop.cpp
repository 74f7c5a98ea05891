// What a desktop program is expected to do: 最近使ったファイル in the ﾌｧｲﾙ menu, a file
// dropped on the window opened, the window's size and position kept between runs, and
// the manual from the help menu.

#include "mainwindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace {

const QString geometryKey = QStringLiteral("window/geometry");
constexpr auto manualPage = "manual/index.html";

// The first file of a drag that the window can open; empty when there is none.
QString openableFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (Document::isOpenable(path) && QFileInfo(path).isFile())
            return path;
    }
    return {};
}

// The text of a recent-files item: numbered for the keyboard, a long path shortened in
// its middle so the file's own name stays, and an "&" in a name shown as itself.
QString recentItemText(int number, const QString& path, const QFontMetrics& metrics)
{
    QString shown = metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle,
                                       metrics.averageCharWidth() * 60);
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

} // namespace

void MainWindow::setUpDesktopHabits()
{
    setAcceptDrops(true);
    const QSettings settings(ProgramSettingsPath(), QSettings::IniFormat);
    restoreGeometry(settings.value(geometryKey).toByteArray());
    connect(&document_, &Document::stateChanged, this, &MainWindow::rememberShownFile);
}

void MainWindow::addRecentFilesMenu(QMenu* fileMenu)
{
    fileMenu->addSeparator();
    recentFilesMenu_ = fileMenu->addMenu(QStringLiteral("最近使ったファイル(&R)"));
    recentFilesMenu_->setObjectName(QStringLiteral("mnRecent"));
    fileMenu->addSeparator();
    // Filled as it opens: an item is never deleted while its own command runs.
    connect(recentFilesMenu_, &QMenu::aboutToShow, this, &MainWindow::refillRecentFilesMenu);
}

void MainWindow::refillRecentFilesMenu()
{
    recentFilesMenu_->clear();
    const QStringList paths = recentFiles_.paths();
    if (paths.isEmpty()) {
        QAction* none = recentFilesMenu_->addAction(QStringLiteral("(なし)"));
        none->setObjectName(QStringLiteral("miRecentNone"));
        none->setEnabled(false);
        return;
    }
    const QFontMetrics metrics(recentFilesMenu_->font());
    for (int i = 0; i < paths.size(); ++i) {
        QAction* item = recentFilesMenu_->addAction(recentItemText(i + 1, paths[i], metrics));
        item->setObjectName(QStringLiteral("miRecent%1").arg(i + 1));
        item->setData(paths[i]);
        item->setStatusTip(QDir::toNativeSeparators(paths[i]));
        connect(item, &QAction::triggered, this, [this, path = paths[i]] { openRecentFile(path); });
    }
    recentFilesMenu_->addSeparator();
    QAction* clear = recentFilesMenu_->addAction(QStringLiteral("一覧を消去(&C)"));
    clear->setObjectName(QStringLiteral("miRecentClear"));
    connect(clear, &QAction::triggered, this, [this] {
        recentFiles_.clear();
        lastRememberedFile_.clear();
    });
}

void MainWindow::openRecentFile(const QString& path)
{
    // A file moved or deleted since is dropped from the list before anything is asked.
    if (!QFileInfo(path).isFile()) {
        recentFiles_.remove(path);
        if (lastRememberedFile_ == path)
            lastRememberedFile_.clear();
        showOutcome(Outcome::failure(
            QStringLiteral("ファイルが見つかりません: %1\n最近使ったファイルの一覧から外しました。")
                .arg(QDir::toNativeSeparators(path))));
        return;
    }
    if (!document_.querySaveChanges())
        return;
    openFile(path);
}

void MainWindow::rememberShownFile()
{
    // The file the caption shows is the one being worked on: an exchange file just
    // imported, or a project opened or saved. A name without a file behind it (a model
    // handed over by a tool) is not offered again.
    const QString path = document_.shownPath();
    if (path.isEmpty() || path == lastRememberedFile_ || !QFileInfo(path).isFile())
        return;
    lastRememberedFile_ = path;
    recentFiles_.add(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!openableFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = openableFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Asked once the drop is over, so the file manager is not kept waiting on the save
    // question.
    QTimer::singleShot(0, this, [this, path] {
        if (document_.querySaveChanges())
            openFile(path);
    });
}

void MainWindow::saveWindowPlacement()
{
    QSettings settings(ProgramSettingsPath(), QSettings::IniFormat);
    settings.setValue(geometryKey, saveGeometry());
}

void MainWindow::openManual()
{
    const auto manual = files_.find(QString::fromLatin1(manualPage));
    if (!manual) {
        showOutcome(Outcome::failure(QStringLiteral("操作説明がありません: %1\n%2")
                                         .arg(QString::fromLatin1(manualPage), SearchedFoldersText(files_))));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual->path)))
        showOutcome(Outcome::failure(QStringLiteral("操作説明を開くアプリケーションがないか、起動できません: %1")
                                         .arg(QDir::toNativeSeparators(manual->path))));
}
