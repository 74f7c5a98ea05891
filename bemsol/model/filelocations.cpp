#include "filelocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString inFolder(const QString& dir, const QString& name)
{
    return dir.isEmpty() ? QString() : QDir(dir).filePath(name);
}

} // namespace

FileLocations::FileLocations(const QString& programDir, const QString& userDataDir)
    : programDir_(programDir), userDataDir_(userDataDir)
{
    const QString installed =
        QDir::cleanPath(QDir(programDir).filePath(QString::fromLatin1(installedDataRelativePath)));
    if (!programDir.isEmpty() && QFileInfo(installed).isDir())
        installedDir_ = installed;
    // A bin/ folder shared with other programs is no place for a user's files, even for
    // root, who may write anywhere.
    const QFileInfo folder(programDir);
    programDirWritable_ = !isInstalled() && folder.isDir() && folder.isWritable();
}

FileLocations FileLocations::ForProgramDir(const QString& programDir)
{
    return FileLocations(programDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

FileLocations FileLocations::ForRunningProgram()
{
    return ForProgramDir(QCoreApplication::applicationDirPath());
}

QList<FileLocations::Folder> FileLocations::readFolders() const
{
    QList<Folder> folders;
    if (!programDir_.isEmpty())
        folders.append({Place::BesideProgram, programDir_});
    if (!userDataDir_.isEmpty() && userDataDir_ != programDir_)
        folders.append({Place::UserData, userDataDir_});
    if (isInstalled())
        folders.append({Place::Installed, installedDir_});
    return folders;
}

std::optional<FileLocations::FoundFile> FileLocations::find(const QString& relativePath) const
{
    return findAny({relativePath});
}

std::optional<FileLocations::FoundFile> FileLocations::findAny(const QStringList& names) const
{
    for (const Folder& folder : readFolders()) {
        for (const QString& name : names) {
            const QString path = QDir(folder.path).filePath(name);
            if (QFileInfo(path).isFile())
                return FoundFile{folder.place, path};
        }
    }
    return std::nullopt;
}

QString FileLocations::besideProgram(const QString& fileName) const
{
    return inFolder(programDir_, fileName);
}

QString FileLocations::inUserData(const QString& fileName) const
{
    return inFolder(userDataDir_, fileName);
}

QString FileLocations::writablePath(const QString& fileName) const
{
    const QString beside = besideProgram(fileName);
    if (programDirWritable_) {
        const QFileInfo existing(beside);
        if (!existing.exists() || existing.isWritable())
            return beside;
    }
    return userDataDir_.isEmpty() ? beside : inUserData(fileName);
}

QString PlaceName(FileLocations::Place place)
{
    switch (place) {
    case FileLocations::Place::BesideProgram: return QStringLiteral("プログラムのフォルダ");
    case FileLocations::Place::UserData: return QStringLiteral("ユーザーのデータフォルダ");
    case FileLocations::Place::Installed: return QStringLiteral("インストール先の共有フォルダ");
    }
    return {};
}

QString SearchedFoldersText(const FileLocations& files)
{
    QString text = QStringLiteral("探した場所:");
    for (const FileLocations::Folder& folder : files.readFolders())
        text += u'\n' + QDir::toNativeSeparators(folder.path);
    return text;
}
