#include "legacyconversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

constexpr int conversionTimeoutMs = 180 * 1000;
constexpr qint64 maxWorkbookSize = 256ll << 20;

} // namespace

QString FindSoffice()
{
    QString path = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    return path;
}

Result<QByteArray> ConvertLegacyWorkbook(const QString& soffice, const QString& xlsPath)
{
    const QString shown = QDir::toNativeSeparators(xlsPath);
    auto fail = [&](const QString& reason) {
        return Outcome::failure(QStringLiteral("%1 を LibreOffice で .xlsx に変換できません: %2").arg(shown, reason));
    };
    QTemporaryDir temp;
    if (!temp.isValid())
        return fail(temp.errorString());
    const QDir dir(temp.path());
    if (!dir.mkpath(QStringLiteral("in")) || !dir.mkpath(QStringLiteral("out")))
        return fail(QStringLiteral("一時フォルダを作れません"));
    const QString input = dir.filePath(QStringLiteral("in/template.xls"));
    if (!QFile::copy(xlsPath, input))
        return fail(QStringLiteral("テンプレートを一時フォルダに写せません"));

    QProcess process;
    process.setProgram(soffice);
    process.setArguments({
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--norestore"),
        QStringLiteral("--convert-to"),
        QStringLiteral("xlsx"),
        QStringLiteral("--outdir"),
        dir.filePath(QStringLiteral("out")),
        input,
    });
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted())
        return fail(process.errorString());
    if (!process.waitForFinished(conversionTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return fail(QStringLiteral("時間内に終わりませんでした"));
    }
    QFile output(dir.filePath(QStringLiteral("out/template.xlsx")));
    if (process.exitStatus() != QProcess::NormalExit || !output.exists())
        return fail(QString::fromLocal8Bit(process.readAll()).trimmed());
    if (!output.open(QIODevice::ReadOnly) || output.size() > maxWorkbookSize)
        return fail(output.errorString());
    return output.readAll();
}
