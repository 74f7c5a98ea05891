#include "singleinstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath)
{
    // A copy that crashed leaves its lock behind; QLockFile recognises it by the dead
    // process, so no timeout is needed.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return lock_.tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("bemsol.lock"));
}
