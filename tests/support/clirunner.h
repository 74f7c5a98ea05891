#pragma once

// Runs the bemsol-cli of this build and collects what it printed.

#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun
{
    int exitCode;
    QByteArray out;
    QString err;
};

inline CliRun runCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(BIN_DIR "/bemsol-cli"), args);
    if (!p.waitForFinished(120000))
        qFatal("bemsol-cli did not finish");
    return {p.exitCode(), p.readAllStandardOutput(),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

// Arguments written with placeholders: "OUT" stands for `out`, "DIR/" for the folder `dir`.
inline QStringList withPlaces(QStringList args, const QString& dir, const QString& out)
{
    for (QString& a : args) {
        if (a == u"OUT")
            a = out;
        a.replace(QStringLiteral("DIR/"), dir + u'/');
    }
    return args;
}
