#include "recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString recentKey = QStringLiteral("recentFiles");

// One entry per file however it was named.
QString normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QString settingsPath) : settingsPath_(std::move(settingsPath))
{
}

QStringList RecentFiles::paths() const
{
    const QSettings settings(settingsPath_, QSettings::IniFormat);
    QStringList paths = settings.value(recentKey).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, maxCount);
}

void RecentFiles::add(const QString& path)
{
    const QString entry = normalised(path);
    QStringList paths = this->paths();
    paths.removeAll(entry);
    paths.prepend(entry);
    store(paths.mid(0, maxCount));
}

void RecentFiles::remove(const QString& path)
{
    QStringList paths = this->paths();
    if (paths.removeAll(normalised(path)) > 0)
        store(paths);
}

void RecentFiles::clear()
{
    store({});
}

void RecentFiles::store(const QStringList& paths)
{
    QSettings settings(settingsPath_, QSettings::IniFormat);
    settings.setValue(recentKey, paths);
}

QString ProgramSettingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("bemsol.conf"));
}
