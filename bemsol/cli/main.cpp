#include "clicommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <unistd.h>

namespace {

// Batch runs often have no desktop session. Qt then falls back to a runtime directory
// of its own but says so on standard error, where scripts read our messages; take the
// same fallback quietly.
void ensureRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(getuid());
    if (QDir().mkpath(dir) &&
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

// Only the forms are drawn with fonts; every other command runs as a plain program,
// without a platform plugin or the font database, which cost more than reading a large
// project.
bool drawsForms(int argc, char* argv[])
{
    return argc > 1 && (qstrcmp(argv[1], "fieldbook") == 0 || qstrcmp(argv[1], "record") == 0);
}

} // namespace

int main(int argc, char* argv[])
{
    ensureRuntimeDirectory();
    if (!drawsForms(argc, argv)) {
        QCoreApplication app(argc, argv);
        return RunCliCommand(app.arguments().mid(1));
    }
    // A batch run has no screen, so the offscreen platform serves unless the caller
    // chose another.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RunCliCommand(app.arguments().mid(1));
}
