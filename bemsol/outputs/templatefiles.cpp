#include "templatefiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 maxTemplateSize = 256ll << 20;

QString openXmlName(const QString& fileName)
{
    if (fileName.endsWith(u".xls") || fileName.endsWith(u".doc"))
        return fileName + u'x';
    return {};
}

} // namespace

std::optional<QString> FindTemplate(const FileLocations& files, const QString& fileName)
{
    QStringList names{fileName};
    if (const QString newer = openXmlName(fileName); !newer.isEmpty())
        names << newer;
    if (const auto found = files.findAny(names))
        return found->path;
    return std::nullopt;
}

std::optional<QString> FindFillableTemplate(const FileLocations& files, const QString& fileName,
                                            bool canConvertLegacy)
{
    const auto found = FindTemplate(files, fileName);
    if (!found || canConvertLegacy || !IsLegacyWorkbook(*found))
        return found;
    const QFileInfo legacy(*found);
    const QString newer = openXmlName(legacy.fileName());
    if (!newer.isEmpty() && QFileInfo(legacy.dir().filePath(newer)).isFile())
        return legacy.dir().filePath(newer);
    return found;
}

bool IsLegacyWorkbook(const QString& path)
{
    return path.endsWith(u".xls", Qt::CaseInsensitive);
}

QString MissingTemplateMessage(const FileLocations& files, const QString& fileName)
{
    const QString newer = openXmlName(fileName);
    const QString message = newer.isEmpty()
                          ? QStringLiteral("テンプレートファイルがありません: %1").arg(fileName)
                          : QStringLiteral("テンプレートファイルがありません: %1（%2 もありません）").arg(fileName, newer);
    return message + u'\n' + SearchedFoldersText(files);
}

std::optional<QByteArray> ReadTemplateBytes(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("テンプレートファイルを開けません: %1\n%2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    if (file.size() > maxTemplateSize) {
        if (error)
            *error = QStringLiteral("テンプレートファイルが大きすぎます: %1").arg(QDir::toNativeSeparators(path));
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("テンプレートファイルを読めません: %1\n%2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    return bytes;
}

WorkingCopy CreateWorkingCopy(const QString& workDir, const QString& baseName,
                              const QString& suffix, const QByteArray& bytes)
{
    WorkingCopy copy;
    QDir dir(workDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        copy.outcome = Outcome::failure(
            QStringLiteral("作業用のフォルダを作れません: %1").arg(QDir::toNativeSeparators(workDir)));
        return copy;
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path;
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? QStringLiteral("%1-%2%3").arg(baseName, stamp, suffix)
                                    : QStringLiteral("%1-%2-%3%4").arg(baseName, stamp).arg(n).arg(suffix);
        path = dir.filePath(name);
        if (!QFileInfo::exists(path))
            break;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        copy.outcome = Outcome::failure(QStringLiteral("作業用のファイルを書き込めません: %1\n%2")
                                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        return copy;
    }
    if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther)) {
        copy.outcome = Outcome::failure(
            QStringLiteral("作業用のファイルを読み取り専用にできません: %1").arg(QDir::toNativeSeparators(path)));
        return copy;
    }
    copy.path = path;
    return copy;
}
