#pragma once

// A desk for the output commands: a program folder with our sample templates, a working
// folder, and a desktop that records what it was asked to open or start, and when the
// wait began and ended, instead of doing it.

#include "outputs/outputcommands.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

inline const QStringList shippedTemplates{
    QStringLiteral("kisenkakusa.xlsx"), QStringLiteral("tenken-katei.xlsx"), QStringLiteral("seido-fuku.xlsx"),
    QStringLiteral("kijuntenseika.xlsx"), QStringLiteral("seidokanri.docx")};

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct FileState
{
    QByteArray bytes;
    QDateTime modified;
    QFile::Permissions permissions;
    bool operator==(const FileState&) const = default;
};

inline FileState stateOf(const QString& path)
{
    const QFileInfo info(path);
    return {readFile(path), info.lastModified(), info.permissions()};
}

struct Desk
{
    QTemporaryDir program;
    QTemporaryDir work;
    QStringList opened;
    QStringList started;
    // "wait", "done", "open" and "start" in the order they happened.
    QStringList events;
    bool openSucceeds = true;
    bool startSucceeds = true;

    Desk()
    {
        for (const QString& name : shippedTemplates)
            QFile::copy(QStringLiteral(SOURCE_DIR "/share/") + name, program.filePath(name));
    }

    OutputEnvironment environment(const QString& soffice = {})
    {
        OutputEnvironment env;
        env.files = FileLocations(program.path(), QString());
        env.workDir = work.filePath(QStringLiteral("outputs"));
        env.soffice = soffice;
        env.openDocument = [this](const QString& path) {
            opened << path;
            events << QStringLiteral("open");
            return openSucceeds;
        };
        env.startDetached = [this](const QString& p) {
            started << p;
            events << QStringLiteral("start");
            return startSucceeds;
        };
        env.beginWait = [this] { events << QStringLiteral("wait"); };
        env.endWait = [this] { events << QStringLiteral("done"); };
        return env;
    }

    QMap<QString, FileState> programFolder() const
    {
        QMap<QString, FileState> files;
        for (const QString& name : QDir(program.path()).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, stateOf(program.filePath(name)));
        return files;
    }

    QStringList workingCopies() const
    {
        return QDir(work.filePath(QStringLiteral("outputs"))).entryList(QDir::Files);
    }

    // An executable named like Dravel, so that the command can start it.
    void placeDravel()
    {
        QFile f(program.filePath(DravelProgramName()));
        if (f.open(QIODevice::WriteOnly))
            f.write("#!/bin/sh\nexit 0\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }
};
