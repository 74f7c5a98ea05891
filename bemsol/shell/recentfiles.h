#pragma once

#include <QString>
#include <QStringList>

// The files the user worked on last, newest first: the exchange files and projects
// opened or saved, kept in the program's settings between runs.
class RecentFiles
{
public:
    static constexpr int maxCount = 8;

    explicit RecentFiles(QString settingsPath);

    QStringList paths() const;
    // `path` to the top; listed already, it moves up; the oldest beyond maxCount drops.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void store(const QStringList& paths);

    QString settingsPath_;
};

// The program's settings file, under the application's name: ~/.config/Bemsol/bemsol.conf
// for Bemsol, and a file of its own for every test program.
QString ProgramSettingsPath();
