#include "loginfile.h"

#include "model/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// One value of a line in the quoted form: the text up to the closing quote. A line
// without quotes is taken up to its first comma, as a sequential file reader would.
QString lineValue(QStringView line)
{
    if (line.startsWith(u'"')) {
        const qsizetype close = line.indexOf(u'"', 1);
        return (close < 0 ? line.mid(1) : line.mid(1, close - 1)).toString();
    }
    const qsizetype comma = line.indexOf(u',');
    return (comma < 0 ? line : line.left(comma)).trimmed().toString();
}

std::optional<LoginRecord> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A login file is three short lines; anything far larger is not ours.
    const QByteArray bytes = file.read(64 * 1024);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return ParseLoginFile(bytes);
}

Outcome writeFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return Outcome::failure(QString());
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return Outcome::failure(QDir::toNativeSeparators(path) +
                                QStringLiteral("\nフォルダを作成できません"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Outcome::failure(QDir::toNativeSeparators(file.fileName()) + QStringLiteral("\n") +
                                file.errorString());
    return Outcome::success();
}

Outcome failedWrite(const Outcome& first, const Outcome& second)
{
    QString reasons = first.message;
    if (!second.message.isEmpty())
        reasons += u'\n' + second.message;
    return Outcome::failure(QStringLiteral("ﾛｸﾞｵﾝ情報を保存できません。\n%1").arg(reasons),
                            QStringLiteral("ﾛｸﾞｵﾝ"));
}

} // namespace

std::optional<LoginRecord> ParseLoginFile(QByteArrayView bytes)
{
    const QString text = DecodeShiftJis(bytes);
    QList<QStringView> lines = QStringView(text).split(u'\n');
    for (QStringView& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    // A value missing at the end is a file that cannot be read, not an empty value.
    if (lines.size() < 3 || (lines.size() == 3 && lines[2].isEmpty()))
        return std::nullopt;
    if (lineValue(lines[0]) != loginFileHeader)
        return std::nullopt;
    return LoginRecord{lineValue(lines[1]), lineValue(lines[2])};
}

QString LoginValueProblem(const QString& value)
{
    if (value.contains(u'"'))
        return QStringLiteral("ﾕｰｻﾞｰ名とﾊﾟｽﾜｰﾄﾞに \" は使えません");
    for (const QChar c : value)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("ﾕｰｻﾞｰ名とﾊﾟｽﾜｰﾄﾞに制御文字は使えません");
    if (!EncodeShiftJis(value))
        return QStringLiteral("ﾕｰｻﾞｰ名とﾊﾟｽﾜｰﾄﾞにShift-JISで表せない文字は使えません");
    return {};
}

QByteArray LoginFileBytes(const LoginRecord& record)
{
    QByteArray bytes;
    for (const QString& value : {loginFileHeader, record.userName, record.password}) {
        bytes += '"';
        bytes += EncodeShiftJis(value).value_or(QByteArray());
        bytes += "\"\r\n";
    }
    return bytes;
}

LoginFileStore::LoginFileStore(FileLocations files) : files_(std::move(files))
{
}

QString LoginFileStore::loginFilePath() const
{
    const QString name = QString::fromLatin1(loginFileName);
    const QString beside = files_.besideProgram(name);
    if (readFile(beside))
        return beside;
    return files_.writablePath(name);
}

std::optional<LoginRecord> LoginFileStore::ReadLoginFile() const
{
    return readFile(loginFilePath());
}

Outcome LoginFileStore::WriteLoginFile(const LoginRecord& record) const
{
    const QByteArray bytes = LoginFileBytes(record);
    const QString name = QString::fromLatin1(loginFileName);
    const QString first = files_.writablePath(name);
    const Outcome written = writeFile(first, bytes);
    const QString second = files_.inUserData(name);
    if (written || second.isEmpty() || second == first)
        return written ? written : failedWrite(written, {});
    const Outcome fallback = writeFile(second, bytes);
    return fallback ? fallback : failedWrite(written, fallback);
}
