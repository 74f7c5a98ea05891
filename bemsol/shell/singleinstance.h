#pragma once

#include <QLockFile>
#include <QString>

// Holds the per-user lock that tells a second copy of the program that one is running.
class SingleInstance
{
public:
    // The lock file in the per-user runtime folder.
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    // True when this is the only running copy; the lock is held until destruction.
    bool acquire();

    static QString defaultLockPath();

private:
    QLockFile lock_;
};
