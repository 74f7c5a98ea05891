#include "singleinstance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

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
    // The session's runtime folder is private to the user. Without one (no desktop
    // session) the shared temporary folder is used with the user's id in the name, so
    // users do not block each other — and Qt need not warn about the missing folder.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
            .filePath(QStringLiteral("bemsol.lock"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("bemsol-%1.lock").arg(getuid()));
}
