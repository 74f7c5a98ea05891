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

std::optional<QString> FindTemplate(const QString& programDir, const QString& fileName)
{
    const QDir dir(programDir);
    const QString literal = dir.filePath(fileName);
    if (QFileInfo(literal).isFile())
        return literal;
    const QString newer = openXmlName(fileName);
    if (!newer.isEmpty() && QFileInfo(dir.filePath(newer)).isFile())
        return dir.filePath(newer);
    return std::nullopt;
}

std::optional<QString> FindFillableTemplate(const QString& programDir, const QString& fileName,
                                            bool canConvertLegacy)
{
    const auto found = FindTemplate(programDir, fileName);
    if (!found || canConvertLegacy || !IsLegacyWorkbook(*found))
        return found;
    const QString newer = openXmlName(QFileInfo(*found).fileName());
    if (!newer.isEmpty() && QFileInfo(QDir(programDir).filePath(newer)).isFile())
        return QDir(programDir).filePath(newer);
    return found;
}

bool IsLegacyWorkbook(const QString& path)
{
    return path.endsWith(u".xls", Qt::CaseInsensitive);
}

QString MissingTemplateMessage(const QString& programDir, const QString& fileName)
{
    const QString path = QDir::toNativeSeparators(QDir(programDir).filePath(fileName));
    const QString newer = openXmlName(fileName);
    if (newer.isEmpty())
        return QStringLiteral("テンプレートファイルがありません: %1").arg(path);
    return QStringLiteral("テンプレートファイルがありません: %1（%2 もありません）").arg(path, newer);
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
