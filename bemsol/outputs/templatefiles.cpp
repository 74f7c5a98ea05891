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

Result<QByteArray> ReadTemplateBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(QStringLiteral("テンプレートファイルを開けません: %1\n%2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (file.size() > maxTemplateSize)
        return Outcome::failure(
            QStringLiteral("テンプレートファイルが大きすぎます: %1").arg(QDir::toNativeSeparators(path)));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Outcome::failure(QStringLiteral("テンプレートファイルを読めません: %1\n%2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
    return bytes;
}

Result<QString> CreateWorkingCopy(const QString& workDir, const QString& baseName,
                                  const QString& suffix, const QByteArray& bytes)
{
    QDir dir(workDir);
    if (!dir.mkpath(QStringLiteral(".")))
        return Outcome::failure(
            QStringLiteral("作業用のフォルダを作れません: %1").arg(QDir::toNativeSeparators(workDir)));
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
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Outcome::failure(QStringLiteral("作業用のファイルを書き込めません: %1\n%2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther))
        return Outcome::failure(
            QStringLiteral("作業用のファイルを読み取り専用にできません: %1").arg(QDir::toNativeSeparators(path)));
    return path;
}
