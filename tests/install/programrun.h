#pragma once

// Runs an installed program with a home of the test's own, so that nothing the user
// has in ~/.local/share/Bemsol takes part, and collects what it printed.

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

inline QProcessEnvironment EnvironmentWithHome(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    return env;
}

inline ProgramRun RunProgram(const QString& program, const QStringList& args,
                             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProgramRun run;
    if (!p.waitForStarted(30000)) {
        run.err = p.errorString();
        return run;
    }
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        run.err = QStringLiteral("did not finish");
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

// The user's data folder of the programs for a home made by EnvironmentWithHome.
inline QString UserDataFolder(const QString& home)
{
    return home + QStringLiteral("/.local/share/Bemsol");
}
